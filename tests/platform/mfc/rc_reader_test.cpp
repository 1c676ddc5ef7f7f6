// The resource-script reader: every control kind, ids from the header, Chinese texts,
// menus, strings, images, and errors with their lines.
#include <gtest/gtest.h>

#include "dialog_test_support.h"

namespace {

using platform::rc::Control;
using platform::rc::Script;

const Control* Find(const platform::rc::Dialog& d, int id) {
    for (const auto& c : d.controls)
        if (c.id == id) return &c;
    return nullptr;
}

TEST(ResourceScript, ReadsDialogsWithEveryControlKind) {
    Script s;
    std::string error;
    ASSERT_TRUE(platform::rc::Read_Script(Test_Script_Path(), s, error)) << error;
    ASSERT_EQ(s.dialogs.count(IDD_VALUES), 1u);
    const auto& d = s.dialogs.at(IDD_VALUES);
    EXPECT_EQ(d.caption, L"批打到文件");
    EXPECT_EQ(d.font_face, L"宋体");
    EXPECT_EQ(d.font_size, 9);
    EXPECT_EQ(d.cx, 240);
    EXPECT_EQ(d.cy, 180);
    EXPECT_TRUE(d.style & WS_CAPTION);
    EXPECT_TRUE(d.extended);

    struct Expected {
        int id;
        const wchar_t* class_name;
        const wchar_t* text;
        DWORD style_bits;
    };
    const Expected table[] = {
        {IDC_COUNT, L"Edit", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
        {IDC_ENABLED, L"Button", L"启用", BS_AUTOCHECKBOX | WS_TABSTOP},
        {IDC_MODE_A, L"Button", L"方式一", BS_AUTORADIOBUTTON | WS_GROUP},
        {IDC_FORMAT, L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL},
        {IDC_NAMES, L"ListBox", L"", LBS_NOTIFY | WS_BORDER},
        {IDC_SHEETS, L"SysListView32", L"", LVS_REPORT | WS_BORDER},
        {IDC_BAR, L"msctls_progress32", L"", WS_BORDER},
        {IDC_ZOOM, L"msctls_trackbar32", L"", TBS_BOTH},
        {IDC_PAGES, L"SysTabControl32", L"", 0},
        {IDC_SPIN, L"msctls_updown32", L"", UDS_ARROWKEYS},
        {IDC_DATE, L"SysDateTimePick32", L"", DTS_RIGHTALIGN},
        {IDC_TITLE, L"Static", L"标题", SS_CENTER | SS_NOTIFY},
        {IDOK, L"Button", L"确定", BS_DEFPUSHBUTTON},
        {IDCANCEL, L"Button", L"取消", WS_TABSTOP},
    };
    for (const auto& e : table) {
        const Control* c = Find(d, e.id);
        ASSERT_NE(c, nullptr) << e.id;
        EXPECT_EQ(c->class_name, e.class_name) << e.id;
        EXPECT_EQ(c->text, e.text) << e.id;
        EXPECT_EQ(c->style & e.style_bits, e.style_bits) << e.id;
        EXPECT_EQ(c->style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE)) << e.id;
    }
    // NOT removes a default style; positions are kept in dialog units.
    const Control* path = Find(d, IDC_PATH);
    ASSERT_NE(path, nullptr);
    EXPECT_FALSE(path->style & WS_TABSTOP);
    EXPECT_EQ(path->x, 140);
    EXPECT_EQ(path->cy, 14);
    // Static texts without an id of their own carry IDC_STATIC.
    EXPECT_EQ(d.controls.front().id, -1);
    EXPECT_EQ(d.controls.front().text, L"份数：");
}

TEST(ResourceScript, ReadsMenusStringsAndImages) {
    Script s;
    std::string error;
    ASSERT_TRUE(platform::rc::Read_Script(Test_Script_Path(), s, error)) << error;
    ASSERT_EQ(s.menus.count(IDR_POPUP), 1u);
    const auto& popup = s.menus.at(IDR_POPUP).items.at(0);
    EXPECT_EQ(popup.text, L"文件");
    ASSERT_EQ(popup.children.size(), 3u);
    EXPECT_EQ(popup.children[0].id, ID_ITEM_OPEN);
    EXPECT_TRUE(popup.children[1].flags & MF_SEPARATOR);
    EXPECT_TRUE(popup.children[2].flags & MF_GRAYED);
    EXPECT_EQ(s.strings.at(IDS_HELLO), L"你好");
    ASSERT_EQ(s.images.size(), 1u);
    EXPECT_EQ(s.images[0].id, IDB_LOGO);
    EXPECT_EQ(s.images[0].path.filename(), "logo.bmp");
    EXPECT_EQ(s.images[0].path.parent_path().filename(), "res");
}

TEST(ResourceScript, ShortFormsGetTheCompilersDefaultStyles) {
    const char* text =
        "7 DIALOG 0, 0, 100, 100\nBEGIN\n"
        "  CHECKBOX \"c\", 1, 0, 0, 10, 10\n"
        "  RADIOBUTTON \"r\", 2, 0, 0, 10, 10\n"
        "  STATE3 \"s\", 3, 0, 0, 10, 10\n"
        "  RTEXT \"t\", 4, 0, 0, 10, 10, SS_NOTIFY\n"
        "  ICON 695, 5, 1, 2\n"
        "  ICON \"LOGO\", 6, 1, 2, 20, 20, SS_CENTERIMAGE\n"
        "  PUSHBUTTON \"p\", 8, 0, 0, 10, 10, WS_DISABLED | NOT WS_TABSTOP\n"
        "  CONTROL \"x\", 9, \"button\", BS_OWNERDRAW | WS_TABSTOP, 1, 2, 3, 4, WS_EX_STATICEDGE\n"
        "END\n";
    Script s;
    std::string error;
    ASSERT_TRUE(platform::rc::Read_Script_Text(text, "t.rc", s, error)) << error;
    const auto& d = s.dialogs.at(7);
    EXPECT_EQ(Find(d, 1)->style & BS_TYPEMASK, static_cast<DWORD>(BS_CHECKBOX));
    EXPECT_EQ(Find(d, 2)->style & BS_TYPEMASK, static_cast<DWORD>(BS_RADIOBUTTON));
    EXPECT_EQ(Find(d, 3)->style & BS_TYPEMASK, static_cast<DWORD>(BS_3STATE));
    EXPECT_EQ(Find(d, 4)->style & (SS_TYPEMASK | SS_NOTIFY), static_cast<DWORD>(SS_RIGHT | SS_NOTIFY));
    EXPECT_EQ(Find(d, 5)->text_id, 695);
    EXPECT_EQ(Find(d, 5)->style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
    EXPECT_EQ(Find(d, 6)->text, L"LOGO");
    EXPECT_EQ(Find(d, 6)->cx, 20);
    EXPECT_TRUE(Find(d, 8)->style & WS_DISABLED);
    EXPECT_FALSE(Find(d, 8)->style & WS_TABSTOP);
    EXPECT_EQ(Find(d, 9)->class_name, L"Button");
    EXPECT_EQ(Find(d, 9)->style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(Find(d, 9)->ex_style, static_cast<DWORD>(WS_EX_STATICEDGE));
    // Without STYLE a dialog is a bordered pop-up with a system menu.
    EXPECT_EQ(d.style, static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_SYSMENU));
}

// The style of each statement is its class's default combined with the written style: NOT
// takes a bit out of the default and of what stands before it, a bit written after it adds
// it again; a combo box's default stands only for a statement without a style.
TEST(ResourceScript, ControlStylesCombineTheDefaultWithTheWrittenStyle) {
    constexpr DWORD CV = WS_CHILD | WS_VISIBLE;
    struct Case {
        const char* statement;
        DWORD style;
    };
    const Case cases[] = {
        {"COMBOBOX 1, 0, 0, 9, 9", CV | CBS_SIMPLE | WS_TABSTOP},
        {"COMBOBOX 1, 0, 0, 9, 9, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP", CV | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP},
        {"COMBOBOX 1, 0, 0, 9, 9, CBS_DROPDOWN", CV | CBS_DROPDOWN},
        {"COMBOBOX 1, 0, 0, 9, 9, CBS_DROPDOWNLIST | NOT WS_VISIBLE | WS_TABSTOP",
         WS_CHILD | CBS_DROPDOWNLIST | WS_TABSTOP},
        {"COMBOBOX 1, 0, 0, 9, 9, WS_VSCROLL", CV | WS_VSCROLL},
        {"CONTROL \"\", 1, \"ComboBox\", CBS_DROPDOWN | WS_TABSTOP, 0, 0, 9, 9", CV | CBS_DROPDOWN | WS_TABSTOP},
        {"EDITTEXT 1, 0, 0, 9, 9", CV | ES_LEFT | WS_BORDER | WS_TABSTOP},
        {"EDITTEXT 1, 0, 0, 9, 9, ES_AUTOHSCROLL | NOT WS_BORDER", CV | ES_AUTOHSCROLL | WS_TABSTOP},
        {"EDITTEXT 1, 0, 0, 9, 9, NOT WS_BORDER | WS_BORDER", CV | WS_BORDER | WS_TABSTOP},
        {"EDITTEXT 1, 0, 0, 9, 9, ES_MULTILINE | NOT WS_TABSTOP | NOT WS_VISIBLE", WS_CHILD | ES_MULTILINE | WS_BORDER},
        {"LISTBOX 1, 0, 0, 9, 9, LBS_SORT | WS_VSCROLL", CV | LBS_NOTIFY | LBS_SORT | WS_BORDER | WS_VSCROLL},
        {"LTEXT \"t\", 1, 0, 0, 9, 9, NOT WS_GROUP", CV | SS_LEFT},
        {"CTEXT \"t\", 1, 0, 0, 9, 9, SS_NOTIFY", CV | SS_CENTER | WS_GROUP | SS_NOTIFY},
        {"RTEXT \"t\", 1, 0, 0, 9, 9", CV | SS_RIGHT | WS_GROUP},
        {"PUSHBUTTON \"p\", 1, 0, 0, 9, 9, NOT WS_VISIBLE", WS_CHILD | BS_PUSHBUTTON | WS_TABSTOP},
        {"DEFPUSHBUTTON \"d\", 1, 0, 0, 9, 9, WS_GROUP", CV | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
        {"AUTOCHECKBOX \"a\", 1, 0, 0, 9, 9", CV | BS_AUTOCHECKBOX | WS_TABSTOP},
        {"AUTORADIOBUTTON \"r\", 1, 0, 0, 9, 9, WS_GROUP | WS_TABSTOP", CV | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP},
        {"GROUPBOX \"g\", 1, 0, 0, 9, 9", CV | BS_GROUPBOX},
        {"SCROLLBAR 1, 0, 0, 9, 9", CV},
        {"ICON 695, 1, 0, 0", CV | SS_ICON},
        {"CONTROL \"x\", 1, \"Button\", BS_AUTOCHECKBOX | NOT WS_VISIBLE | WS_TABSTOP, 0, 0, 9, 9",
         WS_CHILD | BS_AUTOCHECKBOX | WS_TABSTOP},
        {"CONTROL \"\", 1, \"msctls_progress32\", WS_BORDER | NOT WS_VISIBLE, 0, 0, 9, 9", WS_CHILD | WS_BORDER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        Script s;
        std::string error;
        const std::string text = std::string("7 DIALOG 0, 0, 100, 100\nBEGIN\n  ") + c.statement + "\nEND\n";
        ASSERT_TRUE(platform::rc::Read_Script_Text(text, "t.rc", s, error)) << error;
        ASSERT_EQ(s.dialogs.at(7).controls.size(), 1u);
        EXPECT_EQ(s.dialogs.at(7).controls[0].style, c.style) << std::hex << s.dialogs.at(7).controls[0].style;
    }
}

TEST(ResourceScript, ErrorsNameFileAndLine) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"1 DIALOG 0, 0, 10\nBEGIN\nEND\n", "t.rc:2: expected ',' after width, found 'BEGIN'"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  PUSHBUTTON \"a\", 5, 1, 2\nEND\n", "t.rc:4: expected ',' after y, found 'END'"},
        {"1 DIALOG 0, 0, 10, 10\nSTYLE WS_BOGUS\nBEGIN\nEND\n", "t.rc:2: unknown name 'WS_BOGUS'"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  FANCYBUTTON \"a\", 5, 1, 2, 3, 4\nEND\n", "t.rc:3: unknown control 'FANCYBUTTON'"},
        {"STRINGTABLE\nBEGIN\n 5 \"open\n", "t.rc:3: unterminated string"},
        {"#include \"missing.h\"\n", "t.rc:1: cannot open include file \"missing.h\""},
        {"#ifdef X\n", "#if without #endif"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n", "t.rc:2: dialog without END"},
    };
    for (const auto& c : cases) {
        Script s;
        std::string error;
        EXPECT_FALSE(platform::rc::Read_Script_Text(c.text, "t.rc", s, error)) << c.text;
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

TEST(ResourceScript, DefinesAndConditionsChooseTheIds) {
    const char* text =
        "#define A 7\n#define B (A + 1)\n#ifndef A\n#define C 1\n#else\n#define C 2\n#endif\n"
        "#if defined(A) && !defined(Z)\nSTRINGTABLE BEGIN B \"b\" C, \"c\" END\n#endif\n";
    Script s;
    std::string error;
    ASSERT_TRUE(platform::rc::Read_Script_Text(text, "t.rc", s, error)) << error;
    EXPECT_EQ(s.strings.at(8), L"b");
    EXPECT_EQ(s.strings.at(2), L"c");
}

TEST_F(DialogTest, StringsOfTheRegisteredScriptLoad) {
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_HELLO));
    EXPECT_EQ(text, L"你好");
}

}  // namespace
