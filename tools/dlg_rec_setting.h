// The outer-frame settings: margin mode, fixed margin, margin percentage and the 1:√2
// proportion, loaded from and stored into the program settings.
#pragma once

#include "mfc/afxwin.h"
#include "ui/pic_button.h"

class Dlg_Rec_Setting : public CDialog {
public:
    explicit Dlg_Rec_Setting(CWnd* parent = nullptr);
    ~Dlg_Rec_Setting() override;

    int Margin_Mode = 0;
    double Margin = 0.0;
    double Percent = 5.0;
    int Sqrt2 = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    // A margin of exactly 0 turns its mode off; the values go into the settings.
    void OnOK() override;
    // The fixed-margin edit only in mode 1, the percentage and its label only in mode 2.
    afx_msg void Apply_Mode_Rule();
    DECLARE_MESSAGE_MAP()

private:
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};
