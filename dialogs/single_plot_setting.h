// The plot options of the single-sheet plot: output format, plot style, margin, scale,
// signatures, file-name question, DWG as blocks and the background colour of images. It
// edits the drawing's stored options and three program settings and stores them however
// it closes.
#pragma once

#include "core/plot_option.h"
#include "mfc/afxwin.h"
#include "ui/ico_button.h"
#include "ui/pic_button.h"

// The mouse is over the colour swatch of the single-plot settings.
extern bool g_Single_Swatch_Hover;

class Dlg_SinglePlot_Setting : public CDialog {
public:
    explicit Dlg_SinglePlot_Setting(CWnd* parent = nullptr);
    ~Dlg_SinglePlot_Setting() override;

    // The dialog's own options: the drawing's at the start, stored at the end.
    Plot_Option Option;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Stores the options and closes; a scale not above 0 keeps the dialog open.
    void Close_And_Store();
    void Apply_Format_Rules();
    bool Swatch_Shown() const;
    CRect Swatch_Rect();
    void Pick_Background_Color();

    afx_msg void On_Format_Change();
    afx_msg void On_Style_Change();
    afx_msg void On_Style_Edit();
    afx_msg void On_Margin_Change();
    afx_msg void On_Margin_Leave();
    afx_msg void On_Auto_Scale();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

protected:
    int Style_Index = 0;
    int Format_Index = 0;
    int Margin_Index = 0;
    double Scale = 100.0;
    int Auto_Scale = 0;
    int Ask_Name = 0;
    int Dwg_Block = 1;
    int Print_Sign = 0;

    int Previous_Style_Index = 0;
    Plot_Option* Saved_Cur_Option = nullptr;
    bool Holds_Cur_Option = false;
    Pic_Button Close_Button;
    Ico_Button Edit_Button;
};
