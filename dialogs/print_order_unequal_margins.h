// Unequal margins: the four margins of landscape and of portrait sheets, each typed as
// one text of four numbers and shown on a small preview, and whether they enlarge the
// paper (mode 0) or shrink the plot (mode 1).
#pragma once

#include "mfc/afxdc.h"
#include "mfc/afxwin.h"
#include "ui/pic_button.h"

// Up to four unsigned integers of the text in the order top, bottom, left, right;
// anything but a digit separates numbers; missing ones are 0.
void Parse_Margins(const CString& text, int& top, int& bottom, int& left, int& right);
// The preview: a black frame, the paper inside it and the printable area, inset on each
// side in proportion to its margin (the largest a tenth of the preview, at least 2 pixels).
void Paint_Margin_Preview(CDC* dc, const CRect& rect, int top, int bottom, int left, int right);

struct Plot_Option;
// The unequal-margins dialog on the options' settings: OK copies them back; the options'
// unequal flag is 1 afterwards either way.
void Edit_Unequal_Margins(CWnd* parent, Plot_Option& option);

class Dlg_Unequal_Edge : public CDialog {
public:
    explicit Dlg_Unequal_Edge(CWnd* parent = nullptr);
    ~Dlg_Unequal_Edge() override;

    int Mode = 0;
    CString Land_Text, Port_Text;
    // Landscape top, bottom, left, right, then portrait top, bottom, left, right.
    int Margins[8] = {2, 2, 10, 2, 10, 2, 2, 2};

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void Refresh();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

protected:
    CString Labels[8];
    bool Started = false;
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};
