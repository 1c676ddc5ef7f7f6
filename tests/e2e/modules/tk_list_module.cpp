// A test build of the plug-in with two commands more. KV_TK_LIST_TEST: recognition by title
// block, then one line per sheet found, until the title-block window lists them itself:
//   TK n | min x,min y max x,max y | A | B | C | D | E | F
// KV_TK_CATALOGUE_TEST: recognition, then the catalogue of the sheets dragged to its place.
#include "core/command_context.h"
#include "core/hidden_layers.h"
#include "ed/command_stack.h"
#include "ed/editor.h"
#include "plot/point_jigs.h"
#include "titleblock/tk_catalogue.h"
#include "titleblock/tk_find_sheets.h"
#include "titleblock/tk_library.h"

namespace {

const wchar_t* const Test_Group = L"KV_TK_TEST";

void List_TK_Sheets()
{
    Command_Scope scope;
    g_Hidden_Layers.Collect_Hidden_Layers();
    TK_Sheet_List list;
    if (!Find_TK_Sheets(list))
        return;
    for (INT_PTR i = 0; i < list.Sheets.GetSize(); ++i) {
        const Plot_Drawing2& sheet = *list.Sheets[i];
        zcutPrintf(L"\nTK %d | %g,%g %g,%g", sheet.Seq_No, sheet.Min_Corner.x, sheet.Min_Corner.y, sheet.Max_Corner.x,
                   sheet.Max_Corner.y);
        for (const CString& text : sheet.Text)
            zcutPrintf(L" | %s", text.GetString());
    }
}

void Draw_TK_Catalogue()
{
    Command_Scope scope;
    g_Hidden_Layers.Collect_Hidden_Layers();
    TK_Sheet_List list;
    if (!Find_TK_Sheets(list))
        return;
    ZcArray<double> widths;
    for (INT_PTR j = 0; j < g_TK_Library.Cat_Col_Widths.GetSize(); ++j) widths.append(g_TK_Library.Cat_Col_Widths[j]);
    ZcGePoint3d corner(0, 0, 0);
    if (Pick_Insert_Point(corner, Count_Catalogue_Rows(list), g_TK_Library.Cat_Row_Height, widths))
        Draw_Catalogue(list, corner);
}

// Registered when the module is loaded, removed when it goes.
struct Test_Command {
    Test_Command()
    {
        zcedRegCmds->addCommand(Test_Group, L"KV_TK_LIST_TEST", L"KV_TK_LIST_TEST", 0, List_TK_Sheets);
        zcedRegCmds->addCommand(Test_Group, L"KV_TK_CATALOGUE_TEST", L"KV_TK_CATALOGUE_TEST", 0, Draw_TK_Catalogue);
    }
    ~Test_Command() { zcedRegCmds->removeGroup(Test_Group); }
} test_command;

}  // namespace
