#include "titleblock/name_rule_example.h"

#include "core/file_name_rules.h"

namespace {

CString With_Paper(CString text, const wchar_t* size_text, const wchar_t* paper_text)
{
    text.Replace(L"纸张尺寸", size_text);
    text.Replace(L"纸张", paper_text);
    return text;
}

}  // namespace

CString Name_Rule_Example(const CString& prefix, int start_no, const CString& suffix, int digits_index)
{
    const CString p1 = With_Paper(prefix, L"A1(841x594)", L"A1"), s1 = With_Paper(suffix, L"A1(841x594)", L"A1");
    const CString p2 = With_Paper(prefix, L"A2(594x420)", L"A2"), s2 = With_Paper(suffix, L"A2(594x420)", L"A2");
    const int d = digits_index + 1, n = start_no;
    CString example = L"示   例\n\n" + p1 + Format_No(n, d) + s1;
    example += L"\n\n" + p1 + Format_No(n + 1, d) + s1;
    example += L"\n\n" + p2 + Format_No(n + 2, d) + s2;
    example += L"\n\n..........";
    example += L"\n\n" + p2 + Format_No(n + 10, d) + s2;
    example += L"\n\n" + p2 + Format_No(n + 11, d) + s2;
    Valid_File_Name(example, false);
    return example;
}
