#include "titleblock/tk_sheet_order.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "sheets/sort_frames.h"

namespace {

std::vector<Plot_Drawing2*> TK_Sheet_Vector(const TK_Sheet_Array& sheets)
{
    std::vector<Plot_Drawing2*> out;
    out.reserve(sheets.GetSize());
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i)
        out.push_back(sheets[i]);
    return out;
}

// Puts the sheets back in the new order and numbers the markers 1..n.
void Store_TK_Order(TK_Sheet_Array& sheets, const std::vector<Plot_Drawing2*>& ordered)
{
    for (size_t i = 0; i < ordered.size(); ++i) {
        sheets[static_cast<INT_PTR>(i)] = ordered[i];
        ordered[i]->Set_Marker(static_cast<int>(i + 1), -1);
    }
}

// Start of the run of decimal digits that ends the text (its length when there is none).
int Trailing_Digits_Start(const CString& text)
{
    int start = text.GetLength();
    while (start > 0 && text[start - 1] >= L'0' && text[start - 1] <= L'9')
        --start;
    return start;
}

// The digit run's value compared with the other's, as -1, 0 or 1, without converting.
int Compare_Digit_Runs(const wchar_t* a, int a_length, const wchar_t* b, int b_length)
{
    while (a_length > 1 && *a == L'0') {
        ++a;
        --a_length;
    }
    while (b_length > 1 && *b == L'0') {
        ++b;
        --b_length;
    }
    if (a_length != b_length)
        return a_length < b_length ? -1 : 1;
    for (int i = 0; i < a_length; ++i)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return 0;
}

}  // namespace

bool Compare_Drawing_No(const CString& a, const CString& b)
{
    const int a_start = Trailing_Digits_Start(a), b_start = Trailing_Digits_Start(b);
    const bool both_numbered = a_start < a.GetLength() && b_start < b.GetLength();
    const bool same_rest = a_start == b_start && std::wmemcmp(a.GetString(), b.GetString(), a_start) == 0;
    if (!both_numbered || !same_rest)
        return a.Compare(b) > 0;
    return Compare_Digit_Runs(a.GetString() + a_start, a.GetLength() - a_start, b.GetString() + b_start,
                              b.GetLength() - b_start) > 0;
}

void Sort_TK_By_Position(TK_Sheet_Array& sheets, int sort_type)
{
    std::vector<Plot_Drawing2*> ordered = TK_Sheet_Vector(sheets);
    if (sort_type == 9)
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const Plot_Drawing2* a, const Plot_Drawing2* b) { return a->Seq_No < b->Seq_No; });
    else
        ordered = Order_Sheets_By_Position(ordered, sort_type);
    Store_TK_Order(sheets, ordered);
}

void Sort_TK_By_Number(TK_Sheet_Array& sheets)
{
    std::vector<Plot_Drawing2*> numbered, unnumbered;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i)
        (sheets[i]->Text[0].IsEmpty() ? unnumbered : numbered).push_back(sheets[i]);
    // A bubble sort: drawing numbers need not be totally ordered ("A1x" < "A2" < "A10" <
    // "A1x"), and the order must not depend on how a library sort handles that.
    for (size_t end = numbered.size(); end > 1; --end) {
        bool swapped = false;
        for (size_t j = 0; j + 1 < end; ++j)
            if (Compare_Drawing_No(numbered[j]->Text[0], numbered[j + 1]->Text[0])) {
                std::swap(numbered[j], numbered[j + 1]);
                swapped = true;
            }
        if (!swapped)
            break;
    }
    numbered.insert(numbered.end(), unnumbered.begin(), unnumbered.end());

    auto priority_of = [](const Plot_Drawing2* sheet) {
        const int priority = sheet->TK != nullptr ? sheet->TK->Priority : -1;
        return priority >= 0 && priority <= 8 ? priority : 9;
    };
    std::stable_sort(numbered.begin(), numbered.end(), [&](const Plot_Drawing2* a, const Plot_Drawing2* b) {
        return priority_of(a) < priority_of(b);
    });
    Store_TK_Order(sheets, numbered);
}

void Sort_TK_Sheets(TK_Sheet_List& list, bool position_only, int sort_type)
{
    Sort_TK_By_Position(list.Sheets, sort_type);
    if (!position_only)
        Sort_TK_By_Number(list.Sheets);
}
