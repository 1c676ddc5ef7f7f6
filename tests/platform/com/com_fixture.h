// A clean host with one new drawing and the host's own menu; helpers that walk the menu
// model through its automation objects.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "com/comutil.h"
#include "com/menu_model.h"
#include "com/zcadmenu.h"
#include "ed/command_line.h"
#include "ed/docman.h"
#include "ed/editor.h"
#include "ed/host_session.h"
#include "script/utf8.h"

namespace com_test {

// A string out of a BSTR getter, freed.
template <class Object, class Getter>
std::wstring Get_Text(Object* object, Getter getter)
{
    BSTR text = nullptr;
    EXPECT_EQ((object->*getter)(&text), S_OK);
    std::wstring result = text != nullptr ? text : L"";
    SysFreeString(text);
    return result;
}

class Com_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Reset_Host_For_Tests();
        platform::Reset_Menu_Model();
        platform::CommandLine::instance().set_echo_to_stdout(false);
        ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
        ASSERT_EQ(platform::Menu_Client_References(), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(platform::Menu_Client_References(), 0) << "automation objects left unreleased";
        platform::Reset_Menu_Model();
        platform::Reset_Host_For_Tests();
    }

    static IZcadApplication* Application()
    {
        IZcadApplication* application = nullptr;
        IDispatch* dispatch = ZcadGetIDispatch(TRUE);
        EXPECT_EQ(dispatch->QueryInterface(IID_IZcadApplication2025, reinterpret_cast<void**>(&application)), S_OK);
        dispatch->Release();
        return application;
    }
    static IZcadMenuBar* Menu_Bar()
    {
        IZcadApplication* application = Application();
        IZcadMenuBar* bar = nullptr;
        EXPECT_EQ(application->get_MenuBar(&bar), S_OK);
        application->Release();
        return bar;
    }
    // A new pop-up of the main group "ZWCAD", not in the menu bar.
    static IZcadPopupMenu* Add_Main_Popup(const wchar_t* name)
    {
        IZcadApplication* application = Application();
        IZcadMenuGroups* groups = nullptr;
        EXPECT_EQ(application->get_MenuGroups(&groups), S_OK);
        IZcadMenuGroup* group = nullptr;
        EXPECT_EQ(groups->Item(_variant_t(L"zwcad"), &group), S_OK);
        IZcadPopupMenus* menus = nullptr;
        EXPECT_EQ(group->get_Menus(&menus), S_OK);
        IZcadPopupMenu* popup = nullptr;
        EXPECT_EQ(menus->Add(_bstr_t(name), &popup), S_OK);
        menus->Release();
        group->Release();
        groups->Release();
        application->Release();
        return popup;
    }
    static std::wstring Printed() { return platform::CommandLine::instance().text(); }
};

}  // namespace com_test
