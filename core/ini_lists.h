// The list file "Korvel.Ini" in the per-user folder: three string lists (the third
// holds the keys of the host profiles already set up) and two integers.
#pragma once

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

class Ini_Lists {
public:
    Ini_Lists() = default;
    // Saves the file when the lists hold what was loaded, then empties them.
    ~Ini_Lists();
    Ini_Lists(const Ini_Lists&) = delete;
    Ini_Lists& operator=(const Ini_Lists&) = delete;

    // Empties the lists and reads the file when it exists. A file that is there but
    // cannot be read whole is kept aside (Set_Aside_Unreadable_File); what was read
    // of it stays.
    void Load();
    // Records the current profile key in list 3, then writes the file; true when written.
    bool Save();
    // Empties the lists; the destructor then leaves the file alone.
    void Clear();

    static CString File_Path();

    CStringArray List_1;
    CStringArray List_2;
    CStringArray Profiles;    // list 3: keys of the host profiles set up
    int Ask_Scale = 0;        // the scale question was asked once
    int Spare = 0;            // stored and read back only

private:
    // False when the file is there but could not be read whole.
    bool Read_File();
    bool m_Loaded = false;
};

// "%d_%s" of the host year and the host profile, without blanks, upper case.
CString Get_Profile_Key();
// True when list 3 lacks the current profile key.
bool Is_New_Host_Profile(const Ini_Lists& lists);
