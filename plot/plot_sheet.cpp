#include "plot/plot_sheet.h"

#include "core/fresh_output.h"
#include "core/host_command.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "ed/host_window.h"
#include "plot/pdf_rotate.h"
#include "rx/zcadstrc.h"
#include "win/win_error.h"
#include "win/windows.h"

namespace {

constexpr int Max_Path_Length = 255;

CString Offset_Answer(const CString& offset)
{
    return offset.IsEmpty() ? CString(L"C") : offset;
}

// Rows 1..15 of every list: detailed configuration, layout, device and paper as prepared,
// then units, orientation, upside down, window as prepared, fit, offset, plot styles.
void Common_Rows(CStringArray& items, const wchar_t* units, const CString& orientation, const CString& offset)
{
    for (const wchar_t* item : {L"-plot", L"y", L"", L"", L"", units})
        items.Add(item);
    items.Add(orientation);
    for (const wchar_t* item : {L"N", L"W", L"", L"", L"F"})
        items.Add(item);
    items.Add(offset);
    for (const wchar_t* item : {L"Y", L"", L""})
        items.Add(item);
}

// The end of the paper lists: to a file with its name, or straight to the device.
void Paper_Ending(CStringArray& items, const CString& path)
{
    const Plot_Option* option = g_Cur_Plot_Option ? g_Cur_Plot_Option : &g_Dwg_Plot_Option;
    if (option->Plt_Output == 1) {
        items.Add(L"Y");
        items.Add(path);
        items.Add(L"N");
        items.Add(L"Y");
    } else {
        items.Add(L"N");
        items.Add(L"N");
        items.Add(L"Y");
    }
}

}  // namespace

int Answer_Plot_Model(const CString& path, const CString& offset)
{
    CStringArray items;
    Common_Rows(items, L"M", CString(), Offset_Answer(offset));
    for (const CString& item : {CString(L"A"), path, CString(L"N"), CString(L"Y")})
        items.Add(item);
    return Run_Host_Command(items);
}

int Answer_Plot_Layout(const CString& path, const CString& offset)
{
    CStringArray items;
    Common_Rows(items, L"M", CString(), Offset_Answer(offset));
    for (const CString& item : {CString(L"N"), CString(L"N"), CString(L"N"), path, CString(L"N"), CString(L"Y")})
        items.Add(item);
    return Run_Host_Command(items);
}

int Answer_Paper_Model(const CString& orientation, const CString& path)
{
    CStringArray items;
    Common_Rows(items, L"", orientation, L"C");
    items.Add(L"A");
    Paper_Ending(items, path);
    return Run_Host_Command(items);
}

int Answer_Paper_Layout(const CString& orientation, const CString& path)
{
    CStringArray items;
    Common_Rows(items, L"", orientation, L"C");
    for (const wchar_t* item : {L"N", L"N", L"N"})
        items.Add(item);
    Paper_Ending(items, path);
    return Run_Host_Command(items);
}

bool Plot_Into_File(const CString& path, const std::function<int(const CString&)>& run_answers)
{
    SetLastError(ERROR_SUCCESS);
    if (path.IsEmpty()) {
        if (run_answers(path) == RTNORM)
            return true;
        if (GetLastError() == ERROR_SUCCESS)
            SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    Fresh_Output output(path);
    const int result = run_answers(output.Path());
    const DWORD error = GetLastError();
    if (result != RTNORM || !output.Written()) {
        SetLastError(error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT);
        return false;
    }
    return output.Replace_Target();
}

bool Plot_Sheet_To_File(bool in_layout, const CString& path, int show_signatures, bool portrait,
                        const CString& offset, const CString&, const CString&, const CString&)
{
    if (path.GetLength() > Max_Path_Length) {
        CString text;
        text.Format(L"输出文件的文件名长度（路径+文件名）超过了限值，出错 !\n\n%s", path.GetString());
        MessageBoxW(adsw_zcadMainWnd(), text.GetString(), L"Korvel打印", MB_OK | MB_ICONINFORMATION);
    }
    g_Show_Signatures = show_signatures;
    g_Plot_Running = 1;
    // A failed host command or no new file is a failed plot, on every host and in every
    // space, so that the drivers retry it; the file of an earlier run stays until then.
    const bool done = Plot_Into_File(path, [&](const CString& file) {
        return in_layout ? Answer_Plot_Layout(file, offset) : Answer_Plot_Model(file, offset);
    });
    g_Show_Signatures = 1;
    g_Plot_Running = 0;
    if (!done)
        return false;

    const Plot_Option* option = g_Cur_Plot_Option ? g_Cur_Plot_Option : &g_Dwg_Plot_Option;
    const int orientation = g_Plot_Config.Pdf_Orientation;
    if (option->Output_Type == 0 && orientation > 0 &&
        ((portrait && orientation == 1) || (!portrait && orientation == 2)))
        Rotate_Pdf(path, g_Plot_Config.Pdf_Rotate_270 ? 270 : 90);
    return true;
}

bool Plot_Sheet_To_Paper(bool in_layout, const CString& path, int show_signatures, bool portrait)
{
    g_Show_Signatures = show_signatures;
    g_Plot_Running = 1;
    const CString orientation = portrait ? L"P" : L"L";
    const bool done = Plot_Into_File(path, [&](const CString& file) {
        return in_layout ? Answer_Paper_Layout(orientation, file) : Answer_Paper_Model(orientation, file);
    });
    const DWORD error = GetLastError();
    g_Show_Signatures = 1;
    g_Plot_Running = 0;
    SetLastError(error);
    return done;
}
