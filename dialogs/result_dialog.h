// The dialog each result window of the batch plot is built on: the list of sheets, the plot
// style combo, and the progress bar with its stop button (ids IDC_BP1_PROGRESS and
// IDC_BP1_INTERRUPT in every result window) that takes the place of the tool buttons while
// a plot runs, every other control locked.
#pragma once

#include <initializer_list>

#include "core/result_window.h"
#include "mfc/afxwin.h"
#include "rx/zcarray.h"
#include "ui/gradient_progress.h"
#include "ui/sheet_list_ctrl.h"
#include "ui/zcui_dialogs.h"

class Result_Dialog : public CZcUiDialog, public Result_Window {
public:
    // tool_ids: the buttons hidden while a plot runs.
    Result_Dialog(UINT template_id, CWnd* parent, std::initializer_list<int> tool_ids);

    void Plot_Progress_Begin(int lower, int upper) override;
    void Plot_Progress_Step() override;
    void Plot_Progress_End() override;
    int Row_Count() override { return List.GetItemCount(); }

    // The plot styles into the combo with the default one chosen.
    void Fill_Style_Combo();

    int Style_Index = -1;
    BYTE Plot_Launched = 0;
    // Between Plot_Progress_Begin and Plot_Progress_End: only Stop works, closing is refused.
    bool Plot_Running = false;

    ListCtrl_DivezUrez List;

protected:
    // The stop button.
    afx_msg void On_Interrupt() { Stop_Flag = 1; }

    CComboBox Style_Combo;
    CGradientProgressCtrl Progress;

private:
    ZcArray<int> Tool_Ids;
    // The controls the running plot disabled.
    ZcArray<int> Locked_Ids;
};
