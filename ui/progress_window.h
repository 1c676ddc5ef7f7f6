// The one modeless progress window of long operations, and the message pump they run
// between steps.
#pragma once

#include "mfc/afxwin.h"
#include "ui/gradient_progress.h"

class Dlg_Progress : public CDialog {
public:
    Dlg_Progress() = default;
    ~Dlg_Progress() override = default;

    void StepIt();
    void SetPos(int position);
    // The bar's range, then position 0.
    void SetRange(int lower, int upper);

    CGradientProgressCtrl Bar;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};

// The open progress window, or null.
extern Dlg_Progress* g_Dlg_Progress;

// Opens the progress window over 0..maximum (replacing an open one) with the title as
// caption and the counter mode (0 sheets, 1 percent, 2 files).
void Progress_Show_Range(const wchar_t* title, int maximum, int counter_mode);
// When the window is open: dispatches the waiting messages, then steps the bar.
void Progress_Step();
// Destroys and deletes the window when it is open.
void Progress_Close();
// Dispatches every message waiting in the thread's queue; returns 0.
int Do_Events();
