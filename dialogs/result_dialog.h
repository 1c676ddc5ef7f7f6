// The dialog each result window of the batch plot is built on: the list of sheets, the plot
// style combo, the Print, Cancel, stop and style edit buttons, the window's options, and the
// progress bar with its stop button (ids IDC_BP1_PROGRESS and IDC_BP1_INTERRUPT in every
// result window) that takes the place of the tool buttons while a plot runs, every other
// control locked.
#pragma once

#include <initializer_list>
#include <vector>

#include "core/plot_option.h"
#include "core/result_window.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "ui/gradient_progress.h"
#include "ui/ico_button.h"
#include "ui/pic_button.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/zcui_dialogs.h"

class Result_Dialog : public CZcUiDialog, public Result_Window {
public:
    // The window's own ids of the controls every result window has.
    struct Control_Ids {
        int List;
        int Style_Combo;
        int Progress;
        int Interrupt;
        int Edit_Style;
    };

    // tool_ids: the buttons hidden while a plot runs.
    Result_Dialog(UINT template_id, CWnd* parent, const Control_Ids& ids, std::initializer_list<int> tool_ids);
    // g_Cur_Plot_Option no longer points at the options.
    ~Result_Dialog() override;

    void Plot_Progress_Begin(int lower, int upper) override;
    void Plot_Progress_Step() override;
    void Plot_Progress_End() override;
    // Closes the window when it launched the run.
    void Plot_Done_Close() override;
    int Row_Count() override { return List.GetItemCount(); }

    // The plot styles into the combo with the default one chosen.
    void Fill_Style_Combo();
    // Reads the controls into the members once the window exists.
    void Read_Controls();
    // The controls into the options.
    virtual void Store_Controls() = 0;

    Plot_Option Options;
    int Style_Index = -1;
    BYTE Plot_Launched = 0;
    // Between Plot_Progress_Begin and Plot_Progress_End: only Stop works, closing is refused.
    bool Plot_Running = false;

    ListCtrl_DivezUrez List;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // The window's handlers run from the host's message loop: each message is handled
    // with the module's resources current, for the dialogs and menus it opens.
    LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
    // Cancel (refused while a plot runs): the controls stored, the options written, the
    // markers erased and the devices released.
    void OnCancel() override;

    // The host's query whether a modeless dialog keeps the keyboard focus.
    afx_msg LRESULT On_Keep_Focus(WPARAM, LPARAM) { return 1; }
    // The stop button.
    afx_msg void On_Interrupt() { Stop_Flag = 1; }
    afx_msg void On_Style_Changed();
    // A click on a cell of a sheet row acts on the rows the click takes (Click_Cell).
    afx_msg void On_List_Click(NMHDR* header, LRESULT* result);
    // A click on a column's header that acts on the whole list (Column_Acts): the edit of
    // every row, then no row selected.
    afx_msg void On_Column_Click(NMHDR* header, LRESULT* result);
    afx_msg void On_Selection_Changed(NMHDR* header, LRESULT* result);
    // The list's pop-up menu (List_Menu) at the cursor.
    afx_msg void On_List_Right_Click(NMHDR* header, LRESULT* result);

    // The icon and the buttons with the window's two tool buttons; the progress bar takes
    // Print's font.
    void Set_Up_Buttons(std::initializer_list<Pic_Button*> tool_buttons);
    // The result windows hooked, then the list's grid and its centred columns (left_column
    // left-aligned).
    void Set_Up_List(const wchar_t* const* headers, int count, int left_column = -1);
    // The buttons, the tool buttons among them, repaint when the mouse enters or leaves.
    void Check_Button_Hover();
    // Two or more rows that are every row of the list.
    bool Whole_List(const ZcArray<int>& rows) { return rows.length() > 1 && rows.length() == List.GetItemCount(); }
    // The chosen plot style's name without its leading blanks; false for the default style.
    bool Chosen_Style_Name(CString& name);

    // Print's end: the follow-up command queued, then under the document lock the frame
    // records saved, the options written and the markers erased; the run is launched.
    void Launch_Plot(const wchar_t* follow_up);

    // The sheets' frames with their papers remembered for the drawing.
    virtual void Save_Frame_Records() {}
    // The window's edit of the clicked cell; rows: the rows the click takes.
    virtual void Click_Cell(int row, int column, const ZcArray<int>& rows) = 0;
    virtual bool Column_Acts(int column) const = 0;
    virtual void Edit_Column(int column, const ZcArray<int>& rows) = 0;
    // The sheets of the selected rows look highlighted, the others normal.
    virtual void Highlight_Selected_Rows() = 0;
    // The menu resource of the list's pop-up menu; 0 for none.
    virtual UINT List_Menu() const = 0;

    // The markers of the window's sheets erased (without the erase notification).
    virtual void Erase_Markers() = 0;
    // What the window holds for the plot once it closes.
    virtual void Release_Devices() = 0;

    CComboBox Style_Combo;
    CGradientProgressCtrl Progress;
    Pic_Button Print_Button;
    Pic_Button Cancel_Button;
    Pic_Button Interrupt_Button;
    Ico_Button Edit_Style_Button;
    const Control_Ids Ids;

private:
    std::vector<Pic_Button*> Tool_Buttons;
    ZcArray<int> Tool_Ids;
    // The controls the running plot disabled.
    ZcArray<int> Locked_Ids;
};

// Clears the global pointer when it points at the object.
template <class T>
void Forget_Pointer(T*& global, const T* object)
{
    if (global == object)
        global = nullptr;
}

// The sheet's marker; null without a sheet.
template <class Sheet>
const ZcDbObjectId* Marker_Of(const Sheet* sheet)
{
    return sheet != nullptr ? &sheet->Marker_Id : nullptr;
}
