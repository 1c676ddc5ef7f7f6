// The module's resource script: every template holds the controls the code uses, with
// the kind and text they are given, and the images the code loads exist.
#include <map>
#include <vector>

#include "mfc/rc/resource_script.h"
#include "res/resource.h"
#include "res/resource_script.h"
#include "ui/module_resources.h"
#include "ui_fixture.h"

namespace {

struct Expected_Control {
    int id;
    const wchar_t* class_name;
    DWORD type_mask;  // style bits that give the control's kind
    DWORD type;
    const wchar_t* text;  // null: not checked
    bool visible;
};

struct Expected_Template {
    const wchar_t* caption;
    int cx, cy;
    std::vector<Expected_Control> controls;
};

const std::map<int, Expected_Template>& Templates()
{
    static const std::map<int, Expected_Template> templates = {
        {IDD_DLG_ABOUT,
         {L"关于...",
          315,
          203,
          {{IDC_VERSION_TEXT, L"Static", SS_TYPEMASK, SS_CENTER, nullptr, true},
           {IDC_LOGO, L"Static", SS_TYPEMASK, SS_OWNERDRAW, nullptr, true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"关 闭", true}}}},
        {IDD_DLG_PROGRESS,
         {L"进度条",
          225,
          24,
          {{IDC_PROGRESS_BAR, L"msctls_progress32", 0, 0, nullptr, true},
           {IDC_FONT_SOURCE, L"Static", SS_TYPEMASK, SS_LEFT, nullptr, false}}}},
        {IDD_DLG_OPTIONS, {L"", 188, 94, {{IDC_FONT_SOURCE, L"Static", SS_TYPEMASK, SS_LEFT, nullptr, false}}}},
    };
    return templates;
}

}  // namespace

TEST(Resource_Script, Every_Template_Holds_The_Controls_The_Code_Uses)
{
    platform::rc::Script script;
    std::string error;
    ASSERT_TRUE(platform::rc::Read_Script(Resource_Script_Path(), script, error)) << error;
    ASSERT_FALSE(script.dialogs.empty());
    for (const auto& [id, dialog] : script.dialogs) {
        auto expected = Templates().find(id);
        ASSERT_NE(expected, Templates().end()) << "template " << id << " has no expectations here";
        const Expected_Template& t = expected->second;
        EXPECT_EQ(dialog.caption, t.caption) << id;
        EXPECT_EQ(dialog.cx, t.cx) << id;
        EXPECT_EQ(dialog.cy, t.cy) << id;
        for (const Expected_Control& c : t.controls) {
            const platform::rc::Control* found = nullptr;
            for (const platform::rc::Control& control : dialog.controls)
                if (control.id == c.id) found = &control;
            ASSERT_NE(found, nullptr) << "template " << id << " has no control " << c.id;
            EXPECT_EQ(found->class_name, c.class_name) << id << "/" << c.id;
            EXPECT_EQ(found->style & c.type_mask, c.type) << id << "/" << c.id;
            if (c.text) {
                EXPECT_EQ(found->text, c.text) << id << "/" << c.id;
            }
            EXPECT_EQ((found->style & WS_VISIBLE) != 0, c.visible) << id << "/" << c.id;
        }
    }
    // The pickers' template holds nothing but the hidden font source.
    EXPECT_EQ(script.dialogs.at(IDD_DLG_OPTIONS).controls.size(), 1u);
}

using Resource_Images = Ui_Test;

TEST_F(Resource_Images, Icons_Cursor_And_Logo_Load)
{
    const HINSTANCE module = Module_Resources();
    for (int id : {IDI_KORVEL, IDI_CLOSE_IDLE, IDI_CLOSE_HOVER})
        EXPECT_NE(LoadImage(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0), nullptr) << id;
    HANDLE cursor = LoadImage(module, MAKEINTRESOURCEW(IDR_HAND_CURSOR), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
    EXPECT_NE(cursor, nullptr);
    CBitmap logo;
    ASSERT_TRUE(logo.Attach(LoadBitmap(module, MAKEINTRESOURCEW(IDB_LOGO))));
    BITMAP info{};
    logo.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 64);
    EXPECT_EQ(info.bmHeight, 64);
}
