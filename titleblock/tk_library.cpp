#include "titleblock/tk_library.h"

#include <algorithm>

#include "core/extents_checks.h"
#include "sheets/paper_table.h"
#include "titleblock/tk_sheets.h"

TK_Library g_TK_Library;

namespace {

// Paper names everywhere follow the library's naming of lengthened papers.
[[maybe_unused]] const bool Paper_Naming_Followed =
    (Follow_Paper_Naming(g_TK_Library.Paper_Name_Style, g_TK_Library.Long_Paper_Names), true);

// The lengthened papers: A3 in halves, A2, A1 and A0 in eighths; "∕" is U+2215.
const wchar_t* const Default_Long_Paper_Names[Long_Paper_Count] = {
    L"A3+1∕2",  L"A3+1",    L"A3+3∕2",  L"A3+2",    L"A3+5∕2",  L"A3+3",    L"A3+7∕2",
    L"A2+1∕8",  L"A2+1∕4",  L"A2+3∕8",  L"A2+1∕2",  L"A2+5∕8",  L"A2+3∕4",  L"A2+7∕8",
    L"A2+1",    L"A2+9∕8",  L"A2+5∕4",  L"A2+11∕8", L"A2+3∕2",  L"A2+13∕8", L"A2+7∕4",
    L"A2+15∕8", L"A2+2",    L"A2+17∕8", L"A2+9∕4",  L"A2+19∕8", L"A2+5∕2",
    L"A1+1∕8",  L"A1+1∕4",  L"A1+3∕8",  L"A1+1∕2",  L"A1+5∕8",  L"A1+3∕4",  L"A1+7∕8",
    L"A1+1",    L"A1+9∕8",  L"A1+5∕4",  L"A1+11∕8", L"A1+3∕2",
    L"A0+1∕8",  L"A0+1∕4",  L"A0+3∕8",  L"A0+1∕2",  L"A0+5∕8",  L"A0+3∕4",  L"A0+7∕8",  L"A0+1",
};

void Set_Default_Columns(TK_Library& library)
{
    library.Cat_Col_Widths.RemoveAll();
    library.Cat_Col_Kinds.RemoveAll();
    for (double width : {900.0, 2300.0, 9850.0})
        library.Cat_Col_Widths.Add(width);
    for (int kind : {0, 1, 3})
        library.Cat_Col_Kinds.Add(kind);
}

// A text letter of a naming pattern with its range and its two messages.
struct Name_Letter {
    wchar_t letter;
    const ZcDbExtents TK_Customization::*range;
    const wchar_t* while_defining;
    const wchar_t* in_library;
};

const Name_Letter Name_Letters[] = {
    {L'A', &TK_Customization::Range_A, L"文件命名中包含图号(A)，但未点取图号(A)范围",
     L"文件命名中包含图号(A)，但图框信息录入时未录入图号范围"},
    {L'B', &TK_Customization::Range_B, L"文件命名中包含版次(B)，但未点取版次(B)范围",
     L"文件命名中包含版次(B)，但图框信息录入时未录入版次范围"},
    {L'C', &TK_Customization::Range_C, L"文件命名中包含图名(C)，但未点取图名(C)范围",
     L"文件命名中包含图名(C)，但图框信息录入时未录入图名范围"},
    {L'D', &TK_Customization::Range_D, L"文件命名中包含日期(D)，但未点取日期(D)范围",
     L"文件命名中包含日期(D)，但图框信息录入时未录入日期范围"},
    {L'E', &TK_Customization::Range_E, L"文件命名中包含信息1(E)，但未点取信息1(E)范围",
     L"文件命名中包含信息1(E)，但图框信息录入时未录入信息1范围"},
    {L'F', &TK_Customization::Range_F, L"文件命名中包含信息2(F)，但未点取信息2(F)范围",
     L"文件命名中包含信息2(F)，但图框信息录入时未录入信息2范围"},
};

}  // namespace

TK_Library::TK_Library()
{
    Set_Default_Columns(*this);
    Reset_Long_Paper_Names(Long_Paper_Names);
}

// At module exit the title-block window and its sheets are long gone.
TK_Library::~TK_Library() { Delete_All_Objects(Records); }

void TK_Library::Clear()
{
    const std::vector<Sheet_Binding> bindings = Sheet_Bindings();
    Clear_Contents();
    Rebind_Sheets(bindings);
}

void TK_Library::Clear_Contents()
{
    Delete_All_Objects(Records);
    Cat_Col_Widths.RemoveAll();
    Cat_Col_Kinds.RemoveAll();
    Reset_Long_Paper_Names(Long_Paper_Names);
}

TK_Customization* TK_Library::Find(const CString& block_name) const
{
    for (INT_PTR i = 0; i < Records.GetSize(); ++i)
        if (Records[i]->Block_Name.CompareNoCase(block_name) == 0)
            return Records[i];
    return nullptr;
}

std::vector<TK_Library::Sheet_Binding> TK_Library::Sheet_Bindings() const
{
    std::vector<Sheet_Binding> bindings;
    if (g_TK_Sheet_List == nullptr || !Binds_Sheets)
        return bindings;
    const TK_Sheet_Array& sheets = g_TK_Sheet_List->Sheets;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) {
        const TK_Customization* tk = sheets[i]->TK;
        bindings.push_back({tk != nullptr, tk != nullptr ? tk->Block_Name : CString()});
    }
    return bindings;
}

void TK_Library::Rebind_Sheets(const std::vector<Sheet_Binding>& bindings)
{
    if (g_TK_Sheet_List == nullptr)
        return;
    TK_Sheet_Array& sheets = g_TK_Sheet_List->Sheets;
    for (INT_PTR i = std::min<INT_PTR>(sheets.GetSize(), static_cast<INT_PTR>(bindings.size())) - 1; i >= 0; --i) {
        if (!bindings[i].bound)
            continue;
        Plot_Drawing2* sheet = sheets[i];
        sheet->TK = Find(bindings[i].block_name);
        if (sheet->TK == nullptr) {
            sheets.RemoveAt(i);
            delete sheet;
        }
    }
}

void Reset_Long_Paper_Names(CStringArray& names)
{
    names.RemoveAll();
    for (const wchar_t* name : Default_Long_Paper_Names)
        names.Add(name);
}

bool Check_Name_Rule(const TK_Customization& record, CString& message, int wording)
{
    message.Empty();
    CString pattern = record.Name_Rule;
    for (const wchar_t* doubled : {L"AA", L"BB", L"CC", L"DD", L"EE", L"FF"})
        pattern.Replace(doubled, L"");
    bool passed = true;
    for (int i = 5; i >= 0; --i) {
        const Name_Letter& letter = Name_Letters[i];
        if (pattern.Find(letter.letter) < 0 || Check_Extents(record.*letter.range))
            continue;
        message = wording == 0 ? letter.while_defining : letter.in_library;
        passed = false;
    }
    return passed;
}

