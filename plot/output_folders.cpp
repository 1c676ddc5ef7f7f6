#include "plot/output_folders.h"

#include "core/file_operations.h"
#include "core/name_lookups.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/sysvar_helpers.h"
#include "core/temp_folder.h"
#include "ed/docman.h"
#include "win/win_files.h"

namespace {

const wchar_t* const Type_Sub_Folders[] = {L"\\PDF", L"\\DWF", L"\\JPG", L"\\PNG", L"\\PLT", L"\\SVG", L"\\DWG"};
const wchar_t* const Type_Extensions[] = {L".pdf", L".dwf", L".jpg", L".png", L".plt", L".svg"};

bool File_Search_Finds(const CString& path)
{
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(path.GetString(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

}  // namespace

CString Get_Drawing_Folder()
{
    CString file_name;
    if (ZcApDocument* document = zcDocManager->curDocument())
        file_name = document->fileName();
    const int slash = file_name.ReverseFind(L'\\');
    if (slash >= 0)
        return file_name.Left(slash);
    wchar_t profile[260] = {};
    GetEnvironmentVariableW(L"USERPROFILE", profile, 260);
    profile[259] = 0;
    return CString(profile);
}

CString Get_Output_Folder(int folder_mode, int output_type, CString& custom_folder, const CString& base_folder)
{
    const CString base = base_folder.IsEmpty() ? Get_Drawing_Folder() : base_folder;
    if (folder_mode == 0)
        return base;
    if (folder_mode == 1) {
        if (output_type < 0 || output_type > 6)
            return base;
        return base + Type_Sub_Folders[output_type];
    }
    if (File_Search_Finds(custom_folder))
        return custom_folder;
    custom_folder = base;
    return custom_folder;
}

void Restore_FileDia()
{
    Set_Var_Int(L"FILEDIA", 1);
}

CString Output_Extension(int output_type)
{
    if (output_type < 0 || output_type > 5)
        return CString();
    return Type_Extensions[output_type];
}

bool Merging_Pdf(const Plot_Option& option)
{
    return option.Output_Type == 0 && g_Plot_Config.Merge_Pdf != 0;
}

CString Prepare_Batch_Folder(Plot_Option& option)
{
    CString folder;
    if (Merging_Pdf(option)) {
        folder = Get_Temp_Folder();
        CreateDirectoryW(folder.GetString(), nullptr);
        Delete_Folder_Files(folder);
        return folder;
    }
    folder = Get_Output_Folder(option.Folder_Mode, option.Output_Type, option.Folder, CString());
    CreateDirectoryW(folder.GetString(), nullptr);
    return folder;
}

CString Batch_Sheet_Path(const Plot_Option& option, const CString& folder, const CString& output_name, int position)
{
    CString path;
    if (Merging_Pdf(option))
        path.Format(L"%s\\%d", folder.GetString(), position);
    else
        path = folder + L"\\" + output_name;
    path += Output_Extension(option.Output_Type);
    return path;
}

CString Paper_Plt_Path(const Plot_Option& option, int job, int jobs)
{
    CString path;
    if (option.Plt_Output != 1)
        return path;
    if (jobs == 1)
        path.Format(L"%s\\%s.plt", option.Plt_Folder.GetString(), Get_Dwg_Title().GetString());
    else
        path.Format(L"%s\\%s_%d.plt", option.Plt_Folder.GetString(), Get_Dwg_Title().GetString(), job);
    return path;
}
