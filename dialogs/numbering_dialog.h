// What the numbering dialogs share: prefix, start number, suffix and digit count
// edited with a read-out of example names that follows every edit.
#pragma once

#include "mfc/afxwin.h"
#include "ui/pic_button.h"

// "示   例" followed by the names of numbers start, +1, +2, "..........", +10 and +11, each
// after an empty line: prefix, the number with digits_index + 1 digits and suffix, then tail.
CString Numbering_Example(const CString& prefix, int start_no, const CString& suffix, int digits_index,
                          const wchar_t* tail);

class Numbering_Dialog : public CDialog {
public:
    Numbering_Dialog(UINT template_id, CWnd* parent);
    ~Numbering_Dialog() override;

    CString Prefix;
    int Start_No = 1;
    CString Suffix;
    int Digits_Index = 1;  // digit count - 1
    CString Example;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    // Rebuilds Example from the fields and shows it.
    virtual void Refresh_Example() = 0;
    afx_msg void On_Text_Change();
    afx_msg void On_Start_No_Change();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

protected:
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    bool Started = false;
};
