#include "sheets/paper_records.h"

#include <algorithm>

#include "core/named_records.h"
#include "core/option_fields.h"
#include "core/rb_chain.h"
#include "core/text_tokens.h"
#include "core/version_stamp.h"

namespace {

constexpr short Int_Type = 90;
constexpr short Real_Type = 40;
constexpr short Text_Type = 1;

// What differs between the two records: the key and how one entry is read and written.
struct Record_Kind {
    const wchar_t* name;
    bool (*read_entry)(Plot_Drawing1&, const resbuf*&);
    void (*write_entry)(const Plot_Drawing1&, resbuf*&);
};

// True when the next `types` buffers from the position are of these types.
bool Types_Ahead(const resbuf* position, std::initializer_list<short> types)
{
    for (short type : types) {
        if (position == nullptr || position->restype != type)
            return false;
        position = position->rbnext;
    }
    return true;
}

bool Read_Record(Sheet_Infor_List& list, const Record_Kind& kind)
{
    list.Clear();
    resbuf* chain = Read_Named_Record(kind.name);
    if (chain == nullptr)
        return false;
    const resbuf* position = chain;
    int32_t count = 0;
    if (Types_Ahead(position, {Int_Type, Int_Type})) {
        Rb_Read_Int(position, count);
        position = position->rbnext;  // the version stamp
    } else {
        position = nullptr;
    }
    const bool paper = kind.write_entry == Write_Paper_Entry;
    for (int32_t i = 0; i < count; ++i) {
        Plot_Drawing1 entry;
        if (!kind.read_entry(entry, position))
            break;
        Unescape_Cfg_String(entry.Paper_Name);
        if (paper ? entry.Paper_Name.IsEmpty() : entry.Plot_Scale <= 0.0)
            continue;
        list.Min_Corners.append(entry.Min_Corner);
        list.Max_Corners.append(entry.Max_Corner);
        if (paper) {
            Keep_In_Range(entry.Copies, 1, Max_Sheet_Copies, 1);
            list.Copies.append(entry.Copies);
        }
        else
            list.Scales.append(entry.Plot_Scale);
        list.Names.Add(entry.Paper_Name);
    }
    zcutRelRb(chain);
    return list.Names.GetSize() > 0;
}

void Write_Record(Sheet_Infor_List& list, const Record_Kind& kind)
{
    const INT_PTR sheets = list.Sheet_Set != nullptr ? list.Sheet_Set->Plot_List.GetSize() : 0;
    for (INT_PTR i = 0; i < sheets; ++i)
        Remove_Frame_Infor(list, *list.Sheet_Set->Plot_List[i]);

    const bool paper = kind.write_entry == Write_Paper_Entry;
    resbuf* tail = nullptr;
    resbuf* head = Rb_Append_Int(tail, static_cast<int32_t>(sheets + list.Names.GetSize()));
    Rb_Append_Int(tail, Program_Version_Stamp);
    for (INT_PTR i = 0; i < sheets; ++i)
        kind.write_entry(*list.Sheet_Set->Plot_List[i], tail);
    for (INT_PTR i = 0; i < list.Names.GetSize(); ++i) {
        Plot_Drawing1 entry;
        entry.Min_Corner = list.Min_Corners[static_cast<int>(i)];
        entry.Max_Corner = list.Max_Corners[static_cast<int>(i)];
        if (paper)
            entry.Copies = list.Copies[static_cast<int>(i)];
        else
            entry.Plot_Scale = list.Scales[static_cast<int>(i)];
        entry.Paper_Name = list.Names[i];
        kind.write_entry(entry, tail);
    }
    Write_Named_Record(kind.name, head);
    Rb_Free_Chain(head);
}

const Record_Kind Paper_Kind = {Paper_Infor_Name, Read_Paper_Entry, Write_Paper_Entry};
const Record_Kind Sc_Kind = {Sc_Infor_Name, Read_Sc_Entry, Write_Sc_Entry};

void Read_Corners(Plot_Drawing1& sheet, const resbuf*& position)
{
    double min_x = 0.0, min_y = 0.0, max_x = 0.0, max_y = 0.0;
    Rb_Read_Real(position, min_x);
    Rb_Read_Real(position, min_y);
    Rb_Read_Real(position, max_x);
    Rb_Read_Real(position, max_y);
    sheet.Min_Corner.set(min_x, min_y);
    sheet.Max_Corner.set(max_x, max_y);
}

void Write_Corners(const Plot_Drawing1& sheet, resbuf*& tail)
{
    Rb_Append_Real(tail, sheet.Min_Corner.x);
    Rb_Append_Real(tail, sheet.Min_Corner.y);
    Rb_Append_Real(tail, sheet.Max_Corner.x);
    Rb_Append_Real(tail, sheet.Max_Corner.y);
}

}  // namespace

