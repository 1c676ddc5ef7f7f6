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

// The alias of the numbered command in the program's table; empty when it has none.
CString Get_Shortcut_Name(int number);

// The first alias of the list (empty entries have no alias) that the host could not run
// as a command of its own, with the message saying why: one that is not a single command
// name the settings file keeps (white space, a leading "_" or "." that the host reads as
// a prefix, a character outside the ANSI code page), one that is already the name of a
// command, or one that an earlier entry has too (without regard to case). -1 when every
// alias can be registered.
int Find_Refused_Alias(const ZcArray<CString>& aliases, CString& message);
