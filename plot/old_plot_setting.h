// The old batch plot to paper: the areas of the current space collected in one of five
// frame modes, cleaned, ordered and plotted one "-plot" run each with the device and
// paper of the current layout's page setup. The choices stay in the drawing's record
// "KPLOT_SETTING2".
#pragma once

#include "db/dbmain.h"
#include "ge/gepnt3d.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "rx/zcarray.h"

// Frame modes, in the order of the dialog's radio group.
enum Old_Frame_Mode {
    Old_Mode_Blocks = 0,      // block references of chosen names
    Old_Mode_Layers = 1,      // closed rectangles on chosen layers
    Old_Mode_Rectangles = 2,  // rectangles the user selects
    Old_Mode_Windows = 3,     // windows picked by two points
    Old_Mode_Sets = 4,        // selection sets
};

// Name of the drawing's record (dictionary and XRecord alike).
extern const wchar_t* const Old_Plot_Record_Name;
// The copies the dialog takes.
constexpr int Old_Plot_Max_Copies = 99;

class Old_Plot_Setting {
public:
    // Block names of the current space's references (each once, case ignored), sorted.
    void Load_Block_Names();
    // The drawing's layers in table order, then sorted.
    void Load_Layer_Names();

    // Starts from the settings' sort type, then reads the record as far as it holds values
    // of the expected kinds; chosen names that are no drawing names are dropped, and a
    // value outside what the dialog takes gets its default. The frame mode is written only
    // when the record exists and holds one of the five.
    void Read_Xrecord(int& frame_mode);
    // Replaces the record by the current values and makes the print order the settings'
    // sort type. False when the record could not be stored.
    bool Write_Xrecord(int frame_mode);

    // Positions ignoring case; -1 when absent.
    int Find_Block_Name(const CString& name) const;
    int Find_Layer_Name(const CString& name) const;
    int Find_Drawing_Block(const CString& name) const;
    int Find_Drawing_Layer(const CString& name) const;
    void Add_Block_Name(const CString& name);
    void Add_Layer_Name(const CString& name);
    void Choose_Block(int position);
    void Choose_Layer(int position);
    void Remove_Block_Name(const CString& name);
    void Remove_Layer_Name(const CString& name);
    // Drawing names reordered: chosen ones first, each group in its order.
    void Sort_Block_Names();
    void Sort_Layer_Names();
    // Replace the chosen names by those of the picked entities; false when nothing was picked.
    bool Pick_Block_Name();
    bool Pick_Layer_Name();

    // The five collectors of the frame modes.
    void Collect_Block_Frames();
    void Collect_Layer_Rectangles();
    void Collect_Rectangles();
    void Collect_Window_Points();
    void Collect_Selection_Sets();
    // The collector of the mode.
    void Collect_Areas(int frame_mode);
    // The three area lists from the exact extents of the entities.
    void Set_Areas_From_Entities(const ZcDbObjectIdArray& ids);

    // Normalises the areas and drops empty ones and those inside another (of equal ones
    // the last stays).
    void Clean_Areas();
    // Clean_Areas, then the print order (9 keeps the collected order).
    void Order_Areas();
    // Orders, confirms and plots the areas; true when they were plotted.
    bool Plot_Areas();

    int Area_Count() const { return Lower_Corners.length(); }

    CString Output_Folder;
    int Auto_Rotate = 1;
    int Print_Order = 1;
    int Copies = 1;
    int To_Plt = 0;
    ZcArray<ZcGePoint3d> Lower_Corners;
    ZcArray<ZcGePoint3d> Upper_Corners;
    ZcArray<ZcGePoint3d> Centres;
    CStringArray Drawing_Blocks;
    ZcDbObjectIdArray Drawing_Block_Ids;
    CStringArray Chosen_Blocks;
    CStringArray Drawing_Layers;
    ZcDbObjectIdArray Drawing_Layer_Ids;
    CStringArray Chosen_Layers;
    double Margin = 0.0;  // drawing units added on each side of a selection set's area

private:
    void Compute_Centres();
    void Add_Area(const ZcGePoint3d& lower, const ZcGePoint3d& upper);
};

// The name as a slot keeps it: at most 299 characters.
CString Old_Plot_Slot_Name(const CString& name);
// Output file name of the k-th area (from 1) when plotting to PLT: "-001".."-099", "-100"...
CString Old_Plot_File_Name(const CString& base, int k);
// The "-plot" answers of one area after the command name, for the space and the target.
void Old_Plot_Answers(bool in_layout, bool to_plt, const CString& orientation, const CString& file_name,
                      CStringArray& items);
