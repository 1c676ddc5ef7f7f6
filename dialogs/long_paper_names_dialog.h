// The user's own names of the 47 lengthened papers (paper-name style 7), one list row a
// paper under a heading row for each base size; a click on a name opens an edit over it.
// OK writes the names into the library.
#pragma once

#include "mfc/afxcmn.h"
#include "mfc/afxcoll.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"

class Dlg_TK_Name_Define : public CDialog {
public:
    explicit Dlg_TK_Name_Define(CWnd* parent = nullptr);
    ~Dlg_TK_Name_Define() override;

    BOOL PreTranslateMessage(MSG* message) override;

protected:
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Button Reset_Button;
    ZcArray<int> Row_Map{0, 8};  // name index of each row, -1 for a heading row
    CStringArray Names;          // the working copy
    CEdit Edit;
    ListCtrl_DivezUrez List;
    int Edit_Row = -1;
    CString Edit_Text;
    CToolTipCtrl Tool_Tip;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void Fill_Rows();
    void Fill_Names();
    void Begin_Edit(int row, int column, CPoint point);
    void End_Edit();
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Edit_Kill_Focus();
    afx_msg void Reset_Names();
    DECLARE_MESSAGE_MAP()
};
