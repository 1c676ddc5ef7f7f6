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
        // Small value dialogs, print order, unequal margins, single-plot settings, naming rule.
        {IDD_DLG_FILENAME, {L"修改文件名", 173, 50, {{IDC_EDIT_TEXT, L"Edit", 0, 0, nullptr, true}}}},
        {IDD_DLG_FILTER, {L"修改图纸过滤系数", 245, 59, {{IDC_SECOND_EDIT, L"Edit", 0, 0, nullptr, true}}}},
        {IDD_DLG_NEW_PAPER,
         {L"自定义纸张", 177, 52,
          {{IDC_FIRST_EDIT, L"Edit", 0, 0, nullptr, true}, {IDC_SECOND_EDIT, L"Edit", 0, 0, nullptr, true}}}},
        {IDD_DLG_PLOTSHEET_DEFAULT,
         {L"默认打印样式", 209, 126,
          {{IDC_RADIO_1, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"以文件自身页面设置中的打印样式为默认打印样式", true},
           {IDC_RADIO_2, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"以软件上次打印所采用的打印样式为默认打印样式", true},
           {IDC_RADIO_3, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"直接指定默认打印样式", true},
           {IDC_STYLE_COMBO, L"ComboBox", 0, 0, nullptr, true}}}},
        {IDD_DLG_SC_SET, {L"修改打印比例", 153, 52, {{IDC_SCALE_EDIT, L"Edit", 0, 0, nullptr, true}}}},
        {IDD_DLG_SC_SETW,
         {L"修改默认打印比例、图纸过滤设置", 245, 106,
          {{IDC_SCALE_EDIT, L"Edit", 0, 0, nullptr, true},
           {IDC_AUTO_SCALE_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"自动识别", false},
           {IDC_SECOND_EDIT, L"Edit", 0, 0, nullptr, true}}}},
        {IDD_DLG_STR, {L"修改文件名", 133, 50, {{IDC_EDIT_TEXT, L"Edit", 0, 0, nullptr, true}}}},
        {IDD_DLG_SORTTYPE,
         {L"DWG内图形打印顺序", 161, 146,
          {{IDC_PICTURE, L"Static", SS_TYPEMASK, SS_OWNERDRAW, nullptr, true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确  定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取  消", true}}}},
        {IDD_DLG_UNEQUAL_EDGE,
         {L"不等边留白设置", 335, 254,
          {{IDC_GROUP_LAND, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"横幅纸张上下左右留白(mm)", true},
           {IDC_GROUP_PORT, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"竖幅纸张上下左右留白(mm)", true},
           {IDC_EDIT_TEXT, L"Edit", 0, 0, nullptr, true},
           {IDC_EDIT_TEXT2, L"Edit", 0, 0, nullptr, true},
           {IDC_LAND_PREVIEW, L"Static", 0, 0, nullptr, true},
           {IDC_PORT_PREVIEW, L"Static", 0, 0, nullptr, true},
           {IDC_RADIO_1, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON,
            L"正值留白：保持打印比例不变，通过放大纸张尺寸来对周边进行留白", true},
           {IDC_RADIO_2, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON,
            L"负值留白：保持纸张尺寸不变，通过调整打印比例(即缩小打印图形)来对周边进行留白", true}}}},
        {IDD_DLG_SINGLEPLOT_SETTING,
         {L"打印设置", 215, 150,
          {{IDC_STYLE_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_FORMAT_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_MARGIN_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_SCALE_EDIT, L"Edit", 0, 0, nullptr, true},
           {IDC_AUTO_SCALE_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"自动识别", false},
           {IDC_ASK_NAME_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"自主选择文件存储", true},
           {IDC_DWG_BLOCK_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"DWG拆分时保存为图块", false},
           {IDC_SIGN_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打 印 签 名", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"关  闭", true},
           {IDC_STYLE_EDIT_BUTTON, L"Button", 0, 0, nullptr, true},
           {IDC_SWATCH, L"Static", 0, 0, nullptr, true}}}},
        {IDD_DLG_NAME_RULE,
         {L"文件命名规则设置", 300, 190,
          {{IDC_PREFIX, L"Edit", 0, 0, nullptr, true},
           {IDC_START_NO, L"Edit", 0, 0, nullptr, true},
           {IDC_SUFFIX, L"Edit", 0, 0, nullptr, true},
           {IDC_DIGITS_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_EXAMPLE, L"Static", 0, 0,
            L"示   例\n\n文件01\n\n文件02\n\n文件03\n\n..........\n\n文件11\n\n文件12", true},
           {IDC_PICTURE, L"Static", SS_TYPEMASK, SS_OWNERDRAW, nullptr, true}}}},
        {IDD_DLG_SIGNCER,
         {L"签名授权", 260, 180,
          {{IDC_SIGN_CER_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"关  闭", true}}}},
        {IDD_DLG_CER,
         {L"签名授权", 180, 70,
          {{IDC_SIGN_CODE_EDIT, L"Edit", 0, 0, nullptr, true},
           {IDC_SIGN_DAYS_EDIT, L"Edit", 0, 0, nullptr, true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确 定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取 消", true}}}},
        {IDD_DLG_BPLOT1,
         {L"批打印至文件", 433, 291,
          {{IDC_BP1_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_BP1_STYLE_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP1_MARGIN_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP1_FORMAT_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP1_FOLDER_MODE_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP1_SIGN_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印签名", true},
           {IDC_BP1_MERGE_PDF, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"合并PDF", true},
           {IDC_BP1_DWG_BLOCK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"存为图块", false},
           {IDC_BP1_PROGRESS, L"msctls_progress32", 0, 0, nullptr, false},
           {IDC_BP1_INTERRUPT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"中 断 打 印", false},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"打 印", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取 消", true}}}},
        {IDD_DLG_PUT_TK_SETTING,
         {L"图框插入设置", 381, 236,
          {{IDC_PTK_MODE_CENTRE, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"点取中心点", true},
           {IDC_PTK_MODE_CORNER, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"点取角点", true},
           {IDC_PTK_MODE_WRAP, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"选图形套图框", true},
           {IDC_PTK_SCALE_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_PTK_TEXT_POS, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"不生成", true},
           {IDC_PTK_ADD, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"添  加  图  框", true},
           {IDC_PTK_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_PTK_FOLDER, L"Static", 0, 0, L"存储路径", true},
           {IDC_PTK_PREVIEW, L"Static", 0, 0, nullptr, true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"关  闭", true}}}},
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
