// The window-message watcher: during the picks every key-down posts a backspace to the
// drawing window and S opens the pick's settings; Tab turns the dragged signature, else the
// dragged frame; the paging keys move the previewed row of a result window's list and end
// the running preview.
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/cursor_overlays.h"
#include "core/doc_lock.h"
#include "app/module_load.h"
#include "core/plot_option.h"
#include "app/window_watcher.h"
#include "dialogs/single_plot.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "ed/host_window.h"
#include "ed/input.h"
#include "mfc/afxdll.h"
#include "mfc/dialog_steps.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "services_fixture.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "signstamp/sign_insert.h"
#include "titleblock/my_pline.h"
#include "tools/outer_frame.h"
#include "win/win_messages.h"

namespace {

// For each millimetre across the paper (at 100 dpi), '1' when a pixel of the middle rows of
// the PNG is darker than the paper, else '0'; read by Python's zlib.
std::string Middle_Ink(const std::filesystem::path& png)
{
    static const char* const kScript = R"PY(
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
pos, idat, w, h, bpp = 8, b'', 0, 0, 4
while pos < len(data):
    n, kind = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + n]
    if kind == b'IHDR':
        w, h, depth, colour = struct.unpack('>IIBB', body[:10])
        bpp = {6: 4, 2: 3, 0: 1, 4: 2}[colour]
    elif kind == b'IDAT':
        idat += body
    pos += 12 + n
raw, stride, prev, rows = zlib.decompress(idat), w * bpp, bytearray(w * bpp), []
for y in range(h):
    f, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - bpp] if i >= bpp else 0
        b, c = prev[i], prev[i - bpp] if i >= bpp else 0
        if f == 1: line[i] = (line[i] + a) & 255
        elif f == 2: line[i] = (line[i] + b) & 255
        elif f == 3: line[i] = (line[i] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line)
    prev = line
out = ''
for mm in range(int(w * 25.4 / 100)):
    x = int(mm / 25.4 * 100)
    dark = any(min(rows[y][x * bpp:x * bpp + min(bpp, 3)]) < 0xC0 for y in range(h // 2 - 4, h // 2 + 5))
    out += '1' if dark else '0'
print(out)
)PY";
    const std::filesystem::path script = png.parent_path() / "middle_ink.py";
    {
        FILE* file = std::fopen(script.c_str(), "w");
        if (file == nullptr)
            return {};
        std::fputs(kScript, file);
        std::fclose(file);
    }
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        popen(("/usr/bin/python3 '" + script.string() + "' '" + png.string() + "'").c_str(), "r"), pclose);
    std::array<char, 4096> buffer;
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get()))
        output += buffer.data();
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
        output.pop_back();
    return output;
}

int gListCount = 0;
int List_Count(int) { return gListCount; }

class Window_Watcher_Test : public Services_Test {
protected:
    void SetUp() override
    {
        Services_Test::SetUp();
        mSavedCount = g_Preview_List_Count;
        g_Preview_List_Count = List_Count;
        g_Preview_Kind = 0;
        g_Preview_Index = -1;
        platform::Clear_Typed_Input();
    }
    void TearDown() override
    {
        zcedRemoveWatchWinMsg(Watch_Key_Message);
        g_Preview_List_Count = mSavedCount;
        g_Preview_Kind = 0;
        g_Preview_Index = -1;
        g_Cur_Plot_Option = nullptr;
        Delete_All_Objects(mPapers);
        Services_Test::TearDown();
    }

    static void Press(WPARAM key, UINT message = WM_KEYDOWN)
    {
        MSG msg{};
        msg.message = message;
        msg.wParam = key;
        Watch_Key_Message(&msg);
    }
    static int Queued_Cancels()
    {
        int count = 0;
        for (wchar_t c : platform::Pending_Text() + platform::Typed_Text())
            count += c == L'\x03' ? 1 : 0;
        return count;
    }

