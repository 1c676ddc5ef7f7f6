// The naming pattern of one title-block definition: letters A..F for its texts, T for its
// paper, with a read-out of the name the pattern gives. OK keeps the pattern as the
// library's last one.
#pragma once

#include "mfc/afxwin.h"
#include "ui/pic_button.h"

class Dlg_TK_Name : public CDialog {
public:
    explicit Dlg_TK_Name(CWnd* parent = nullptr);
    ~Dlg_TK_Name() override;

protected:
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;

public:
    CString Pattern = L"File";  // empty: the library's last pattern is offered
    int Digits_Index = 1;       // sequence digits - 1
    CString Example;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void Refresh_Example();
    afx_msg void On_Pattern_Change();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

    bool Started = false;
};
