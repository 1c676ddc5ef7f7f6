// Menus: pop-up menus built in code or from the resource script. TrackPopupMenu takes
// its choice from a `menu ITEMID` step (esc cancels).
#include <map>
#include <memory>
#include <vector>

#include "mfc/afxdll.h"
#include "mfc/afxwin.h"
#include "mfc/rc/resource_script.h"
#include "script/script_input.h"
#include "script/utf8.h"

namespace {

struct Menu_Entry {
    std::wstring text;
    UINT_PTR id = 0;
    UINT flags = 0;
    HMENU sub = nullptr;
};

struct Menu_Data {
    std::vector<Menu_Entry> entries;
    bool popup = true;
};

std::map<HMENU, std::unique_ptr<Menu_Data>>& Menus() {
    static std::map<HMENU, std::unique_ptr<Menu_Data>> menus;
    return menus;
}

std::map<HMENU, CMenu*>& Temporaries() {
    static std::map<HMENU, CMenu*> temporaries;
    return temporaries;
}

Menu_Data* Data(HMENU m) {
    auto it = Menus().find(m);
    return it == Menus().end() ? nullptr : it->second.get();
}

HMENU New_Menu(bool popup) {
    auto data = std::make_unique<Menu_Data>();
    data->popup = popup;
    HMENU handle = reinterpret_cast<HMENU>(data.get());
    Menus()[handle] = std::move(data);
    return handle;
}

// The entry by command id (searching sub-menus) or by position.
Menu_Entry* Entry(HMENU m, UINT item, UINT flags) {
    Menu_Data* d = Data(m);
    if (!d) return nullptr;
    if (flags & MF_BYPOSITION) return item < d->entries.size() ? &d->entries[item] : nullptr;
    for (auto& e : d->entries) {
        if (!e.sub && e.id == item) return &e;
        if (e.sub)
            if (Menu_Entry* found = Entry(e.sub, item, flags)) return found;
    }
    return nullptr;
}

void Fill(HMENU menu, const std::vector<platform::rc::Menu_Item>& items) {
    for (const auto& item : items) {
        if (item.flags & MF_POPUP) {
            HMENU sub = New_Menu(true);
            Fill(sub, item.children);
            AppendMenuW(menu, MF_POPUP | (item.flags & ~MF_POPUP), reinterpret_cast<UINT_PTR>(sub), item.text.c_str());
        } else {
            AppendMenuW(menu, item.flags, static_cast<UINT_PTR>(item.id), item.text.c_str());
        }
    }
}

// Every command of the menu and its sub-menus that can be chosen.
bool Can_Choose(HMENU m, UINT id) {
    Menu_Data* d = Data(m);
    if (!d) return false;
    for (auto& e : d->entries) {
        if (e.sub && Can_Choose(e.sub, id)) return true;
        if (!e.sub && !(e.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) && e.id == id) return true;
    }
    return false;
}

}  // namespace

HMENU CreatePopupMenu() { return New_Menu(true); }
HMENU CreateMenu() { return New_Menu(false); }

BOOL DestroyMenu(HMENU hMenu) {
    Menu_Data* d = Data(hMenu);
    if (!d) return FALSE;
    for (auto& e : d->entries)
        if (e.sub) DestroyMenu(e.sub);
    auto temp = Temporaries().find(hMenu);
    if (temp != Temporaries().end()) {
        temp->second->m_hMenu = nullptr;
        delete temp->second;
        Temporaries().erase(temp);
    }
    Menus().erase(hMenu);
    return TRUE;
}

BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
    Menu_Data* d = Data(hMenu);
    if (!d) return FALSE;
    Menu_Entry e;
    e.flags = uFlags & ~(MF_BYPOSITION | MF_APPEND);
    if (uFlags & MF_POPUP) e.sub = reinterpret_cast<HMENU>(uIDNewItem);
    else e.id = uIDNewItem;
    if (!(uFlags & MF_SEPARATOR) && lpNewItem) e.text = lpNewItem;
    size_t at = d->entries.size();
    if (uFlags & MF_BYPOSITION) {
        if (uPosition < at) at = uPosition;
    } else if (uPosition != static_cast<UINT>(-1)) {
        for (size_t i = 0; i < d->entries.size(); ++i)
            if (d->entries[i].id == uPosition && !d->entries[i].sub) at = i;
    }
    d->entries.insert(d->entries.begin() + static_cast<long>(at), e);
    return TRUE;
}

BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
    return InsertMenuW(hMenu, static_cast<UINT>(-1), uFlags | MF_BYPOSITION, uIDNewItem, lpNewItem);
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    Menu_Data* d = Data(hMenu);
    if (!d) return FALSE;
    for (size_t i = 0; i < d->entries.size(); ++i) {
        const bool match = (uFlags & MF_BYPOSITION) ? i == uPosition : (!d->entries[i].sub && d->entries[i].id == uPosition);
        if (match) {
            d->entries.erase(d->entries.begin() + static_cast<long>(i));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    Menu_Entry* e = Entry(hMenu, uPosition, uFlags);
    if (e && e->sub && (uFlags & MF_BYPOSITION)) DestroyMenu(e->sub);
    return RemoveMenu(hMenu, uPosition, uFlags);
}

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
    Menu_Entry* e = Entry(hMenu, uIDCheckItem, uCheck);
    if (!e) return static_cast<DWORD>(-1);
    const DWORD old = e->flags & MF_CHECKED;
    e->flags = (e->flags & ~MF_CHECKED) | (uCheck & MF_CHECKED);
    return old;
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
    Menu_Entry* e = Entry(hMenu, uIDEnableItem, uEnable);
    if (!e) return -1;
    const UINT old = e->flags & (MF_GRAYED | MF_DISABLED);
    e->flags = (e->flags & ~(MF_GRAYED | MF_DISABLED)) | (uEnable & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(old);
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    Menu_Entry* e = Entry(hMenu, uId, uFlags);
    if (!e) return static_cast<UINT>(-1);
    if (e->sub) return MF_POPUP | (static_cast<UINT>(GetMenuItemCount(e->sub)) << 8) | (e->flags & 0xFF);
    return e->flags;
}

int GetMenuItemCount(HMENU hMenu) {
    Menu_Data* d = Data(hMenu);
    return d ? static_cast<int>(d->entries.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
    Menu_Data* d = Data(hMenu);
    if (!d || nPos < 0 || nPos >= static_cast<int>(d->entries.size())) return static_cast<UINT>(-1);
    const Menu_Entry& e = d->entries[nPos];
    if (e.sub) return static_cast<UINT>(-1);
    return (e.flags & MF_SEPARATOR) ? 0 : static_cast<UINT>(e.id);
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
    Menu_Data* d = Data(hMenu);
    if (!d || nPos < 0 || nPos >= static_cast<int>(d->entries.size())) return nullptr;
    return d->entries[nPos].sub;
}

int GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags) {
    Menu_Entry* e = Entry(hMenu, uIDItem, flags);
    if (!e) return 0;
    if (lpString && cchMax > 0) {
        const size_t n = std::min<size_t>(e->text.size(), cchMax - 1);
        std::copy_n(e->text.begin(), n, lpString);
        lpString[n] = 0;
        return static_cast<int>(n);
    }
    return static_cast<int>(e->text.size());
}

HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName) {
    if (!IS_INTRESOURCE(lpMenuName)) return nullptr;
    const platform::rc::Menu* t =
        platform::Find_Menu_Template(hInstance, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpMenuName)));
    if (!t) t = platform::Find_Menu_Template(nullptr, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpMenuName)));
    if (!t) return nullptr;
    HMENU menu = New_Menu(false);
    Fill(menu, t->items);
    return menu;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int, int, int, HWND hWnd, const RECT*) {
    if (!Data(hMenu)) return FALSE;
    if (hWnd && !(uFlags & TPM_NONOTIFY)) {
        ::SendMessageW(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0);
        for (const auto& e : Data(hMenu)->entries)
            if (e.sub) ::SendMessageW(hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(e.sub), 0);
    }
    auto& script = platform::ScriptInput::instance();
    const platform::Step step = script.expect({platform::StepKind::Menu, platform::StepKind::Esc}, L"pop-up menu");
    UINT chosen = 0;
    if (step.kind == platform::StepKind::Menu) {
        chosen = static_cast<UINT>(step.control_id);
        if (!Can_Choose(hMenu, chosen))
            throw platform::Step_Failed(step, L"the pop-up menu has no item that can be chosen with id " +
                                                  std::to_wstring(chosen));
    }
    if (uFlags & TPM_RETURNCMD) return static_cast<BOOL>(chosen);
    if (chosen && hWnd) ::PostMessageW(hWnd, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return chosen != 0;
}

// ---- CMenu -------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() {
    if (m_hMenu) ::DestroyMenu(m_hMenu);
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (!Data(hMenu)) return nullptr;
    auto& temps = Temporaries();
    auto it = temps.find(hMenu);
    if (it != temps.end()) return it->second;
    auto* menu = new CMenu();
    menu->m_hMenu = hMenu;
    temps[hMenu] = menu;
    return menu;
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (m_hMenu || !hMenu) return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU h = m_hMenu;
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(UINT nIDResource) { return Attach(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource))); }
BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) { return Attach(::LoadMenuW(AfxGetResourceHandle(), lpszResourceName)); }
BOOL CMenu::DestroyMenu() {
    const BOOL ok = ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    return ok;
}
BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    return ::InsertMenuW(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
    Menu_Entry* e = Entry(m_hMenu, nPosition, nFlags);
    if (!e) return FALSE;
    e->flags = nFlags & ~MF_BYPOSITION;
    if (nFlags & MF_POPUP) e->sub = reinterpret_cast<HMENU>(nIDNewItem), e->id = 0;
    else e->id = nIDNewItem, e->sub = nullptr;
    e->text = lpszNewItem ? lpszNewItem : L"";
    return TRUE;
}
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    wchar_t buffer[512];
    const int n = ::GetMenuStringW(m_hMenu, nIDItem, buffer, 512, nFlags);
    rString = n > 0 ? buffer : L"";
    return n;
}
CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
BOOL CMenu::SetDefaultItem(UINT, BOOL) { return TRUE; }
BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}
