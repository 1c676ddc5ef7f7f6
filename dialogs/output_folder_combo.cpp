#include "dialogs/output_folder_combo.h"

#include <iterator>

void Output_Folder_Combo::Fill()
{
    if (GetCount() == 0)
        for (const wchar_t* entry : {L" 源文件路径", L" 源文件路径\\PDF", L" 其他路径"}) AddString(entry);
}

int Output_Folder_Combo::Name_Sub_Folder(int output_type)
{
    const wchar_t* const names[] = {L"PDF", L"DWF", L"JPG", L"PNG", L"PLT", L"SVG", L"DWG"};
    const int mode = GetCurSel();
    if (GetCount() > 1) {
        CString entry;
        entry.Format(L" 源文件路径\\%s", names[output_type >= 0 && output_type < static_cast<int>(std::size(names)) ? output_type : 0]);
        DeleteString(1);
        InsertString(1, entry);
        SetCurSel(mode);
    }
    return mode;
}
