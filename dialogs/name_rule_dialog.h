// The generic file naming of the batch plot to files: prefix, start number, suffix, digit
// count and the sheet order, with a read-out of example names and the order's picture.
// A prefix "???" stands for the current drawing's name: the dialog shows the name and
// hands back "???" while the prefix still equals it.
#pragma once

#include "mfc/afxwin.h"
#include "ui/pic_button.h"
#include "ui/pic_ctrl.h"

class Dlg_Name_Rule : public CDialog {
public:
    explicit Dlg_Name_Rule(CWnd* parent = nullptr);
    ~Dlg_Name_Rule() override;

    int Sort_Type = 1;
    CString Prefix = L"File";
    int Start_No = 1;
    CString Suffix;
    int Digits_Index = 1;  // digit count - 1
    CString Example;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void Refresh_Example();
    void Refresh_Picture();
    afx_msg void On_Text_Change();
    afx_msg void On_Start_No_Change();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

protected:
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Ctrl Picture;
    bool Started = false;
};
