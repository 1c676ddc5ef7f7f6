// The print-order picker: the user clicks through pictures of the sheet orders; on OK
// Sort_Type holds the chosen order (1..8, or 1..9 with the selection order allowed).
#pragma once

#include "mfc/afxwin.h"
#include "ui/pic_button.h"
#include "ui/pic_ctrl.h"

class Dlg_SortType : public CDialog {
public:
    explicit Dlg_SortType(CWnd* parent = nullptr);
    ~Dlg_SortType() override;

    int Nine_Patterns = 0;  // 1 allows the selection order 9 and changes the caption
    int Sort_Type = 1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void Show_Pattern();
    int Last_Pattern() const { return Nine_Patterns ? 9 : 8; }
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

protected:
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Ctrl Picture;
};
