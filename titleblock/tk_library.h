// The title-block library, the global g_TK_Library: the definitions (owning, in file order)
// and the library-wide settings of the catalogue, numbering, centring, naming and paper names.
// Kept in "BPlot_TK.tk" in the per-user folder.
#pragma once

#include <vector>

#include "mfc/afxcoll.h"
#include "mfc/afxtempl.h"
#include "mfc/afxstr.h"
#include "titleblock/tk_customization.h"

class TK_Library {
public:
    TK_Library();
    ~TK_Library();
    TK_Library(const TK_Library&) = delete;
    TK_Library& operator=(const TK_Library&) = delete;

    // Mode 0 reads the library file of the per-user folder, mode 1 imports a chosen file.
    // A file cut short or damaged gives what it holds whole, and the command line says so.
    // False when a file was there but could not be read whole: it must not be written over.
    bool Load(int mode);
    // The per-user library file, BPlot_TK.tk.
    static CString File_Path();
    // Writes the whole library: with save_as to a file chosen in the save dialog, else to the
    // per-user library file, which is kept aside first (Keep_Copy_Of_File) when it does not
    // read whole; a failed write is reported when `report` is set. False when the file
    // was to be written and was not.
    bool Save(bool report, bool save_as);
    // Reads the library file again and writes it back with the numbering settings in memory;
    // a file that could not be read whole is left as it is. False when the write failed.
    bool Resave();
    // Deletes every definition, empties the catalogue columns and resets the paper names.
    // The sheets of g_TK_Sheet_List lose their definitions and are dropped.
    void Clear();
    // The definition whose block name equals `block_name` without regard to case; null when none.
    TK_Customization* Find(const CString& block_name) const;

    TK_Customization_Array Records;
    TK_Text_Settings Text_Settings;
    int Cat_Border = 1;
    double Cat_Row_Height = 1000.0;
    CArray<double, double> Cat_Col_Widths;
    CArray<int, int> Cat_Col_Kinds;
    int No_In_Front = 0;
    CString No_Prefix;
    int No_Start = 1;
    CString No_Suffix = L"_";
    int No_Digits = 2;
    int Centre_Text[6] = {0, 0, 0, 0, 0, 0};
    CString Last_Name_Rule = L"A_B_T_C";
    CString Line_Separator = L"+";
    int Paper_Name_Style = 0;  // naming style 0..7 of lengthened papers
    int Reserved = 0;
    CStringArray Long_Paper_Names;  // the user's names of the 47 lengthened papers (style 7)

private:
    // Whether each sheet of g_TK_Sheet_List has a definition, and its block name.
    struct Sheet_Binding {
        bool bound;
        CString block_name;
    };
    std::vector<Sheet_Binding> Sheet_Bindings() const;
    // Points each bound sheet at the definition of its block name now; a sheet whose block
    // has none any more is deleted (its marker erased).
    void Rebind_Sheets(const std::vector<Sheet_Binding>& bindings);
    // Clear without the sheets.
    void Clear_Contents();
    // Whether the file reads whole as a library file (read into a scratch library).
    static bool Is_Whole_File(const CString& path);
    // False for a scratch library: its reading leaves the sheets of g_TK_Sheet_List alone.
    bool Binds_Sheets = true;
    // The reading of Load from the open file; false when it was not read whole.
    bool Read_File(std::istream& in, int64_t file_bytes, bool import, int& definitions_read);
};

extern TK_Library g_TK_Library;

// Empties the list and fills it with the 47 default names of the lengthened papers.
void Reset_Long_Paper_Names(CStringArray& names);
// True when every text letter of the record's naming pattern has its range set; otherwise
// false with the message for the first letter without one (wording 0 or 1).
bool Check_Name_Rule(const TK_Customization& record, CString& message, int wording);
// Shows the definition dialog for the record; true when it ended with OK.
bool Run_TK_Set_Dialog(TK_Customization& record);
// Takes a new definition's block name, dynamic flag, angle, scale, centre, frame extents and
// first paper from a block reference the user picks.
bool Pick_TK_Sample(TK_Customization& record);
// Takes the catalogue's text properties from a text the user picks.
bool Pick_Catalogue_Text(TK_Text_Settings& settings);