    // An A3 sheet in model space: its frame and a line across the middle from 100 to 200 mm.
    static void Draw_Sheet()
    {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        ZcDbBlockTableRecord* block = nullptr;
        ASSERT_EQ(zcdbOpenObject(block, db->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
        auto* frame = new ZcDbPolyline();
        const double corners[4][2] = {{1000, 0}, {1420, 0}, {1420, 297}, {1000, 297}};
        for (int i = 0; i < 4; ++i)
            frame->addVertexAt(i, ZcGePoint2d(corners[i][0], corners[i][1]));
        frame->setClosed(true);
        auto* line = new ZcDbLine(ZcGePoint3d(1100, 148.5, 0), ZcGePoint3d(1200, 148.5, 0));
        for (ZcDbEntity* entity : {static_cast<ZcDbEntity*>(frame), static_cast<ZcDbEntity*>(line)}) {
            entity->setDatabaseDefaults(db);
            ASSERT_EQ(block->appendZcDbEntity(entity), Zcad::eOk);
            entity->close();
        }
        block->close();
    }

    // The preview of row `index` of result window 1 as its preview button runs it, the sheet
    // prepared as a batch driver prepares it for a PDF.
    void Preview_Sheet(int index)
    {
        g_Cur_Plot_Option = &mOptions;
        mOptions.Output_Type = 0;
        Delete_All_Objects(mPapers);
        mPapers.Add(new MyPaper(420, 297));
        ASSERT_TRUE(Build_Plot_Device_Files(mPapers));
        Doc_Lock lock;
        Plot_Set plot_set;
        ASSERT_TRUE(plot_set.Is_Open());
        ASSERT_TRUE(plot_set.Set_Device(Get_Pc5_File_Name(0)));
        ASSERT_EQ(plot_set.Set_Media(L"KV_A3", false), CString(L"KV_A3"));
        plot_set.Set_Window(ZcGePoint2d(1000, 0), ZcGePoint2d(1420, 297), 1.0, false);
        plot_set.Preview(1, index);
    }

    int (*mSavedCount)(int) = nullptr;
    Plot_Option mOptions;
    Paper_Array mPapers;
};

TEST_F(Window_Watcher_Test, PagingKeysMoveTheRowWithinTheListAndCancelThePreview)
{
    struct Case {
        int kind, index, count;
        WPARAM key;
        UINT message;
        int new_index;
    } cases[] = {
        {1, 1, 3, VK_NEXT, WM_KEYDOWN, 2},  {2, 1, 3, VK_RIGHT, WM_KEYDOWN, 2}, {3, 1, 3, VK_DOWN, WM_KEYDOWN, 2},
        {1, 1, 3, VK_PRIOR, WM_KEYDOWN, 0}, {2, 1, 3, VK_LEFT, WM_KEYDOWN, 0},  {3, 1, 3, VK_UP, WM_KEYDOWN, 0},
        // At the ends of the list the row stays and nothing is queued.
        {1, 2, 3, VK_NEXT, WM_KEYDOWN, 2},  {1, 0, 3, VK_PRIOR, WM_KEYDOWN, 0}, {1, 0, 1, VK_DOWN, WM_KEYDOWN, 0},
        // The window closed meanwhile: its list counts no rows.
        {2, 0, 0, VK_NEXT, WM_KEYDOWN, 0},
        // No preview, other keys, other messages.
        {0, 1, 3, VK_NEXT, WM_KEYDOWN, 1},  {4, 1, 3, VK_NEXT, WM_KEYDOWN, 1},  {1, -1, 3, VK_NEXT, WM_KEYDOWN, -1},
        {1, 1, 3, VK_TAB, WM_KEYDOWN, 1},   {1, 1, 3, 'S', WM_KEYDOWN, 1},     {1, 1, 3, VK_NEXT, WM_KEYUP, 1},
        {1, 1, 3, VK_NEXT, WM_CHAR, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " index " << c.index << " count " << c.count
                                        << " key " << c.key << " message " << c.message);
        platform::Clear_Typed_Input();
        g_Preview_Kind = c.kind;
        g_Preview_Index = c.index;
        gListCount = c.count;
        Press(c.key, c.message);
        EXPECT_EQ(g_Preview_Index, c.new_index);
        EXPECT_EQ(g_Preview_Kind, c.kind);
        EXPECT_EQ(Queued_Cancels(), c.new_index != c.index ? 1 : 0);
    }
    Watch_Key_Message(nullptr);
}

TEST_F(Window_Watcher_Test, ThePreviewShowsTheSheetAndAPagingKeyEndsItOnTheNextRow)
{
    Draw_Sheet();
    gListCount = 3;
    ASSERT_TRUE(zcedRegisterWatchWinMsg(Watch_Key_Message));
    CreateDirectoryW(L"C:\\Out", nullptr);
    const std::filesystem::path shot = Host(L"C:\\Out\\preview.png");
    platform::ScriptInput::instance().push_text("snapshot \"" + shot.string() + "\"\nkey PAGEDOWN\n");
    Preview_Sheet(1);
    EXPECT_EQ(g_Preview_Kind, 1);
    EXPECT_EQ(g_Preview_Index, 2);
    EXPECT_EQ(Queued_Cancels(), 0);  // the preview took the cancel
    EXPECT_EQ(Printed().find(L"cannot draw"), std::wstring::npos) << platform::To_Utf8(Printed());

    // The page: the line in the middle rows from 100 to 200 mm, nothing beside it.
    const std::string ink = Middle_Ink(shot);
    ASSERT_EQ(ink.size(), 420u) << ink;
    for (int mm : {101, 150, 199})
        EXPECT_EQ(ink[mm], '1') << mm << " mm";
    for (int mm : {20, 95, 205, 300, 400})
        EXPECT_EQ(ink[mm], '0') << mm << " mm";
}

TEST_F(Window_Watcher_Test, AtTheLastRowPageDownIsIgnoredAndPageUpPagesBack)
{
    Draw_Sheet();
    gListCount = 2;
    ASSERT_TRUE(zcedRegisterWatchWinMsg(Watch_Key_Message));
    platform::ScriptInput::instance().push_text("key PAGEDOWN\nkey PAGEUP\n");
    Preview_Sheet(1);
    EXPECT_EQ(g_Preview_Kind, 1);
    EXPECT_EQ(g_Preview_Index, 0);
}

TEST_F(Window_Watcher_Test, TabDuringTheSinglePickSwitchesThePickModeAndStartsTheOtherPick)
{
    struct Case {
        bool picking;
        int mode;
        WPARAM key;
        int new_mode;
        const wchar_t* queued;
    } cases[] = {
        {true, 0, VK_TAB, 1, L"\x03SinglePlot_SelectW\n"},
        {true, 1, VK_TAB, 0, L"\x03SinglePlot_SelectP\n"},
        // Other keys, and Tab while no pick waits, leave the mode and queue nothing.
        {true, 0, 'A', 0, L""},
        {true, 1, VK_RETURN, 1, L""},
        {false, 0, VK_TAB, 0, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "picking " << c.picking << " mode " << c.mode << " key " << c.key);
        platform::Clear_Typed_Input();
        g_Single_Pick_Mode = c.picking;
        g_Plot_Config.Single_Pick_Mode = c.mode;
        Press(c.key);
        EXPECT_EQ(g_Plot_Config.Single_Pick_Mode, c.new_mode);
        EXPECT_EQ(platform::Pending_Text() + platform::Typed_Text(), c.queued);
    }
    g_Single_Pick_Mode = false;
}

// Backspaces to the drawing window, seen as the host's loop delivers them.
int gBackspaces = 0;
void Count_Backspace(const MSG* message)
{
    if (message->message == WM_CHAR && message->wParam == VK_BACK && message->hwnd == adsw_zcadDocWnd())
        ++gBackspaces;
}

// The module loaded with its resources, so that S opens the picks' settings.
class Pick_Keys_Test : public Window_Watcher_Test {
protected:
    void SetUp() override
    {
        Window_Watcher_Test::SetUp();
        Load_Module();
        platform::Clear_Message_Queue();
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error))
            << error;
        zcedRegisterWatchWinMsg(Count_Backspace);
    }
    void TearDown() override
    {
        zcedRemoveWatchWinMsg(Count_Backspace);
        g_Single_Pick_Mode = false;
        g_Outer_Frame_Pick = false;
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        platform::Clear_Message_Queue();
        Window_Watcher_Test::TearDown();
    }
};

