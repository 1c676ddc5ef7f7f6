#include "core/shortcut_table.h"

#include "core/command_names.h"
#include "core/plot_config.h"
#include "core/text_tokens.h"
#include "win/win_codepage.h"

Shortcut_Table::Shortcut_Table() : m_Numbers(0, 8), m_Names(0, 8) {}

int Shortcut_Table::Find(int number) const
{
    for (int i = 0; i < m_Numbers.length(); ++i)
        if (m_Numbers[i] == number)
            return i;
    return -1;
}

void Shortcut_Table::Add(int number, const CString& name)
{
    m_Numbers.append(number);
    m_Names.append(name);
}

void Shortcut_Table::Clear()
{
    m_Numbers.removeAll();
    m_Names.removeAll();
}

CString Get_Shortcut_Name(int number)
{
    const int index = g_Plot_Config.Shortcuts.Find(number);
    return index >= 0 ? g_Plot_Config.Shortcuts.Name(index) : CString();
}

namespace {

bool Fits_Ansi_Code_Page(const CString& text)
{
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, 0, text.GetString(), text.GetLength(), nullptr, 0, nullptr, &lost);
    return lost == FALSE;
}

// One word on the command line that the host takes as a name of its own and the settings
// file writes and reads back unchanged.
bool Is_Single_Command_Name(const CString& alias)
{
    return Is_Plain_Token(alias) && alias[0] != L'_' && alias[0] != L'.' && Fits_Ansi_Code_Page(alias);
}

}  // namespace

int Find_Refused_Alias(const ZcArray<CString>& aliases, CString& message)
{
    for (int i = 0; i < aliases.length(); ++i) {
        const CString& alias = aliases[i];
        if (alias.IsEmpty())
            continue;
        const wchar_t* text = alias.GetString();
        if (!Is_Single_Command_Name(alias)) {
            message.Format(L"快捷命令 \"%s\" 不是单个命令名：\n\n不能含空白，不能以 _ 或 . 开头，只能用系统字符集中的字符 !", text);
            return i;
        }
        if (Is_Command_Name(text)) {
            message.Format(L"快捷命令 \"%s\" 已是CAD或本软件的命令名，请另取一个 !", text);
            return i;
        }
        for (int earlier = 0; earlier < i; ++earlier)
            if (aliases[earlier].CompareNoCase(alias) == 0) {
                message.Format(L"快捷命令 \"%s\" 已用于另一项功能，每个快捷命令只能对应一项功能 !", text);
                return i;
            }
    }
    message.Empty();
    return -1;
}
