#include "core/shortcut_table.h"

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
