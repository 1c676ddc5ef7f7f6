// Message maps: the table of a window class that routes messages, commands and
// notifications to its handlers. Each entry checks its handler's signature at compile
// time; the dispatcher (CWnd::OnWndMsg) calls it with the message's unpacked arguments.
#pragma once

#include "mfc/winuser.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

// Handler signatures.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSig_vv,        // void ()
    AfxSig_bv,        // BOOL ()  (ON_COMMAND_EX style)
    AfxSig_bw,        // BOOL (UINT id)
    AfxSig_vw,        // void (UINT)
    AfxSig_vwww,      // void (UINT, UINT, UINT)
    AfxSig_vwp,       // void (UINT, CPoint)
    AfxSig_vpt,       // void (CPoint)  (unused by standard entries)
    AfxSig_vwii,      // void (UINT, int, int)
    AfxSig_vii,       // void (int, int)
    AfxSig_vbw,       // void (BOOL, UINT)
    AfxSig_is,        // int (LPCREATESTRUCT)
    AfxSig_bD,        // BOOL (CDC*)
    AfxSig_hDWw,      // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_vOWNER,    // void (int, LPDRAWITEMSTRUCT / LPMEASUREITEMSTRUCT)
    AfxSig_iis,       // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_bWww,      // BOOL (CWnd*, UINT, UINT)   (WM_SETCURSOR)
    AfxSig_vW,        // void (CWnd*)
    AfxSig_vWp,       // void (CWnd*, CPoint)       (WM_CONTEXTMENU)
    AfxSig_vwwx,      // void (UINT, UINT, CScrollBar*)
    AfxSig_vs,        // void (HDROP)
    AfxSig_vMINMAX,   // void (MINMAXINFO*)
    AfxSig_lp,        // LRESULT (CPoint)           (WM_NCHITTEST)
    AfxSig_vMwb,      // void (CMenu*, UINT, BOOL)
    AfxSig_vwl,       // void (UINT, LPARAM)
    AfxSig_vwWb,      // void (UINT, CWnd*, BOOL)   (WM_ACTIVATE)
    AfxSig_bwsp,      // BOOL (UINT, short, CPoint) (WM_MOUSEWHEEL)
    AfxSig_vwpt,      // void (UINT_PTR)            (WM_TIMER)
    AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)   (ON_MESSAGE)
    AfxSig_vNMHDRpl,  // void (NMHDR*, LRESULT*)    (ON_NOTIFY)
    AfxSig_bNMHDRpl,  // BOOL (UINT, NMHDR*, LRESULT*) (ON_NOTIFY_EX)
    AfxSig_vDRAW,     // void (LPDRAWITEMSTRUCT)    (ON_WM_DRAWITEM_REFLECT)
    AfxSig_vNMHDRpl_reflect,  // void (NMHDR*, LRESULT*) (ON_NOTIFY_REFLECT)
    AfxSig_vv_reflect,        // void ()        (ON_CONTROL_REFLECT)
    AfxSig_vwv,       // void (UINT)                (ON_COMMAND_RANGE)
    AfxSig_hDw,       // HBRUSH (CDC*, UINT)        (ON_WM_CTLCOLOR_REFLECT)
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message (WM_COMMAND, WM_NOTIFY, or a registered id holder)
    UINT nCode;     // notification code or command-handler kind
    UINT nID;       // control id (first of a range)
    UINT nLastID;   // last control id of a range
    UINT_PTR nSig;  // AfxSig
    AFX_PMSG pfn;
    const UINT* pRegistered = nullptr;  // ON_REGISTERED_MESSAGE: the registered message's id
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Messages reflected to the control that sent them.
#define WM_REFLECT_BASE 0xBC00

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    const AFX_MSGMAP* GetMessageMap() const override;  \
                                                       \
private:

#define KORVEL_MSGMAP_PUSH _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define KORVEL_MSGMAP_POP _Pragma("GCC diagnostic pop")

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
    KORVEL_MSGMAP_PUSH                                                              \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                               \
        typedef theClass ThisClass;                                                 \
        typedef baseClass TheBaseClass;                                             \
        (void)sizeof(ThisClass);                                                    \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                      \
    {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0, nullptr}                             \
    }                                                                          \
    ;                                                                          \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                        \
    }                                                                          \
    KORVEL_MSGMAP_POP

#define KORVEL_PMSG(sig_type, fn) ((AFX_PMSG)(static_cast<sig_type>(fn)))

