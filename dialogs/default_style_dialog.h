// The dialog that asks for the default plot style.
#pragma once

#include "ui/small_value_dialogs.h"

// The default plot style: where it comes from and the directly chosen table. OK stores
// both in the program settings.
class Dlg_PlotSheet_Default : public Value_Dialog {
public:
    explicit Dlg_PlotSheet_Default(CWnd* parent = nullptr);
    ~Dlg_PlotSheet_Default() override;

    int Style_Mode = 0;   // 0 the drawing's page setup, 1 the style used last, 2 the chosen one
    int Style_Index = -1; // selection of the style combo

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The combo is enabled only for a directly chosen style.
    afx_msg void Update_Style_Combo();
    DECLARE_MESSAGE_MAP()

protected:
    CComboBox Style_Combo;
};
