// The pop-up in the host's menu bar, built through the host's automation objects.
// Every object obtained is released after use.
#include "com/comutil.h"
#include "com/zcadmenu.h"
#include "core/flavour.h"
#include "core/menu.h"
#include "core/menu_table.h"
#include "core/plot_config.h"
#include "core/sysvar_helpers.h"

namespace {

// Longest label the pop-up takes; a longer one is cut.
constexpr int Max_Label_Length = 199;

template <class Object>
void Release(Object*& object)
{
    if (object != nullptr)
        object->Release();
    object = nullptr;
}

template <class Object>
bool Name_Starts_With_Popup_Name(Object* object)
{
    BSTR name = nullptr;
    bool starts = false;
    if (SUCCEEDED(object->get_Name(&name)) && name != nullptr)
        starts = CString(name).Find(Menu_Popup_Name) == 0;
    SysFreeString(name);
    return starts;
}

// The first group named "ACAD", "GCAD" or "ZWCAD" (without regard to case), else the
// first group; null when there is none.
IZcadMenuGroup* Find_Main_Menu_Group(IZcadApplication* application)
{
    IZcadMenuGroups* groups = nullptr;
    LONG count = 0;
    if (FAILED(application->get_MenuGroups(&groups)) || groups == nullptr)
        return nullptr;
    IZcadMenuGroup* found = nullptr;
    if (SUCCEEDED(groups->get_Count(&count))) {
        for (LONG i = 0; i < count && found == nullptr; ++i) {
            IZcadMenuGroup* group = nullptr;
            if (FAILED(groups->Item(_variant_t(i), &group)) || group == nullptr)
                continue;
            BSTR name = nullptr;
            if (SUCCEEDED(group->get_Name(&name)) && name != nullptr) {
                CString text(name);
                if (text.CompareNoCase(L"ACAD") == 0 || text.CompareNoCase(L"GCAD") == 0 ||
                    text.CompareNoCase(L"ZWCAD") == 0)
                    found = group;
            }
            SysFreeString(name);
            if (found == nullptr)
                group->Release();
        }
        if (found == nullptr && count > 0)
            groups->Item(_variant_t(0), &found);
    }
    groups->Release();
    return found;
}

// The main group's pop-up named "K-批打印", added to the group when it has none.
IZcadPopupMenu* Find_Or_Add_Popup(IZcadApplication* application)
{
    IZcadMenuGroup* group = Find_Main_Menu_Group(application);
    if (group == nullptr)
        return nullptr;
    IZcadPopupMenus* menus = nullptr;
    IZcadPopupMenu* found = nullptr;
    LONG count = 0;
    if (SUCCEEDED(group->get_Menus(&menus)) && menus != nullptr) {
        if (SUCCEEDED(menus->get_Count(&count)))
            for (LONG i = 0; i < count && found == nullptr; ++i) {
                IZcadPopupMenu* popup = nullptr;
                if (FAILED(menus->Item(_variant_t(i), &popup)) || popup == nullptr)
                    continue;
                if (Name_Starts_With_Popup_Name(popup))
                    found = popup;
                else
                    popup->Release();
            }
        if (found == nullptr)
            menus->Add(_bstr_t(Menu_Popup_Name), &found);
        menus->Release();
    }
    group->Release();
    return found;
}

// Deletes every entry, emptying a sub-menu before its entry goes.
void Popup_Clear(IZcadPopupMenu* popup)
{
    LONG count = 0;
    while (SUCCEEDED(popup->get_Count(&count)) && count > 0) {
        IZcadPopupMenuItem* item = nullptr;
        if (FAILED(popup->Item(_variant_t(0), &item)) || item == nullptr)
            return;
        ZcMenuItemType type = zcMenuItem;
        if (SUCCEEDED(item->get_Type(&type)) && type == zcMenuSubMenu) {
            IZcadPopupMenu* sub_menu = nullptr;
            if (SUCCEEDED(item->get_SubMenu(&sub_menu)) && sub_menu != nullptr) {
                Popup_Clear(sub_menu);
                sub_menu->Release();
            }
        }
        const HRESULT deleted = item->Delete();
        item->Release();
        if (FAILED(deleted))
            return;
    }
}

void Popup_Add_Item(IZcadPopupMenu* popup, LONG index, int number, const wchar_t* label)
{
    CString text = Menu_Label_With_Alias(number, label);
    if (text.GetLength() > Max_Label_Length)
        text = text.Left(Max_Label_Length);
    CString macro = Menu_Command_Name(number) + L" ";
    IZcadPopupMenuItem* item = nullptr;
    popup->AddMenuItem(_variant_t(index), _bstr_t(text), _bstr_t(macro), &item);
    Release(item);
}

void Popup_Add_Separator(IZcadPopupMenu* popup, LONG index)
{
    IZcadPopupMenuItem* item = nullptr;
    popup->AddSeparator(_variant_t(index), &item);
    Release(item);
}

// Adds the entries of the menu table, each list filled by its own indices from 0.
void Popup_Fill(IZcadPopupMenu* popup)
{
    LONG index = 0;
    IZcadPopupMenu* sub_menu = nullptr;
    LONG sub_index = 0;
    for (int i = 0; i < Menu_Table_Size; ++i) {
        const Menu_Entry& entry = Menu_Table[i];
        IZcadPopupMenu* target = sub_menu != nullptr ? sub_menu : popup;
        LONG& target_index = sub_menu != nullptr ? sub_index : index;
        switch (entry.kind) {
        case Menu_Entry::Kind::Separator:
            Popup_Add_Separator(target, target_index++);
            break;
        case Menu_Entry::Kind::Sub_Menu:
            Release(sub_menu);
            popup->AddSubMenu(_variant_t(index++), _bstr_t(entry.label), &sub_menu);
            sub_index = 0;
            break;
        case Menu_Entry::Kind::Item:
            Popup_Add_Item(target, target_index++, entry.number, entry.label);
            if (entry.closes_sub_menu)
                Release(sub_menu);
            break;
        }
    }
    Release(sub_menu);
}

void Popup_Rebuild(IZcadPopupMenu* popup)
{
    Popup_Clear(popup);
    Popup_Fill(popup);
}

}  // namespace

