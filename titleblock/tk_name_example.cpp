#include "titleblock/tk_name_example.h"

#include "core/file_name_rules.h"

namespace {

struct Doubled_Letter {
    const wchar_t* doubled;
    const wchar_t* place_holder;
    const wchar_t* letter;
};

const Doubled_Letter Doubled_Letters[] = {
    {L"AA", L"1@9#51", L"A"}, {L"BB", L"1@9#52", L"B"}, {L"CC", L"1@9#53", L"C"}, {L"DD", L"1@9#54", L"D"},
    {L"EE", L"1@9#55", L"E"}, {L"FF", L"1@9#56", L"F"}, {L"TT", L"1@9#57", L"T"},
};

// The sample text of each letter, in the order they are replaced: no sample holds a letter
// replaced after it.
const wchar_t* const Sample_Texts[][2] = {
    {L"A", L"建施03"}, {L"B", L"A"},      {L"C", L"一层建筑平面图"}, {L"D", L"2020.06.09"},
    {L"E", L"信息1"},  {L"F", L"信息2"}, {L"T", L"A1"},
};

}  // namespace

void Hide_Doubled_Letters(CString& pattern)
{
    for (const Doubled_Letter& d : Doubled_Letters)
        pattern.Replace(d.doubled, d.place_holder);
}

void Restore_Doubled_Letters(CString& text)
{
    for (const Doubled_Letter& d : Doubled_Letters)
        text.Replace(d.place_holder, d.letter);
}

CString TK_Name_Example(const CString& pattern)
{
    CString name = pattern;
    Hide_Doubled_Letters(name);
    for (const auto& sample : Sample_Texts)
        name.Replace(sample[0], sample[1]);
    Restore_Doubled_Letters(name);
    CString example = L"输出示例： " + name;
    Valid_File_Name(example, true);
    return example;
}
