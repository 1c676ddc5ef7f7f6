// The module's resource script: every template holds the controls the code uses, with
// the kind and text they are given, and the images the code loads exist.
#include <fstream>
#include <map>
#include <string>
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

// The kind bits of a combo box: simple, drop-down with an edit, or drop-down list.
constexpr DWORD Combo_Kind = CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST;

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
           {IDC_MARGIN_COMBO, L"ComboBox", Combo_Kind, CBS_DROPDOWN, nullptr, true},
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
           {IDC_BP1_MARGIN_COMBO, L"ComboBox", Combo_Kind, CBS_DROPDOWN, nullptr, true},
           {IDC_BP1_FORMAT_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP1_FOLDER_MODE_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP1_SIGN_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印签名", true},
           {IDC_BP1_MERGE_PDF, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"合并PDF", true},
           {IDC_BP1_DWG_BLOCK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"存为图块", false},
           {IDC_BP1_PROGRESS, L"msctls_progress32", 0, 0, nullptr, false},
           {IDC_BP1_INTERRUPT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"中 断 打 印", false},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"打 印", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取 消", true}}}},
        {IDD_DLG_BPLOT2,
         {L"批打印至文件", 543, 292,
          {{IDC_BP2_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_BP2_STYLE_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP2_MARGIN_COMBO, L"ComboBox", Combo_Kind, CBS_DROPDOWN, nullptr, true},
           {IDC_BP2_FORMAT_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP2_FOLDER_MODE_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_BP2_SIGN_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印签名", true},
           {IDC_BP2_STAMP_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印印章", true},
           {IDC_BP2_MERGE_PDF, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"合并PDF", true},
           {IDC_BP2_DWG_BLOCK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"存为图块", false},
           {IDC_BP2_NUMBER_ORDER, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"序号、排序", true},
           {IDC_BP2_CATALOGUE, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"生 成 目 录", true},
           {IDC_BP2_PROGRESS, L"msctls_progress32", 0, 0, nullptr, false},
           {IDC_BP2_INTERRUPT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"中 断 打 印", false},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"打 印", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取 消", true}}}},
        // Title-block naming.
        {IDD_DLG_TK_NAME,
         {L"文件命名规则设置", 330, 130,
          {{IDC_TK_NAME_PATTERN, L"Edit", 0, 0, nullptr, true},
           {IDC_DIGITS_COMBO, L"ComboBox", 0, 0, nullptr, false},
           {IDC_TK_NAME_DIGITS_LABEL, L"Static", SS_TYPEMASK, SS_LEFT, L"序号位数", false},
           {IDC_EXAMPLE, L"Static", 0, 0, L"输出示例： 文件名", true},
           {IDC_TK_NAME_LETTERS_TITLE, L"Static", 0, 0, L"文件命名用以下字母表示各类信息：", true},
           {IDC_TK_NAME_LETTERS, L"Static", 0, 0,
            L"A：图号    B：版次    C：图名    D：日期    E：信息1    F：信息2    T：图幅", true},
           {IDC_TK_NAME_DOUBLED, L"Static", 0, 0,
            L"（若文件名中要用A B C D E F T字母本身，可连填两个字母，如AA表示字母本身A）", true}}}},
        {IDD_DLG_TK_NAME_DEFINE,
         {L"自定义加长纸张命名", 230, 300,
          {{IDC_LONG_NAMES_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_LONG_NAME_EDIT, L"Edit", 0, 0, nullptr, false},
           {IDC_LONG_NAMES_RESET, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"重 置", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确 定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取 消", true}}}},
        // Shortcut commands and plot settings.
        {IDD_DLG_SHORTCUT,
         {L"快捷命令配置", 217, 266,
          {{IDC_SC_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_SC_EDIT, L"Edit", 0, 0, nullptr, false},
           {IDC_SC_CLEAR, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"清  空", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确  定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取  消", true}}}},
        {IDD_DLG_SETTING,
         {L"打印设置", 231, 455,
          {{IDC_SET_LINEWEIGHTS, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印线宽", true},
           {IDC_SET_PLOT_STAMP, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印戳记", true},
           {IDC_SET_TEXT_AS_GEOMETRY, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"文字转图形", true},
           {IDC_SET_OUTER_LINE, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"不留白时，打印最外边线", true},
           {IDC_SET_TRANSPARENCY, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印透明度", true},
           {IDC_SET_VECTOR_LABEL, L"Static", 0, 0, nullptr, true},
           {IDC_SET_VECTOR_SLIDER, L"msctls_trackbar32", 0, 0, nullptr, true},
           {IDC_SET_RASTER_LABEL, L"Static", 0, 0, nullptr, true},
           {IDC_SET_RASTER_SLIDER, L"msctls_trackbar32", 0, 0, nullptr, true},
           {IDC_SET_IMAGE_LABEL, L"Static", 0, 0, nullptr, true},
           {IDC_SET_IMAGE_SLIDER, L"msctls_trackbar32", 0, 0, nullptr, true},
           {IDC_SET_LINE_OVERLAY, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"直线覆盖", true},
           {IDC_SET_LINE_MERGE, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"直线合并", true},
           {IDC_SET_LINE_PICTURE, L"Static", SS_TYPEMASK, SS_OWNERDRAW, nullptr, true},
           {IDC_SET_LAYER_INFO, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"包含图层信息", true},
           {IDC_SET_ORIENTATION_KEEP, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"原始方向", true},
           {IDC_SET_ORIENTATION_LAND, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"全转横放", true},
           {IDC_SET_ORIENTATION_PORT, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"全转竖放", true},
           {IDC_SET_TURN_90, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, nullptr, true},
           {IDC_SET_TURN_270, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, nullptr, true},
           {IDC_SET_TURN_90_PICTURE, L"Static", SS_TYPEMASK | SS_NOTIFY, SS_OWNERDRAW | SS_NOTIFY, nullptr, true},
           {IDC_SET_TURN_270_PICTURE, L"Static", SS_TYPEMASK | SS_NOTIFY, SS_OWNERDRAW | SS_NOTIFY, nullptr, true},
           {IDC_SET_OPEN_FOLDER, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"批量打印单张后，打开所在文件夹", true},
           {IDC_SET_OPEN_MERGED_PDF, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"PDF合并完成后，打开该文件", true},
           {IDC_SET_FRAMES_PLINES, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L" PLine线形成的矩形 （必选）", true},
           {IDC_SET_FRAMES_LINES, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L" 零散直线组成的矩形", true},
           {IDC_SET_FRAMES_ALL_BLOCKS, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L" 所有的图块、外部参照", true},
           {IDC_SET_FRAMES_RECT_BLOCKS, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L" 仅最外框为矩形的图块、外部参照",
            true},
           {IDC_SET_SKIP_EMPTY, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L" 排除空白的矩形", true},
           {IDC_SET_GROUP_PRINT, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"1、打印设置", true},
           {IDC_SET_GROUP_VECTOR, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"2、PDF、DWF分辨率", true},
           {IDC_SET_GROUP_IMAGE, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"3、JPG、PNG按分辨率放大纸张", true},
           {IDC_SET_GROUP_PDF, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"4、PDF选项", true},
           {IDC_SET_GROUP_ORIENTATION, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"纸张方向", true},
           {IDC_SET_GROUP_OUTPUT, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"5、输出设置", true},
           {IDC_SET_GROUP_FRAMES, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"6、通用型批打 / 批打到纸张：以下图形视作打印外框",
            true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确  定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取  消", true}}}},
        {IDD_DLG_BPLOT3,
         {L"批打印至纸张", 359, 317,
          {{IDC_BP3_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_BP3_DEVICE_COMBO, L"ComboBox", CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, nullptr, true},
           {IDC_BP3_STYLE_COMBO, L"ComboBox", CBS_DROPDOWNLIST, CBS_DROPDOWNLIST, nullptr, true},
           {IDC_BP3_EDIT_STYLE, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, nullptr, true},
           {IDC_BP3_TO_PAPER, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"打印到纸张", true},
           {IDC_BP3_TO_PLT, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"输出为PLT", true},
           {IDC_BP3_COLLATE, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"逐份打印", true},
           {IDC_BP3_SIGN_CHECK, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印签名", true},
           {IDC_BP3_AUTO_ROTATE, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"自动旋转", false},
           {IDC_BP3_FILTER, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"过 滤", true},
           {IDC_BP3_SORT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"排 序", true},
           {IDC_BP3_PROGRESS, L"msctls_progress32", 0, 0, nullptr, false},
           {IDC_BP3_INTERRUPT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"中 断 打 印", false},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"打 印", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取 消", true}}}},
        // Stamps.
        {IDD_DLG_STAMP_LIB,
         {L"印章库管理", 420, 250,
          {{IDC_STAMP_LIB_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_STAMP_LIB_PATH, L"Static", 0, 0, nullptr, true},
           {IDC_STAMP_LIB_JITTER, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"印章随机旋转微小角度", true},
           {IDC_STAMP_LIB_BEHIND, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"印章后置", true},
           {IDC_STAMP_LIB_ADD, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"录入新印章", true},
           {IDC_STAMP_LIB_EXPORT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"导出印章库", true},
           {IDC_STAMP_LIB_IMPORT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"导入印章库", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确  定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取  消", true}}}},
        {IDD_DLG_STAMP,
         {L"印章", 300, 170,
          {{IDC_STAMP_PICTURE, L"Static", 0, 0, nullptr, true},
           {IDC_STAMP_NAME, L"Edit", 0, 0, nullptr, true},
           {IDC_STAMP_CODE, L"Edit", 0, 0, nullptr, true},
           {IDC_STAMP_WIDTH, L"Edit", 0, 0, nullptr, true},
           {IDC_STAMP_DATE, L"SysDateTimePick32", 0, 0, nullptr, true},
           {IDC_STAMP_TYPE_REG, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"注册章", true},
           {IDC_STAMP_TYPE_ANY, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"不分类", true},
           {IDC_STAMP_NOTE_1, L"Static", 0, 0, L"注：授权码范围 0 - 999999", true},
           {IDC_STAMP_NOTE_2, L"Static", 0, 0, L"    授权码输入 0 表示无需授权", true}}}},
        {IDD_DLG_STAMPVIEW,
         {L"印章", 200, 170,
          {{IDC_STAMP_PICTURE, L"Static", 0, 0, nullptr, true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"关 闭", true}}}},
        {IDD_DLG_STAMPSIZE, {L"修改印章尺寸", 180, 60, {{IDC_STAMP_WIDTH, L"Edit", 0, 0, nullptr, true}}}},
        {IDD_DLG_DATE, {L"修改有效期", 180, 60, {{IDC_STAMP_DATE, L"SysDateTimePick32", 0, 0, nullptr, true}}}},
        {IDD_DLG_PSD,
         {L"授权码修改", 190, 95,
          {{IDC_PSD_OLD_CODE, L"Edit", 0, 0, nullptr, true},
           {IDC_PSD_NEW_CODE, L"Edit", 0, 0, nullptr, true},
           {IDC_PSD_OLD_LABEL, L"Static", 0, 0, L"原始授权码：", true},
           {IDC_PSD_NEW_LABEL, L"Static", 0, 0, L"新的授权码：", true}}}},
        {IDD_DLG_SIGN_LIB,
         {L"签名库管理", 360, 250,
          {{IDC_SIGN_LIB_LIST, L"SysListView32", 0, 0, nullptr, true},
           {IDC_SIGN_LIB_PATH, L"Static", 0, 0, nullptr, true},
           {IDC_SIGN_LIB_FILL_GROUP, L"Button", BS_TYPEMASK, BS_GROUPBOX, L"签名填充", true},
           {IDC_SIGN_LIB_FILL_HATCH, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"斜线填充", true},
           {IDC_SIGN_LIB_FILL_SOLID, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"实心填充", true},
           {IDC_SIGN_LIB_ADD, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"录入新签名", true},
           {IDC_SIGN_LIB_EXPORT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"导出签名库", true},
           {IDC_SIGN_LIB_IMPORT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"导入签名库", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确  定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取  消", true}}}},
        {IDD_DLG_SIGN,
         {L"签名", 220, 190,
          {{IDC_SIGN_PICTURE, L"Static", 0, 0, nullptr, true},
           {IDC_SIGN_NAME, L"Edit", 0, 0, nullptr, true},
           {IDC_SIGN_CODE, L"Edit", 0, 0, nullptr, true},
           {IDC_SIGN_NOTE_1, L"Static", 0, 0, L"注：授权码范围 0 - 999999", true},
           {IDC_SIGN_NOTE_2, L"Static", 0, 0, L"    授权码输入 0 表示无需授权", true}}}},
        {IDD_DLG_SIGNVIEW,
         {L"签名", 200, 150,
          {{IDC_SIGN_PICTURE, L"Static", 0, 0, nullptr, true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"关 闭", true}}}},
        {IDD_DLG_STAMP_SELECT,
         {L"印章授权", 330, 130,
          {{IDC_SELECT_USE_1, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"注册章", true},
           {IDC_SELECT_USE_4, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"竣工章", true},
           {IDC_SELECT_COMBO_1, L"ComboBox", 0, 0, nullptr, true},
           {IDC_SELECT_CODE_4, L"Edit", 0, 0, nullptr, true},
           {IDC_SELECT_LABEL_1, L"Static", 0, 0, L"授权码：", true},
           {IDC_SELECT_MARK_4, L"Static", 0, 0, nullptr, true},
           {IDC_SELECT_MESSAGE_1, L"Static", 0, 0, nullptr, false},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确 定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取 消", true}}}},
        // Old batch plot to paper.
        {IDD_DLG_BPLOT,
         {L"批打印到纸张（旧版）", 323, 307,
          {{IDC_BPO_PRINTER, L"Static", SS_TYPEMASK, SS_LEFT, L"打印机: 未选择打印机", true},
           {IDC_BPO_PAPER, L"Static", SS_TYPEMASK, SS_LEFT, L"纸  张: 未选择纸张", true},
           {IDC_BPO_PAGE_SETUP, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"打印设置", true},
           {IDC_BPO_MODE_BLOCKS, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"指定图块", true},
           {IDC_BPO_MODE_LAYERS, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"指定图层上封闭矩形", true},
           {IDC_BPO_MODE_RECTS, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"自行选择封闭矩形", true},
           {IDC_BPO_MODE_POINTS, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"自行选点确定", true},
           {IDC_BPO_MODE_SETS, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"自行选择图集确定打印范围", true},
           {IDC_BPO_NAME_LIST, L"ListBox", LBS_OWNERDRAWFIXED, LBS_OWNERDRAWFIXED, nullptr, true},
           {IDC_BPO_PICK_BLOCKS, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"从图中选择图块", true},
           {IDC_BPO_PICK_LAYERS, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"从图中选择图层", true},
           {IDC_BPO_MARGIN_LABEL, L"Static", SS_TYPEMASK, SS_LEFT, L"打印范围从图集周边外扩：", true},
           {IDC_BPO_MARGIN, L"Edit", 0, 0, nullptr, true},
           {IDC_BPO_ORDER, L"Static", SS_TYPEMASK, SS_OWNERDRAW, nullptr, true},
           {IDC_BPO_COPIES_LABEL, L"Static", SS_TYPEMASK, SS_LEFT, L"打印份数：", true},
           {IDC_BPO_COPIES, L"Edit", 0, 0, nullptr, true},
           {IDC_BPO_AUTO_ROTATE, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"自动旋转", true},
           {IDC_BPO_TO_PLT, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"打印到PLT文件", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"打 印", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取 消", true}}}},
        // Batch over several drawing files (2021 flavour).
        {IDD_DLG_MULTIFILES,
         {L"多文件打印", 453, 291,
          {{IDC_MF_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_MF_FORMAT, L"ComboBox", 0, 0, nullptr, true},
           {IDC_MF_MARGIN, L"ComboBox", Combo_Kind, CBS_DROPDOWN, nullptr, true},
           {IDC_MF_MARGIN_LABEL, L"Static", SS_TYPEMASK, SS_LEFT, L"周边留白", true},
           {IDC_MF_FOLDER_MODE, L"ComboBox", 0, 0, nullptr, true},
           {IDC_MF_FOLDER_LABEL, L"Static", SS_TYPEMASK, SS_LEFT, L"存储路径", true},
           {IDC_MF_PATH, L"Static", SS_TYPEMASK, SS_LEFT, nullptr, true},
           {IDC_MF_SWATCH, L"Static", SS_TYPEMASK, SS_BLACKFRAME, nullptr, true},
           {IDC_MF_MERGE_MANY, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"合并为多个PDF", true},
           {IDC_MF_MERGE_ONE, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"合并为一个PDF", true},
           {IDC_MF_MERGE_NONE, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"不合并PDF", true},
           {IDC_MF_MERGE_PICTURE, L"Static", 0, 0, nullptr, true},
           {IDC_MF_ADD_FILES, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"选 取 文 件", true},
           {IDC_MF_ADD_FOLDER, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"选取文件夹", true},
           {IDC_MF_COUNT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"图纸数量计算", true},
           {IDC_MF_PROGRESS, L"msctls_progress32", 0, 0, nullptr, false},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"打  印", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取  消", true}}}},
        {IDD_DLG_PUT_TK_SETTING,
         {L"图框插入设置", 381, 236,
          {{IDC_PTK_MODE_CENTRE, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"点取中心点", true},
           {IDC_PTK_MODE_CORNER, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"点取角点", true},
           {IDC_PTK_MODE_WRAP, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"选图形套图框", true},
           {IDC_PTK_SCALE_COMBO, L"ComboBox", Combo_Kind, CBS_DROPDOWN, nullptr, true},
           {IDC_PTK_TEXT_POS, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"不生成", true},
           {IDC_PTK_ADD, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"添  加  图  框", true},
           {IDC_PTK_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_PTK_FOLDER, L"Static", 0, 0, L"存储路径", true},
           {IDC_PTK_PREVIEW, L"Static", 0, 0, nullptr, true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"关  闭", true}}}},
        // Title-block library, definition and numbering dialogs.
        {IDD_DLG_TK_SET,
         {L"录入新图框", 330, 250,
          {{IDC_TKS_RANGE_A, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"点取图号(A)范围 □", true},
           {IDC_TKS_STAMP_4, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"点取竣工章放置范围 □", true},
           {IDC_TKS_PLOT_RANGE, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"调整图框打印范围 □", true},
           {IDC_TKS_PRIORITY, L"ComboBox", 0, 0, nullptr, true},
           {IDC_TKS_DYNAMIC, L"Static", 0, 0, L"（注：为动态图框）", true},
           {IDC_TKS_COPY, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"从已录图框复制信息", true}}}},
        {IDD_DLG_TK_DEFINE,
         {L"图框信息库管理", 520, 300,
          {{IDC_TKD_TAB, L"SysTabControl32", 0, 0, nullptr, true},
           {IDC_TKD_NEW, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"录入新图框", true},
           {IDC_TKD_IMPORT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"导入设置", true},
           {IDC_TKD_EXPORT, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"导出设置", true}}}},
        {IDD_DLG_TK_DEFINE1,
         {L"", 500, 235, {{IDC_TKD_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true}}}},
        {IDD_DLG_TK_DEFINE2,
         {L"", 500, 235,
          {{IDC_TKD2_ADD, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"增加列", true},
           {IDC_TKD2_DELETE, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"删除列", true},
           {IDC_TKD2_BORDER, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"绘制目录内容边框线", true},
           {IDC_TKD2_SUMMARY, L"Static", 0, 0, L"字型：Standard     字高：300     图层：0", true}}}},
        {IDD_DLG_TK_DEFINE3,
         {L"", 500, 235,
          {{IDC_TKD3_SEPARATOR, L"Edit", 0, 0, nullptr, true},
           {IDC_TKD3_STYLE_0, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"国标", true},
           {IDC_TKD3_STYLE_0 + 7, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"自定义加长纸张的命名方式", true},
           {IDC_TKD3_CENTRE_A, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"图号 (A)", true}}}},
        {IDD_DLG_NO_SET,
         {L"序号、顺序设置", 300, 205,
          {{IDC_NO_SET_INSERT, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"文件名前面插入序号", true},
           {IDC_PREFIX, L"Edit", 0, 0, nullptr, true},
           {IDC_DIGITS_COMBO, L"ComboBox", 0, 0, nullptr, true},
           {IDC_RADIO_1, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"按图框优先级 + 图号", true},
           {IDC_RADIO_2, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"按图中位置", true},
           {IDC_PICTURE, L"Static", SS_TYPEMASK, SS_OWNERDRAW, nullptr, true}}}},
        {IDD_DLG_TUHAO,
         {L"图号重编", 150, 205,
          {{IDC_PREFIX, L"Edit", 0, 0, nullptr, true},
           {IDC_START_NO, L"Edit", 0, 0, nullptr, true},
           {IDC_SUFFIX, L"Edit", 0, 0, nullptr, true},
           {IDC_EXAMPLE, L"Static", 0, 0,
            L"示   例\n\n文件01\n\n文件02\n\n文件03\n\n..........\n\n文件11\n\n文件12", true}}}},
        {IDD_DLG_FONT,
         {L"字体文件检查", 330, 262,
          {{IDC_FONT_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_FONT_SHOW_ALL, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"显示全部字体样式", true},
           {IDC_FONT_MISSING_LABEL, L"Static", 0, 0, L"以下红色字体文件缺失：", true},
           {IDC_FONT_REPLACE_STANDARD, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"一键替换所有缺失的标准字体文件", true},
           {IDC_FONT_REPLACE_BIG, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"一键替换所有缺失的大字体文件", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确  定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取  消", true},
           {IDC_FONT_OK_NO_REGEN, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, nullptr, false}}}},
        // Drafting tools.
        {IDD_DLG_REC_SETTING,
         {L"生成外框设置", 180, 120,
          {{IDC_REC_NO_MARGIN, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"生成的外框不外扩", true},
           {IDC_REC_FIXED_MARGIN, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"四周外扩固定尺寸", true},
           {IDC_REC_PERCENT_MARGIN, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, L"四周按短边长度比例外扩", true},
           {IDC_REC_MARGIN_EDIT, L"Edit", 0, 0, nullptr, true},
           {IDC_REC_PERCENT_EDIT, L"Edit", 0, 0, nullptr, true},
           {IDC_REC_PERCENT_LABEL, L"Static", 0, 0, L"%", true},
           {IDC_REC_SQRT2, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, L"外框长宽比标准化（1:√2）", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"确  定", true},
           {IDCANCEL, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"取  消", true}}}},
        {IDD_DLG_PROP_REVISE,
         {L"图块属性刷新", 223, 181,
          {{IDC_PROP_LIST, L"SysListView32", LVS_TYPEMASK, LVS_REPORT, nullptr, true},
           {IDC_PROP_REFRESH, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, L"选择图框刷新属性", true},
           {IDOK, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, L"退 出", true}}}},
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

namespace {

// The fields of a control statement, split at the commas outside its quoted text.
std::vector<std::string> Statement_Fields(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The style a control statement of the script gives its control, worked out from its line:
// the resource compiler's default style for the keyword, then each name of the style field
// in turn, NOT taking it out.
DWORD Statement_Style(const std::string& line)
{
    struct Form {
        int style_field;  // after the keyword; -1: no style field
        DWORD style;      // combined with the written style
        DWORD unstyled;   // the style when none is written
    };
    const std::map<std::string, Form> forms = {
        {"CONTROL", {3, 0, 0}},
        {"LTEXT", {6, SS_LEFT | WS_GROUP, SS_LEFT | WS_GROUP}},
        {"CTEXT", {6, SS_CENTER | WS_GROUP, SS_CENTER | WS_GROUP}},
        {"RTEXT", {6, SS_RIGHT | WS_GROUP, SS_RIGHT | WS_GROUP}},
        {"PUSHBUTTON", {6, BS_PUSHBUTTON | WS_TABSTOP, BS_PUSHBUTTON | WS_TABSTOP}},
        {"DEFPUSHBUTTON", {6, BS_DEFPUSHBUTTON | WS_TABSTOP, BS_DEFPUSHBUTTON | WS_TABSTOP}},
        {"AUTOCHECKBOX", {6, BS_AUTOCHECKBOX | WS_TABSTOP, BS_AUTOCHECKBOX | WS_TABSTOP}},
        {"AUTORADIOBUTTON", {6, BS_AUTORADIOBUTTON, BS_AUTORADIOBUTTON}},
        {"CHECKBOX", {6, BS_CHECKBOX | WS_TABSTOP, BS_CHECKBOX | WS_TABSTOP}},
        {"RADIOBUTTON", {6, BS_RADIOBUTTON, BS_RADIOBUTTON}},
        {"STATE3", {6, BS_3STATE | WS_TABSTOP, BS_3STATE | WS_TABSTOP}},
        {"AUTO3STATE", {6, BS_AUTO3STATE | WS_TABSTOP, BS_AUTO3STATE | WS_TABSTOP}},
        {"PUSHBOX", {6, BS_PUSHBOX | WS_TABSTOP, BS_PUSHBOX | WS_TABSTOP}},
        {"GROUPBOX", {6, BS_GROUPBOX, BS_GROUPBOX}},
        {"ICON", {6, SS_ICON, SS_ICON}},
        {"SCROLLBAR", {5, 0, 0}},
        {"EDITTEXT", {5, ES_LEFT | WS_BORDER | WS_TABSTOP, ES_LEFT | WS_BORDER | WS_TABSTOP}},
        {"COMBOBOX", {5, 0, CBS_SIMPLE | WS_TABSTOP}},
        {"LISTBOX", {5, LBS_NOTIFY | WS_BORDER, LBS_NOTIFY | WS_BORDER}},
    };
    const std::string text = Trimmed(line);
    const size_t blank = text.find_first_of(" \t");
    const auto form = forms.find(text.substr(0, blank));
    if (form == forms.end()) {
        ADD_FAILURE() << "a statement this sweep does not know: " << text;
        return 0;
    }
    const std::vector<std::string> fields = Statement_Fields(text.substr(blank));
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (static_cast<int>(fields.size()) <= form->second.style_field)
        return style | form->second.unstyled;
    style |= form->second.style;
    std::string names = fields[form->second.style_field] + "|";
    for (size_t bar; (bar = names.find('|')) != std::string::npos; names.erase(0, bar + 1)) {
        std::string name = Trimmed(names.substr(0, bar));
        const bool taken_out = name.rfind("NOT ", 0) == 0;
        if (taken_out)
            name = Trimmed(name.substr(4));
        long value = 0;
        EXPECT_TRUE(platform::rc::Style_Constant(name, value)) << name;
        if (taken_out)
            style &= ~static_cast<DWORD>(value);
        else
            style |= static_cast<DWORD>(value);
    }
    return style;
}

}  // namespace

TEST(Resource_Script, Every_Control_Gets_The_Style_Its_Statement_Writes)
{
    platform::rc::Script script;
    std::string error;
    ASSERT_TRUE(platform::rc::Read_Script(Resource_Script_Path(), script, error)) << error;
    std::vector<std::string> lines;
    {
        std::ifstream in(Resource_Script_Path());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
    }
    int controls = 0, editable_combos = 0;
    for (const auto& [id, dialog] : script.dialogs) {
        for (const platform::rc::Control& control : dialog.controls) {
            ASSERT_GE(control.line, 1);
            ASSERT_LE(control.line, static_cast<int>(lines.size()));
            const std::string& line = lines[control.line - 1];
            EXPECT_EQ(control.style, Statement_Style(line))
                << "template " << id << ", line " << control.line << ": " << line << " (read 0x" << std::hex
                << control.style << ")";
            ++controls;
            if (control.class_name == L"ComboBox" && (control.style & Combo_Kind) == CBS_DROPDOWN)
                ++editable_combos;
        }
    }
    EXPECT_GT(controls, 400);
    EXPECT_EQ(editable_combos, 5) << "the four margin combos and the frame insertion's scale step";
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

TEST_F(Resource_Images, The_Settings_Dialogs_Icons_And_Pictures_Load)
{
    const HINSTANCE module = Module_Resources();
    for (int id : {IDI_CLEAR_IDLE, IDI_CLEAR_HOVER})
        EXPECT_NE(LoadImage(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0), nullptr) << id;
    for (int id : {IDB_LINE_OVERLAY, IDB_LINE_MERGE, IDB_TURN_PORT_270, IDB_TURN_LAND_90, IDB_TURN_LAND_270,
                   IDB_TURN_PORT_90}) {
        CBitmap picture;
        EXPECT_TRUE(picture.Attach(LoadBitmap(module, MAKEINTRESOURCEW(id)))) << id;
    }
}
