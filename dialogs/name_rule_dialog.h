// The generic file naming of the batch plot to files: prefix, start number, suffix, digit
// count and the sheet order, with a read-out of example names and the order's picture.
// A prefix "???" stands for the current drawing's name: the dialog shows the name and
// hands back "???" while the prefix still equals it.
#pragma once

#include "dialogs/numbering_dialog.h"
#include "ui/pic_ctrl.h"

class Dlg_Name_Rule : public Numbering_Dialog {
public:
    explicit Dlg_Name_Rule(CWnd* parent = nullptr);
    ~Dlg_Name_Rule() override;

    int Sort_Type = 1;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void Refresh_Example() override;
    void Refresh_Picture();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

protected:
    Pic_Ctrl Picture;
};