// Commands and control notifications.
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(id), AfxSig_vv, KORVEL_PMSG(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(idLast), AfxSig_vwv, KORVEL_PMSG(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, 0, (UINT)(id), (UINT)(id), AfxSig_bw, KORVEL_PMSG(BOOL (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                              \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_vv, \
     KORVEL_PMSG(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                    \
    {WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_vwv, \
     KORVEL_PMSG(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                     \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_vNMHDRpl, \
     KORVEL_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                           \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_bNMHDRpl, \
     KORVEL_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                  \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_bNMHDRpl, \
     KORVEL_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                        \
    {WM_NOTIFY, (UINT)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_bNMHDRpl, \
     KORVEL_PMSG(BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},

// Reflected notifications, handled by the control class itself.
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                        \
    {WM_REFLECT_BASE + WM_NOTIFY, (UINT)(wNotifyCode), 0, 0, AfxSig_vNMHDRpl_reflect, \
     KORVEL_PMSG(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                   \
    {WM_REFLECT_BASE + WM_COMMAND, (UINT)(wNotifyCode), 0, 0, AfxSig_vv_reflect, \
     KORVEL_PMSG(void (CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_WM_DRAWITEM_REFLECT()                                  \
    {WM_REFLECT_BASE + WM_DRAWITEM, 0, 0, 0, AfxSig_vDRAW,     \
     KORVEL_PMSG(void (CCmdTarget::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem)},
#define ON_WM_CTLCOLOR_REFLECT()                                    \
    {WM_REFLECT_BASE + WM_CTLCOLORSTATIC, 0, 0, 0, AfxSig_hDw, \
     KORVEL_PMSG(HBRUSH (CCmdTarget::*)(CDC*, UINT), &ThisClass::CtlColor)},

// User and registered messages.
#define ON_MESSAGE(message, memberFxn)                               \
    {(UINT)(message), 0, 0, 0, AfxSig_lwl,                        \
     KORVEL_PMSG(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                        \
    {0xC000, 0, 0, 0, AfxSig_lwl,                                              \
     KORVEL_PMSG(LRESULT (CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn), \
     &nMessageVariable},

// Window messages.
#define KORVEL_ON_WM(msg, sig, type, fn) {(UINT)(msg), 0, 0, 0, sig, KORVEL_PMSG(type, &ThisClass::fn)},
#define ON_WM_CREATE() KORVEL_ON_WM(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() KORVEL_ON_WM(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() KORVEL_ON_WM(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CLOSE() KORVEL_ON_WM(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_PAINT() KORVEL_ON_WM(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_ERASEBKGND() KORVEL_ON_WM(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_CTLCOLOR() KORVEL_ON_WM(WM_CTLCOLORSTATIC, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM() KORVEL_ON_WM(WM_DRAWITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() \
    KORVEL_ON_WM(WM_MEASUREITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_COMPAREITEM() \
    KORVEL_ON_WM(WM_COMPAREITEM, AfxSig_iis, int (CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_MOUSEMOVE() KORVEL_ON_WM(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_LBUTTONDOWN() KORVEL_ON_WM(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() KORVEL_ON_WM(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() KORVEL_ON_WM(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() KORVEL_ON_WM(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() KORVEL_ON_WM(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() KORVEL_ON_WM(WM_RBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MOUSEHOVER() KORVEL_ON_WM(WM_MOUSEHOVER, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseHover)
#define ON_WM_MOUSELEAVE() KORVEL_ON_WM(WM_MOUSELEAVE, AfxSig_vv, void (CWnd::*)(), OnMouseLeave)
#define ON_WM_MOUSEWHEEL() KORVEL_ON_WM(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_SETCURSOR() KORVEL_ON_WM(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_CAPTURECHANGED() KORVEL_ON_WM(WM_CAPTURECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_SETFOCUS() KORVEL_ON_WM(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() KORVEL_ON_WM(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CONTEXTMENU() KORVEL_ON_WM(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_TIMER() KORVEL_ON_WM(WM_TIMER, AfxSig_vwpt, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_SIZE() KORVEL_ON_WM(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_MOVE() KORVEL_ON_WM(WM_MOVE, AfxSig_vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_SHOWWINDOW() KORVEL_ON_WM(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_DROPFILES() KORVEL_ON_WM(WM_DROPFILES, AfxSig_vs, void (CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_HSCROLL() KORVEL_ON_WM(WM_HSCROLL, AfxSig_vwwx, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() KORVEL_ON_WM(WM_VSCROLL, AfxSig_vwwx, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_KEYDOWN() KORVEL_ON_WM(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() KORVEL_ON_WM(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() KORVEL_ON_WM(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_NCHITTEST() KORVEL_ON_WM(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_GETMINMAXINFO() KORVEL_ON_WM(WM_GETMINMAXINFO, AfxSig_vMINMAX, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_INITMENUPOPUP() \
    KORVEL_ON_WM(WM_INITMENUPOPUP, AfxSig_vMwb, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_SYSCOMMAND() KORVEL_ON_WM(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_ACTIVATE() KORVEL_ON_WM(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ENABLE() KORVEL_ON_WM(WM_ENABLE, AfxSig_vw, void (CWnd::*)(BOOL), OnEnable)
