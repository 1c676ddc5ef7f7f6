// The plug-in's own plotter files for output to files: per output type a plotter
// configuration file (".pc5") that names one of the host's drivers and plots to a file,
// and a paper description file (".pmp") that declares exactly the papers in use, each in
// both orientations. Written into the host's printer folders for the output type of the
// plot options in force, with the program settings.
#pragma once

#include <ostream>

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"

// "K_PDF.pc5" .. "K_SVG.pc5" for the output types 0..5; empty for others.
CString Get_Pc5_File_Name(int output_type);
// "K_PDF.pmp" .. "K_SVG.pmp" for the output types 0..5; empty for others.
CString Get_Pmp_File_Name(int output_type);

// The entries of a ";"-separated folder list, each without a trailing backslash; the text
// after the last ";" is the last entry. Empty entries are kept.
void Split_Folder_List(const CString& list, CStringArray& folders);

// The first entry of each printer folder list that exists or can be created; an unusable
// list is given back unchanged, with its usable flag clear.
void Get_Device_Folders(CString& config_folder, CString& desc_folder, bool& config_usable, bool& desc_usable);

// Rewrites both files of the output type in force for the papers; a file that cannot be
// written (its folder unusable, or the write failed) is reported with the write-failure
// message and the other is still written. True when both files were written.
bool Build_Plot_Device_Files(const Paper_Array& papers);
// The configuration file of the output type in force, naming the description file's path.
bool Write_Pc5_File(const CString& config_path, const CString& desc_path);
// The description file: each paper long side across, then (unless square) short side across
// under its name + "T".
bool Write_Pmp_File(const Paper_Array& papers, const CString& desc_path);

// A paper entry's printable area, in millimetres. With enlarge the paper grows by its
// margins; otherwise margins that leave nothing to print are dropped.
struct Printable_Area {
    double Width = 0.0, Height = 0.0;
    double Llx = 0.0, Lly = 0.0, Urx = 0.0, Ury = 0.0;
    double Actual_X = 0.0, Actual_Y = 0.0, Area = 0.0;
};
Printable_Area Compute_Printable_Area(double width, double height, bool enlarge, double top, double bottom,
                                      double left, double right);
// Writes entry k of the description file (12 lines).
void Write_Pmp_Paper(std::ostream& out, int k, const CString& name, double width, double height, bool enlarge,
                     double top, double bottom, double left, double right);

// Called when a plot dialog finishes; nothing to do with the files then.
struct Plot_Device_Files {
    static void End_Plot() {}
};
