// The definition dialog of a new title block: the sample's block and paper, the text and
// stamp ranges and the plot range picked in the drawing (each shown by a red marker until
// the dialog closes), the paper, the naming pattern and the sort priority, or all of them
// copied from a definition of the library. It edits the record in place.
#pragma once

#include "db/dbmain.h"
#include "titleblock/tk_customization.h"
#include "ui/pic_button.h"
#include "ui/zcui_dialogs.h"

// Asks for two corners (the second by the rubber-band rectangle) and stores the box less the
// centre; false when a pick is cancelled or the box has no area (after the message
// "范围选取有误 !").
bool Pick_Range(ZcDbExtents& range, const ZcGePoint3d& centre);

// What the paper choice of a definition did.
enum class TK_Paper_Choice { Cancelled, Standard, Current, Custom, Custom_Cancelled };
// The paper picker of a definition: a standard paper sized from the plot range (or frame),
// the current paper, or a custom size; the record's Paper is changed for Standard and Custom.
TK_Paper_Choice Choose_TK_Paper(CWnd* parent, TK_Customization& record);

class Dlg_TK_Set : public CZcUiDialog {
public:
    explicit Dlg_TK_Set(CWnd* parent = nullptr);
    // Erases the markers.
    ~Dlg_TK_Set() override;

    TK_Customization* Record = nullptr;  // not owned
    bool Paper_Fixed = false;
    CString Block_Text = L"未定义";
    CString Paper_Text = L"未定义";
    CString Rule_Text = L"未定义";
    int Priority_Index = 0;

    static constexpr int Marker_Count = 11;
    // Slots 7..10 hold the stamp ranges.
    static constexpr int First_Stamp_Slot = 7;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wparam, LPARAM lparam) override;
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    DECLARE_MESSAGE_MAP()

    void Pick_Slot_Range(int slot);
    void Adjust_Plot_Range();
    void Choose_Paper();
    void Edit_Name_Rule();
    void Copy_From_Record();
    bool Show_Range_Marker(int slot, const ZcDbExtents& range);
    void Update_Controls();
    void Set_Pick_Caption(int slot, bool set);
    ZcDbExtents& Slot_Range(int slot);

    ZcDbObjectId Marker_Layer;
    ZcDbObjectId Markers[Marker_Count];
    Pic_Button Ok_Button;
    Pic_Button Cancel_Button;
    Pic_Button Pick_Buttons[Marker_Count];
    Pic_Button Paper_Button;
    Pic_Button Name_Rule_Button;
    Pic_Button Copy_Button;
};
