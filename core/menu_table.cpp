#include "core/menu_table.h"

#include "core/shortcut_table.h"

namespace {

constexpr Menu_Entry Item(int number, const wchar_t* label, bool closes = false)
{
    return {Menu_Entry::Kind::Item, number, label, closes};
}
constexpr Menu_Entry Separator() { return {Menu_Entry::Kind::Separator, 0, nullptr, false}; }
constexpr Menu_Entry Sub_Menu(const wchar_t* label) { return {Menu_Entry::Kind::Sub_Menu, 0, label, false}; }

}  // namespace

const wchar_t* const Menu_Popup_Name = L"K-批打印";

const Menu_Entry Menu_Table[] = {
    Item(1, L"单张打印到文件"),
    Separator(),
    Item(2, L"批打到文件(通用型)"),
    Separator(),
    Item(4, L"批打到文件(图框型)"),
    Separator(),
    Item(5, L"批打到纸张(新版)"),
    Item(16, L"批打到纸张(旧版)"),
    Separator(),
    Item(14, L"打印设置"),
    Sub_Menu(L"其余设置"),
    Item(9, L"快捷命令设置"),
    Separator(),
    Item(3, L"图框信息库管理"),
    Separator(),
    Item(6, L"签名库管理"),
    Separator(),
    Item(13, L"印章库管理"),
    Separator(),
    Item(12, L"卸载", true),
    Separator(),
    Sub_Menu(L"辅助功能"),
    Item(7, L"签名插入"),
    Item(8, L"签名授权"),
    Separator(),
    Item(17, L"生成外框"),
    Item(22, L"插入图框"),
    Separator(),
    Item(15, L"刷字符内容"),
    Item(19, L"刷图块属性"),
    Separator(),
    Item(20, L"当前图形的字体文件检查"),
    Item(21, L"当前图形的字体文件导出"),
    Separator(),
    Item(18, L"真彩色-->索引色", true),
    Separator(),
    Item(10, L"帮助..."),
    Separator(),
    Item(11, L"关于..."),
};

const int Menu_Table_Size = static_cast<int>(sizeof(Menu_Table) / sizeof(Menu_Table[0]));

CString Menu_Command_Name(int number)
{
    CString name;
    name.Format(L"KV_DivezUrez_%d", number);
    return name;
}

CString Menu_Label_With_Alias(int number, const wchar_t* label)
{
    CString text(label);
    // Sub-menu lines carry the number 0 and never an alias.
    const CString alias = number > 0 ? Get_Shortcut_Name(number) : CString();
    if (!alias.IsEmpty())
        text.Format(L"%s--%s", label, alias.GetString());
    return text;
}
