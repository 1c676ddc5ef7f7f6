#include "ui/dlg_about.h"

#include "core/monitor_fit.h"
#include "core/version_stamp.h"
#include "res/resource.h"
#include "ui/module_resources.h"

BEGIN_MESSAGE_MAP(Dlg_About, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CString Format_Version_Line(int32_t stamp)
{
    CString line;
    line.Format(L"Korvel打印 %04d.%02d.%02d", stamp / 10000, stamp / 100 % 100, stamp % 100);
    return line;
}

Dlg_About::Dlg_About(CWnd* parent)
    : CDialog(IDD_DLG_ABOUT, parent), Version_Text(Format_Version_Line(Program_Version_Stamp))
{
}

Dlg_About::~Dlg_About() = default;

void Dlg_About::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Text(exchange, IDC_VERSION_TEXT, Version_Text);
}

BOOL Dlg_About::OnInitDialog()
{
    CDialog::OnInitDialog();
    HICON icon = static_cast<HICON>(
        LoadImage(Module_Resources(), MAKEINTRESOURCEW(IDI_KORVEL), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR | LR_SHARED));
    if (icon != nullptr) SetIcon(icon, FALSE);

    Background.CreateSolidBrush(Background_Color);

    Close_Button.SubclassDlgItem(IDCANCEL, this);
    Close_Button.Set_Icon(IDI_CLOSE_HOVER, IDI_CLOSE_IDLE, 32);
    Close_Button.Set_Cursor(IDR_HAND_CURSOR);
    Close_Button.Set_Hover_Text_Color(RGB(255, 0, 0), 0);
    Close_Button.Set_Idle_Fill_Color(Background_Color, 0);
    Close_Button.Set_Hover_Fill_Color(Hover_Fill_Color, 0);

    // Onto the cursor's monitor, as every dialog of the module opens.
    CRect window_rect;
    GetWindowRect(&window_rect);
    const int width = window_rect.Width(), height = window_rect.Height();
    Fit_Rect_To_Monitor(window_rect.left, window_rect.top, window_rect.right, window_rect.bottom);
    MoveWindow(window_rect.left, window_rect.top, width, height, TRUE);

    Logo.SubclassDlgItem(IDC_LOGO, this);
    Logo.Set_Bitmap(IDB_LOGO);
    return TRUE;
}

void Dlg_About::OnCancel() { CDialog::OnCancel(); }

HBRUSH Dlg_About::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    dc->SetTextColor(RGB(0, 0, 0));
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(Background.GetSafeHandle());
}
