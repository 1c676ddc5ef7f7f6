// The modal dialog of the old batch plot to paper: frame mode, block or layer names,
// print order, copies, rotation, margin of selection sets and PLT output, with the current
// layout's device and paper and the host's page setup to change them.
#pragma once

#include "db/dblayout.h"
#include "mfc/afxwin.h"
#include "plot/old_plot_setting.h"
#include "ui/color_list_box.h"
#include "ui/pic_button.h"
#include "ui/pic_ctrl.h"
#include "ui/zcui_dialogs.h"

// The active layout's device and the display name of its paper; each valid flag tells
// whether the layout has one ("None", "无" and an empty name are no device).
void Get_Layout_Device_And_Paper(bool& device_valid, bool& paper_valid, CString& device_name, CString& paper_name);
// The display name of the device's media of that canonical name (case ignored); false when
// the device does not offer it.
bool Get_Media_Display_Name(ZcDbPlotSettings* layout, const CString& canonical_name, CString& display_name);

class Dlg_BPlot : public CZcUiDialog {
public:
    explicit Dlg_BPlot(CWnd* parent = nullptr);

    Old_Plot_Setting Setting;
    int Frame_Mode = Old_Mode_Blocks;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void Refresh_Controls();
    void Fill_Name_List();
    void Show_Order_Picture();
    // Focus on the edit with its first ten characters selected.
    void Focus_Edit(int edit_id);

    afx_msg void On_Mode_Changed();
    afx_msg void On_Sets_Mode();
    afx_msg void On_Pick_Blocks();
    afx_msg void On_Pick_Layers();
    afx_msg void On_Page_Setup();
    afx_msg void On_To_Plt();
    afx_msg void On_Name_Clicked();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

private:
    Pic_Button Setup_Button;
    Pic_Button Print_Button;
    Pic_Button Cancel_Button;
    Pic_Button Blocks_Button;
    Pic_Button Layers_Button;
    int Print_Order = 1;
    CString Folder_Text;
    CColorListBox Name_List;
    Pic_Ctrl Order_Picture;
    int Auto_Rotate = 1;
    int Copies = 1;
    int To_Plt = 0;
    double Margin = 0.0;
    CString Paper_Label;
    CString Printer_Label;
    int List_Index = -1;
};
