// The host application's automation objects for menus: the application, its menu
// groups with their pop-up menus, the menu bar, and the items of a pop-up.
// Indices are 0-based; an Index VARIANT is a number (VT_I2, VT_I4) or a name (VT_BSTR).
// Every interface pointer handed out carries a reference the caller releases.
#pragma once

#include "com/combase.h"

class IZcadMenuGroups;
class IZcadMenuGroup;
class IZcadPopupMenus;
class IZcadPopupMenu;
class IZcadPopupMenuItem;
class IZcadMenuBar;

enum ZcMenuItemType { zcMenuItem = 0, zcMenuSeparator = 1, zcMenuSubMenu = 2 };

// The application interface as the 2021 and the 2025 host declare it; the host's
// application object answers both.
extern const IID IID_IZcadApplication2021;
extern const IID IID_IZcadApplication2025;

class IZcadApplication : public IDispatch {
public:
    virtual HRESULT get_MenuGroups(IZcadMenuGroups** groups) = 0;
    virtual HRESULT get_MenuBar(IZcadMenuBar** bar) = 0;
    virtual HRESULT get_Visible(VARIANT_BOOL* visible) = 0;
    virtual HRESULT put_Visible(VARIANT_BOOL visible) = 0;
};

class IZcadMenuGroups : public IDispatch {
public:
    virtual HRESULT Item(VARIANT index, IZcadMenuGroup** group) = 0;
    virtual HRESULT get_Count(LONG* count) = 0;
};

class IZcadMenuGroup : public IDispatch {
public:
    virtual HRESULT get_Name(BSTR* name) = 0;
    // The menu file the group was loaded from ("" for the host's own group).
    virtual HRESULT get_MenuFileName(BSTR* path) = 0;
    virtual HRESULT get_Menus(IZcadPopupMenus** menus) = 0;
};

// The pop-up menus of one group.
class IZcadPopupMenus : public IDispatch {
public:
    virtual HRESULT Item(VARIANT index, IZcadPopupMenu** menu) = 0;
    virtual HRESULT get_Count(LONG* count) = 0;
    // A new empty pop-up of the group, not in the menu bar.
    virtual HRESULT Add(BSTR menuName, IZcadPopupMenu** menu) = 0;
};

class IZcadPopupMenu : public IDispatch {
public:
    virtual HRESULT Item(VARIANT index, IZcadPopupMenuItem** item) = 0;
    virtual HRESULT get_Count(LONG* count) = 0;
    virtual HRESULT get_Name(BSTR* name) = 0;
    virtual HRESULT put_Name(BSTR name) = 0;
    // The name without its mnemonic "&".
    virtual HRESULT get_NameNoMnemonic(BSTR* name) = 0;
    virtual HRESULT get_TagString(BSTR* tag) = 0;
    // Entries go before the entry at the index; an index at or past the end appends.
    virtual HRESULT AddMenuItem(VARIANT index, BSTR label, BSTR macro, IZcadPopupMenuItem** item) = 0;
    virtual HRESULT AddSubMenu(VARIANT index, BSTR label, IZcadPopupMenu** subMenu) = 0;
    virtual HRESULT AddSeparator(VARIANT index, IZcadPopupMenuItem** item) = 0;
    // A pop-up of a group only (not a sub-menu), not yet in the bar; an index at or
    // past the bar's end appends.
    virtual HRESULT InsertInMenuBar(VARIANT index) = 0;
    virtual HRESULT RemoveFromMenuBar() = 0;
    virtual HRESULT get_OnMenuBar(VARIANT_BOOL* onBar) = 0;
};

class IZcadPopupMenuItem : public IDispatch {
public:
    virtual HRESULT get_Label(BSTR* label) = 0;
    virtual HRESULT put_Label(BSTR label) = 0;
    // The label as shown: without the mnemonic "&".
    virtual HRESULT get_Caption(BSTR* caption) = 0;
    virtual HRESULT get_Macro(BSTR* macro) = 0;
    virtual HRESULT put_Macro(BSTR macro) = 0;
    virtual HRESULT get_TagString(BSTR* tag) = 0;
    virtual HRESULT put_TagString(BSTR tag) = 0;
    virtual HRESULT get_Type(ZcMenuItemType* type) = 0;
    // The sub-menu of a zcMenuSubMenu entry (E_FAIL for other entries).
    virtual HRESULT get_SubMenu(IZcadPopupMenu** subMenu) = 0;
    virtual HRESULT get_Index(LONG* index) = 0;
    // Removes the entry (and its sub-menu) from its pop-up.
    virtual HRESULT Delete() = 0;
};

class IZcadMenuBar : public IDispatch {
public:
    virtual HRESULT Item(VARIANT index, IZcadPopupMenu** menu) = 0;
    virtual HRESULT get_Count(LONG* count) = 0;
};

// The host's application object (IDispatch); with bAddRef the caller releases it.
IDispatch* ZcadGetIDispatch(BOOL bAddRef);
