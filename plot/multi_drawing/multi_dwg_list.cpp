#include "plot/multi_drawing/multi_dwg_list.h"

#include <algorithm>

#include "core/checked_file_writer.h"
#include "core/file_operations.h"
#include "core/file_stream.h"
#include "core/host_adapter.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "core/text_tokens.h"
#include "core/version_stamp.h"

Multi_Dwg_List g_Multi_Dwg_List;

namespace {

Single_Dwg* Find_Path(const Single_Dwg_Array& list, const CString& path)
{
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
        if (list[i]->Path.CompareNoCase(path) == 0)
            return list[i];
    return nullptr;
}

void Delete_Records(Single_Dwg_Array& list)
{
    for (INT_PTR i = list.GetSize() - 1; i >= 0; --i)
        delete list[i];
    list.RemoveAll();
}

// A drawing file: its name holds the platform's drawing extension (case ignored).
bool Is_Drawing_Name(const CString& file_name)
{
    CString upper = file_name;
    upper.MakeUpper();
    CString extension = Drawing_File_Extension;
    extension.MakeUpper();
    return upper.Find(extension) >= 0;
}

// The fields after the path, in the file's order: style index, scale, range, signatures,
// stamps, the four stamp choices, filter, order, spare, long side, short side.
bool Read_Fields(std::istream& in, Single_Dwg& record)
{
    int32_t style = 0, before_filter[7] = {}, after_filter[4] = {};
    double scale = 0.0, filter = 0.0;
    if (!Read_Token_Int(in, style) || !Read_Token_Real(in, scale))
        return false;
    for (int32_t& value : before_filter)
        if (!Read_Token_Int(in, value))
            return false;
    if (!Read_Token_Real(in, filter))
        return false;
    for (int32_t& value : after_filter)
        if (!Read_Token_Int(in, value))
            return false;
    record.Style_Index = style;
    record.Scale = scale;
    record.Plot_Range = before_filter[0];
    record.Print_Sign = before_filter[1];
    record.Print_Stamps = before_filter[2];
    std::copy(before_filter + 3, before_filter + 7, record.Stamp_Choices);
    record.Filter_Percent = filter;
    record.Order = after_filter[0];
    record.Spare = after_filter[1];
    record.Paper_Long = after_filter[2];
    record.Paper_Short = after_filter[3];
    return true;
}

void Write_Record(std::ostream& out, const Single_Dwg& record)
{
    Write_Int_Line(out, Program_Version_Stamp);
    Write_Escaped_Line(out, record.Path);
    Write_Int_Line(out, record.Style_Index);
    Write_Real_Line(out, record.Scale);
    for (int value : {record.Plot_Range, record.Print_Sign, record.Print_Stamps, record.Stamp_Choices[0],
                      record.Stamp_Choices[1], record.Stamp_Choices[2], record.Stamp_Choices[3]})
        Write_Int_Line(out, value);
    Write_Real_Line(out, record.Filter_Percent);
    for (int value : {record.Order, record.Spare, record.Paper_Long, record.Paper_Short})
        Write_Int_Line(out, value);
}

}  // namespace

Single_Dwg::Single_Dwg(const CString& path) : Path(path), File_Name(Dwg_File_Name_Of(path))
{
    Style_Index = g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Style];
    Plot_Range = g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Range];
    Spare = g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Spare];
    Paper_Long = g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Long_Side];
    Paper_Short = g_Plot_Config.Multi_Dwg_Defaults[Multi_Default_Short_Side];
    if (const Plot_Option* option = g_Cur_Plot_Option) {
        Scale = option->Scale;
        Print_Sign = option->Print_Sign;
        Print_Stamps = option->Stamps_On;
        Stamp_Choices[0] = option->Use_Reg_Stamp;
        Stamp_Choices[1] = option->Use_Issue_Stamp;
        Stamp_Choices[2] = option->Use_Project_Stamp;
        Stamp_Choices[3] = option->Use_Done_Stamp;
        Filter_Percent = option->Filter_Percent;
        Order = option->Sort_Type >= 1 && option->Sort_Type <= 8 ? option->Sort_Type : 1;
    }
}

