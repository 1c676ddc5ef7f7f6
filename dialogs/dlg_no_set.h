// What goes in front of each output file name of the title-block batch (a prefix and, when
// asked, a sequence number) and the order of the sheets. The caller reads the fields back
// after OK; a prefix equal to the drawing's name comes back as "???".
#pragma once

#include "dialogs/numbering_dialog.h"
#include "ui/pic_ctrl.h"

// Bitmap of the greyed order picture of an order 1..9 (696, 724..731).
int Grey_Order_Bitmap(int sort_type);

class Dlg_No_Set : public Numbering_Dialog {
public:
    explicit Dlg_No_Set(CWnd* parent = nullptr);
    ~Dlg_No_Set() override;

    int Insert_No = 1;
    int Order_Kind = 0;  // 0 by priority and drawing number, 1 by position
    int Sort_Type = 1;   // 1..9

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void Refresh_Example() override;
    void Refresh_Picture();
    afx_msg void On_Insert_No();
    afx_msg void On_Order_Kind();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

protected:
    Pic_Ctrl Picture;
};
