#include "core/plot_config.h"

#include "core/checked_file_writer.h"
#include "core/command_names.h"
#include "core/file_stream.h"
#include "core/option_fields.h"
#include "core/program_folders.h"
#include "core/text_tokens.h"
#include "core/unreadable_file.h"
#include "core/version_stamp.h"
#include "win/win_files.h"

Plot_Config g_Plot_Config;
void (*Plot_Config::After_Load)() = nullptr;

namespace {

const wchar_t* const Sign_Lib_Extension = L".kvlib1";
const wchar_t* const Stamp_Lib_Extension = L".kvlib2";

// The program-wide fields in their stored order, each with the date after which the
// settings file holds it.
template <class Visitor, class Config>
void Visit_Config_Fields(Visitor& v, Config& c)
{
    v.Int(c.Single_Pick_Mode, 0);
    v.Int(c.Merge_Pdf, 0);
    v.Int(c.Ask_File_Name, 20210124);
    v.Int(c.Dwg_As_Block, 20210124);
    v.Text(c.Sign_Lib_Path, 20210212);
    v.Text(c.Stamp_Lib_Path, 20210212);
    v.Int(c.Plot_Lineweights, 20210400);
    v.Int(c.Plot_Transparency, 20210400);
    v.Int(c.Stamp_Jitter, 20210414);
    v.Int(c.Open_Folder, 20211225);
    v.Int(c.Vector_Res, 20211225);
    v.Int(c.Plot_Stamp, 20220409);
    v.Int(c.Text_As_Geometry, 20220409);
    v.Int(c.Line_Overlay, 20220409);
    v.Int(c.Frames_Loose_Lines, 20220409);
    v.Int(c.Frames_All_Blocks, 20220409);
    v.Int(c.Frames_Rect_Blocks, 20220409);
    v.Int(c.Custom_Paper_W, 20220606);
    v.Int(c.Custom_Paper_H, 20220606);
    v.Int(c.Open_Merged_Pdf, 20220606);
    v.Int(c.Plot_Outer_Line, 20220614);
    v.Ints(c.Multi_Dwg_Defaults, 7, 20220614);
    v.Int(c.Skip_Empty_Frames, 20220711);
    v.Int(c.Raster_Res, 20220806);
    v.Int(c.Ctb_Mark_1, 20221003);
    v.Int(c.Ctb_Mark_2, 20221003);
    v.Int(c.Stamps_Behind, 20221003);
    v.Int(c.Ctb_Mark_3, 20221026);
    v.Int(c.Raster_Dpi, 20221031);
    v.Int(c.Pdf_Orientation, 20221126);
    v.Int(c.Pdf_Rotate_270, 20221126);
    v.Text(c.Last_Style, 20230509);
    v.Int(c.Outer_Margin_Mode, 20230526);
    v.Real(c.Outer_Margin, 20230526);
    v.Real(c.Outer_Margin_Percent, 20230526);
    v.Int(c.TK_Insert_Mode, 20230526);
    v.Text(c.TK_Folder, 20230612);
    v.Int(c.Outer_Sqrt2, 20230612);
    v.Pairs(c.Value_Names, c.Value_Texts, 20231215);
    v.Int(c.Sign_Fill_Style, 20250225);
    v.Text(c.Shx_Font, 20250516);
    v.Text(c.Shx_Big_Font, 20250516);
    v.Int(c.Layer_Info, 20250905);
    v.Int(c.Default_Style_Mode, 20250910);
    v.Text(c.Default_Style_Name, 20250910);
    v.Int(c.TK_Scale_Step, 20251101);
    v.Int(c.TK_Scale_Custom, 20251101);
    v.Int(c.TK_Text_Pos, 20251101);
}

bool Has_Extension(const CString& path, const wchar_t* extension)
{
    const int length = CString::StringLength(extension);
    return path.GetLength() > 7 && path.Right(length).CompareNoCase(extension) == 0;
}

CString Default_Sign_Lib_Path() { return g_Config_Folder + L"\\Sign.kvlib1"; }
CString Default_Stamp_Lib_Path() { return g_Config_Folder + L"\\Stamp.kvlib2"; }
CString Default_TK_Folder() { return g_App_Folder + L"\\Frame"; }

}  // namespace

// The paths under the program folders are set by Load, once the folders are known.
Plot_Config::Plot_Config() = default;

CString Plot_Config::File_Path() { return g_Config_Folder + L"\\BPlot_Cfg_ZCAD.cfg"; }

