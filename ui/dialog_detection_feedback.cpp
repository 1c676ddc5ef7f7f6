#include "ui/dialog_detection_feedback.h"

#include "ed/host_window.h"
#include "ui/dlg_options.h"
#include "ui/module_resources.h"
#include "ui/progress_window.h"
#include "win/windows.h"

namespace {

constexpr int Percent_Counter = 1;
constexpr int Chooser_Item_Width = 120;

}  // namespace

void Dialog_Detection_Feedback::Progress_Begin(const wchar_t* title, int range)
{
    Progress_Show_Range(title, range, Percent_Counter);
}

void Dialog_Detection_Feedback::Progress_Step()
{
    ::Progress_Step();
}

void Dialog_Detection_Feedback::Progress_End()
{
    Progress_Close();
}

int Dialog_Detection_Feedback::Choose(const wchar_t* title, std::span<const wchar_t* const> items, int preselected)
{
    Module_Resource_Scope resources;
    Dlg_Options chooser(AfxGetMainWnd());
    chooser.Title = title;
    chooser.Item_Width = Chooser_Item_Width;
    chooser.Extra_Columns = 0;
    for (const wchar_t* item : items)
        chooser.Items.Add(item);
    chooser.Choice = preselected;
    if (chooser.DoModal() != IDOK)
        return -1;
    return chooser.Choice;
}

void Dialog_Detection_Feedback::Notice(const wchar_t* text)
{
    MessageBoxW(adsw_zcadMainWnd(), text, L"Korvel", MB_OK | MB_ICONINFORMATION);
}
