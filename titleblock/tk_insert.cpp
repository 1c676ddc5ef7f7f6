#include "titleblock/tk_insert.h"

#include "core/command_context.h"
#include "core/file_operations.h"
#include "core/follow_up.h"
#include "core/hidden_layers.h"
#include "core/host_adapter.h"
#include "core/plot_config.h"
#include "core/selection_helpers.h"
#include "core/ucs_transform.h"
#include "ed/command_line.h"
#include "mfc/afxwin.h"
#include "titleblock/tk_block_file.h"
#include "titleblock/tk_outline.h"
#include "ui/dlg_options.h"
#include "ui/module_resources.h"

bool g_TK_Insert_Guard = false;

namespace {

enum Picker_Item { Item_Settings = 0, Item_Pick_Frame = 1, First_Library_Item = 2 };

// The frame chosen in the picker: settings reopen it; false when the user cancelled.
bool Choose_Frame(const std::function<void()>& open_settings)
{
    for (;;) {
        Single_TK_Array drawings;
        List_TK_Drawings(g_Plot_Config.TK_Folder, drawings);
        int choice = -1;
        {
            Module_Resource_Scope resources;
            Dlg_Options picker(AfxGetMainWnd());
            picker.Title = L"选 择 图 框";
            picker.Item_Width = 200;
            picker.Items.Add(L"图  框  设  置");
            picker.Items.Add(L"当前图中选图框");
            for (INT_PTR i = 0; i < drawings.GetSize(); ++i)
                picker.Items.Add(Single_TK_Title(*drawings[i]));
            if (picker.DoModal() == IDOK)
                choice = picker.Choice;
        }
        if (choice >= First_Library_Item && choice - First_Library_Item < drawings.GetSize())
            g_TK_Insert.Dwg_Path = drawings[choice - First_Library_Item]->Full_Path;
        Clear_Single_TK_List(drawings);
        if (choice == Item_Settings) {
            open_settings();
            continue;
        }
        if (choice == Item_Pick_Frame)
            return Select_With_Prompt(L"\n选择图框：", g_TK_Insert.Picked_Ids, false, false);
        return !g_TK_Insert.Dwg_Path.IsEmpty();
    }
}

}  // namespace

bool Get_Dwg_File_Name(const CString& path, CString& name)
{
    const int slash = path.ReverseFind(L'\\');
    if (slash < 1)
        return false;
    name = path.Mid(slash + 1);
    CString upper = name, extension = Drawing_File_Extension;
    upper.MakeUpper();
    extension.MakeUpper();
    return !name.IsEmpty() && upper.Find(extension) >= 0;
}

void List_TK_Drawings(const CString& folder, Single_TK_Array& list)
{
    Clear_Single_TK_List(list);
    CStringArray files;
    List_Folder_Files(folder, files, false);
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        CString name;
        if (!Get_Dwg_File_Name(files[i], name) || !Has_TK_Block(files[i]))
            continue;
        auto* drawing = new Single_TK;
        drawing->Full_Path = files[i];
        drawing->File_Name = name;
        list.Add(drawing);
    }
}

void Clear_Single_TK_List(Single_TK_Array& list)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        delete list[i];
    list.RemoveAll();
}

CString Single_TK_Title(const Single_TK& drawing)
{
    return drawing.File_Name.Left(std::max(0, drawing.File_Name.GetLength() - 4));
}

void Insert_TK_Frames(const std::function<void()>& open_settings)
{
    if (g_TK_Insert_Guard) {
        g_TK_Insert_Guard = false;
        return;
    }
    Command_Scope scope;
    g_TK_Insert.Clear();
    g_Ucs.Capture(false);
    g_Hidden_Layers.Collect_Hidden_Layers();
    if (!Choose_Frame(open_settings))
        return;
    if (!Analyse_TK_Outline()) {
        zcutPrintf(L"\n未能获得图框的线框信息，退出 !");
        g_TK_Insert.Clear();
        return;
    }
    switch (g_Plot_Config.TK_Insert_Mode) {
    case 0:
        Insert_By_Centre();
        break;
    case 1:
        Insert_By_Corner();
        break;
    default:
        Insert_Around_Selection();
        break;
    }
    for (INT_PTR i = 0; i < g_TK_Insert.Attsync_Names.GetSize(); ++i) {
        CString text;
        text.Format(L"_ATTSYNC Name %s\n", g_TK_Insert.Attsync_Names[i].GetString());
        Queue_Command_Text(text);
    }
    Queue_Command_Text(L"KV_DivezUrez_22\n");
    g_TK_Insert_Guard = true;
}