void Sheet_Infor_List::Clear()
{
    Min_Corners.removeAll();
    Max_Corners.removeAll();
    Scales.removeAll();
    Copies.removeAll();
    Names.RemoveAll();
}

bool Read_Paper_Infor(Sheet_Infor_List& list) { return Read_Record(list, Paper_Kind); }
bool Read_Sc_Infor(Sheet_Infor_List& list) { return Read_Record(list, Sc_Kind); }
void Write_Paper_Infor(Sheet_Infor_List& list) { Write_Record(list, Paper_Kind); }
void Write_Sc_Infor(Sheet_Infor_List& list) { Write_Record(list, Sc_Kind); }

int Find_Frame_Infor(const Sheet_Infor_List& list, const Plot_Drawing1& sheet)
{
    const int count = std::min(list.Min_Corners.length(), list.Max_Corners.length());
    for (int i = 0; i < count; ++i)
        if (list.Min_Corners[i].isEqualTo(sheet.Min_Corner) && list.Max_Corners[i].isEqualTo(sheet.Max_Corner))
            return i;
    return -1;
}

void Remove_Frame_Infor(Sheet_Infor_List& list, const Plot_Drawing1& sheet)
{
    const int index = Find_Frame_Infor(list, sheet);
    if (index < 0)
        return;
    list.Min_Corners.removeAt(index);
    list.Max_Corners.removeAt(index);
    if (index < list.Scales.length())
        list.Scales.removeAt(index);
    if (index < list.Copies.length())
        list.Copies.removeAt(index);
    if (index < list.Names.GetSize())
        list.Names.RemoveAt(index);
}

bool Read_Paper_Entry(Plot_Drawing1& sheet, const resbuf*& position)
{
    if (!Types_Ahead(position, {Real_Type, Real_Type, Real_Type, Real_Type, Int_Type, Text_Type})) {
        position = nullptr;
        return false;
    }
    Read_Corners(sheet, position);
    int32_t copies = 0;
    Rb_Read_Int(position, copies);
    sheet.Copies = copies;
    Rb_Read_Text(position, sheet.Paper_Name);
    return true;
}

bool Read_Sc_Entry(Plot_Drawing1& sheet, const resbuf*& position)
{
    if (!Types_Ahead(position, {Real_Type, Real_Type, Real_Type, Real_Type, Real_Type, Text_Type})) {
        position = nullptr;
        return false;
    }
    Read_Corners(sheet, position);
    Rb_Read_Real(position, sheet.Plot_Scale);
    Rb_Read_Text(position, sheet.Paper_Name);
    return true;
}

void Write_Paper_Entry(const Plot_Drawing1& sheet, resbuf*& tail)
{
    Write_Corners(sheet, tail);
    Rb_Append_Int(tail, sheet.Copies);
    Rb_Append_Text(tail, Escape_Cfg_String(sheet.Paper_Name).GetString());
}

void Write_Sc_Entry(const Plot_Drawing1& sheet, resbuf*& tail)
{
    Write_Corners(sheet, tail);
    Rb_Append_Real(tail, sheet.Plot_Scale);
    Rb_Append_Text(tail, Escape_Cfg_String(sheet.Paper_Name).GetString());
}
