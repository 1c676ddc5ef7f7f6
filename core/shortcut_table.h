// The user's aliases of the numbered commands: command numbers paired with alias names.
#pragma once

#include "mfc/afxstr.h"
#include "rx/zcarray.h"

class Shortcut_Table {
public:
    Shortcut_Table();

    // Index of the first entry with that command number, or -1.
    int Find(int number) const;
    void Add(int number, const CString& name);
    void Clear();

    int Count() const { return m_Numbers.length(); }
    int Number(int index) const { return m_Numbers[index]; }
    const CString& Name(int index) const { return m_Names[index]; }

private:
    // Parallel lists: entry i pairs m_Numbers[i] with m_Names[i].
    ZcArray<int32_t> m_Numbers;
    ZcArray<CString> m_Names;
};
