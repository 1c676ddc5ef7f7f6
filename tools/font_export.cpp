#include "tools/font_export.h"

#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/file_dialogs.h"
#include "core/program_folders.h"
#include "core/string_helpers.h"
#include "ed/host_window.h"
#include "tools/font_inventory.h"
#include "tools/font_styles.h"
#include "win/win_files.h"
#include "win/win_msgbox.h"
#include "win/win_shell.h"

CString g_Font_Export_Folder;

namespace {

void Append_Name_Lines(CString& text, const CStringArray& names)
{
    for (int i = 0; i < names.GetSize(); ++i)
        text += (i > 0 ? L"\n    " : L"    ") + names[i];
}

bool Choose_Export_Folder(CString& folder)
{
    const CString last = g_Last_Browse_Folder;
    g_Last_Browse_Folder = g_Font_Export_Folder;
    const bool chosen = Browse_Folder(nullptr, L"请选择放置字体文件的目录：", folder);
    if (chosen)
        g_Font_Export_Folder = folder;
    g_Last_Browse_Folder = last;
    return chosen;
}

}  // namespace

int Copy_Font_Files(const CStringArray& paths, const CString& target, CStringArray& failed)
{
    int written = 0;
    for (int i = 0; i < paths.GetSize(); ++i) {
        const CString& path = paths[i];
        const int slash = path.ReverseFind(L'\\');
        if (slash <= 0)
            continue;
        const CString copy = target + L"\\" + path.Mid(slash + 1);
        if (CopyFileW(path.GetString(), copy.GetString(), FALSE))
            ++written;
        else
            failed.Add(path);
    }
    return written;
}

CString Font_Export_Report(int written, const CStringArray& missing, const CStringArray& failed)
{
    const int found = written + int(failed.GetSize());
    CString text;
    if (missing.GetSize() > 0) {
        text.Format(L"当前图形共用到字体文件 %d 个：\n\n    其中缺失字体文件 %d 个，导出字体文件 %d 个 !\n\n缺失的字体文件如下：\n\n",
                    found + int(missing.GetSize()), int(missing.GetSize()), written);
        Append_Name_Lines(text, missing);
    } else {
        text.Format(L"共计导出 %d 个字体文件 !", written);
    }
    if (failed.GetSize() > 0) {
        CString head;
        head.Format(L"\n\n复制失败的字体文件 %d 个：\n\n", int(failed.GetSize()));
        text += head;
        Append_Name_Lines(text, failed);
    }
    return text;
}

void Export_Font_Files()
{
    Command_Scope scope;
    CStringArray names, standard_files, big_files, typefaces;
    ZcDbObjectIdArray ids;
    Collect_Text_Styles(names, standard_files, big_files, typefaces, ids);

    CStringArray needed;
    for (const CStringArray* files : {&standard_files, &big_files})
        for (int i = 0; i < files->GetSize(); ++i)
            if (!(*files)[i].IsEmpty() && Find_String_NoCase(needed, (*files)[i]) < 0)
                needed.Add((*files)[i]);

    Font_Inventory inventory;
    inventory.Load();
    CStringArray found, missing;
    for (int i = 0; i < needed.GetSize(); ++i) {
        if (const TTF_SHX* entry = inventory.Find(needed[i]))
            found.Add(entry->Path);
        else
            missing.Add(needed[i]);
    }
    Remove_Duplicate_Strings(found);

    CString folder;
    if (!Choose_Export_Folder(folder))
        return;
    Trim_Backslash(folder);
    CString target;
    target.Format(L"%s\\Fonts", folder.GetString());
    CreateDirectoryW(target.GetString(), nullptr);
    CStringArray failed;
    const int written = Copy_Font_Files(found, target, failed);
    MessageBoxW(adsw_zcadMainWnd(), Font_Export_Report(written, missing, failed).GetString(), L"字体文件导出",
                MB_OK | MB_ICONINFORMATION);
    ShellExecuteW(nullptr, L"open", target.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
}
