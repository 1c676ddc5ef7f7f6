// One set of plot and output options: inside the program settings, for the current
// drawing (g_Dwg_Plot_Option) and inside each result or settings window. The drawing
// keeps its copy in the record "DWG_PLOT_SETTING".
#pragma once

#include <istream>
#include <ostream>

#include "mfc/afxstr.h"

// The start numbers the numbering dialogs take, either sign: the numbers of the rows
// after the start stay within int.
constexpr int Max_Start_No = 999999999;

// The kinds of output file, the values of Plot_Option::Output_Type.
enum Output_Kind { Output_Pdf = 0, Output_Dwf, Output_Jpg, Output_Png, Output_Plt, Output_Svg, Output_Dwg };

class Plot_Option {
public:
    Plot_Option() { Set_Defaults(); }

    // Every field to its default.
    void Set_Defaults();
    // Every field of the source except Prefix, Start_No, Suffix, Digits, Reserved_Flag
    // and Style_Name; Auto_Scale and Image_Frame_Off become 0.
    void Copy_Common(const Plot_Option& source);

    // The record's block of the settings file: its own stamp, then the fields its
    // stamp holds. A block that ends early leaves the rest as they were and gives
    // false.
    bool Read_Block(std::istream& in);
    void Write_Block(std::ostream& out) const;

    // Defaults, then the working drawing's record; a drawing without one gives the
    // program settings' options.
    void Read_Dwg_Setting();
    // Stores the options in the working drawing, then copies them into the program
    // settings (Copy_Common). The caller holds the document lock.
    void Write_Dwg_Setting() const;

    // Brings fields read from a file or a drawing into their ranges.
    void Repair();

    int Output_Type;      // Output_Kind
    int Folder_Mode;      // 0 the drawing's folder, 1 with a sub-folder per type, 2 Folder
    CString Folder;
    int Margin;           // millimetres, -100..100
    int Back_Red, Back_Green, Back_Blue;
    double Scale;         // drawing units per millimetre of paper
    CString Prefix;       // "???" stands for the drawing's name
    int Start_No;
    CString Suffix;
    int Digits;
    int Sort_Type;        // 1..9
    int TK_Order;         // 0 by position, then title-block priority and number; else by position
    int Auto_Scale;       // always 0 after a read
    double Filter_Percent;
    int Print_Sign;
    int Use_Reg_Stamp;
    int Use_Issue_Stamp;
    CString Reg_Stamp_Name;
    CString Issue_Stamp_Name;
    int Image_Frame_Off;
    int Use_Project_Stamp;
    int Use_Done_Stamp;
    CString Project_Stamp_Name;
    CString Done_Stamp_Name;
    int Stamps_On;
    CString Device_Name;  // batch plot to paper
    int Plt_Output;       // 0 print, 1 PLT files
    int Auto_Rotate;
    CString Plt_Folder;
    int Collate;
    int Reserved_Flag;
    CString Style_Name;
    int Unequal_Margin;
    int Unequal_Mode;     // 0 positive, 1 negative
    int Land_Top, Land_Bottom, Land_Left, Land_Right;
    int Port_Top, Port_Bottom, Port_Left, Port_Right;
};

// The record of the current drawing.
extern Plot_Option g_Dwg_Plot_Option;
// The record in force: a result window's own, the drawing's or the single-plot settings';
// null until a command sets it.
extern Plot_Option* g_Cur_Plot_Option;

// Name of the drawing's record: a dictionary of the named-object dictionary holding an
// XRecord of the same name.
constexpr const wchar_t* Dwg_Plot_Setting_Name = L"DWG_PLOT_SETTING";
