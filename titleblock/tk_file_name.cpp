// A recognised sheet's name from its definition's naming pattern: the letters A..F stand
// for the six title-block texts, T for the paper's display name, a doubled letter for the
// letter itself.
#include "core/file_name_rules.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheets.h"

namespace {

const wchar_t* const Pattern_Doubled_Letters[7] = {L"AA", L"BB", L"CC", L"DD", L"EE", L"FF", L"TT"};
const wchar_t* const Pattern_Doubled_Marks[7] = {L"1@9#51", L"1@9#52", L"1@9#53", L"1@9#54",
                                                 L"1@9#55", L"1@9#56", L"1@9#57"};
const wchar_t* const Pattern_Letters[7] = {L"A", L"B", L"C", L"D", L"E", L"F", L"T"};
const wchar_t* const Pattern_Letter_Marks[7] = {L"QQ11QQ", L"QQ22QQ", L"QQ33QQ", L"QQ44QQ",
                                                L"QQ55QQ", L"QQ66QQ", L"QQ77QQ"};

}  // namespace

void Plot_Drawing2::Build_File_Name()
{
    Name = TK != nullptr ? TK->Name_Rule : CString();
    for (int k = 0; k < 7; ++k)
        Name.Replace(Pattern_Doubled_Letters[k], Pattern_Doubled_Marks[k]);
    for (int k = 0; k < 7; ++k)
        Name.Replace(Pattern_Letters[k], Pattern_Letter_Marks[k]);
    for (int k = 0; k < 6; ++k)
        Name.Replace(Pattern_Letter_Marks[k], Text[k]);
    MyPaper paper(297, 210);
    Match_Paper(&paper);
    Name.Replace(Pattern_Letter_Marks[6], paper.Get_Display_Name(false, Portrait));
    for (int k = 0; k < 7; ++k)
        Name.Replace(Pattern_Doubled_Marks[k], Pattern_Letters[k]);
    Valid_File_Name(Name, true);
}

CString Join_Line_Breaks(const CString& text)
{
    CString joined = text;
    joined.Replace(Line_Break_Marker, g_TK_Library.Line_Separator);
    return joined;
}

void TK_List_Titles(CStringArray& titles)
{
    if (g_TK_Sheet_List == nullptr)
        return;
    for (INT_PTR i = 0; i < g_TK_Sheet_List->Sheets.GetSize(); ++i)
        titles.Add(Join_Line_Breaks(g_TK_Sheet_List->Sheets[i]->File_Name));
}
