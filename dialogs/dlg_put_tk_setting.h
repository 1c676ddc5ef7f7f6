// The insertion settings of title-block frames ("图框插入设置"): insertion mode, library
// folder, scale step and scale-text position, and the library drawings of the folder, which
// it lists with a preview and adds, renames, deletes and redefines. Any way of closing
// stores the settings.
#pragma once

#include "mfc/afxcmn.h"
#include "mfc/afxwin.h"
#include "ui/zcui_dialogs.h"
#include "titleblock/tk_insert.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"

// The name of a scale-text position code ("不生成" for none).
CString Get_Position_Name(int code);
// The scale step index and custom percent a typed or chosen combo text stands for; true
// when either changed.
bool Parse_Scale_Text(CString text, int& step_index, int& custom_percent);
// The eight fixed scale items, then the custom percent as a ninth when it is none of them;
// a step index of 8 becomes the item that shows the custom percent.
void Fill_Scale_Combo(CComboBox* combo, int& step_index, int custom_percent);

// Set except while a chosen scale item is being taken, when the combo's lost focus must
// not read its text again.
extern bool g_Scale_Combo_Live;
// The mouse is over a folder label.
extern bool g_Path_Label_Hover;

class Dlg_Put_TK_Setting : public CZcUiDialog {
public:
    explicit Dlg_Put_TK_Setting(CWnd* parent = nullptr);
    ~Dlg_Put_TK_Setting() override;

    void Add_TK();
    void Rename_TK(int row);
    void Delete_TK(int row);
    void Redefine_TK(int row);
    void Pick_Text_Position();
    void Fill_TK_List();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* message) override;

    // Lets the user select entities in the drawing with the dialog hidden.
    bool Select_In_Drawing(const wchar_t* prompt, ZcDbObjectIdArray& ids);
    // An information box owned by the dialog.
    void Report(const CString& text, const wchar_t* caption);
    // A row for the library drawing at that index.
    void Add_Row(int index);
    bool Name_Taken(const CString& file_name, int except_row) const;
    void Paint_Preview(CDC& dc);

    afx_msg void Browse_TK_Folder();
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    afx_msg void On_Mode_Click();
    afx_msg void On_Scale_Change();
    afx_msg void On_Scale_Leave();
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_List_Double_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_List_Item_Changed(NMHDR* header, LRESULT* result);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

protected:
    Pic_Button Close_Button;
    Pic_Button Add_Button;
    Pic_Button Position_Button;
    ListCtrl_DivezUrez List;
    Single_TK_Array Drawings;
    CString Folder;
    int Insert_Mode = 0;
    int Step_Index = 1;
    int Custom_Percent = 0;
    int Text_Pos = 2;
    CToolTipCtrl Tip;
    CFont Folder_Font;
};
