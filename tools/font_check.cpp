// The font check command: the text styles' font files, missing ones repaired in Dlg_Font.
#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/host_command.h"
#include "db/dbsymtb.h"
#include "ed/host_window.h"
#include "tools/dlg_font.h"
#include "tools/font_styles.h"
#include "ui/module_resources.h"
#include "win/windows.h"

namespace {

bool Row_Changed(const Text_Style* row)
{
    return row->Standard_File.CompareNoCase(row->Stored_Standard_File) != 0 ||
           row->Big_File.CompareNoCase(row->Stored_Big_File) != 0;
}

// A TrueType style keeps its face description; the standard file goes in as its font
// file, and a chosen SHX file takes the face's place, so that the style uses it.
void Write_Row_Fonts(const Text_Style* row)
{
    ZcDbObjectPointer<ZcDbTextStyleTableRecord> style(row->Style_Id, ZcDb::kForWrite);
    if (style.openStatus() != Zcad::eOk)
        return;
    style->setFileName(row->Standard_File.GetString());
    style->setBigFontFileName(row->Big_File.GetString());
    if (row->Typeface.IsEmpty()) {
        wchar_t* typeface = nullptr;
        bool bold = false, italic = false;
        int charset = 0, pitch = 0;
        if (style->font(typeface, bold, italic, charset, pitch) == Zcad::eOk && typeface != nullptr && *typeface != 0)
            style->setFont(L"", bold, italic, charset, pitch);
        delete[] typeface;
    }
}

}  // namespace

void Check_Font_Files()
{
    Command_Scope scope;
    CStringArray names, standard_files, big_files, typefaces;
    ZcDbObjectIdArray ids;
    Collect_Text_Styles(names, standard_files, big_files, typefaces, ids);

    Module_Resource_Scope resources;
    Dlg_Font dialog(AfxGetMainWnd());
    dialog.Inventory.Load();
    for (int i = 0; i < names.GetSize(); ++i) {
        Text_Style* row = new Text_Style;
        row->Style_Name = names[i];
        row->Style_Id = ids[i];
        row->Standard_File = row->Stored_Standard_File = standard_files[i];
        row->Big_File = row->Stored_Big_File = big_files[i];
        row->Typeface = typefaces[i];
        row->Standard_Missing = !Is_Font_Present(dialog.Inventory, standard_files[i]);
        row->Big_Missing = !Is_Font_Present(dialog.Inventory, big_files[i]);
        row->Any_Missing = row->Standard_Missing || row->Big_Missing;
        dialog.All_Rows.Add(row);
    }
    Sort_Text_Styles(dialog.All_Rows, 1, true);
    for (int i = 0; i < dialog.All_Rows.GetSize(); ++i) {
        Text_Style* row = dialog.All_Rows[i];
        row->Standard_File.MakeLower();
        row->Big_File.MakeLower();
        if (row->Any_Missing)
            dialog.Missing_Rows.Add(row);
    }
    if (dialog.Missing_Rows.GetSize() == 0 &&
        MessageBoxW(adsw_zcadMainWnd(), L"无字体文件缺失 !\n\n是否继续查看所有的字体样式 ?", L"字体文件检查",
                    MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    if (dialog.DoModal() != IDOK)
        return;
    bool changed = false;
    for (int i = 0; i < dialog.All_Rows.GetSize(); ++i)
        if (Row_Changed(dialog.All_Rows[i])) {
            Write_Row_Fonts(dialog.All_Rows[i]);
            changed = true;
        }
    if (changed && dialog.Regen)
        Run_Host_Command({L"_REGEN"});
}
