#include "core/program_folders.h"

#include "core/host_profile.h"
#include "core/string_helpers.h"
#include "ed/host_window.h"
#include "ed/sysvars.h"
#include "win/windows.h"

CString g_Host_Folder = L"C:\\";
CString g_App_Folder = L"C:\\";
CString g_Config_Folder = L"C:\\";
CString g_Documents_Folder = L"C:\\";
CString g_Host_Version_Text;
double g_Host_Version = 0;
int32_t g_Host_Year = 2000;
CString g_Roaming_Root = L"C:\\";
CString g_Local_Root = L"C:\\";
CString g_Printer_Config_Folder = L"C:\\";
CString g_Printer_Desc_Folder = L"C:\\";
CString g_Plot_Style_Folder = L"C:\\";

namespace {

constexpr int Setting_Buffer_Size = 2600;

// The path up to its last backslash, upper case; unchanged when it has none.
void Set_Upper_Folder_Of(CString& folder, const CString& path)
{
    CString upper = path;
    upper.MakeUpper();
    const int slash = upper.ReverseFind(L'\\');
    if (slash >= 0)
        folder = upper.Left(slash);
}

// A printer folder setting: the host's environment setting, else the profile's registry
// value, with the root placeholders expanded.
CString Host_Folder_Setting(const wchar_t* setting, const CString& key, const wchar_t* value_name)
{
    wchar_t buffer[Setting_Buffer_Size] = {0};
    if (zcedGetEnv(setting, buffer, Setting_Buffer_Size) != RTNORM)
        buffer[0] = 0;
    CString folder = buffer;
    if (folder.IsEmpty())
        Read_Profile_Value(key, value_name, folder);
    Expand_Root_Placeholders(folder);
    return folder;
}

void Show_Printer_Folder_Message(const wchar_t* text)
{
    MessageBoxW(adsw_zcadMainWnd(), text, L"CAD设置错误提醒", MB_OK | MB_ICONINFORMATION);
}

CString Documents_Path()
{
    wchar_t shell_path[MAX_PATH] = {0};
    if (SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, shell_path) == S_OK &&
        shell_path[0] != 0) {
        wchar_t long_path[MAX_PATH] = {0};
        if (GetLongPathNameW(shell_path, long_path, MAX_PATH) > 0 && long_path[0] != 0)
            return long_path;
        return shell_path;
    }
    wchar_t profile[MAX_PATH] = {0};
    GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH);
    return profile;
}

}  // namespace

void Init_Program_Folders()
{
    wchar_t path[MAX_PATH] = {0};
    if (GetModuleFileNameW(nullptr, path, MAX_PATH) > 0)
        Set_Upper_Folder_Of(g_Host_Folder, path);
    Set_Upper_Folder_Of(g_App_Folder, zcedGetAppName());

    wchar_t app_data[MAX_PATH] = {0};
    GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH);
    g_Config_Folder.Format(L"%s\\Korvel", app_data);
    while (g_Config_Folder.Replace(L"\\\\", L"\\") > 0) {
    }
    CreateDirectoryW(g_Config_Folder.GetString(), nullptr);

    g_Documents_Folder = Documents_Path();
    Trim_Backslash(g_Documents_Folder);

    g_Host_Version_Text = Host_Var_Text(L"VerNum").Left(2);
    g_Host_Version = Str_To_Int(g_Host_Version_Text);
    g_Host_Year = static_cast<int32_t>(g_Host_Version + 2000);

    g_Roaming_Root = Host_Var_Text(L"ROAMABLEROOTPREFIX");
    Trim_Backslash(g_Roaming_Root);
    g_Local_Root = g_Roaming_Root;
    g_Local_Root.MakeUpper();
    g_Local_Root.Replace(L"\\ROAMING\\", L"\\LOCAL\\");

    Init_Host_Printer_Folders();
}

