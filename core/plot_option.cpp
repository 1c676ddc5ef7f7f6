#include "core/plot_option.h"

#include "core/option_fields.h"
#include "core/plot_option_fields.h"
#include "core/plot_config.h"
#include "core/text_tokens.h"
#include "core/version_stamp.h"

Plot_Option g_Dwg_Plot_Option;
Plot_Option* g_Cur_Plot_Option = nullptr;

namespace {

}  // namespace

void Plot_Option::Set_Defaults()
{
    Output_Type = 0;
    Folder_Mode = 1;
    Folder = L" ";
    Margin = 0;
    Back_Red = Back_Green = Back_Blue = 255;
    Scale = 100.0;
    Prefix = L"???";
    Start_No = 1;
    Suffix = L"";
    Digits = 2;
    Sort_Type = 1;
    TK_Order = 0;
    Auto_Scale = 0;
    Filter_Percent = 0.0;
    Print_Sign = 1;
    Use_Reg_Stamp = 0;
    Use_Issue_Stamp = 0;
    Reg_Stamp_Name = L"";
    Issue_Stamp_Name = L"";
    Image_Frame_Off = 0;
    Use_Project_Stamp = 0;
    Use_Done_Stamp = 0;
    Project_Stamp_Name = L"";
    Done_Stamp_Name = L"";
    Stamps_On = 0;
    Device_Name = L"";
    Plt_Output = 0;
    Auto_Rotate = 1;
    Plt_Folder = L"";
    Collate = 1;
    Reserved_Flag = 1;
    Style_Name = L"";
    Unequal_Margin = 0;
    Unequal_Mode = 0;
    Land_Top = 2;
    Land_Bottom = 2;
    Land_Left = 10;
    Land_Right = 2;
    Port_Top = 10;
    Port_Bottom = 2;
    Port_Left = 2;
    Port_Right = 2;
}

void Plot_Option::Copy_Common(const Plot_Option& source)
{
    if (&source == this) {
        Auto_Scale = 0;
        Image_Frame_Off = 0;
        return;
    }
    const CString prefix = Prefix, suffix = Suffix, style = Style_Name;
    const int start = Start_No, digits = Digits, reserved = Reserved_Flag;
    *this = source;
    Prefix = prefix;
    Suffix = suffix;
    Style_Name = style;
    Start_No = start;
    Digits = digits;
    Reserved_Flag = reserved;
    Auto_Scale = 0;
    Image_Frame_Off = 0;
}

void Plot_Option::Repair()
{
    Keep_In_Range(Margin, -100, 100, 0);
    Keep_In_Range(Output_Type, 0, 6, 0);
    Keep_In_Range(Folder_Mode, 0, 2, 1);
    Keep_In_Range(Start_No, -Max_Start_No, Max_Start_No, 1);
    Keep_In_Range(Sort_Type, 1, 9, 1);
    Keep_In_Range(Digits, 1, 10, 2);
    Keep_In_Range(Unequal_Mode, 0, 1, 0);
    Keep_In_Range(Plt_Output, 0, 1, 0);
    Auto_Scale = 0;
    // A zero scale would divide by zero wherever the scale is used.
    if (!(Scale > 1e-5))
        Scale = 1.0;
}

bool Plot_Option::Read_Block(std::istream& in)
{
    int32_t stamp = 0;
    if (!Read_Token_Int(in, stamp))
        return false;
    Token_Field_Reader reader(in, stamp, Stamp_Gate::At_Least);
    Visit_Plot_Option_Fields(reader, *this);
    Repair();
    return !reader.Cut_Short();
}

void Plot_Option::Write_Block(std::ostream& out) const
{
    Write_Int_Line(out, Program_Version_Stamp);
    Token_Field_Writer writer(out);
    Visit_Plot_Option_Fields(writer, *this);
}