void Plot_Config::Load()
{
    Sign_Lib_Path = Default_Sign_Lib_Path();
    Stamp_Lib_Path = Default_Stamp_Lib_Path();
    TK_Folder = Default_TK_Folder();
    CreateDirectoryW(TK_Folder.GetString(), nullptr);
    Shortcuts.Clear();
    Value_Names.removeAll();
    Value_Texts.removeAll();
    if (!Read_File())
        Set_Aside_Unreadable_File(File_Path());
    if (After_Load != nullptr)
        After_Load();
}

bool Plot_Config::Read_File()
{
    // Missing first (nothing to read), so that a file another session writes meanwhile is
    // never taken for one that is there but cannot be opened.
    if (!Check_File_Exists(File_Path(), false))
        return true;
    Input_File_Stream in(File_Path());
    if (!in.Is_Open())
        return false;
    int32_t stamp = 0;
    if (!Read_Token_Int(in, stamp) || !Option.Read_Block(in))
        return false;

    int32_t count = 0;
    if (!Read_Token_Int(in, count) || count < 0 || count > Max_File_List_Count)
        return false;
    for (int32_t i = 0; i < count; ++i) {
        int32_t number = 0;
        CString name;
        if (!Read_Token_Int(in, number) || !Read_Token_Plain(in, name))
            return false;
        if (number >= 1 && number <= Numbered_Command_Count && Shortcuts.Find(number) < 0)
            Shortcuts.Add(number, name);
    }

    Token_Field_Reader reader(in, stamp, Stamp_Gate::Later_Than);
    Visit_Config_Fields(reader, *this);
    Repair_Paths();
    Keep_In_Range(Single_Pick_Mode, 0, 1, 0);
    Keep_In_Range(Vector_Res, 0, 94, 43);
    Keep_In_Range(Raster_Res, 0, 94, 10);
    Keep_In_Range(Pdf_Orientation, 0, 2, 0);
    Keep_In_Range(Outer_Margin_Mode, 0, 2, 0);
    Keep_In_Range(Default_Style_Mode, 0, 2, 0);
    return !reader.Cut_Short();
}

void Plot_Config::Repair_Paths()
{
    if (!Has_Extension(Sign_Lib_Path, Sign_Lib_Extension))
        Sign_Lib_Path = Default_Sign_Lib_Path();
    if (!Has_Extension(Stamp_Lib_Path, Stamp_Lib_Extension))
        Stamp_Lib_Path = Default_Stamp_Lib_Path();
    if (TK_Folder.IsEmpty())
        TK_Folder = Default_TK_Folder();
}

bool Plot_Config::Save(bool report)
{
    Checked_File_Writer writer;
    writer.Open(File_Path());
    std::ostream& out = writer.Stream();
    Write_Int_Line(out, Program_Version_Stamp);
    Option.Write_Block(out);

    // Aliases are plain tokens: one that would not read back as itself is left out,
    // so that the fields after it stay in their places.
    int count = 0;
    for (int i = 0; i < Shortcuts.Count(); ++i)
        count += Is_Plain_Token(Shortcuts.Name(i)) ? 1 : 0;
    Write_Int_Line(out, count);
    for (int i = 0; i < Shortcuts.Count(); ++i) {
        if (!Is_Plain_Token(Shortcuts.Name(i)))
            continue;
        Write_Int_Line(out, Shortcuts.Number(i));
        Write_Plain_Line(out, Shortcuts.Name(i));
    }

    Token_Field_Writer fields(out);
    Visit_Config_Fields(fields, *this);
    return writer.Close(report);
}

CString Plot_Config::Get_Value(const CString& name) const
{
    for (int i = 0; i < Value_Names.length() && i < Value_Texts.length(); ++i)
        if (Value_Names[i].CompareNoCase(name) == 0)
            return Value_Texts[i];
    return CString();
}

void Plot_Config::Set_Value(const CString& name, const CString& value)
{
    for (int i = 0; i < Value_Names.length() && i < Value_Texts.length(); ++i)
        if (Value_Names[i].CompareNoCase(name) == 0) {
            Value_Texts[i] = value;
            return;
        }
    Value_Names.append(name);
    Value_Texts.append(value);
}

int Slider_To_Dpi(int position)
{
    if (position <= 0)
        return 100;
    if (position <= 10)
        return 100 + 10 * position;
    if (position <= 35)
        return 20 * position;
    if (position <= 71)
        return 50 * position - 1050;
    if (position <= 94)
        return 100 * position - 4600;
    return 4800;
}