Single_Dwg::~Single_Dwg() { Clear_Sheets(); }

void Single_Dwg::Clear_Sheets()
{
    Chosen_Sheets.RemoveAll();
    Delete_All_Objects(Found_Sheets);
}

void Single_Dwg::Copy_Choices(const Single_Dwg& other)
{
    Style_Index = other.Style_Index;
    Scale = other.Scale;
    Plot_Range = other.Plot_Range;
    Print_Sign = other.Print_Sign;
    Print_Stamps = other.Print_Stamps;
    std::copy(other.Stamp_Choices, other.Stamp_Choices + 4, Stamp_Choices);
    Filter_Percent = other.Filter_Percent;
    Order = other.Order;
    Spare = other.Spare;
    Paper_Long = other.Paper_Long;
    Paper_Short = other.Paper_Short;
}

CString Dwg_File_Name_Of(const CString& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

void Copy_Saved_Dwg_Settings(Single_Dwg& record)
{
    if (const Single_Dwg* saved = Find_Path(g_Multi_Dwg_List.Remembered, record.Path))
        record.Copy_Choices(*saved);
}

void Add_Dwg_Files(const CStringArray& paths)
{
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        const CString& path = paths[i];
        if (Find_Path(g_Multi_Dwg_List.Current, path) != nullptr || !Is_Drawing_Name(Dwg_File_Name_Of(path)))
            continue;
        auto* record = new Single_Dwg(path);
        Copy_Saved_Dwg_Settings(*record);
        g_Multi_Dwg_List.Current.Add(record);
    }
}

CString Multi_Dwg_List_Path()
{
    CString path;
    path.Format(L"%s\\MutiFiels.tmp", g_Config_Folder.GetString());
    return path;
}

void Load_Multi_Dwg_List(CStringArray& paths)
{
    paths.RemoveAll();
    Delete_Records(g_Multi_Dwg_List.Remembered);
    Input_File_Stream in(Multi_Dwg_List_Path());
    if (!in.Is_Open())
        return;
    int32_t stamp = 0, current = 0, count = 0;
    if (!Read_Token_Int(in, stamp) || !Read_Token_Int(in, current) || !Read_Token_Int(in, count))
        return;
    count = std::clamp(count, 0, Multi_Dwg_File_Limit);
    for (int i = 0; i < count; ++i) {
        CString path;
        if (!Read_Token_Int(in, stamp) || !Read_Token_Escaped(in, path))
            return;
        auto* record = new Single_Dwg(path);
        if (!Read_Fields(in, *record)) {
            delete record;
            return;
        }
        g_Multi_Dwg_List.Remembered.Add(record);
        if (i < current && Path_Kind(path) == 1)
            paths.Add(path);
    }
}

bool Save_Multi_Dwg_List()
{
    Single_Dwg_Array merged;
    merged.Append(g_Multi_Dwg_List.Current);
    const Single_Dwg_Array& remembered = g_Multi_Dwg_List.Remembered;
    for (INT_PTR i = 0; i < remembered.GetSize() && merged.GetSize() < Multi_Dwg_File_Limit; ++i)
        if (Find_Path(merged, remembered[i]->Path) == nullptr)
            merged.Add(remembered[i]);
    const int count = std::min(static_cast<int>(merged.GetSize()), Multi_Dwg_File_Limit);

    Checked_File_Writer writer;
    writer.Open(Multi_Dwg_List_Path());
    std::ostream& out = writer.Stream();
    Write_Int_Line(out, Program_Version_Stamp);
    Write_Int_Line(out, g_Multi_Dwg_List.Current.GetSize());
    Write_Int_Line(out, count);
    for (int i = 0; i < count; ++i)
        Write_Record(out, *merged[i]);
    return writer.Close(true);
}

void Clear_Multi_Dwg_Lists()
{
    Delete_Records(g_Multi_Dwg_List.Current);
    Delete_Records(g_Multi_Dwg_List.Remembered);
}
