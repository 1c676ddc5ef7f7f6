// cadhost: opens a drawing, loads modules, runs the session script, unloads, saves.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "dxf/dxf_reader.h"
#include "ed/host_session.h"
#include "host_options.h"
#include "plot/host_programs.h"
#include "script/script_input.h"
#include "script/utf8.h"
#include "win/machine.h"
#include "win/win_files.h"

namespace {

void Print_Error(const std::string& message)
{
    std::fflush(stdout);
    std::fprintf(stderr, "cadhost: %s\n", message.c_str());
}

// The drawing as the machine names it: a host path becomes a drive path ("Z:\\..."), so
// that the drawing's folder is one a module can write beside.
std::wstring Drawing_Path(const std::string& drawing)
{
    const std::wstring given = platform::From_Utf8(drawing);
    const bool drive_path = given.size() >= 2 && given[1] == L':';
    if (given.empty() || drive_path)
        return given;
    return platform::To_Windows_Path(std::filesystem::absolute(std::filesystem::path(drawing)));
}

// A read that dropped details says how many; --list-warnings lists them, a line each.
void Print_Read_Warnings(const Host_Options& options)
{
    const platform::DxfWarnings& warnings = platform::Dxf_Last_Report().warnings;
    if (warnings.count() == 0)
        return;
    std::fflush(stdout);
    std::fprintf(stderr, "cadhost: %s: %zu warning%s while reading%s\n", options.drawing.c_str(), warnings.count(),
                 warnings.count() == 1 ? "" : "s", options.list_warnings ? ":" : " (--list-warnings lists them)");
    if (!options.list_warnings)
        return;
    for (const platform::DxfWarning& w : warnings.listed()) {
        if (w.line != 0)
            std::fprintf(stderr, "  line %zu: %s\n", w.line, w.reason.c_str());
        else
            std::fprintf(stderr, "  %s\n", w.reason.c_str());
    }
    if (warnings.count() > warnings.listed().size())
        std::fprintf(stderr, "  ... and %zu more\n", warnings.count() - warnings.listed().size());
}

int Run_Session(const Host_Options& options)
{
    platform::HostSession session;
    if (!session.open(Drawing_Path(options.drawing))) {
        // The reader's own reason names the file and the line; without one, the status.
        const std::string reason = platform::Dxf_Last_Error();
        Print_Error(reason.empty() ? session.error() : "cannot open the drawing " + reason);
        return 1;
    }
    if (!options.drawing.empty())
        Print_Read_Warnings(options);
    for (const std::string& module : options.modules) {
        if (!session.load_module(platform::From_Utf8(module))) {
            const std::string reason = session.error();
            Print_Error("cannot load the module " + module + (reason.empty() ? "" : " (" + reason + ")"));
            session.unload_modules();
            return 1;
        }
    }
    const int status = session.run_script();
    if (status != 0)
        Print_Error(session.error());
    session.unload_modules();
    if (status != 0)
        return status;
    if (!options.save.empty() && !session.save(platform::From_Utf8(options.save))) {
        Print_Error("cannot save the drawing to " + options.save);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Host_Options options;
    std::string error;
    if (!Parse_Host_Options(argc, argv, options, error)) {
        Print_Error(error);
        std::fprintf(stderr, "%s\n", Host_Usage);
        return 2;
    }
    if (options.help) {
        std::printf("%s\n\n%s", Host_Usage, Host_Help);
        return 0;
    }
    try {
        if (!options.root.empty())
            platform::Machine::instance().set_root(options.root);
        // The host's own programs (the plot-style editor) are there to be started.
        platform::Install_Host_Programs();
        if (!options.script.empty() &&
            !platform::ScriptInput::instance().push_file(options.script, error)) {
            Print_Error(error);
            return 2;
        }
        const int status = Run_Session(options);
        std::fflush(stdout);
        return status;
    } catch (const std::exception& failure) {
        Print_Error(failure.what());
        return 1;
    }
}
