#include "sheets/paper_table.h"

#include <cmath>
#include <cstdlib>

namespace {

struct Named_Size {
    const wchar_t* name;
    int long_side;
    int short_side;
};

// A5..A0 then B5..B0: the order in which sizes are snapped.
const Named_Size Named_Sizes[] = {
    {L"KV_A5", 210, 148},   {L"KV_A4", 297, 210},   {L"KV_A3", 420, 297},  {L"KV_A2", 594, 420},
    {L"KV_A1", 841, 594},   {L"KV_A0", 1189, 841},  {L"KV_B5", 250, 176},  {L"KV_B4", 353, 250},
    {L"KV_B3", 500, 353},   {L"KV_B2", 707, 500},   {L"KV_B1", 1000, 707}, {L"KV_B0", 1414, 1000},
};
constexpr int Class_A_Count = 6;

// A lengthened size: the base paper's long side times 1 + numerator / denominator.
struct Long_Size {
    const wchar_t* base;
    int numerator;
    int denominator;
    int long_side;
    int short_side;
};

const Long_Size Long_Sizes[Long_Paper_Count] = {
    {L"A3", 1, 2, 630, 297},   {L"A3", 1, 1, 841, 297},   {L"A3", 3, 2, 1051, 297},  {L"A3", 2, 1, 1261, 297},
    {L"A3", 5, 2, 1471, 297},  {L"A3", 3, 1, 1682, 297},  {L"A3", 7, 2, 1892, 297},
    {L"A2", 1, 8, 668, 420},   {L"A2", 1, 4, 743, 420},   {L"A2", 3, 8, 817, 420},   {L"A2", 1, 2, 891, 420},
    {L"A2", 5, 8, 965, 420},   {L"A2", 3, 4, 1040, 420},  {L"A2", 7, 8, 1115, 420},  {L"A2", 1, 1, 1189, 420},
    {L"A2", 9, 8, 1263, 420},  {L"A2", 5, 4, 1338, 420},  {L"A2", 11, 8, 1412, 420}, {L"A2", 3, 2, 1486, 420},
    {L"A2", 13, 8, 1560, 420}, {L"A2", 7, 4, 1635, 420},  {L"A2", 15, 8, 1709, 420}, {L"A2", 2, 1, 1783, 420},
    {L"A2", 17, 8, 1857, 420}, {L"A2", 9, 4, 1932, 420},  {L"A2", 19, 8, 2006, 420}, {L"A2", 5, 2, 2080, 420},
    {L"A1", 1, 8, 946, 594},   {L"A1", 1, 4, 1051, 594},  {L"A1", 3, 8, 1156, 594},  {L"A1", 1, 2, 1261, 594},
    {L"A1", 5, 8, 1367, 594},  {L"A1", 3, 4, 1471, 594},  {L"A1", 7, 8, 1576, 594},  {L"A1", 1, 1, 1682, 594},
    {L"A1", 9, 8, 1787, 594},  {L"A1", 5, 4, 1892, 594},  {L"A1", 11, 8, 1997, 594}, {L"A1", 3, 2, 2102, 594},
    {L"A0", 1, 8, 1338, 841},  {L"A0", 1, 4, 1486, 841},  {L"A0", 3, 8, 1635, 841},  {L"A0", 1, 2, 1783, 841},
    {L"A0", 5, 8, 1932, 841},  {L"A0", 3, 4, 2080, 841},  {L"A0", 7, 8, 2229, 841},  {L"A0", 1, 1, 2378, 841},
};

// Short sides of A5, B5, A4, B4 ... A0, B0 and the bases they name.
const Named_Size Base_Short_Sides[] = {
    {L"A5", 0, 148}, {L"B5", 0, 176}, {L"A4", 0, 210}, {L"B4", 0, 250}, {L"A3", 0, 297},  {L"B3", 0, 353},
    {L"A2", 0, 420}, {L"B2", 0, 500}, {L"A1", 0, 594}, {L"B1", 0, 707}, {L"A0", 0, 841}, {L"B0", 0, 1000},
};

const int Standard_Papers[][2] = {
    {297, 210},  {420, 297},  {594, 420},  {841, 594},  {1189, 841}, {743, 420},  {891, 420},
    {1040, 420}, {1189, 420}, {1051, 594}, {1261, 594}, {1471, 594}, {1682, 594}, {1338, 841},
    {1486, 841}, {1635, 841}, {1783, 841}, {1932, 841}, {2080, 841}, {2229, 841}, {2378, 841},
};

// The lengthened sizes a computed size snaps to (A2 and A1 at quarter steps only).
const int Long_Snap_Sizes[][2] = {
    {630, 297},  {841, 297},  {1051, 297}, {1261, 297}, {1471, 297}, {1682, 297}, {1892, 297},
    {743, 420},  {891, 420},  {1040, 420}, {1189, 420}, {1338, 420}, {1486, 420}, {1635, 420},
    {1783, 420}, {1932, 420}, {2080, 420}, {1051, 594}, {1261, 594}, {1471, 594}, {1682, 594},
    {1892, 594}, {2102, 594}, {1338, 841}, {1486, 841}, {1635, 841}, {1783, 841}, {1932, 841},
    {2080, 841}, {2229, 841}, {2378, 841},
};

constexpr wchar_t Division_Slash = L'\x2215';

double Relative_Off(int value, int target)
{
    return std::abs(static_cast<double>(value) - target) / target;
}

// "1+3-8" style suffix of a lengthened size.
CString Fraction_Text(const Long_Size& size)
{
    CString text;
    if (size.denominator == 1)
        text.Format(L"%d", size.numerator);
    else
        text.Format(L"%d-%d", size.numerator, size.denominator);
    return text;
}

CString Long_Size_Name(const Long_Size& size)
{
    CString name;
    name.Format(L"KV_%s_Plus_1+%s", size.base, Fraction_Text(size).GetString());
    return name;
}

// A decimal without trailing zeros: 0.375, 1.5, 2.
CString Decimal_Text(double value)
{
    CString text;
    text.Format(L"%.3f", value);
    while (text.Right(1) == L"0")
        text.Truncate(text.GetLength() - 1);
    if (text.Right(1) == L".")
        text.Truncate(text.GetLength() - 1);
    return text;
}

bool Is_A3(const Long_Size& size)
{
    return CString(size.base) == L"A3";
}

// The style-0 form: the lengthening as a fraction with the division slash.
CString Style_0_Form(const Long_Size& size)
{
    CString text = CString(size.base) + L"+" + Fraction_Text(size);
    text.Replace(L'-', Division_Slash);
    return text;
}

// Style 4: one "+" per quarter width (A3 included); odd eighths below one width as a
// fraction. Odd eighths above one width have no form of their own: the style-0 form.
CString Style_4_Form(const Long_Size& size)
{
    const int eighths = size.numerator * 8 / size.denominator;
    if (eighths % 2 == 1)
        return Style_0_Form(size);
    return CString(size.base) + CString(L'+', eighths / 2);
}

// The display form of lengthened row in styles 0..4 and 6.
CString Long_Size_Form(const Long_Size& size, int style)
{
    const double fraction = static_cast<double>(size.numerator) / size.denominator;
    const CString base = size.base;
    switch (style) {
    case 1:
        return base + L"+" + Decimal_Text(fraction);
    case 2:
        return Decimal_Text(1.0 + fraction) + base;
    case 3:
        return base + L"+" + Decimal_Text(fraction * (Is_A3(size) ? 2.0 : 4.0));
    case 4:
        return Style_4_Form(size);
    case 6:
        return base + L"+" + Decimal_Text(fraction * (Is_A3(size) ? 2.0 : 8.0));
    default:
        return Style_0_Form(size);
    }
}

// The naming followed by Convert_Paper_Name; none until Follow_Paper_Naming.
const int* Followed_Style = nullptr;
const CStringArray* Followed_Long_Names = nullptr;

// Index of the lengthened row whose name without "KV_" equals the name (case ignored), or -1.
int Find_Long_Row(const CString& name)
{
    for (int i = 0; i < Long_Paper_Count; ++i) {
        CString row = Long_Size_Name(Long_Sizes[i]);
        row.Replace(L"KV_", L"");
        if (row.CompareNoCase(name) == 0)
            return i;
    }
    return -1;
}

}  // namespace

