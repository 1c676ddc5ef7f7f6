// The batch over several drawing files (2021 flavour only): the drawings with their plot
// choices, kept in the list file "MutiFiels.tmp" of the configuration folder, and their
// frames counted without opening the files in the host.
#pragma once

#include "db/dbmain.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"

class Single_Dwg;
typedef CTypedPtrArray<CObArray, Single_Dwg*> Single_Dwg_Array;

// Positions in the settings' multi-drawing defaults.
enum Multi_Dwg_Default {
    Multi_Default_Range = 0,
    Multi_Default_Style = 1,
    Multi_Default_Spare = 2,
    Multi_Default_Long_Side = 4,
    Multi_Default_Short_Side = 5,
    Multi_Default_Merge = 6,
};

// Plot ranges of a drawing.
enum Multi_Dwg_Range { Range_Model = 0, Range_Layouts = 1, Range_Both = 2 };

// The list file keeps at most this many drawings.
constexpr int Multi_Dwg_File_Limit = 200;

// One drawing of the batch.
class Single_Dwg : public CObject {
public:
    // A new record with the defaults of the settings and the current options.
    explicit Single_Dwg(const CString& path);
    // Deletes the found sheets.
    ~Single_Dwg() override;
    Single_Dwg(const Single_Dwg&) = delete;
    Single_Dwg& operator=(const Single_Dwg&) = delete;

    // Counts the frames of the file, read into a side database that is the working
    // database meanwhile; false when the file is missing or cannot be read.
    bool Count_Sheets();
    // The found sheets that the range and the filter keep.
    void Select_Sheets();
    // Takes over the plot choices of the other record.
    void Copy_Choices(const Single_Dwg& other);
    void Clear_Sheets();

    CString Path;
    CString File_Name;
    int Style_Index = 0;
    double Scale = 100.0;
    int Plot_Range = Range_Model;
    int Print_Sign = 0;
    int Print_Stamps = 0;
    int Stamp_Choices[4] = {0, 0, 0, 0};
    double Filter_Percent = 0.0;
    int Order = 1;
    int Spare = 0;
    int Paper_Long = 0;
    int Paper_Short = 594;
    CString Temp_Copy;
    bool Counted = false;
    Sheet_Array Found_Sheets;   // owned
    Sheet_Array Chosen_Sheets;  // not owned
};

// The current list (shown in the dialog) and the remembered list (read from the file).
struct Multi_Dwg_List {
    Single_Dwg_Array Current;
    Single_Dwg_Array Remembered;
};

extern Multi_Dwg_List g_Multi_Dwg_List;

// The file name after the last backslash (the whole path without one).
CString Dwg_File_Name_Of(const CString& path);
// Appends a record for each path that is a drawing file and not listed yet (case
// ignored), with the remembered choices of the same path.
void Add_Dwg_Files(const CStringArray& paths);
void Copy_Saved_Dwg_Settings(Single_Dwg& record);
// Path of the list file in the configuration folder.
CString Multi_Dwg_List_Path();
// Reads the list file into the remembered list; the paths of its current part that are
// files go to paths. Counts beyond the file's limit and values that do not read stop
// the reading there.
void Load_Multi_Dwg_List(CStringArray& paths);
// Writes the current list, then remembered records of other paths, up to the limit.
// False, with the write-failure message, when the file could not be written whole.
bool Save_Multi_Dwg_List();
void Clear_Multi_Dwg_Lists();

// The block records of the database's layouts by tab order, with the layout names.
void Get_Layout_Blocks_In_Order(ZcDbDatabase* db, ZcDbObjectIdArray& ids, CStringArray& names);
void Get_Layout_Blocks_In_Order(ZcDbDatabase* db, ZcDbObjectIdArray& ids);
// The frame search of one space over the ids, without markers; appends to sheets.
void Find_Frames_In_Ids(const ZcDbObjectIdArray& ids, Sheet_Array& sheets);
