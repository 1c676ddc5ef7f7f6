// What every result window of the batch commands offers the plot drivers and the erase
// notification: the plot's progress with its stop button, closing after the run, and its
// rows with the markers of their sheets.
#pragma once

#include "core/marker_sheet_window.h"
#include "rx/zcarray.h"
#include "win/win_types.h"

class Result_Window : public Marker_Sheet_Window {
public:
    // Called by the plot drivers.
    virtual void Plot_Progress_Begin(int lower, int upper) = 0;
    // Steps the bar; the window's pending messages are dispatched meanwhile.
    virtual void Plot_Progress_Step() = 0;
    virtual void Plot_Progress_End() = 0;
    // Closes the window when it launched the run.
    virtual void Plot_Done_Close() = 0;
    // True once when the stop button was pressed since the last call (the flag is cleared).
    bool Take_Stop_Request();

    virtual int Row_Count() = 0;
    // The marker of the row's sheet; null outside the sheets.
    virtual const ZcDbObjectId* Row_Marker(int row) const = 0;
    int Find_Marker_Row(const ZcDbObjectId& marker) override;
    // Deletes the row, or with two or more rows given those rows, each with its sheet; with
    // erase_markers their markers are erased first.
    virtual void Delete_Sheets(int row, bool erase_markers, const ZcArray<int>& rows) = 0;
    void Delete_Sheets(int row) final { Delete_Sheets(row, false, ZcArray<int>()); }

    // Set by the stop button.
    BYTE Stop_Flag = 0;
};

enum class Result_Window_Kind { Files, Title_Blocks, Paper };

// The result window of the kind (Dlg_BPlot1, Dlg_BPlot2, Dlg_BPlot3); null while it does not
// exist. Each result window installs it when it is created; before that it is null.
extern Result_Window* (*g_Find_Result_Window)(Result_Window_Kind kind);
