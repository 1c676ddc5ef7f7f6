#include "com_fixture.h"

namespace com_test {
namespace {

class Menu_Objects_Test : public Com_Test {};

TEST_F(Menu_Objects_Test, ApplicationAnswersBothHostVersionsAndNothingElse)
{
    IDispatch* dispatch = ZcadGetIDispatch(TRUE);
    ASSERT_NE(dispatch, nullptr);
    for (const IID* iid : {&IID_IZcadApplication2021, &IID_IZcadApplication2025, &IID_IUnknown}) {
        void* object = nullptr;
        EXPECT_EQ(dispatch->QueryInterface(*iid, &object), S_OK);
        ASSERT_NE(object, nullptr);
        static_cast<IUnknown*>(object)->Release();
    }
    const IID other = {0xEC9231AC, 0x5A21, 0x11E7, {0xB7, 0x2E, 0xBC, 0x5F, 0xF4, 0x2A, 0xC8, 0x3A}};
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(dispatch->QueryInterface(other, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    dispatch->Release();
}

TEST_F(Menu_Objects_Test, EntriesGoBeforeTheirIndexAndPastTheEndAppend)
{
    IZcadPopupMenu* popup = Add_Main_Popup(L"K-Test");
    IZcadPopupMenuItem* item = nullptr;
    auto add = [&](LONG at, const wchar_t* label) {
        ASSERT_EQ(popup->AddMenuItem(_variant_t(at), _bstr_t(label), _bstr_t(L"M "), &item), S_OK);
        item->Release();
    };
    add(0, L"B");
    add(0, L"A");
    add(99, L"D");
    ASSERT_EQ(popup->AddMenuItem(_variant_t(L"d"), _bstr_t(L"C"), _bstr_t(L"M "), &item), S_OK);
    item->Release();
    ASSERT_EQ(popup->AddSeparator(_variant_t(1), &item), S_OK);
    item->Release();
    IZcadPopupMenu* sub = nullptr;
    ASSERT_EQ(popup->AddSubMenu(_variant_t(99), _bstr_t(L"Sub"), &sub), S_OK);
    ASSERT_EQ(sub->AddMenuItem(_variant_t(0), _bstr_t(L"&Inner"), _bstr_t(L"X "), &item), S_OK);
    EXPECT_EQ(Get_Text(item, &IZcadPopupMenuItem::get_Caption), L"Inner");
    item->Release();
    EXPECT_EQ(sub->InsertInMenuBar(_variant_t(0)), E_FAIL) << "a sub-menu never goes into the bar";
    sub->Release();

    EXPECT_EQ(popup->InsertInMenuBar(_variant_t(99)), S_OK);
    EXPECT_EQ(popup->InsertInMenuBar(_variant_t(0)), E_FAIL) << "already in the bar";
    const std::wstring bar = platform::Describe_Menu_Bar();
    EXPECT_NE(bar.find(L"\n帮助(&H)\nK-Test\n  A  \"M \"\n  ----\n  B  \"M \"\n  C  \"M \"\n  D  \"M \"\n"
                       L"  Sub >\n    &Inner  \"X \""),
              std::wstring::npos)
        << platform::To_Utf8(bar);

    IZcadMenuBar* menu_bar = Menu_Bar();
    LONG count = 0;
    ASSERT_EQ(menu_bar->get_Count(&count), S_OK);
    IZcadPopupMenu* last = nullptr;
    ASSERT_EQ(menu_bar->Item(_variant_t(count - 1), &last), S_OK);
    EXPECT_EQ(last, popup);
    last->Release();
    EXPECT_EQ(popup->RemoveFromMenuBar(), S_OK);
    EXPECT_EQ(popup->RemoveFromMenuBar(), E_FAIL);
    LONG after = 0;
    menu_bar->get_Count(&after);
    EXPECT_EQ(after, count - 1);
    menu_bar->Release();
    popup->Release();
}

TEST_F(Menu_Objects_Test, ItemLookupByNumberOrName)
{
    IZcadMenuBar* bar = Menu_Bar();
    struct Case {
        VARTYPE vt;
        LONG number;
        const wchar_t* name;
        HRESULT expected;
    };
    const Case cases[] = {
        {VT_I4, 0, nullptr, S_OK},
        {VT_I2, 10, nullptr, S_OK},
        {VT_I4, 11, nullptr, DISP_E_BADINDEX},
        {VT_I4, -1, nullptr, DISP_E_BADINDEX},
        {VT_BSTR, 0, L"帮助(&h)", S_OK},
        {VT_BSTR, 0, L"nothing", DISP_E_BADINDEX},
        {VT_BOOL, 0, nullptr, DISP_E_TYPEMISMATCH},
    };
    for (const Case& c : cases) {
        VARIANT index;
        VariantInit(&index);
        index.vt = c.vt;
        if (c.vt == VT_BSTR)
            index.bstrVal = SysAllocString(c.name);
        else if (c.vt == VT_I2)
            index.iVal = static_cast<SHORT>(c.number);
        else
            index.lVal = c.number;
        IZcadPopupMenu* popup = reinterpret_cast<IZcadPopupMenu*>(1);
        EXPECT_EQ(bar->Item(index, &popup), c.expected) << c.number;
        if (c.expected == S_OK) {
            ASSERT_NE(popup, nullptr);
            popup->Release();
        } else {
            EXPECT_EQ(popup, nullptr);
        }
        VariantClear(&index);
    }
    bar->Release();
}

TEST_F(Menu_Objects_Test, DeletedEntryHeldByTheCallerStaysUsable)
{
    IZcadPopupMenu* popup = Add_Main_Popup(L"K-Test");
    IZcadPopupMenu* sub = nullptr;
    ASSERT_EQ(popup->AddSubMenu(_variant_t(0), _bstr_t(L"Sub"), &sub), S_OK);
    IZcadPopupMenuItem* inner = nullptr;
    ASSERT_EQ(sub->AddMenuItem(_variant_t(0), _bstr_t(L"Inner"), _bstr_t(L"X "), &inner), S_OK);
    IZcadPopupMenuItem* entry = nullptr;
    ASSERT_EQ(popup->Item(_variant_t(0), &entry), S_OK);
    ZcMenuItemType type = zcMenuItem;
    ASSERT_EQ(entry->get_Type(&type), S_OK);
    EXPECT_EQ(type, zcMenuSubMenu);

    ASSERT_EQ(entry->Delete(), S_OK);
    LONG count = -1;
    popup->get_Count(&count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(entry->Delete(), E_FAIL);
    LONG index = 0;
    EXPECT_EQ(entry->get_Index(&index), E_FAIL);
    EXPECT_EQ(Get_Text(entry, &IZcadPopupMenuItem::get_Label), L"Sub");
    entry->Release();
    // The sub-menu and its entry outlive the deleted entry while they are held.
    EXPECT_EQ(Get_Text(inner, &IZcadPopupMenuItem::get_Macro), L"X ");
    EXPECT_EQ(inner->get_Index(&index), S_OK);
    sub->Release();
    inner->Release();
    popup->Release();
}

TEST_F(Menu_Objects_Test, PopupOfAnUnloadedGroupLeavesTheBar)
{
    platform::Menu_Source source;
    source.group_name = L"G";
    source.popups.push_back({L"ID_G", L"G-Pop", {}});
    std::string error;
    ASSERT_TRUE(platform::Load_Menu_Group(source, L"g.mns", error));
    EXPECT_FALSE(platform::Load_Menu_Group(source, L"g.mns", error)) << "the same group twice";
    IZcadMenuBar* bar = Menu_Bar();
    IZcadPopupMenu* popup = nullptr;
    ASSERT_EQ(bar->Item(_variant_t(L"G-Pop"), &popup), S_OK);
    EXPECT_EQ(Get_Text(popup, &IZcadPopupMenu::get_TagString), L"ID_G");

    ASSERT_TRUE(platform::Unload_Menu_Group(L"g"));
    EXPECT_FALSE(platform::Unload_Menu_Group(L"g"));
    VARIANT_BOOL on_bar = VARIANT_TRUE;
    EXPECT_EQ(popup->get_OnMenuBar(&on_bar), S_OK);
    EXPECT_EQ(on_bar, VARIANT_FALSE);
    EXPECT_EQ(popup->InsertInMenuBar(_variant_t(0)), E_FAIL) << "its group is gone";
    popup->Release();
    bar->Release();
}

}  // namespace
}  // namespace com_test