CString MyPaper::Get_Name() const
{
    for (const Named_Size& size : Named_Sizes)
        if (Long_Side == size.long_side && Short_Side == size.short_side)
            return size.name;
    for (const Long_Size& size : Long_Sizes)
        if (Long_Side == size.long_side && Short_Side == size.short_side)
            return Long_Size_Name(size);
    CString name;
    for (const Named_Size& base : Base_Short_Sides)
        if (Short_Side == base.short_side) {
            name.Format(L"KV_%s_Plus_%d", base.name, Long_Side);
            return name;
        }
    name.Format(L"KV_%dx%d", Long_Side, Short_Side);
    return name;
}

CString MyPaper::Get_Display_Name(bool with_sizes, bool portrait) const
{
    CString name = Get_Name();
    Convert_Paper_Name(name);
    if (!with_sizes)
        return name;
    const int width = portrait ? Short_Side : Long_Side;
    const int height = portrait ? Long_Side : Short_Side;
    CString sizes;
    if (name.Find(L'A') < 0 && name.Find(L'B') < 0) {
        name.Format(L"%dx%d", width, height);
        return name;
    }
    sizes.Format(L" (%dx%d)", width, height);
    return name + sizes;
}

void MyPaper::Snap_To_Standard()
{
    Standard = false;
    int index = 0;
    for (const Named_Size& size : Named_Sizes) {
        const bool class_a = index++ < Class_A_Count;
        const double limit = class_a ? 0.01 : 0.003;
        if (Relative_Off(Long_Side, size.long_side) >= limit || Relative_Off(Short_Side, size.short_side) >= limit)
            continue;
        if (!class_a && (std::abs(Long_Side - size.long_side) >= 4 || std::abs(Short_Side - size.short_side) >= 4))
            continue;
        Long_Side = size.long_side;
        Short_Side = size.short_side;
        Standard = true;
        return;
    }

    index = 0;
    for (const Named_Size& size : Named_Sizes) {
        const double limit = index++ < Class_A_Count ? 0.01 : 0.003;
        const int base = size.short_side;
        if (Short_Side != 0 && Relative_Off(Short_Side, base) < limit) {
            Long_Side = static_cast<int>(static_cast<double>(base) / Short_Side * Long_Side + 0.5);
            Short_Side = base;
        }
    }

    for (const auto& size : Long_Snap_Sizes) {
        if (Relative_Off(Long_Side, size[0]) < 0.006 && Relative_Off(Short_Side, size[1]) < 0.006 &&
            std::abs(Long_Side - size[0]) < 6 && std::abs(Short_Side - size[1]) < 6) {
            Long_Side = size[0];
            Short_Side = size[1];
            Standard = true;
            return;
        }
    }
}

