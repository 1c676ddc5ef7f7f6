// The stamp library dialog: the stamps of a working copy of the library in a list whose
// cells view, rename, delete, recode, redate, resize, retype and enable them; stamps are
// added from pictures, libraries imported and exported, the library file chosen and the two
// stamp options set. OK saves the copy to the file (one that was not read whole only once
// the copy was changed and the file kept aside) and reloads g_Stamp_Library from it.
#pragma once

#include "core/write_back_guard.h"
#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "res/resource.h"
#include "signstamp/dlg_lib_path.h"
#include "signstamp/stamp_library.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"

class Dlg_Stamp_Lib : public CDialog {
public:
    explicit Dlg_Stamp_Lib(CWnd* parent = nullptr);
    ~Dlg_Stamp_Lib() override;

    // Rebuilds the list from the working copy.
    void Fill_List();
    // The action of a click on a cell.
    void On_List_Click(int row, int column);
    // Adds a stamp from a picture; the new row is selected.
    void Add_New();

    Stamp_Library Library;  // the working copy
    CString Library_Path;
    // Whether OK may write the copy over the library file.
    Write_Back_Guard Library_Guard{L"印章库文件"};
    int Random_Turn = 0;
    int Stamps_Behind = 0;
    int Today = 0;  // yyyymmdd

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
    // The cells of a row from its stamp, marks included.
    void Show_Row(int row);

    ListCtrl_DivezUrez List;
    CToolTipCtrl Tool_Tip;
    Lib_Path_Link Path_Link{IDC_STAMP_LIB_PATH};
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
};