void Init_Host_Printer_Folders()
{
    const CString key = Host_Registry_Root_Key() + L"\\Profiles\\" + Host_Profile_Name() + L"\\Config";

    g_Printer_Config_Folder = Host_Folder_Setting(L"PrinterConfigDir", key, L"PLOTCONFIGPATH");
    if (!Keep_Existing_Paths(g_Printer_Config_Folder))
        Show_Printer_Folder_Message(L"CAD打印机文件路径无效 !");

    g_Printer_Desc_Folder = Host_Folder_Setting(L"PrinterDescDir", key, L"PLOTDESCRIPTIONPATH");
    if (g_Printer_Desc_Folder.IsEmpty()) {
        g_Printer_Desc_Folder = g_Printer_Config_Folder + L"\\PMP Files";
        Expand_Root_Placeholders(g_Printer_Desc_Folder);
    }
    // Created once its placeholders are expanded, so that no folder is made under a
    // placeholder's name.
    CreateDirectoryW(g_Printer_Desc_Folder.GetString(), nullptr);
    const CString described = g_Printer_Desc_Folder;
    if (!Keep_Existing_Paths(g_Printer_Desc_Folder)) {
        g_Printer_Desc_Folder = described;
        if (!Create_First_Path(g_Printer_Desc_Folder))
            Show_Printer_Folder_Message(L"CAD打印机配置文件路径无效 !");
    }

    g_Plot_Style_Folder = Host_Folder_Setting(L"PrinterStyleSheetDir", key, L"PLOTSTYLEPATH");
    if (!Keep_Existing_Paths(g_Plot_Style_Folder))
        Show_Printer_Folder_Message(L"CAD打印样式文件路径无效 !");
}

void Read_Profile_Value(const CString& key_path, const wchar_t* value_name, CString& text)
{
    text.Empty();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path.GetString(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    // 390 characters with the terminator; a longer value is refused rather than cut.
    wchar_t buffer[390] = {0};
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, value_name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size <= sizeof(buffer) &&
        RegQueryValueExW(key, value_name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size) ==
            ERROR_SUCCESS) {
        buffer[389] = 0;
        text = buffer;
    }
    RegCloseKey(key);
}

void Expand_Root_Placeholders(CString& path)
{
    path.MakeLower();
    path.Replace(L"%localrootfolder%\\", L"%localrootfolder%");
    path.Replace(L"%roamablerootfolder%\\", L"%roamablerootfolder%");
    path.Replace(L"%localrootfolder%", g_Local_Root + L"\\");
    path.Replace(L"%roamablerootfolder%", g_Roaming_Root + L"\\");
}

bool Keep_Existing_Paths(CString& list)
{
    CString kept;
    int start = 0;
    while (start >= 0) {
        CString entry = list.Tokenize(L";", start);
        if (start < 0)
            break;
        if (!entry.IsEmpty() && entry[entry.GetLength() - 1] == L'\\')
            entry.Truncate(entry.GetLength() - 1);
        if (entry.IsEmpty() || !PathFileExistsW(entry.GetString()))
            continue;
        if (!kept.IsEmpty())
            kept += L";";
        kept += entry;
    }
    list = kept;
    return !list.IsEmpty();
}

bool Create_First_Path(CString& list)
{
    const int semicolon = list.Find(L';');
    CString first = semicolon >= 0 ? list.Left(semicolon) : list;
    if (!first.IsEmpty() && first[first.GetLength() - 1] == L'\\')
        first.Truncate(first.GetLength() - 1);
    list = first;
    if (!list.IsEmpty())
        CreateDirectoryW(list.GetString(), nullptr);
    if (!list.IsEmpty() && PathFileExistsW(list.GetString()))
        return true;
    list.Empty();
    return false;
}

void Trim_Backslash(CString& path)
{
    if (path.GetLength() > 1 && path[path.GetLength() - 1] == L'\\')
        path.Truncate(path.GetLength() - 1);
}
