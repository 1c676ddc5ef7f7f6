// The name lists and the drawing's record of the old batch plot.
#include "plot/old_plot_setting.h"

#include "core/name_lookups.h"
#include "core/named_records.h"
#include "core/option_fields.h"
#include "core/plot_config.h"
#include "core/rb_chain.h"
#include "core/selection_helpers.h"
#include "core/space_helpers.h"
#include "db/dbblkref.h"
#include "db/dbsymtb.h"

const wchar_t* const Old_Plot_Record_Name = L"KPLOT_SETTING2";

namespace {

int Find_No_Case(const CStringArray& names, const CString& name)
{
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        if (names[i].CompareNoCase(name) == 0)
            return static_cast<int>(i);
    return -1;
}

void Add_Once(CStringArray& names, const CString& name)
{
    if (Find_No_Case(names, name) < 0)
        names.Add(Old_Plot_Slot_Name(name));
}

void Remove_Name(CStringArray& names, const CString& name)
{
    const int at = Find_No_Case(names, name);
    if (at >= 0)
        names.RemoveAt(at);
}

// Exchange sort by case-sensitive comparison; the ids move with their names.
void Sort_Names(CStringArray& names, ZcDbObjectIdArray& ids)
{
    const int count = static_cast<int>(names.GetSize());
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (names[j].Compare(names[i]) < 0) {
                const CString name = names[i];
                names[i] = names[j];
                names[j] = name;
                const ZcDbObjectId id = ids[i];
                ids[i] = ids[j];
                ids[j] = id;
            }
}

// Chosen names first, then the others, each group keeping its order.
void Chosen_First(CStringArray& names, ZcDbObjectIdArray& ids, const CStringArray& chosen)
{
    CStringArray first_names, other_names;
    ZcDbObjectIdArray first_ids, other_ids;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        const bool is_chosen = Find_No_Case(chosen, names[i]) >= 0;
        (is_chosen ? first_names : other_names).Add(names[i]);
        (is_chosen ? first_ids : other_ids).append(ids[static_cast<int>(i)]);
    }
    names.RemoveAll();
    names.Append(first_names);
    names.Append(other_names);
    ids = first_ids;
    ids.append(other_ids);
}

// Reads a record's chain value by value, stopping at the first buffer that is missing or
// of another kind: a short or foreign record keeps the defaults of what it lacks.
class Record_Reader {
public:
    explicit Record_Reader(const resbuf* chain) : m_Position(chain) {}

    bool Int(int& value) { return Take(90) && (value = m_Taken->resval.rlong, true); }
    bool Real(double& value) { return Take(40) && (value = m_Taken->resval.rreal, true); }
    bool Text(CString& value)
    {
        if (!Take(1))
            return false;
        value = m_Taken->resval.rstring != nullptr ? m_Taken->resval.rstring : L"";
        return true;
    }

private:
    bool Take(short type)
    {
        if (m_Position == nullptr || m_Position->restype != type) {
            m_Position = nullptr;
            return false;
        }
        m_Taken = m_Position;
        m_Position = m_Position->rbnext;
        return true;
    }

    const resbuf* m_Position;
    const resbuf* m_Taken = nullptr;
};

// Reads a counted name list; each name is kept when the drawing has it.
template <class Keep>
void Read_Names(Record_Reader& reader, Keep keep)
{
    int count = 0;
    if (!reader.Int(count))
        return;
    CString name;
    for (int i = 0; i < count && reader.Text(name); ++i)
        keep(name);
}

}  // namespace

CString Old_Plot_Slot_Name(const CString& name) { return name.GetLength() > Rb_Text_Max ? name.Left(Rb_Text_Max) : name; }

void Old_Plot_Setting::Load_Block_Names()
{
    Drawing_Blocks.RemoveAll();
    Drawing_Block_Ids.removeAll();
    ZcDbBlockTableRecord* space = Get_Current_Space_Record(zcdbHostApplicationServices()->workingDatabase(), false);
    if (space == nullptr)
        return;
    for (const ZcDbObjectId& id : space->entityIds()) {
        ZcDbObjectPointer<ZcDbBlockReference> reference(id, ZcDb::kForRead);
        if (reference.openStatus() != Zcad::eOk)
            continue;
        const ZcDbObjectId block_id = reference->blockTableRecord();
        CString name;
        if (!Get_Block_Name(name, block_id) || Find_Drawing_Block(name) >= 0)
            continue;
        Drawing_Blocks.Add(Old_Plot_Slot_Name(name));
        Drawing_Block_Ids.append(block_id);
    }
    space->close();
    Sort_Names(Drawing_Blocks, Drawing_Block_Ids);
}

