#include "plot/host_programs.h"

#include <filesystem>

#include "win/machine.h"

namespace platform {

std::wstring Plot_Style_Editor_Path() { return Machine::instance().program_folder() + L"\\ZwPStyleEdit.exe"; }

bool Install_Host_Programs()
{
    const std::filesystem::path editor = std::filesystem::path(KORVEL_PROGRAMS_DIR) / "ZwPStyleEdit";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(editor, ec))
        return false;
    Machine::instance().register_program(Plot_Style_Editor_Path(), {editor.string()});
    return true;
}

}  // namespace platform
