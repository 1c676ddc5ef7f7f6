// CDialog: dialogs built from templates of the resource script, modal and modeless.
#include <algorithm>

#include "mfc/afxdc.h"
#include "mfc/afxdll.h"
#include "mfc/afxwin.h"
#include "mfc/control_state.h"
#include "mfc/dialog_steps.h"
#include "mfc/rc/resource_script.h"

using namespace platform;

namespace {

int Scale(int value, int numerator, int denominator) {
    const long long v = static_cast<long long>(value) * numerator;
    return static_cast<int>(v >= 0 ? (v + denominator / 2) / denominator : -((-v + denominator / 2) / denominator));
}

HFONT Template_Font(const rc::Dialog& t) {
    if (t.font_face.empty()) return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return CreateFontW(-Scale(t.font_size, 96, 72), 0, 0, 0, t.font_weight ? t.font_weight : FW_NORMAL,
                       t.font_italic, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, t.font_face.c_str());
}

// The image of an ICON or picture static of a template.
void Set_Control_Image(Window* c, const rc::Control& t) {
    const DWORD type = c->style & SS_TYPEMASK;
    if (c->class_name != L"Static" || (type != SS_ICON && type != SS_BITMAP)) return;
    LPCWSTR name = t.text_id ? MAKEINTRESOURCEW(t.text_id) : t.text.c_str();
    if (t.text_id == 0 && t.text.empty()) return;
    HANDLE image = type == SS_ICON ? reinterpret_cast<HANDLE>(LoadIconW(AfxGetResourceHandle(), name))
                                   : reinterpret_cast<HANDLE>(LoadBitmapW(AfxGetResourceHandle(), name));
    if (image) Send(c, STM_SETIMAGE, type == SS_ICON ? IMAGE_ICON : IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
}

}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {
    if (IS_INTRESOURCE(lpszTemplateName)) m_nIDTemplate = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    else m_lpszTemplateName = lpszTemplateName;
}

CDialog::~CDialog() {
    if (m_hWnd && Find_Window(m_hWnd)) ::DestroyWindow(m_hWnd);
}

bool CDialog::Build_From_Template(CWnd* parent, bool modal) {
    const rc::Dialog* t = m_lpszTemplateName ? Find_Dialog_Template(nullptr, std::wstring(m_lpszTemplateName))
                                             : Find_Dialog_Template(nullptr, m_nIDTemplate);
    if (!t || m_hWnd) return false;
    HFONT font = Template_Font(*t);
    const SIZE base = Font_Base_Units(font);
    DWORD template_style = t->style;
    if (m_bAsChild) template_style = (template_style & ~(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU)) | WS_CHILD;
    const bool child = (template_style & WS_CHILD) != 0;
    Window* owner = parent ? Find_Window(parent->m_hWnd) : nullptr;
    if (!owner && !child) owner = Find_Window(Host_Main_Window());
    if (child && !owner) return false;

    const int width = Scale(t->cx, base.cx, 4), height = Scale(t->cy, base.cy, 8);
    const RECT frame = Frame_Insets(template_style, t->ex_style);
    RECT r{Scale(t->x, base.cx, 4), Scale(t->y, base.cy, 8), 0, 0};
    if (!child && owner && !(t->style & DS_ABSALIGN)) {
        POINT origin{0, 0};
        ::ClientToScreen(owner->handle(), &origin);
        r.left += origin.x, r.top += origin.y;
    }
    r.right = r.left + width + (child ? 0 : frame.left + frame.right);
    r.bottom = r.top + height + (child ? 0 : frame.top + frame.bottom);
    const DWORD style = template_style & ~WS_VISIBLE;
    Window* dialog = Create_Window(t->ex_style, L"#32770", t->caption, style, r, owner, 0, this, nullptr);
    if (!dialog) return false;
    dialog->template_id = t->id;
    dialog->font = font;
    if (!child && (t->style & (DS_CENTER | DS_CENTERMOUSE))) {
        if (t->style & DS_CENTERMOUSE) {
            POINT cursor{};
            GetCursorPos(&cursor);
            ::SetWindowPos(m_hWnd, nullptr, cursor.x - (r.right - r.left) / 2, cursor.y - (r.bottom - r.top) / 2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
        } else {
            CenterWindow();
        }
    }
    HWND first_tab = nullptr;
    for (const rc::Control& c : t->controls) {
        RECT cr{Scale(c.x, base.cx, 4), Scale(c.y, base.cy, 8), 0, 0};
        cr.right = cr.left + Scale(c.cx, base.cx, 4);
        cr.bottom = cr.top + Scale(c.cy, base.cy, 8);
        if (c.class_name == L"ComboBox" && (c.style & 3) != CBS_SIMPLE)
            cr.bottom = cr.top + std::min<LONG>(cr.bottom - cr.top, Measure_Text(font, L"Ag").cy + 8);
        const std::wstring text = c.text_id ? std::wstring() : c.text;
        Window* control = Create_Window(c.ex_style, c.class_name, text, c.style & ~WS_VISIBLE, cr, dialog, c.id, nullptr, nullptr);
        if (!control) {
            if (t->style & DS_NOFAILCREATE) continue;
            ::DestroyWindow(dialog->handle());
            return false;
        }
        control->font = font;
        Send(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        Set_Control_Image(control, c);
        if (c.style & WS_VISIBLE) ::ShowWindow(control->handle(), SW_SHOWNA);
        if (!first_tab && (c.style & WS_TABSTOP) && !(c.style & WS_DISABLED)) first_tab = control->handle();
        if (c.class_name == L"Button" && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) Send(dialog, DM_SETDEFID, c.id, 0);
    }
    Send(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    if (!Find_Window(dialog->handle())) return false;
    const LRESULT focus = SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first_tab), 0);
    if (!Find_Window(dialog->handle())) return false;
    if (focus && first_tab && ::IsWindow(first_tab)) ::SetFocus(first_tab);
    if (modal || (template_style & WS_VISIBLE)) ShowWindow(SW_SHOW);
    return true;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog();
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CDialog::OnInitDialog() {
    if (!UpdateData(FALSE)) return FALSE;
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_nIDTemplate = nIDTemplate;
    m_lpszTemplateName = nullptr;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    return Build_From_Template(m_pParentWnd, false);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    if (IS_INTRESOURCE(lpszTemplateName))
        return Create(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName)), pParentWnd);
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    return Build_From_Template(m_pParentWnd, false);
}

BOOL CDialog::Create_Child(UINT nIDTemplate, CWnd* pParentWnd) {
    m_bAsChild = true;
    const BOOL ok = Create(nIDTemplate, pParentWnd);
    m_bAsChild = false;
    return ok;
}

INT_PTR CDialog::DoModal() {
    m_nModalResult = -1;
    m_bModalEnded = false;
    if (!Build_From_Template(m_pParentWnd, true)) {
        if (m_hWnd && Find_Window(m_hWnd)) ::DestroyWindow(m_hWnd);
        return -1;
    }
    Window* window = Find_Window(m_hWnd);
    if (!window || m_bModalEnded) {
        if (window) ::DestroyWindow(m_hWnd);
        return m_nModalResult;
    }
    Modal_Stack().push_back(window);
    m_bModalRunning = true;
    // The dialog goes whether its loop ends normally or by an unanswered input.
    struct End_Modal {
        CDialog* dialog;
        Window* window;
        ~End_Modal() {
            auto& stack = Modal_Stack();
            stack.erase(std::remove(stack.begin(), stack.end(), window), stack.end());
            dialog->m_bModalRunning = false;
            if (dialog->m_hWnd && Find_Window(dialog->m_hWnd)) ::DestroyWindow(dialog->m_hWnd);
        }
    } end_modal{this, window};
    Run_Modal_Loop(window, m_bModalEnded, [this] { EndDialog(IDCANCEL); });
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bModalEnded = true;
    if (!m_bModalRunning && m_hWnd) ::ShowWindow(m_hWnd, SW_HIDE);
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) { return CWnd::OnCommand(wParam, lParam); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return CWnd::PreTranslateMessage(pMsg); }

void CDialog::SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID, 0); }
DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID, 0, 0)); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (!pWndCtrl) return;
    pWndCtrl->SetFocus();
    if (Window* w = Find_Window(pWndCtrl->m_hWnd); w && w->class_name == L"Edit") pWndCtrl->SendMessage(EM_SETSEL, 0, -1);
}

void CDialog::NextDlgCtrl() const {
    if (CWnd* next = GetNextDlgTabItem(CWnd::GetFocus(), FALSE)) next->SetFocus();
}

void CDialog::PrevDlgCtrl() const {
    if (CWnd* prev = GetNextDlgTabItem(CWnd::GetFocus(), TRUE)) prev->SetFocus();
}

BOOL EndDialog(HWND hDlg, INT_PTR nResult) {
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hDlg));
    if (!dialog) return FALSE;
    dialog->EndDialog(static_cast<int>(nResult));
    return TRUE;
}
