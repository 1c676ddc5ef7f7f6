#include "titleblock/tk_customization.h"

#include "core/option_fields.h"
#include "core/text_tokens.h"

namespace {

// The dates from which a definition holds its later fields.
constexpr int32_t Since_Plot_Range = 20200629;
constexpr int32_t Since_Is_Dynamic = 20200726;
constexpr int32_t Since_Stamp_Range_4 = 20220607;

// A box as min x, min y, max x, max y. A box whose min exceeds its max reads as not set.
void Read_Range(Token_Field_Reader& reader, ZcDbExtents& range, int32_t since)
{
    double v[4] = {range.minPoint().x, range.minPoint().y, range.maxPoint().x, range.maxPoint().y};
    for (double& value : v)
        reader.Real(value, since);
    if (!reader.Reading())
        return;
    range = ZcDbExtents(ZcGePoint3d(v[0], v[1], 0.0), ZcGePoint3d(v[2], v[3], 0.0));
    if (!range.isValid())
        range = Zero_Extents();
}

void Write_Range(std::ostream& out, const ZcDbExtents& range)
{
    const ZcDbExtents box = range.isValid() ? range : Zero_Extents();
    Write_Real_Line(out, box.minPoint().x);
    Write_Real_Line(out, box.minPoint().y);
    Write_Real_Line(out, box.maxPoint().x);
    Write_Real_Line(out, box.maxPoint().y);
}

}  // namespace

bool TK_Customization::Read(std::istream& in, int32_t file_version)
{
    Token_Field_Reader reader(in, file_version, Stamp_Gate::At_Least);
    reader.Text(Title, 0);
    reader.Text(Block_Name, 0);
    reader.Text(Name_Rule, 0);
    reader.Real(Angle, 0);
    reader.Real(Scale, 0);
    reader.Int(Paper.Long_Side, 0);
    reader.Int(Paper.Short_Side, 0);
    Paper.Standard = false;
    for (ZcDbExtents* range : {&Frame_Ext, &Range_A, &Range_B, &Range_C, &Range_D, &Range_E, &Range_F,
                               &Stamp_Range_1, &Stamp_Range_2, &Stamp_Range_3})
        Read_Range(reader, *range, 0);
    reader.Int(Seq_Digits, 0);
    reader.Int(Priority, 0);
    Read_Range(reader, Plot_Range, Since_Plot_Range);
    reader.Int(Is_Dynamic, Since_Is_Dynamic);
    Read_Range(reader, Stamp_Range_4, Since_Stamp_Range_4);

    if (Scale <= 0.0)
        Scale = 1.0;
    Keep_In_Range(Seq_Digits, 1, 5, 2);
    Keep_In_Range(Priority, 0, 8, 1);
    return !reader.Cut_Short();
}

void TK_Customization::Write(std::ostream& out) const
{
    Write_Escaped_Line(out, Title);
    Write_Escaped_Line(out, Block_Name);
    Write_Escaped_Line(out, Name_Rule);
    Write_Real_Line(out, Angle);
    Write_Real_Line(out, Scale);
    Write_Int_Line(out, Paper.Long_Side);
    Write_Int_Line(out, Paper.Short_Side);
    for (const ZcDbExtents* range : {&Frame_Ext, &Range_A, &Range_B, &Range_C, &Range_D, &Range_E, &Range_F,
                                     &Stamp_Range_1, &Stamp_Range_2, &Stamp_Range_3})
        Write_Range(out, *range);
    Write_Int_Line(out, Seq_Digits);
    Write_Int_Line(out, Priority);
    Write_Range(out, Plot_Range);
    Write_Int_Line(out, Is_Dynamic);
    Write_Range(out, Stamp_Range_4);
}

const ZcDbExtents& TK_Customization::Range_Of_Type(int range_type) const
{
    switch (range_type) {
    case TK_Range_A: return Range_A;
    case TK_Range_B: return Range_B;
    case TK_Range_C: return Range_C;
    case TK_Range_D: return Range_D;
    case TK_Range_E: return Range_E;
    case TK_Range_F: return Range_F;
    case TK_Range_Stamp_1: return Stamp_Range_1;
    case TK_Range_Stamp_2: return Stamp_Range_2;
    case TK_Range_Stamp_3: return Stamp_Range_3;
    case TK_Range_Stamp_4: return Stamp_Range_4;
    default: return Plot_Range;
    }
}

ZcDbExtents& TK_Customization::Range_Of_Type(int range_type)
{
    return const_cast<ZcDbExtents&>(static_cast<const TK_Customization&>(*this).Range_Of_Type(range_type));
}

bool TK_Text_Settings::Read(std::istream& in)
{
    Token_Field_Reader reader(in, 0, Stamp_Gate::At_Least);
    reader.Text(Style_Name, 0);
    reader.Text(Font_File, 0);
    reader.Text(Big_Font_File, 0);
    reader.Real(Style_Height, 0);
    reader.Real(Style_Width, 0);
    reader.Int(Style_Is_Shx, 0);
    reader.Real(Text_Height, 0);
    reader.Real(Text_Width, 0);
    reader.Int(Text_Color, 0);
    reader.Text(Layer_Name, 0);
    reader.Int(Layer_Color, 0);
    reader.Text(Layer_Linetype, 0);
    reader.Int(Layer_Lineweight, 0);
    if (Layer_Color <= 0) {
        Layer_Color = 1;
        Layer_Linetype = L"Continuous";
        Layer_Lineweight = -3;
    }
    return !reader.Cut_Short();
}

void TK_Text_Settings::Write(std::ostream& out) const
{
    Write_Escaped_Line(out, Style_Name);
    Write_Escaped_Line(out, Font_File);
    Write_Escaped_Line(out, Big_Font_File);
    Write_Real_Line(out, Style_Height);
    Write_Real_Line(out, Style_Width);
    Write_Int_Line(out, Style_Is_Shx);
    Write_Real_Line(out, Text_Height);
    Write_Real_Line(out, Text_Width);
    Write_Int_Line(out, Text_Color);
    Write_Escaped_Line(out, Layer_Name);
    Write_Int_Line(out, Layer_Color);
    Write_Escaped_Line(out, Layer_Linetype);
    Write_Int_Line(out, Layer_Lineweight);
}
