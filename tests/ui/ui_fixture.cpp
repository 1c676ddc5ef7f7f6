#include "ui_fixture.h"

#include <unistd.h>

#include <cstdlib>

#include "ed/host_session.h"
#include "mfc/afxdll.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "script/script_input.h"
#include "script/utf8.h"
#include "ui/progress_window.h"
#include "win/host_path_text.h"
#include "win/machine.h"

void Ui_Test::SetUp()
{
    platform::Reset_Host_For_Tests();
    platform::Clear_Message_Queue();
    platform::Clear_Script_Wait();
    std::string error;
    ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) << error;
    Folder = std::filesystem::temp_directory_path() /
             ("korvel_ui_files_" + std::to_string(getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(Folder);
}

void Ui_Test::TearDown()
{
    Progress_Close();
    platform::Clear_Message_Queue();
    platform::Clear_Script_Wait();
    platform::Unregister_Resource_Script(AfxGetResourceHandle());
    platform::Reset_Host_For_Tests();
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
}

void Ui_Test::Script(const std::string& steps) { platform::ScriptInput::instance().push_text(steps); }

std::filesystem::path Ui_Test::Temp_File(const std::string& name) const { return Folder / name; }

COLORREF Ui_Test::Snapshot_Pixel(CWnd* window, int x, int y, const std::string& name) const
{
    const std::filesystem::path path = Temp_File(name);
    if (!platform::Snapshot_Window(window, platform::Text_From_Host_Path(path))) return CLR_INVALID;
    CImage image;
    if (image.Load(platform::Text_From_Host_Path(path).c_str()) != S_OK) return CLR_INVALID;
    return image.GetPixel(x, y);
}

bool Ui_Test::Snapshot_Has_Color(CWnd* window, const CRect& area, COLORREF color, const std::string& name) const
{
    const std::filesystem::path path = Temp_File(name);
    if (!platform::Snapshot_Window(window, platform::Text_From_Host_Path(path))) return false;
    CImage image;
    if (image.Load(platform::Text_From_Host_Path(path).c_str()) != S_OK) return false;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = image.GetPixel(x, y);
            if (std::abs(GetRValue(c) - GetRValue(color)) < 40 && std::abs(GetGValue(c) - GetGValue(color)) < 40 &&
                std::abs(GetBValue(c) - GetBValue(color)) < 40)
                return true;
        }
    return false;
}
