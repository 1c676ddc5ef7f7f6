// Counting the frames of a drawing file that the host has not open: a copy of the file is
// read into a side database, which is the working database while the frames are searched.
#include <algorithm>

#include "core/file_operations.h"
#include "core/hidden_layers.h"
#include "core/host_adapter.h"
#include "core/space_helpers.h"
#include "core/temp_folder.h"
#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "db/dblayout.h"
#include "ed/command_line.h"
#include "plot/multi_drawing/multi_dwg_list.h"
#include "sheets/frame_detection.h"
#include "ui/dialog_detection_feedback.h"
#include "win/win_files.h"

namespace {

// Makes the side database the working database while it lives, with the hidden-layer
// lists of that drawing; gives back the previous working database and its lists.
class Side_Database_Scope {
public:
    explicit Side_Database_Scope(ZcDbDatabase* side)
        : m_Previous(zcdbHostApplicationServices()->workingDatabase()), m_Hidden(g_Hidden_Layers)
    {
        zcdbHostApplicationServices()->setWorkingDatabase(side);
        g_Hidden_Layers.Collect_Hidden_Layers();
    }
    ~Side_Database_Scope()
    {
        zcdbHostApplicationServices()->setWorkingDatabase(m_Previous);
        g_Hidden_Layers = m_Hidden;
    }
    Side_Database_Scope(const Side_Database_Scope&) = delete;
    Side_Database_Scope& operator=(const Side_Database_Scope&) = delete;

private:
    ZcDbDatabase* m_Previous;
    Cad_Helper m_Hidden;
};

}  // namespace

void Get_Layout_Blocks_In_Order(ZcDbDatabase* db, ZcDbObjectIdArray& ids, CStringArray& names)
{
    ids.removeAll();
    names.RemoveAll();
    ZcDbDictionary* layouts = nullptr;
    if (db == nullptr || db->getLayoutDictionary(layouts, ZcDb::kForRead) != Zcad::eOk || layouts == nullptr)
        return;
    ZcArray<int> orders;
    ZcDbDictionaryIterator* iterator = layouts->newIterator();
    for (; iterator != nullptr && !iterator->done(); iterator->next()) {
        ZcDbObjectPointer<ZcDbLayout> layout(iterator->objectId(), ZcDb::kForRead);
        if (layout.openStatus() != Zcad::eOk || layout->getBlockTableRecordId().isNull())
            continue;
        const int order = layout->getTabOrder();
        int at = 0;
        while (at < orders.length() && orders[at] <= order)
            ++at;
        const wchar_t* name = nullptr;
        layout->getLayoutName(name);
        CString text;
        text.Format(L"%s", name != nullptr ? name : L"");
        orders.insertAt(at, order);
        ids.insertAt(at, layout->getBlockTableRecordId());
        names.InsertAt(at, text);
    }
    delete iterator;
    layouts->close();
}

void Get_Layout_Blocks_In_Order(ZcDbDatabase* db, ZcDbObjectIdArray& ids)
{
    CStringArray names;
    Get_Layout_Blocks_In_Order(db, ids, names);
}

void Find_Frames_In_Ids(const ZcDbObjectIdArray& ids, Sheet_Array& sheets)
{
    ZcDbObjectIdArray frame_blocks, non_frame_blocks;
    Dialog_Detection_Feedback feedback;
    Search_Frames_In_Ids(ids, ZcDbObjectId(), ZcDbObjectId(), frame_blocks, non_frame_blocks, sheets, feedback);
}

bool Single_Dwg::Count_Sheets()
{
    Clear_Sheets();
    if (Path_Kind(Path) != 1)
        return false;
    Temp_Copy.Format(L"%s\\%s%s", Get_Temp_Folder().GetString(), Make_Time_Stamp(L"F").GetString(),
                     Drawing_File_Extension);
    // A copy that could not be made is not counted: an older copy of that name may be there.
    if (!CopyFileW(Path.GetString(), Temp_Copy.GetString(), FALSE))
        return false;
    auto* side = new ZcDbDatabase(false, true);
    if (side->readDwgFile(Temp_Copy.GetString()) != Zcad::eOk) {
        delete side;
        return false;
    }
    {
        Side_Database_Scope scope(side);
        ZcDbObjectIdArray spaces;
        Get_Layout_Blocks_In_Order(side, spaces);
        for (int i = 0; i < spaces.length(); ++i) {
            ZcDbObjectIdArray ids;
            Collect_Space_Entity_Ids(ids, spaces[i], false);
            zcutPrintf(L"\n %d: %d  %d", i + 1, static_cast<int>(spaces[i].asOldId()), ids.length());
            Sheet_Array frames;
            Find_Frames_In_Ids(ids, frames);
            zcutPrintf(L"\n ---------%d", static_cast<int>(frames.GetSize()));
            // The side database goes: its ids do not stay with the sheets.
            for (INT_PTR k = 0; k < frames.GetSize(); ++k) {
                Plot_Drawing1* sheet = frames[k];
                sheet->Space_Index = i;
                sheet->Space_Id.setNull();
                for (ZcDbObjectId& source : sheet->Source_Ids)
                    source.setNull();
            }
            Found_Sheets.Append(frames);
        }
        zcutPrintf(L"\n\n ");
        Counted = true;
    }
    delete side;
    return true;
}

void Single_Dwg::Select_Sheets()
{
    Chosen_Sheets.RemoveAll();
    for (INT_PTR i = 0; i < Found_Sheets.GetSize(); ++i) {
        Plot_Drawing1* sheet = Found_Sheets[i];
        if (Plot_Range == Range_Both || (Plot_Range == Range_Model && sheet->Space_Index == 0) ||
            (Plot_Range == Range_Layouts && sheet->Space_Index > 0))
            Chosen_Sheets.Add(sheet);
    }
    if (!(Filter_Percent > 0.0))
        return;
    double largest = 0.0;
    for (INT_PTR i = 0; i < Chosen_Sheets.GetSize(); ++i)
        largest = std::max(largest, Chosen_Sheets[i]->Width * Chosen_Sheets[i]->Height * 1e-6);
    for (INT_PTR i = Chosen_Sheets.GetSize() - 1; i >= 0; --i)
        if (Chosen_Sheets[i]->Width * Chosen_Sheets[i]->Height * 1e-6 < Filter_Percent * largest / 100.0)
            Chosen_Sheets.RemoveAt(i);
}
