// The attribute brush's window: the source's attribute rows, checked or not and with their
// values edited, written into picked block references by each refresh until it closes.
#pragma once

#include <vector>

#include "tools/attribute_brush.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/zcui_dialogs.h"

class Dlg_Prop_Revise : public CZcUiDialog {
public:
    explicit Dlg_Prop_Revise(CWnd* parent = nullptr);
    ~Dlg_Prop_Revise() override;

    std::vector<Attribute_Row> Rows;

    // Bubble sorts of whole rows, ordinal and case-sensitive, ascending while the column's
    // toggle is 1, descending while 0; the toggle flips after each sort.
    void Sort_By_Tag();
    void Sort_By_Value();
    void Toggle_Row(int row);
    void Edit_Value(int row);
    void Fill_List();
    // Button 965 is enabled exactly while a row is checked.
    void Update_Refresh_Button();

    int Check_All_Toggle = 0;
    int Tag_Order = 1;
    int Value_Order = 1;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The picked references take the values of the checked rows, tag by tag.
    afx_msg void On_Refresh();
    afx_msg void On_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Column_Header_Click(NMHDR* header, LRESULT* result);
    void On_List_Click(int row, int column);
    void On_Column_Click(int column);
    DECLARE_MESSAGE_MAP()

private:
    void Show_Row(int row);

    Pic_Button Exit_Button;
    Pic_Button Refresh_Button;
    ListCtrl_DivezUrez List;
};
