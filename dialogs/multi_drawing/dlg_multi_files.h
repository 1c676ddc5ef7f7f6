// The dialog of the batch over several drawing files (2021 flavour only): the listed
// drawings with their plot choices, added by file, folder or drop and counted without
// opening them, and the output options of the batch.
#pragma once

#include "mfc/afxcoll.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "ui/gradient_progress.h"
#include "ui/pic_button.h"
#include "ui/pic_ctrl.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/zcui_dialogs.h"

class Single_Dwg;

// Direction flags of the header clicks, one per column.
extern int g_Multi_Sort_Toggles[10];

// The cell texts of a record: plot range, paper and filter columns.
CString Multi_Range_Text(int range);
CString Multi_Paper_Text(int long_side, int short_side);
CString Multi_Filter_Text(double percent);

class Dlg_MultiFiles : public CZcUiDialog {
public:
    explicit Dlg_MultiFiles(CWnd* parent = nullptr);

    // The list's columns.
    enum Column {
        Col_No = 0, Col_File, Col_Del, Col_Range, Col_Style, Col_Paper, Col_Filter, Col_Sign, Col_Order, Col_Count,
        Column_Count
    };

    void Update_Controls(bool refill);
    void Fill_List();
    // Counts the rows not counted yet; rows whose file cannot be read are removed.
    void Count_Rows();
    // The click actions of columns 2 to 8 on the target rows, `row` standing for the clicked row.
    void Act_On_Column(int column, int row, const ZcArray<int>& rows);
    // Adds the paths (files as they are, folders with their subfolders) and refills.
    void Add_Paths(const CStringArray& paths);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void On_Add_Files();
    afx_msg void On_Add_Folder();
    afx_msg void On_Count();
    afx_msg void On_Format_Changed();
    afx_msg void On_Folder_Mode_Changed();
    afx_msg void On_Merge_Changed();
    afx_msg void On_Margin_Changed();
    afx_msg void On_Margin_Leave();
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Column_Click(NMHDR* header, LRESULT* result);
    afx_msg LRESULT On_List_Drop(WPARAM wparam, LPARAM lparam);
    afx_msg void OnDropFiles(HDROP drop);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

private:
    void Show_Row(int row);
    void Show_Count_Cell(int row);
    void Delete_Rows(const ZcArray<int>& rows);
    void Sort_Rows(int column);
    bool Swatch_Painted() const;
    void Take_Dropped(HDROP drop);

    ListCtrl_DivezUrez List;
    CGradientProgressCtrl Progress;
    Pic_Ctrl Merge_Picture;
    Pic_Button Ok_Button, Cancel_Button, Files_Button, Folder_Button, Count_Button;
    int Format_Index = 0;
    int Margin_Index = 0;
    int Folder_Mode_Index = 0;
    int Merge_Mode = 0;
    CString Folder_Text;
};