void Old_Plot_Setting::Load_Layer_Names()
{
    Drawing_Layers.RemoveAll();
    Drawing_Layer_Ids.removeAll();
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbLayerTable* table = nullptr;
    if (db == nullptr || db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    ZcDbSymbolTableIterator* it = nullptr;
    if (table->newIterator(it) == Zcad::eOk) {
        for (it->start(); !it->done(); it->step()) {
            ZcDbSymbolTableRecord* record = nullptr;
            if (it->getRecord(record, ZcDb::kForRead) != Zcad::eOk)
                continue;
            std::wstring name;
            record->getName(name);
            Drawing_Layers.Add(Old_Plot_Slot_Name(CString(name.c_str())));
            Drawing_Layer_Ids.append(record->objectId());
            record->close();
        }
        delete it;
    }
    table->close();
    Sort_Names(Drawing_Layers, Drawing_Layer_Ids);
}

int Old_Plot_Setting::Find_Block_Name(const CString& name) const { return Find_No_Case(Chosen_Blocks, name); }
int Old_Plot_Setting::Find_Layer_Name(const CString& name) const { return Find_No_Case(Chosen_Layers, name); }
int Old_Plot_Setting::Find_Drawing_Block(const CString& name) const { return Find_No_Case(Drawing_Blocks, name); }
int Old_Plot_Setting::Find_Drawing_Layer(const CString& name) const { return Find_No_Case(Drawing_Layers, name); }
void Old_Plot_Setting::Add_Block_Name(const CString& name) { Add_Once(Chosen_Blocks, name); }
void Old_Plot_Setting::Add_Layer_Name(const CString& name) { Add_Once(Chosen_Layers, name); }
void Old_Plot_Setting::Remove_Block_Name(const CString& name) { Remove_Name(Chosen_Blocks, name); }
void Old_Plot_Setting::Remove_Layer_Name(const CString& name) { Remove_Name(Chosen_Layers, name); }

void Old_Plot_Setting::Choose_Block(int position)
{
    if (position >= 0 && position < Drawing_Blocks.GetSize())
        Add_Block_Name(Drawing_Blocks[position]);
}

void Old_Plot_Setting::Choose_Layer(int position)
{
    if (position >= 0 && position < Drawing_Layers.GetSize())
        Add_Layer_Name(Drawing_Layers[position]);
}

void Old_Plot_Setting::Sort_Block_Names() { Chosen_First(Drawing_Blocks, Drawing_Block_Ids, Chosen_Blocks); }
void Old_Plot_Setting::Sort_Layer_Names() { Chosen_First(Drawing_Layers, Drawing_Layer_Ids, Chosen_Layers); }

bool Old_Plot_Setting::Pick_Block_Name()
{
    ZcDbObjectIdArray ids;
    if (!Select_By_Type(L"\n选择图块：", L"insert", ids, false, false))
        return false;
    Chosen_Blocks.RemoveAll();
    for (const ZcDbObjectId& id : ids) {
        ZcDbObjectPointer<ZcDbBlockReference> reference(id, ZcDb::kForRead);
        if (reference.openStatus() != Zcad::eOk)
            continue;
        const int at = Drawing_Block_Ids.find(reference->blockTableRecord());
        if (at >= 0)
            Add_Block_Name(Drawing_Blocks[at]);
    }
    return true;
}

bool Old_Plot_Setting::Pick_Layer_Name()
{
    ZcDbObjectIdArray ids;
    if (!Select_With_Prompt(L"\n选择图层：", ids, false, false))
        return false;
    Chosen_Layers.RemoveAll();
    for (const ZcDbObjectId& id : ids) {
        ZcDbObjectId layer_id;
        Get_Entity_Layer(layer_id, id);
        const int at = Drawing_Layer_Ids.find(layer_id);
        if (at >= 0)
            Add_Layer_Name(Drawing_Layers[at]);
    }
    return true;
}

void Old_Plot_Setting::Read_Xrecord(int& frame_mode)
{
    Print_Order = g_Plot_Config.Option.Sort_Type;
    Chosen_Blocks.RemoveAll();
    Chosen_Layers.RemoveAll();
    bool found = false;
    resbuf* chain = Read_Named_Record(Old_Plot_Record_Name, &found);
    if (!found)
        return;
    Record_Reader reader(chain);
    int mode = frame_mode;
    if (reader.Int(Auto_Rotate) && reader.Int(Print_Order) && reader.Int(mode)) {
        if (mode >= Old_Mode_Blocks && mode <= Old_Mode_Sets)
            frame_mode = mode;
        if (reader.Int(Copies) && reader.Int(To_Plt) && reader.Real(Margin) && reader.Text(Output_Folder)) {
            Output_Folder = Old_Plot_Slot_Name(Output_Folder);
            Read_Names(reader, [this](const CString& name) {
                if (Find_Drawing_Block(name) >= 0)
                    Add_Block_Name(name);
            });
            Read_Names(reader, [this](const CString& name) {
                if (Find_Drawing_Layer(name) >= 0)
                    Add_Layer_Name(name);
            });
        }
    }
    if (chain != nullptr)
        zcutRelRb(chain);
    Keep_In_Range(Auto_Rotate, 0, 1, 1);
    Keep_In_Range(Print_Order, 1, 9, 1);
    Keep_In_Range(Copies, 1, Old_Plot_Max_Copies, 1);
    Keep_In_Range(To_Plt, 0, 1, 0);
}

bool Old_Plot_Setting::Write_Xrecord(int frame_mode)
{
    resbuf* head = Rb_New(90);
    if (head == nullptr)
        return false;
    head->resval.rlong = Auto_Rotate;
    resbuf* tail = head;
    for (int value : {Print_Order, frame_mode, Copies, To_Plt})
        Rb_Append_Int(tail, value);
    Rb_Append_Real(tail, Margin);
    Rb_Append_Text(tail, Output_Folder.GetString());
    for (const CStringArray* names : {&Chosen_Blocks, &Chosen_Layers}) {
        Rb_Append_Int(tail, static_cast<int32_t>(names->GetSize()));
        for (INT_PTR i = 0; i < names->GetSize(); ++i)
            Rb_Append_Text(tail, (*names)[i].GetString());
    }
    const bool stored = Write_Named_Record(Old_Plot_Record_Name, head);
    Rb_Free_Chain(head);
    g_Plot_Config.Option.Sort_Type = Print_Order;
    return stored;
}