TEST_F(Pick_Keys_Test, EveryKeyDownOfAPickPostsOneBackspaceAndSOneMoreAfterItsSettings)
{
    struct Case {
        bool outer_frame, single_plot;
        WPARAM key;
        UINT message;
        const char* settings;  // the steps that close the settings S opens
        int backspaces;
    } cases[] = {
        {false, true, 'A', WM_KEYDOWN, "", 1},
        {false, true, VK_F4, WM_KEYDOWN, "", 1},
        {false, true, VK_TAB, WM_KEYDOWN, "", 1},
        // The settings first report that the drawing has no plot-style tables.
        {false, true, 'S', WM_KEYDOWN, "msgbox OK\n@IDD_DLG_SINGLEPLOT_SETTING click IDCANCEL\n", 2},
        {true, false, 'B', WM_KEYDOWN, "", 1},
        {true, false, 'S', WM_KEYDOWN, "@IDD_DLG_REC_SETTING click IDCANCEL\n", 2},
        // Key releases, and keys while no pick waits, post nothing.
        {false, true, 'A', WM_KEYUP, "", 0},
        {true, false, 'S', WM_KEYUP, "", 0},
        {false, false, 'A', WM_KEYDOWN, "", 0},
        {false, false, 'S', WM_KEYDOWN, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "outer frame " << c.outer_frame << " single plot " << c.single_plot
                                        << " key " << c.key << " message " << c.message);
        gBackspaces = 0;
        platform::Clear_Typed_Input();
        g_Outer_Frame_Pick = c.outer_frame;
        g_Single_Pick_Mode = c.single_plot;
        platform::ScriptInput::instance().push_text(c.settings);
        Press(c.key, c.message);
        platform::Run_Host_Messages();
        EXPECT_EQ(gBackspaces, c.backspaces);
        EXPECT_TRUE(platform::ScriptInput::instance().empty()) << "the settings opened and closed";
    }
}

TEST_F(Window_Watcher_Test, TabTurnsTheDraggedSignatureBeforeTheDraggedFrame)
{
    struct Case {
        int sign_jig, frame_jig;
        int sign_rot, frame_dir;  // after one Tab, from 0
    } cases[] = {
        {1, 1, 1, 0},
        {1, 0, 1, 0},
        {0, 1, 0, 1},
        {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "signature jig " << c.sign_jig << " frame jig " << c.frame_jig);
        g_Sign_Jig_Active = c.sign_jig;
        g_Frame_Jig_Active = c.frame_jig != 0;
        g_Sign_Jig_Rot = 0;
        g_Frame_Jig_Dir = 0;
        Press(VK_TAB);
        EXPECT_EQ(g_Sign_Jig_Rot, c.sign_rot);
        EXPECT_EQ(g_Frame_Jig_Dir, c.frame_dir);
    }
    g_Sign_Jig_Active = 0;
    g_Frame_Jig_Active = false;
    g_Sign_Jig_Rot = 0;
    g_Frame_Jig_Dir = 0;
}

}  // namespace
