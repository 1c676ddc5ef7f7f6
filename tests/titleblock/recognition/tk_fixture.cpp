#include "tk_fixture.h"

#include "db/dblayout.h"
#include "ed/command_line.h"
#include "ed/docman.h"
#include "mfc/afxdll.h"
#include "mfc/afxwin.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "script/script_input.h"
#include "titleblock/tk_library.h"
#include "ui/progress_window.h"

namespace {

ZcDbExtents Cell(double x0, double y0, double x1, double y1)
{
    // Relative to the frame centre 210, 148.5.
    return ZcDbExtents(ZcGePoint3d(x0 - 210, y0 - 148.5, 0), ZcGePoint3d(x1 - 210, y1 - 148.5, 0));
}

}  // namespace

void TK_Drawing_Test::SetUp()
{
    Sheet_Drawing_Test::SetUp();
    std::string error;
    ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) << error;
    g_TK_Library.Clear();
    for (int& flag : g_TK_Library.Centre_Text)
        flag = 0;
}

void TK_Drawing_Test::TearDown()
{
    Delete_All_Objects(list.Sheets);
    g_TK_Library.Clear();
    for (int& flag : g_TK_Library.Centre_Text)
        flag = 0;
    Progress_Close();
    platform::Clear_Message_Queue();
    platform::Unregister_Resource_Script(AfxGetResourceHandle());
    Sheet_Drawing_Test::TearDown();
}

TK_Customization* TK_Drawing_Test::Make_Definition(const wchar_t* block_name, bool dynamic)
{
    auto* tk = new TK_Customization;
    tk->Block_Name = block_name;
    tk->Title = block_name;
    tk->Is_Dynamic = dynamic ? 1 : 0;
    tk->Paper.Long_Side = 420;
    tk->Paper.Short_Side = 297;
    tk->Frame_Ext = Cell(0, 0, 420, 297);
    tk->Range_A = Cell(330, 45, 415, 65);
    tk->Range_B = Cell(330, 25, 415, 45);
    tk->Range_C = Cell(240, 25, 330, 65);
    tk->Range_D = Cell(240, 5, 330, 25);
    tk->Range_E = Cell(330, 5, 415, 25);
    tk->Range_F = Cell(240, 65, 415, 80);
    tk->Stamp_Range_1 = Cell(30, 10, 90, 70);
    tk->Name_Rule = L"A_C";
    return tk;
}

void TK_Drawing_Test::Fill_Library()
{
    g_TK_Library.Records.Add(Make_Definition(L"tk_attr", false));
    g_TK_Library.Records.Add(Make_Definition(L"TK_LOOSE", false));
    g_TK_Library.Records.Add(Make_Definition(L"TK_PLAIN", false));
    g_TK_Library.Records.Add(Make_Definition(L"TK_DYN", true));
}

void TK_Drawing_Test::Open_Fixture()
{
    const std::string path = std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/title_blocks.dxf";
    ASSERT_EQ(zcDocManager->appContextOpenDocument(std::wstring(path.begin(), path.end()).c_str()), Zcad::eOk);
    g_Hidden_Layers.Collect_Hidden_Layers();
}

void TK_Drawing_Test::Script(const std::string& text) { platform::ScriptInput::instance().push_text(text); }

ZcDbObjectId TK_Drawing_Test::Space_Of_Layout(const wchar_t* name)
{
    ZcDbObjectId layout_id = zcdbHostApplicationServices()->layoutManager()->findLayoutNamed(name);
    ZcDbObjectPointer<ZcDbLayout> layout(layout_id, ZcDb::kForRead);
    return layout.openStatus() == Zcad::eOk ? layout->getBlockTableRecordId() : ZcDbObjectId::kNull;
}

std::wstring TK_Drawing_Test::Printed() { return platform::CommandLine::instance().text(); }