IZcadApplication* Get_Host_Application()
{
    IDispatch* dispatch = ZcadGetIDispatch(TRUE);
    if (dispatch == nullptr)
        return nullptr;
    IZcadApplication* application = nullptr;
    dispatch->QueryInterface(Flavour_Application_Iid(), reinterpret_cast<void**>(&application));
    dispatch->Release();
    if (application != nullptr)
        application->put_Visible(VARIANT_TRUE);
    return application;
}

IZcadPopupMenu* Find_Menu_Bar_Popup()
{
    IZcadApplication* application = Get_Host_Application();
    if (application == nullptr)
        return nullptr;
    IZcadMenuBar* bar = nullptr;
    IZcadPopupMenu* found = nullptr;
    LONG count = 0;
    if (SUCCEEDED(application->get_MenuBar(&bar)) && bar != nullptr && SUCCEEDED(bar->get_Count(&count)))
        for (LONG i = 0; i < count && found == nullptr; ++i) {
            IZcadPopupMenu* popup = nullptr;
            if (FAILED(bar->Item(_variant_t(i), &popup)) || popup == nullptr)
                continue;
            if (Name_Starts_With_Popup_Name(popup))
                found = popup;
            else
                popup->Release();
        }
    Release(bar);
    application->Release();
    return found;
}

void Refresh_Menu(bool force)
{
    if (g_Plot_Config.Set_Menubar != 0) {
        Set_Var_Int(L"MENUBAR", 1);
        g_Plot_Config.Set_Menubar = 0;
    }
    IZcadApplication* application = Get_Host_Application();
    if (application == nullptr)
        return;
    IZcadMenuBar* bar = nullptr;
    if (FAILED(application->get_MenuBar(&bar)) || bar == nullptr) {
        application->Release();
        return;
    }
    IZcadPopupMenu* popup = Find_Menu_Bar_Popup();
    const bool in_bar = popup != nullptr;
    if (in_bar && !force) {
        popup->Release();
        bar->Release();
        application->Release();
        return;
    }
    if (!in_bar)
        popup = Find_Or_Add_Popup(application);
    if (popup != nullptr) {
        Popup_Rebuild(popup);
        LONG count = 0;
        if (!in_bar && SUCCEEDED(bar->get_Count(&count)))
            popup->InsertInMenuBar(_variant_t(count));
        popup->Release();
    }
    bar->Release();
    application->Release();
}
