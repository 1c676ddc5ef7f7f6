// The plot settings dialog: the program-wide switches of g_Plot_Config that the plotter
// configuration files, the layouts' plot settings, the end of a batch and frame detection
// read. OK writes them in memory; the settings file takes them at its next save.
#pragma once

#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "ui/pic_button.h"
#include "ui/pic_ctrl.h"

class Dlg_Setting : public CDialog {
public:
    explicit Dlg_Setting(CWnd* parent = nullptr);
    ~Dlg_Setting() override;

    // Every message goes to the tooltip first, so that it sees the mouse over its tools.
    BOOL PreTranslateMessage(MSG* message) override;

    // The controls' values, loaded from g_Plot_Config at the opening.
    int Plot_Lineweights = 0;
    int Plot_Stamp = 0;
    int Text_As_Geometry = 0;
    int Plot_Outer_Line = 0;
    int Plot_Transparency = 0;
    int Vector_Position = 0;   // slider positions 0..94
    int Raster_Position = 0;
    int Image_Position = 0;    // 0..50: 100 dpi + 10 a step
    CString Vector_Label;
    CString Raster_Label;
    CString Image_Label;
    int Line_Choice = 0;       // 0 "直线覆盖", 1 "直线合并"
    int Layer_Info = 0;
    int Pdf_Orientation = 0;
    int Pdf_Rotate_270 = 0;
    int Open_Folder = 0;
    int Open_Merged_Pdf = 0;
    int Frames_Plines = 1;     // always on
    int Frames_Loose_Lines = 0;
    int Frames_All_Blocks = 0;
    int Frames_Rect_Blocks = 0;
    int Skip_Empty_Frames = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    afx_msg void OnHScroll(UINT code, UINT position, CScrollBar* scroll_bar);
    afx_msg void On_Line_Choice();
    afx_msg void On_Orientation();
    afx_msg void On_All_Blocks();
    afx_msg void On_Rect_Blocks();
    afx_msg void On_Turn_90_Picture();
    afx_msg void On_Turn_270_Picture();
    DECLARE_MESSAGE_MAP()

protected:
    // Shows the 90/270 choice with its pictures for orientations 1 and 2, hides it for 0.
    void Update_Rotation_Controls();
    void Show_Line_Picture();
    void Label_Resolutions();

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Ctrl Line_Picture;
    Pic_Ctrl Turn_90_Picture;
    Pic_Ctrl Turn_270_Picture;
    CToolTipCtrl Tooltip;
};
