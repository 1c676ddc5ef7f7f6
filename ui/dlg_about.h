// The About box: the program's name and version, its logo and a close button on green.
#pragma once

#include <cstdint>

#include "mfc/afxdc.h"
#include "mfc/afxwin.h"
#include "ui/pic_button.h"
#include "ui/pic_ctrl.h"

class Dlg_About : public CDialog {
public:
    explicit Dlg_About(CWnd* parent = nullptr);
    ~Dlg_About() override;

    // The background of the box and the close button's fills.
    static constexpr COLORREF Background_Color = RGB(170, 210, 150);
    static constexpr COLORREF Hover_Fill_Color = RGB(110, 170, 80);

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

protected:
    Pic_Button Close_Button;
    CBrush Background;
    Pic_Ctrl Logo;
    CString Version_Text;
};

// "Korvel打印 yyyy.mm.dd" for a version stamp yyyymmdd.
CString Format_Version_Line(int32_t stamp);
