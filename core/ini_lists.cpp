#include "core/ini_lists.h"

#include "core/checked_file_writer.h"
#include "core/file_stream.h"
#include "core/host_profile.h"
#include "core/option_fields.h"
#include "core/program_folders.h"
#include "core/string_helpers.h"
#include "core/text_tokens.h"
#include "core/unreadable_file.h"
#include "core/version_stamp.h"

namespace {

// A count and that many plain tokens; false when the list is cut short or its count
// is out of bounds (what was read stays).
bool Read_List(std::istream& in, CStringArray& list)
{
    int32_t count = 0;
    if (!Read_Token_Int(in, count) || count < 0 || count > Max_File_List_Count)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        CString text;
        if (!Read_Token_Plain(in, text))
            return false;
        list.Add(text);
    }
    return true;
}

// Strings that would not read back as one token are left out.
void Write_List(std::ostream& out, const CStringArray& list)
{
    int count = 0;
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        count += Is_Plain_Token(list[i]) ? 1 : 0;
    Write_Int_Line(out, count);
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (Is_Plain_Token(list[i]))
            Write_Plain_Line(out, list[i]);
}

}  // namespace

Ini_Lists::~Ini_Lists()
{
    if (m_Loaded)
        Save();
    Clear();
}

CString Ini_Lists::File_Path() { return g_Config_Folder + L"\\Korvel.Ini"; }

void Ini_Lists::Clear()
{
    List_1.RemoveAll();
    List_2.RemoveAll();
    Profiles.RemoveAll();
    m_Loaded = false;
}

void Ini_Lists::Load()
{
    Clear();
    Ask_Scale = 0;
    Spare = 0;
    m_Loaded = true;
    if (!Read_File())
        Set_Aside_Unreadable_File(File_Path());
}

bool Ini_Lists::Read_File()
{
    // Missing first (nothing to read), so that a file another session writes meanwhile is
    // never taken for one that is there but cannot be opened.
    if (!Check_File_Exists(File_Path(), false))
        return true;
    Input_File_Stream in(File_Path());
    if (!in.Is_Open())
        return false;
    int32_t stamp = 0;
    return Read_Token_Int(in, stamp) && Read_List(in, List_1) && Read_List(in, List_2) && Read_List(in, Profiles) &&
           Read_Token_Int(in, Ask_Scale) && Read_Token_Int(in, Spare);
}

bool Ini_Lists::Save()
{
    const CString key = Get_Profile_Key();
    if (!Find_String_No_Case(Profiles, key))
        Profiles.Add(key);
    Checked_File_Writer writer;
    writer.Open(File_Path());
    std::ostream& out = writer.Stream();
    Write_Int_Line(out, Program_Version_Stamp);
    Write_List(out, List_1);
    Write_List(out, List_2);
    Write_List(out, Profiles);
    Write_Int_Line(out, Ask_Scale);
    Write_Int_Line(out, Spare);
    return writer.Close(false);
}

CString Get_Profile_Key()
{
    CString key;
    key.Format(L"%d_%s", g_Host_Year, Host_Profile_Name());
    Remove_Blanks(key);
    key.MakeUpper();
    return key;
}

bool Is_New_Host_Profile(const Ini_Lists& lists) { return !Find_String_No_Case(lists.Profiles, Get_Profile_Key()); }
