// The signature dialogs: the library manager (Dlg_Sign_Lib), the name and code of a signature
// being recorded (Dlg_Sign) and the view of one signature (Dlg_SignView).
#pragma once

#include "core/write_back_guard.h"
#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "res/resource.h"
#include "signstamp/dlg_lib_path.h"
#include "signstamp/sign_library.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/zcui_dialogs.h"

class Dlg_Sign : public CDialog {
public:
    explicit Dlg_Sign(CWnd* parent = nullptr);
    ~Dlg_Sign() override;

    KV_Sign* Sign = nullptr;  // edited, not owned
    CString Name;
    int Code = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    void OnOK() override;
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
    DECLARE_MESSAGE_MAP()

    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};

class Dlg_SignView : public CDialog {
public:
    explicit Dlg_SignView(CWnd* parent = nullptr);
    ~Dlg_SignView() override;

    KV_Sign* Sign = nullptr;  // shown, not owned

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    Pic_Button Close_Button;
};

class Dlg_Sign_Lib : public CZcUiDialog {
public:
    explicit Dlg_Sign_Lib(CWnd* parent = nullptr);
    ~Dlg_Sign_Lib() override;

    void Fill_List();
    void On_List_Click(int row, int column);
    // Records a new signature from picked curves; its row is selected.
    void Add_New();

    Sign_Library Library;  // the working copy
    CString Library_Path;
    int Fill_Style = 0;
    // Whether OK may write the copy over the library file.
    Write_Back_Guard Library_Guard{L"签名库文件"};

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL PreTranslateMessage(MSG* message) override;
    void OnOK() override;
    afx_msg void On_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Double_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Import();
    afx_msg void On_Export();
    afx_msg void On_Path_Click();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT kind);
    DECLARE_MESSAGE_MAP()

private:
    void Show_Row(int row);

    ListCtrl_DivezUrez List;
    CToolTipCtrl Tool_Tip;
    Lib_Path_Link Path_Link{IDC_SIGN_LIB_PATH};
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Button Tool_Buttons[3];  // export, import, new signature
};
