// The library file "BPlot_TK.tk": reading, importing, writing and writing back at unload.
#include <algorithm>

#include "core/checked_file_writer.h"
#include "core/file_dialogs.h"
#include "core/file_stream.h"
#include "core/option_fields.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "core/text_tokens.h"
#include "core/unreadable_file.h"
#include "core/version_stamp.h"
#include "ed/command_line.h"
#include "ed/host_window.h"
#include "sheets/paper_table.h"
#include "titleblock/tk_library.h"
#include "win/win_files.h"
#include "win/win_msgbox.h"

namespace {

// The dates from which the file holds its later library-wide fields.
constexpr int32_t Since_Name_Rule = 20210125;
constexpr int32_t Since_Paper_Name_Style = 20210908;
constexpr int32_t Since_Paper_Names = 20241216;

// Tokens of the shortest definition (a file before the adjusted plot range).
constexpr int64_t Definition_Min_Tokens = 49;

int64_t File_Size(const CString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.GetString(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A count of items of at least `tokens` tokens each that the file can hold: every token
// takes a byte and the white space after it (the last one may end the file).
bool Read_Bounded_Count(std::istream& in, int64_t file_bytes, int64_t tokens, int32_t& count)
{
    count = 0;
    return Read_Token_Int(in, count) && count >= 0 && count * tokens * 2 <= file_bytes + 1;
}

bool Read_Number(std::istream& in, int32_t& value) { return Read_Token_Int(in, value); }
bool Read_Number(std::istream& in, double& value) { return Read_Token_Real(in, value); }

// A count, then that many numbers in place of the array's.
template <class Number>
bool Read_Numbers(std::istream& in, int64_t file_bytes, CArray<Number, Number>& values)
{
    int32_t count = 0;
    if (!Read_Bounded_Count(in, file_bytes, 1, count))
        return false;
    values.RemoveAll();
    for (int32_t i = 0; i < count; ++i) {
        Number value{};
        if (!Read_Number(in, value))
            return false;
        values.Add(value);
    }
    return true;
}

template <class Number>
void Write_Numbers(std::ostream& out, const CArray<Number, Number>& values)
{
    Write_Int_Line(out, values.GetSize());
    for (INT_PTR i = 0; i < values.GetSize(); ++i)
        out << values[i] << '\n';
}

}  // namespace

bool TK_Library::Load(int mode)
{
    CString path = File_Path();
    if (mode == 1 && !Open_File_Dialog_Last(L"读取图框信息配置文件...", L"tk", path))
        return true;
    if (!Check_File_Exists(path, false))
        return true;
    // An import replaces nothing until the whole file has been read.
    if (mode == 1 && !Is_Whole_File(path)) {
        CString message;
        message.Format(L"文件 < %s > 不是完整的图框信息配置文件，未导入 !", path.GetString());
        MessageBoxW(adsw_zcadMainWnd(), message, L"Korvel", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    Input_File_Stream in(path);
    if (!in.Is_Open())
        return false;
    int definitions_read = 0;
    if (Read_File(in, File_Size(path), mode == 1, definitions_read))
        return true;
    Report_Damaged_File(path, L"图框信息配置文件", definitions_read, L"个图框信息", false);
    return false;
}

bool TK_Library::Is_Whole_File(const CString& path)
{
    Input_File_Stream in(path);
    if (!in.Is_Open())
        return false;
    TK_Library scratch;
    scratch.Binds_Sheets = false;
    int definitions_read = 0;
    return scratch.Read_File(in, File_Size(path), false, definitions_read);
}

bool TK_Library::Read_File(std::istream& in, int64_t file_bytes, bool import, int& definitions_read)
{
    definitions_read = 0;
    int32_t version = 0;
    if (!Read_Token_Int(in, version) || version <= 0)
        return false;

    const std::vector<Sheet_Binding> bindings = Sheet_Bindings();
    if (!import ||
        (Records.GetSize() > 0 && MessageBoxW(adsw_zcadMainWnd(), L"原图框信息是否保留 ？", L"Korvel",
                                              MB_YESNO | MB_ICONQUESTION) != IDYES))
        Clear_Contents();

    bool whole = false;
    int32_t count = 0;
    if (Read_Bounded_Count(in, file_bytes, Definition_Min_Tokens, count)) {
        whole = true;
        for (int32_t i = 0; i < count && whole; ++i) {
            auto* record = new TK_Customization;
            whole = record->Read(in, version);
            if (whole)
                ++definitions_read;
            if (whole && Find(record->Block_Name) == nullptr)
                Records.Add(record);
            else
                delete record;
        }
    }
    whole = whole && Text_Settings.Read(in);

    if (whole) {
        Token_Field_Reader catalogue(in, version, Stamp_Gate::At_Least);
        catalogue.Int(Cat_Border, 0);
        catalogue.Real(Cat_Row_Height, 0);
        whole = !catalogue.Cut_Short() && Read_Numbers(in, file_bytes, Cat_Col_Widths) &&
                Read_Numbers(in, file_bytes, Cat_Col_Kinds);
    }
    if (whole) {
        Token_Field_Reader settings(in, version, Stamp_Gate::At_Least);
        settings.Int(No_In_Front, 0);
        settings.Text(No_Prefix, 0);
        settings.Int(No_Start, 0);
        settings.Text(No_Suffix, 0);
        settings.Int(No_Digits, 0);
        settings.Ints(Centre_Text, 6, 0);
        settings.Text(Last_Name_Rule, Since_Name_Rule);
        settings.Text(Line_Separator, Since_Name_Rule);
        settings.Int(Paper_Name_Style, Since_Paper_Name_Style);
        settings.Int(Reserved, Since_Paper_Name_Style);
        Keep_In_Range(No_Start, -Max_Start_No, Max_Start_No, 1);
        Keep_In_Range(No_Digits, 1, 5, 2);
        whole = !settings.Cut_Short();
    }
    if (whole && version >= Since_Paper_Names) {
        Reset_Long_Paper_Names(Long_Paper_Names);
        whole = Read_Bounded_Count(in, file_bytes, 1, count);
        // Names beyond the list's entries have no place and are passed over.
        for (int32_t i = 0; whole && i < count; ++i) {
            CString name;
            whole = Read_Token_Escaped(in, name);
            if (whole && i < Long_Paper_Names.GetSize())
                Long_Paper_Names[i] = name;
        }
    }
    Rebind_Sheets(bindings);
    return whole;
}

CString TK_Library::File_Path()
{
    CString path;
    path.Format(L"%s\\BPlot_TK.tk", g_Config_Folder.GetString());
    return path;
}

bool TK_Library::Save(bool report, bool save_as)
{
    CString path = File_Path();
    if (save_as && !Save_File_Dialog(L"保存图框信息配置文件为...", L"图框信息配置文件.tk", L"tk", path))
        return true;
    // A library file that does not read whole is kept aside before it is written over.
    if (!save_as && Check_File_Exists(path, false) && !Is_Whole_File(path)) {
        const CString kept = Keep_Copy_Of_File(path);
        if (kept.IsEmpty()) {
            zcutPrintf(L"\n图框信息配置文件 < %s > 不完整或已损坏且无法另存，未写入。", path.GetString());
            return false;
        }
        zcutPrintf(L"\n图框信息配置文件 < %s > 不完整或已损坏，写入前原文件另存为 < %s >。", path.GetString(),
                   kept.GetString());
    }
    Checked_File_Writer writer;
    writer.Open(path);
    std::ostream& out = writer.Stream();
    Write_Int_Line(out, Program_Version_Stamp);
    Write_Int_Line(out, Records.GetSize());
    for (INT_PTR i = 0; i < Records.GetSize(); ++i)
        Records[i]->Write(out);
    Text_Settings.Write(out);
    Write_Int_Line(out, Cat_Border);
    Write_Real_Line(out, Cat_Row_Height);
    Write_Numbers(out, Cat_Col_Widths);
    Write_Numbers(out, Cat_Col_Kinds);
    Write_Int_Line(out, No_In_Front);
    Write_Escaped_Line(out, No_Prefix);
    Write_Int_Line(out, No_Start);
    Write_Escaped_Line(out, No_Suffix);
    Write_Int_Line(out, No_Digits);
    for (int flag : Centre_Text)
        Write_Int_Line(out, flag);
    Write_Escaped_Line(out, Last_Name_Rule);
    Write_Escaped_Line(out, Line_Separator);
    Write_Int_Line(out, Paper_Name_Style);
    Write_Int_Line(out, Reserved);
    const INT_PTR names = std::min<INT_PTR>(Long_Paper_Names.GetSize(), Long_Paper_Count);
    Write_Int_Line(out, names);
    for (INT_PTR i = 0; i < names; ++i)
        Write_Escaped_Line(out, Long_Paper_Names[i]);
    return writer.Close(report);
}

bool TK_Library::Resave()
{
    const int in_front = No_In_Front;
    const CString prefix = No_Prefix;
    const int start = No_Start;
    const CString suffix = No_Suffix;
    const int digits = No_Digits;
    const bool whole = Load(0);
    No_In_Front = in_front;
    No_Prefix = prefix;
    No_Start = start;
    No_Suffix = suffix;
    No_Digits = digits;
    return !whole || Save(false, false);
}
