// The two dialogs of the signature authorisation: the list of the drawing's signers
// (Dlg_SignCer) and the code and days of one signer (Dlg_Cer).
#pragma once

#include <cstdint>
#include <vector>

#include "mfc/afxwin.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"

class KV_Sign;

// Typed code and days for one signer; OK only with that signer's code.
class Dlg_Cer : public CDialog {
public:
    explicit Dlg_Cer(int32_t library_code, CWnd* parent = nullptr);
    ~Dlg_Cer() override;

    int32_t Library_Code;
    int Typed_Code = 0;
    int Days = 30;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};

// The signers of the drawing in three groups: library records with a code (authorised
// days set by the caller), records without a code, names missing from the library.
// A click on the fourth column of a coded row opens Dlg_Cer for that signer.
class Dlg_SignCer : public CDialog {
public:
    explicit Dlg_SignCer(CWnd* parent = nullptr);
    ~Dlg_SignCer() override;

    std::vector<KV_Sign*> Coded;
    std::vector<KV_Sign*> Uncoded;
    std::vector<CString> Missing;
    // 1 once any signer was confirmed in Dlg_Cer.
    int Changed = 0;

    // The coded record with that person number, or null.
    KV_Sign* Find_Sign(int32_t person_no) const;
    // True when that signer was confirmed in Dlg_Cer while the dialog ran.
    bool Was_Confirmed(int32_t person_no) const;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    void Show_Coded_Row(int row);

    ListCtrl_DivezUrez List;
    Pic_Button Close_Button;
    std::vector<int32_t> Confirmed;
};
