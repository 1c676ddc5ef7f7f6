// The program-wide settings, the global g_Plot_Config, with the settings file
// "BPlot_Cfg_ZCAD.cfg" in the per-user folder.
#pragma once

#include "core/plot_option.h"
#include "core/shortcut_table.h"
#include "mfc/afxstr.h"
#include "rx/zcarray.h"

class Plot_Config {
public:
    Plot_Config();

    // Reads the settings file (fields the file lacks keep their values), then runs
    // After_Load (the host profile set-up). A file that is there but cannot be read
    // whole is kept aside (Set_Aside_Unreadable_File).
    void Load();
    // The step every Load ends with; the host profile set-up sets it when the module is
    // loaded. Null: none.
    static void (*After_Load)();
    // Writes the settings file; with report, a failed write is shown to the user.
    // True when the file was written.
    bool Save(bool report);

    // The value of the first pair whose name equals the name without regard to case;
    // empty when there is none.
    CString Get_Value(const CString& name) const;
    // Replaces the value of that pair, or appends the pair.
    void Set_Value(const CString& name, const CString& value);

    // Path of the settings file in the per-user folder.
    static CString File_Path();

    Plot_Option Option;
    Shortcut_Table Shortcuts;

    int Single_Pick_Mode = 0;   // single plot: 0 two corners, 1 picked entities
    int Merge_Pdf = 0;
    int Ask_File_Name = 0;
    int Dwg_As_Block = 1;
    CString Sign_Lib_Path;      // signature library file
    CString Stamp_Lib_Path;     // stamp library file
    int Plot_Lineweights = 1;
    int Plot_Transparency = 0;
    int Stamp_Jitter = 0;
    int Open_Folder = 1;        // open the folder after a single plot
    int Vector_Res = 43;        // slider position 0..94
    int Plot_Stamp = 0;
    int Text_As_Geometry = 0;
    int Line_Overlay = 1;
    int Frames_Loose_Lines = 1;
    int Frames_All_Blocks = 1;
    int Frames_Rect_Blocks = 0;
    int Custom_Paper_W = 841;
    int Custom_Paper_H = 594;
    int Open_Merged_Pdf = 1;
    int Plot_Outer_Line = 0;
    int Multi_Dwg_Defaults[7] = {0, 0, 0, 0, 0, 594, 0};
    int Skip_Empty_Frames = 1;
    int Raster_Res = 10;        // slider position 0..94
    int Ctb_Mark_1 = 0;
    int Ctb_Mark_2 = 0;
    int Stamps_Behind = 0;
    int Ctb_Mark_3 = 0;
    int Raster_Dpi = 200;
    int Pdf_Orientation = 0;    // 0 as plotted, 1 all landscape, 2 all portrait
    int Pdf_Rotate_270 = 0;
    CString Last_Style;
    int Outer_Margin_Mode = 0;  // 0 none, 1 fixed, 2 percentage of the shorter side
    double Outer_Margin = 0.0;
    double Outer_Margin_Percent = 5.0;
    int TK_Insert_Mode = 0;
    CString TK_Folder;          // folder of the title-block drawings
    int Outer_Sqrt2 = 0;
    ZcArray<CString> Value_Names;  // Named_Values: names and their values
    ZcArray<CString> Value_Texts;
    int Sign_Fill_Style = 0;
    CString Shx_Font = L"korvel_en.shx";
    CString Shx_Big_Font = L"korvel_hz.shx";
    int Layer_Info = 1;
    int Default_Style_Mode = 0; // 0 the drawing's page setup, 1 the style used last, 2 Default_Style_Name
    CString Default_Style_Name;
    int TK_Scale_Step = 1;
    int TK_Scale_Custom = 0;
    int TK_Text_Pos = 2;

    // Never stored: the next menu refresh switches the host's menu bar on first.
    int Set_Menubar = 0;

private:
    // False when the file is there but could not be read whole.
    bool Read_File();
    void Repair_Paths();
};

extern Plot_Config g_Plot_Config;

// A resolution slider's position as dots per inch: 100 up to position 0, 4800 from 94 on.
int Slider_To_Dpi(int position);