void Fill_Standard_Papers(Paper_Array& papers)
{
    for (const auto& size : Standard_Papers) {
        auto* paper = new MyPaper(size[0], size[1]);
        paper->Standard = true;
        papers.Add(paper);
    }
}

MyPaper* Add_Paper_Unique(Paper_Array& papers, int side_a, int side_b, bool& added)
{
    auto* paper = new MyPaper(side_a > side_b ? side_a : side_b, side_a < side_b ? side_a : side_b);
    paper->Snap_To_Standard();
    for (INT_PTR i = 0; i < papers.GetSize(); ++i) {
        MyPaper* found = papers[i];
        if (found->Long_Side == paper->Long_Side && found->Short_Side == paper->Short_Side) {
            delete paper;
            added = false;
            return found;
        }
    }
    papers.Add(paper);
    added = true;
    return paper;
}

void Add_Paper(Paper_Array& papers, MyPaper* paper)
{
    paper->Snap_To_Standard();
    papers.Add(paper);
}

MyPaper* Find_Paper_By_Name(const Paper_Array& papers, const CString& name)
{
    for (INT_PTR i = 0; i < papers.GetSize(); ++i)
        if (papers[i]->Get_Name().CompareNoCase(name) == 0)
            return papers[i];
    return nullptr;
}

void Remove_Duplicate_Papers(Paper_Array& papers)
{
    for (INT_PTR i = 0; i < papers.GetSize(); ++i) {
        const MyPaper* kept = papers[i];
        for (INT_PTR j = papers.GetSize() - 1; j > i; --j) {
            MyPaper* later = papers[j];
            if (later->Long_Side == kept->Long_Side && later->Short_Side == kept->Short_Side) {
                papers.RemoveAt(j);
                delete later;
            }
        }
    }
}

void Follow_Paper_Naming(const int& style, const CStringArray& long_names)
{
    Followed_Style = &style;
    Followed_Long_Names = &long_names;
}

void Convert_Paper_Name(CString& name)
{
    static const CStringArray No_Names;
    Convert_Paper_Name_Style(name, Followed_Style ? *Followed_Style : 0,
                             Followed_Long_Names ? *Followed_Long_Names : No_Names);
}

void Convert_Paper_Name_Style(CString& name, int style, const CStringArray& long_names)
{
    name.Replace(L"KV_", L"");
    if (style == 7) {
        const int row = Find_Long_Row(name);
        if (row < 0)
            return;
        if (row < long_names.GetSize() && !long_names[row].IsEmpty())
            name = long_names[row];
        else
            name = Style_0_Form(Long_Sizes[row]);
        return;
    }
    if (style == 5) {
        const int plus = name.Find(L"_Plus_");
        if (plus > 0)
            name = name.Left(plus) + L"+";
        return;
    }
    if (name.Find(L"_Plus_1+") <= 0) {
        name.Replace(L"_Plus", L"加长");
        return;
    }
    const int row = Find_Long_Row(name);
    if (row >= 0 && (style == 1 || style == 2 || style == 3 || style == 4 || style == 6)) {
        name = Long_Size_Form(Long_Sizes[row], style);
        return;
    }
    name.Replace(L"_Plus_1", L"");
    name.Replace(L'-', Division_Slash);
}
