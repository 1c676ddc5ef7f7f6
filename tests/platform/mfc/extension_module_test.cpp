#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "mfc/afxdll.h"
#include "mfc/zcui.h"
#include "script/script_input.h"
#include "win/windows.h"

namespace {

HMODULE Fake_Module(uintptr_t n) { return reinterpret_cast<HMODULE>(0x10000 * n); }

// String tables of fake modules, read through the loader hook.
class Extension_Module_Test : public ::testing::Test {
protected:
    void SetUp() override {
        saved_resource_ = AfxGetResourceHandle();
        platform::Set_String_Resource_Loader([this](HINSTANCE module, UINT id, std::wstring& text) {
            const auto it = tables_.find({module, id});
            if (it == tables_.end()) return false;
            text = it->second;
            return true;
        });
    }
    void TearDown() override {
        platform::Set_String_Resource_Loader({});
        AfxSetResourceHandle(saved_resource_);
        for (CDynLinkLibrary* library : platform::Dyn_Link_Libraries()) delete library;
    }

    std::map<std::pair<HINSTANCE, UINT>, std::wstring> tables_;
    HINSTANCE saved_resource_ = nullptr;
};

TEST_F(Extension_Module_Test, InitAndTermWithADynLinkLibrary) {
    const HMODULE module = Fake_Module(1);
    tables_[{module, 101}] = L"K-批打印";
    AFX_EXTENSION_MODULE state = {};

    EXPECT_FALSE(AfxInitExtensionModule(state, nullptr));
    EXPECT_FALSE(state.bInitialized);
    ASSERT_TRUE(AfxInitExtensionModule(state, module));
    EXPECT_TRUE(state.bInitialized);
    EXPECT_EQ(state.hModule, module);
    EXPECT_EQ(state.hResource, module);
    EXPECT_TRUE(AfxInitExtensionModule(state, Fake_Module(9)));  // already initialised: unchanged
    EXPECT_EQ(state.hModule, module);

    CString text;
    EXPECT_FALSE(text.LoadString(101));  // not in the chain yet

    auto* library = new CDynLinkLibrary(state);
    EXPECT_EQ(library->m_hModule, module);
    EXPECT_EQ(platform::Dyn_Link_Libraries(), std::vector<CDynLinkLibrary*>{library});
    const auto chain = platform::Resource_Module_Chain();
    // The current resource handle is the host's instance: it is listed once.
    EXPECT_EQ(chain, (std::vector<HINSTANCE>{AfxGetInstanceHandle(), module}));
    EXPECT_TRUE(text.LoadString(101));
    EXPECT_STREQ(text, L"K-批打印");
    CStringA narrow;
    EXPECT_TRUE(narrow.LoadString(101));
    EXPECT_STREQ(narrow, CStringA(L"K-批打印"));
    EXPECT_STREQ(CString(MAKEINTRESOURCE(101)), L"K-批打印");

    AfxTermExtensionModule(state);
    EXPECT_FALSE(state.bInitialized);
    EXPECT_TRUE(platform::Dyn_Link_Libraries().empty());  // the library was deleted
    EXPECT_FALSE(text.LoadString(101));
    AfxTermExtensionModule(state);  // a second term does nothing

    // Attach again after detach.
    ASSERT_TRUE(AfxInitExtensionModule(state, module));
    new CDynLinkLibrary(state);
    EXPECT_TRUE(text.LoadString(101));
    AfxTermExtensionModule(state);
    EXPECT_TRUE(platform::Dyn_Link_Libraries().empty());
}

TEST_F(Extension_Module_Test, TermRemovesOnlyItsOwnLibrariesUnlessAll) {
    AFX_EXTENSION_MODULE first = {}, second = {}, third = {};
    AfxInitExtensionModule(first, Fake_Module(1));
    AfxInitExtensionModule(second, Fake_Module(2));
    AfxInitExtensionModule(third, Fake_Module(3));
    new CDynLinkLibrary(first);
    auto* system = new CDynLinkLibrary(second, TRUE);
    auto* newest = new CDynLinkLibrary(third);
    // The most recent library first, system libraries after the others.
    const auto chain = platform::Resource_Module_Chain();
    EXPECT_EQ(chain, (std::vector<HINSTANCE>{AfxGetInstanceHandle(), Fake_Module(3), Fake_Module(1), Fake_Module(2)}));

    AfxTermExtensionModule(first);
    EXPECT_EQ(platform::Dyn_Link_Libraries(), (std::vector<CDynLinkLibrary*>{newest, system}));
    delete newest;  // a library destroyed by its owner leaves the chain
    EXPECT_EQ(platform::Dyn_Link_Libraries(), std::vector<CDynLinkLibrary*>{system});
    AfxTermExtensionModule(third, TRUE);
    EXPECT_TRUE(platform::Dyn_Link_Libraries().empty());
}

TEST_F(Extension_Module_Test, ResourceHandleSaveSetRestore) {
    const HMODULE module = Fake_Module(4), other = Fake_Module(5);
    tables_[{module, 7}] = L"module";
    tables_[{other, 7}] = L"other";
    AFX_EXTENSION_MODULE state = {}, other_state = {};
    AfxInitExtensionModule(state, module);
    AfxInitExtensionModule(other_state, other);
    new CDynLinkLibrary(state);
    new CDynLinkLibrary(other_state);

    const HINSTANCE host = AfxGetInstanceHandle();
    EXPECT_EQ(AfxGetResourceHandle(), host);
    CString text;
    text.LoadString(7);
    EXPECT_STREQ(text, L"other");  // the most recent library

    // What a command does around a dialog of its module.
    const HINSTANCE saved = AfxGetResourceHandle();
    AfxSetResourceHandle(module);
    EXPECT_EQ(AfxGetResourceHandle(), module);
    text.LoadString(7);
    EXPECT_STREQ(text, L"module");  // the current resource module is searched first
    EXPECT_TRUE(text.LoadString(other, 7));
    EXPECT_STREQ(text, L"other");
    AfxSetResourceHandle(saved);
    EXPECT_EQ(AfxGetResourceHandle(), host);

    AfxSetResourceHandle(nullptr);  // refused
    EXPECT_EQ(AfxGetResourceHandle(), host);

    AfxTermExtensionModule(state, TRUE);
}

TEST(ZcUiTest, InitZcUiDLLIsCounted) {
    const int before = platform::ZcUi_Init_Count();
    InitZcUiDLL();
    InitZcUiDLL();
    EXPECT_EQ(platform::ZcUi_Init_Count(), before + 2);
}

class Message_Box_Test : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ScriptInput::instance().reset();
        platform::MessageBoxLog.clear();
    }
    void TearDown() override {
        platform::ScriptInput::instance().reset();
        platform::Set_Host_Main_Window(nullptr);
    }
};

