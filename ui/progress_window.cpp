#include "ui/progress_window.h"

#include "core/monitor_fit.h"
#include "res/resource.h"
#include "ui/module_resources.h"

Dlg_Progress* g_Dlg_Progress = nullptr;

BEGIN_MESSAGE_MAP(Dlg_Progress, CDialog)
END_MESSAGE_MAP()

void Dlg_Progress::DoDataExchange(CDataExchange* exchange)
{
    CDialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_PROGRESS_BAR, Bar);
}

BOOL Dlg_Progress::OnInitDialog()
{
    CDialog::OnInitDialog();
    HICON icon = static_cast<HICON>(
        LoadImage(Module_Resources(), MAKEINTRESOURCEW(IDI_KORVEL), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR | LR_SHARED));
    if (icon != nullptr) SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    CRect window_rect;
    GetWindowRect(&window_rect);
    const LONG width = window_rect.Width(), height = window_rect.Height();
    POINT cursor{};
    GetCursorPos(&cursor);
    LONG left = cursor.x - width / 2, top = cursor.y - height / 2;
    LONG right = left + width, bottom = top + height;
    Fit_Rect_To_Monitor(left, top, right, bottom);
    MoveWindow(left, top, width, height, TRUE);

    Bar.Set_Font_From_Item(this, IDC_FONT_SOURCE);
    return TRUE;
}

void Dlg_Progress::StepIt() { Bar.StepIt(); }

void Dlg_Progress::SetPos(int position) { Bar.SetPos(position); }

void Dlg_Progress::SetRange(int lower, int upper)
{
    Bar.SetRange(lower, upper);
    Bar.SetPos(0);
}

void Progress_Show_Range(const wchar_t* title, int maximum, int counter_mode)
{
    Progress_Close();
    Module_Resource_Scope resources;
    g_Dlg_Progress = new Dlg_Progress;
    if (!g_Dlg_Progress->Create(IDD_DLG_PROGRESS, AfxGetMainWnd())) {
        delete g_Dlg_Progress;
        g_Dlg_Progress = nullptr;
        return;
    }
    g_Dlg_Progress->ShowWindow(SW_SHOW);
    g_Dlg_Progress->Bar.Counter_Mode = counter_mode;
    g_Dlg_Progress->SetWindowText(title);
    g_Dlg_Progress->SetRange(0, maximum);
    g_Dlg_Progress->SetPos(0);
}

void Progress_Step()
{
    if (g_Dlg_Progress == nullptr) return;
    Do_Events();
    // A handler run by the pump may have closed the window.
    if (g_Dlg_Progress != nullptr) g_Dlg_Progress->StepIt();
}

void Progress_Close()
{
    if (g_Dlg_Progress == nullptr) return;
    Dlg_Progress* window = g_Dlg_Progress;
    g_Dlg_Progress = nullptr;
    window->DestroyWindow();
    delete window;
}

int Do_Events()
{
    MSG message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessage(&message);
    }
    return 0;
}
