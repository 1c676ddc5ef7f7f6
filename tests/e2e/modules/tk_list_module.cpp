// A test build of the plug-in with one command more, KV_TK_LIST_TEST: recognition by title
// block, then one line per sheet found, until the title-block window lists them itself:
//   TK n | min x,min y max x,max y | A | B | C | D | E | F
#include "core/command_context.h"
#include "core/hidden_layers.h"
#include "ed/command_stack.h"
#include "ed/editor.h"
#include "titleblock/tk_find_sheets.h"

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

// Registered when the module is loaded, removed when it goes.
struct Test_Command {
    Test_Command() { zcedRegCmds->addCommand(Test_Group, L"KV_TK_LIST_TEST", L"KV_TK_LIST_TEST", 0, List_TK_Sheets); }
    ~Test_Command() { zcedRegCmds->removeGroup(Test_Group); }
} test_command;

}  // namespace
