// Message-map dispatch: CWnd::WindowProc, OnWndMsg, commands, notifications and reflection.
#include <vector>

#include "mfc/afxdc.h"
#include "mfc/afxwin.h"
#include "mfc/window_table.h"

namespace {

thread_local std::vector<MSG> g_current;

struct Current_Message {
    Current_Message(HWND h, UINT m, WPARAM w, LPARAM l) {
        MSG msg{};
        msg.hwnd = h, msg.message = m, msg.wParam = w, msg.lParam = l;
        g_current.push_back(msg);
    }
    ~Current_Message() { g_current.pop_back(); }
};

CWnd* Wnd(WPARAM w) { return CWnd::FromHandle(reinterpret_cast<HWND>(w)); }
CWnd* WndL(LPARAM l) { return CWnd::FromHandle(reinterpret_cast<HWND>(l)); }

bool Is_Ctl_Color(UINT m) { return m >= WM_CTLCOLORMSGBOX && m <= WM_CTLCOLORSTATIC; }

// Calls one entry's handler with the message's unpacked arguments.
LRESULT Call(CWnd* self, const AFX_MSGMAP_ENTRY* e, UINT message, WPARAM wParam, LPARAM lParam) {
    CCmdTarget* t = self;
    const AFX_PMSG pfn = e->pfn;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
    switch (e->nSig) {
    case AfxSig_vv:
    case AfxSig_vv_reflect: (t->*pfn)(); return 0;
    case AfxSig_is: return (self->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case AfxSig_bD:
        return (self->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    case AfxSig_hDWw:
        return reinterpret_cast<LRESULT>((self->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), WndL(lParam), message - WM_CTLCOLORMSGBOX));
    case AfxSig_hDw:
        return reinterpret_cast<LRESULT>((self->*reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX));
    case AfxSig_vOWNER:
        (self->*reinterpret_cast<void (CWnd::*)(int, LPARAM)>(pfn))(static_cast<int>(wParam), lParam);
        return message == WM_MEASUREITEM || message == WM_DRAWITEM ? TRUE : 0;
    case AfxSig_iis:
        return (self->*reinterpret_cast<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
    case AfxSig_vDRAW:
        (self->*reinterpret_cast<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    case AfxSig_vwp:
        (self->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), CPoint(lParam));
        return 0;
    case AfxSig_vwww:
        (self->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam),
                                                                          HIWORD(lParam));
        return 0;
    case AfxSig_vwii:
        (self->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam), (short)LOWORD(lParam),
                                                                        (short)HIWORD(lParam));
        return 0;
    case AfxSig_vii:
        (self->*reinterpret_cast<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
        return 0;
    case AfxSig_vbw:
        (self->*reinterpret_cast<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return 0;
    case AfxSig_vw:
        (self->*reinterpret_cast<void (CWnd::*)(UINT)>(pfn))(static_cast<UINT>(wParam));
        return 0;
    case AfxSig_bWww:
        return (self->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(Wnd(wParam), LOWORD(lParam), HIWORD(lParam));
    case AfxSig_vW:
        (self->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(message == WM_CAPTURECHANGED ? WndL(lParam) : Wnd(wParam));
        return 0;
    case AfxSig_vWp:
        (self->*reinterpret_cast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(Wnd(wParam), CPoint(lParam));
        return 0;
    case AfxSig_vwwx:
        (self->*reinterpret_cast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(WndL(lParam)));
        return 0;
    case AfxSig_vs:
        (self->*reinterpret_cast<void (CWnd::*)(HDROP)>(pfn))(reinterpret_cast<HDROP>(wParam));
        return 0;
    case AfxSig_vMINMAX:
        (self->*reinterpret_cast<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case AfxSig_lp: return (self->*reinterpret_cast<LRESULT (CWnd::*)(CPoint)>(pfn))(CPoint(lParam));
    case AfxSig_vMwb:
        (self->*reinterpret_cast<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_vwl:
        (self->*reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        return 0;
    case AfxSig_vwWb:
        (self->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), WndL(lParam), HIWORD(wParam));
        return 0;
    case AfxSig_bwsp:
        return (self->*reinterpret_cast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(LOWORD(wParam), (short)HIWORD(wParam),
                                                                                   CPoint(lParam));
    case AfxSig_vwpt:
        (self->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        return 0;
    case AfxSig_lwl: return (t->*reinterpret_cast<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
    case AfxSig_vwv: (t->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pfn))(static_cast<UINT>(wParam)); return 0;
    case AfxSig_bw: return (t->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(pfn))(static_cast<UINT>(wParam));
    default: return 0;
    }
#pragma GCC diagnostic pop
}

// The first entry of the class chain that takes the message (window messages only).
const AFX_MSGMAP_ENTRY* Find_Entry(const AFX_MSGMAP* map, UINT key, UINT message) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->nSig != AfxSig_end; ++e) {
            if (e->pRegistered) {
                if (*e->pRegistered == message && message != 0) return e;
                continue;
            }
            if (e->nMessage == key && e->nCode == 0 && e->nID == 0) return e;
        }
    }
    return nullptr;
}

}  // namespace

// ---- CCmdTarget / CWnd maps ----------------------------------------------------

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
END_MESSAGE_MAP()

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    Current_Message current(m_hWnd, message, wParam, lParam);
    LRESULT result = 0;
    const HWND self = m_hWnd;
    if (!OnWndMsg(message, wParam, lParam, &result) && self && platform::Find_Window(self))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    platform::Window* w = platform::Find_Window(m_hWnd);
    return w ? w->proc(w, message, wParam, lParam) : 0;
}

const MSG* CWnd::GetCurrentMessage() {
    static MSG empty{};
    return g_current.empty() ? &empty : &g_current.back();
}

LRESULT CWnd::Default() {
    const MSG* m = GetCurrentMessage();
    return DefWindowProc(m->message, m->wParam, m->lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        if (pResult) *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!header || !OnNotify(wParam, lParam, &result)) return FALSE;
        if (pResult) *pResult = result;
        return TRUE;
    }
    const UINT key = Is_Ctl_Color(message) ? static_cast<UINT>(WM_CTLCOLORSTATIC) : message;
    const AFX_MSGMAP_ENTRY* e = Find_Entry(GetMessageMap(), key, message);
    if (!e) return FALSE;
    result = Call(this, e, message, wParam, lParam);
    if (pResult) *pResult = result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (control && ReflectLastMsg(control)) return TRUE;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->nSig != AfxSig_end; ++e) {
            if (e->nMessage != WM_COMMAND || e->nCode != code || id < e->nID || id > e->nLastID) continue;
            if (e->nSig == AfxSig_bw) {
                if (Call(this, e, WM_COMMAND, id, 0)) return TRUE;
                continue;
            }
            Call(this, e, WM_COMMAND, id, 0);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom && ReflectLastMsg(header->hwndFrom, pResult)) return TRUE;
    const UINT id = static_cast<UINT>(header->idFrom);
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->nSig != AfxSig_end; ++e) {
            if (e->nMessage != WM_NOTIFY || e->nCode != header->code || id < e->nID || id > e->nLastID) continue;
            LRESULT result = 0;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
            if (e->nSig == AfxSig_bNMHDRpl) {
                auto pfn = reinterpret_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(e->pfn);
                if (!(static_cast<CCmdTarget*>(this)->*pfn)(id, header, &result)) continue;
            } else {
                auto pfn = reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn);
                (static_cast<CCmdTarget*>(this)->*pfn)(header, &result);
            }
#pragma GCC diagnostic pop
            if (pResult) *pResult = result;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* child = FromHandlePermanent(hWndChild);
    if (!child) return FALSE;
    const MSG* m = child->GetCurrentMessage();
    return child->OnChildNotify(m->message, m->wParam, m->lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    UINT key = 0, code = 0;
    if (message == WM_COMMAND) {
        key = WM_REFLECT_BASE + WM_COMMAND;
        code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        key = WM_REFLECT_BASE + WM_NOTIFY;
        code = reinterpret_cast<NMHDR*>(lParam)->code;
    } else if (message == WM_DRAWITEM) {
        key = WM_REFLECT_BASE + WM_DRAWITEM;
    } else if (Is_Ctl_Color(message)) {
        key = WM_REFLECT_BASE + WM_CTLCOLORSTATIC;
    } else {
        return FALSE;
    }
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->nSig != AfxSig_end; ++e) {
            if (e->nMessage != key || e->nCode != code) continue;
            if (e->nSig == AfxSig_vNMHDRpl_reflect) {
                LRESULT result = 0;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wcast-function-type"
                auto pfn = reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(e->pfn);
#pragma GCC diagnostic pop
                (static_cast<CCmdTarget*>(this)->*pfn)(reinterpret_cast<NMHDR*>(lParam), &result);
                if (pResult) *pResult = result;
                return TRUE;
            }
            const LRESULT result = Call(this, e, message, wParam, lParam);
            if (e->nSig == AfxSig_hDw && result == 0) return FALSE;
            if (pResult) *pResult = result;
            return TRUE;
        }
    }
    return FALSE;
}

// ---- default handlers: the window's own behaviour ---------------------------------

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnNcDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
    LRESULT result = 0;
    if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &result)) return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem)) return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT) {
    if (CWnd* child = GetDlgItem(nIDCtl); child && ReflectLastMsg(child->m_hWnd)) return;
    Default();
}

int CWnd::OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT) {
    LRESULT result = 0;
    if (CWnd* child = GetDlgItem(nIDCtl); child && ReflectLastMsg(child->m_hWnd, &result)) return static_cast<int>(result);
    return static_cast<int>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd)) return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
    if (pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd)) return;
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