TEST_F(Message_Box_Test, AfxMessageBoxIsOwnedByTheMainWindowAndCaptionedZWCAD) {
    const HWND main_window = reinterpret_cast<HWND>(0x4242);
    platform::Set_Host_Main_Window(main_window);
    EXPECT_EQ(AfxGetMainWnd()->GetSafeHwnd(), main_window);
    EXPECT_EQ(AfxGetApp()->GetMainWnd(), AfxGetMainWnd());
    EXPECT_STREQ(AfxGetAppName(), L"ZWCAD");

    platform::ScriptInput::instance().push_text("msgbox YES\nmsgbox OK\n");
    EXPECT_EQ(AfxMessageBox(L"继续吗?", MB_YESNO | MB_ICONQUESTION), IDYES);
    CWnd owner;
    owner.Attach(reinterpret_cast<HWND>(0x77));
    EXPECT_EQ(owner.MessageBox(L"文件缺失", L"Korvel", MB_OK | MB_ICONINFORMATION), IDOK);

    ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
    EXPECT_EQ(platform::MessageBoxLog[0].owner, main_window);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"ZWCAD");
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"继续吗?");
    EXPECT_EQ(platform::MessageBoxLog[0].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(platform::MessageBoxLog[1].owner, reinterpret_cast<HWND>(0x77));
    EXPECT_EQ(platform::MessageBoxLog[1].caption, L"Korvel");
}

TEST_F(Message_Box_Test, UnansweredMessageBoxThrows) {
    EXPECT_THROW(AfxMessageBox(L"no answer"), platform::UnansweredInput);
}

}  // namespace
