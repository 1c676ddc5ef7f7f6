#include "ui/small_value_dialogs_frame.h"

#include "core/monitor_fit.h"
#include "mfc/afxdc.h"
#include "res/resource.h"
#include "ui/module_resources.h"

void Set_Module_Icon(CWnd* dialog)
{
    HICON icon = static_cast<HICON>(
        LoadImage(Module_Resources(), MAKEINTRESOURCEW(IDI_KORVEL), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR | LR_SHARED));
    if (icon != nullptr) dialog->SetIcon(icon, FALSE);
}

void Place_At_Cursor(CWnd* dialog)
{
    CRect rect;
    dialog->GetWindowRect(&rect);
    const int width = rect.Width(), height = rect.Height();
    POINT cursor{};
    GetCursorPos(&cursor);
    LONG left = cursor.x - width / 2, top = cursor.y - height / 2;
    LONG right = left + width, bottom = top + height;
    Fit_Rect_To_Monitor(left, top, right, bottom);
    dialog->MoveWindow(left, top, width, height, TRUE);
}

void Setup_Picture_Button(CWnd* dialog, Pic_Button& button, int id, int hover_icon, int idle_icon, int size)
{
    button.SubclassDlgItem(id, dialog);
    button.Set_Icon(hover_icon, idle_icon, size);
    button.Set_Cursor(IDR_HAND_CURSOR);
    button.Set_Hover_Text_Color(RGB(255, 0, 0), 0);
}

void Setup_Ok_Cancel(CWnd* dialog, Pic_Button& ok, Pic_Button& cancel)
{
    if (dialog->GetDlgItem(IDOK) != nullptr) Setup_Picture_Button(dialog, ok, IDOK, IDI_OK_HOVER, IDI_OK_IDLE, 32);
    if (dialog->GetDlgItem(IDCANCEL) != nullptr)
        Setup_Picture_Button(dialog, cancel, IDCANCEL, IDI_CANCEL_HOVER, IDI_CANCEL_IDLE, 32);
}

void Setup_Close_Button(CWnd* dialog, Pic_Button& close)
{
    close.SubclassDlgItem(IDOK, dialog);
    close.Set_Icon(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, 32);
    close.Set_Cursor(IDR_HAND_CURSOR);
}

void Start_Value_Dialog(CWnd* dialog, Pic_Button& ok, Pic_Button& cancel)
{
    Set_Module_Icon(dialog);
    Place_At_Cursor(dialog);
    Setup_Ok_Cancel(dialog, ok, cancel);
}

void Refuse_Field(CWnd* dialog, const wchar_t* message, int edit_id, int chars)
{
    dialog->MessageBox(message, L"Korvel", MB_ICONINFORMATION);
    CEdit* edit = static_cast<CEdit*>(dialog->GetDlgItem(edit_id));
    if (edit == nullptr) return;
    edit->SetFocus();
    edit->SetSel(0, chars, FALSE);
}
