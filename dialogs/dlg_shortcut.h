// The shortcut commands dialog: the user's alias of each numbered command, typed in place
// in the list's second column. OK refuses an alias the host could not run as a command of
// its own; otherwise it rebuilds the alias table, the pop-up menu, the settings file and
// the command registration together. Cancel changes none of them.
#pragma once

#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"

class Dlg_ShortCut : public CDialog {
public:
    explicit Dlg_ShortCut(CWnd* parent = nullptr);
    ~Dlg_ShortCut() override;

    // Every message goes to the tooltip first, so that it sees the mouse over the list.
    BOOL PreTranslateMessage(MSG* message) override;

    // One entry a row: the command number (0 for a separator row) and its alias.
    int Row_Count = 0;
    ZcArray<int> Numbers{0, 8};
    ZcArray<CString> Aliases{0, 8};

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Edit_Kill_Focus();
    afx_msg void On_Clear();
    DECLARE_MESSAGE_MAP()

protected:
    // Writes every row's alias into column 1.
    void Show_Aliases();
    // The cell's rectangle in the dialog's client coordinates.
    CRect Get_Cell_Rect(int row, int column);

    int Edit_Row = -1;  // the row whose alias the edit box commits to
    CString Edit_Text;
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Button Clear_Button;
    CEdit Edit;
    ListCtrl_DivezUrez List;
    CToolTipCtrl Tooltip;
};
