// The font check dialog: every text style with its standard and big font file, missing
// files in red; installed SHX files are picked as replacements one row at a time or for
// every missing file at once.
#pragma once

#include "db/dbmain.h"
#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "tools/font_inventory.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/zcui_dialogs.h"

// One row of the check.
class Text_Style : public CObject {
public:
    ~Text_Style() override = default;

    CString Style_Name;
    ZcDbObjectId Style_Id;
    CString Standard_File;         // current choice, lower-cased before the dialog opens
    CString Typeface;              // cleared when a standard file is chosen
    CString Stored_Standard_File;  // as found in the drawing, normalised
    BYTE Standard_Missing = 0;
    CString Big_File;
    CString Stored_Big_File;
    BYTE Big_Missing = 0;
    BYTE Any_Missing = 0;  // as found when the check ran
};

// Sort direction per column 1..3 (index 0 unused); they outlast one check.
extern int g_Font_Sort_Toggles[4];

// Exchange sort on lower-cased keys: column 1 the style name, 2 the typeface or else the
// standard file, 3 the big file.
void Sort_Text_Styles(CArray<Text_Style*, Text_Style*>& rows, int column, bool ascending);
// Extra columns of the picker for n fonts.
int Font_Picker_Extra_Columns(int n);

class Dlg_Font : public CZcUiDialog {
public:
    explicit Dlg_Font(CWnd* parent = nullptr);
    ~Dlg_Font() override;

    void Fill_List();
    void Update_Replace_Buttons();
    // Kind 0 standard, 1 big font; rows index the shown rows (empty: every missing one).
    void Pick_Font_File(int kind, const ZcArray<int>& rows);
    void Set_Row_Font(int kind, int row, const CString& name);
    // Deletes every row.
    void Clear_Rows();

    Font_Inventory Inventory;
    CArray<Text_Style*, Text_Style*> All_Rows;      // owns the rows
    CArray<Text_Style*, Text_Style*> Missing_Rows;  // the rows with a missing file
    int Show_All = 0;
    int Regen = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Column_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Show_All();
    afx_msg void On_Replace_Standard();
    afx_msg void On_Replace_Big();
    afx_msg void On_Ok_Without_Regen();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

    CArray<Text_Style*, Text_Style*>& Shown_Rows() { return Show_All ? All_Rows : Missing_Rows; }

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Button Replace_Standard_Button;
    Pic_Button Replace_Big_Button;
    Pic_Button Ok_No_Regen_Button;
    ListCtrl_DivezUrez List;
};
