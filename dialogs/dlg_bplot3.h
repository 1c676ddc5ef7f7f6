// The result window of the batch plot to paper: a modeless dialog that lists the found
// sheets with the chosen printer's papers and a number of copies each, lets the user delete,
// re-paper, re-order and filter them and choose printer, plot style and output (paper or PLT
// files), and shows the plot's progress with a stop button. It owns the sheet set and the
// options that g_Sheet_Set and g_Cur_Plot_Option point at while it exists.
#pragma once

#include "dialogs/result_dialog.h"
#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "sheets/paper_records.h"
#include "sheets/sheet_records.h"
#include "ui/pic_button.h"

// The columns of the list.
enum Bplot3_Column { Col3_No = 0, Col3_Eye, Col3_Copies, Col3_Del, Col3_Paper, Col3_Size, Col3_Remark };

class Dlg_BPlot3 : public Result_Dialog {
public:
    explicit Dlg_BPlot3(CWnd* parent = nullptr);
    ~Dlg_BPlot3() override;

    // Filling at the opening, in this order; Fill_On_Open calls them all.
    void Fill_On_Open();
    // The printers into the combo (refill) and the chosen one's media; every listed sheet
    // gets that printer's remembered or first paper. Without printers the user is told so.
    void Fill_Printer_Combo(bool refill);
    void Fill_Sheet_List(bool sort);
    void Set_Active_Columns();
    // The copies and papers stored for the same frames in "PAPER_INFOR".
    void Apply_Saved_Papers();
    // With reset every sheet gets the device's remembered or first paper; then the copy
    // and paper cells of every row are shown again.
    void Refresh_Copies_And_Papers(bool reset);

    // A media name of the device from one list to the other (case ignored); empty when
    // the device has no such media.
    CString Get_Display_Media(const CString& canonical_name) const;
    CString Get_Canonical_Media(const CString& display_name) const;

    // Edits started from the list.
    // The host's preview of the row's sheet, then of the rows paged to; hidden meanwhile.
    void Preview_Sheet(int row);
    void Set_Copies(int row, const ZcArray<int>& rows);
    void Set_Paper(int row, const ZcArray<int>& rows);
    void Delete_Sheets(int row, bool erase_marker, const ZcArray<int>& rows) override;
    // Copies per paper of the listed sheets into a new workbook of the spreadsheet program.
    void Export_Paper_Statistics();

    // Stores each listed sheet's frame with its copies and paper in "PAPER_INFOR".
    void Save_Papers();

    // Device, switches and output mode into the options.
    void Store_Controls() override;
    // The sheet of a row; null outside the list.
    Plot_Drawing1* Row_Sheet(int row) const;
    const ZcDbObjectId* Row_Marker(int row) const override { return Marker_Of(Row_Sheet(row)); }
    // A printer is chosen: Print has a device to send to.
    bool Has_Device() const { return Device_Index >= 0 && !Device_Name.IsEmpty(); }

    int Device_Index = -1;
    CString Device_Name;
    CStringArray Display_Media;
    CStringArray Canonical_Media;
    Plot_Sheet_Set Sheet_Set;
    Sheet_Infor_List Frame_Infor;
    int Output_Mode = 0;  // 0 print to paper, 1 PLT files
    int Auto_Rotate = 1;
    int Collate = 1;
    int Print_Sign = 1;


protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void On_Edit_Style();
    afx_msg void On_Filter();
    afx_msg void On_Sort();
    afx_msg void On_Output_Mode();
    afx_msg void On_Device_Changed();
    afx_msg void On_Style_Dropdown();
    afx_msg void On_Count_Papers();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // Eye, copies (printing to paper only), delete and paper cells; the copies and paper headers.
    void Click_Cell(int row, int column, const ZcArray<int>& rows) override;
    bool Column_Acts(int column) const override;
    void Edit_Column(int column, const ZcArray<int>& rows) override;
    void Highlight_Selected_Rows() override;
    UINT List_Menu() const override;

    void Save_Frame_Records() override { Save_Papers(); }
    void Erase_Markers() override;
    // The printer's media lists emptied.
    void Release_Devices() override;

private:
    // "%d" of the sheet's copies and the display name of its paper into the row.
    void Show_Row_Copies_And_Paper(int row);
    void Enable_Print();
    // Tells the user that the machine has no printer to print on.
    void Report_No_Printer();
    // Print's check: a printer is chosen and every listed sheet has one of its papers.
    bool Check_Device_And_Papers();
    int Get_Text_Width(const CString& text);

    CComboBox Device_Combo;
    Pic_Button Sort_Button;
    Pic_Button Filter_Button;
};
