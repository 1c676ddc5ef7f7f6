// The open result window as an erased sheet marker reaches it, and the switch that lets an
// erasure remove its sheet.
#pragma once

#include <cstdint>

#include "db/dbid.h"

// While 1, erasing a marker removes its sheet's row; the program clears it around its
// own marker erasures.
extern uint8_t g_Watch_Marker_Erase;

// The open result window's sheet list as the database reactor reaches it: the sheet set
// of Dlg_BPlot1 or Dlg_BPlot3 (g_Sheet_Set) or the recognised-sheet list of Dlg_BPlot2
// (g_TK_Sheet_List).
class Marker_Sheet_Window {
public:
    virtual ~Marker_Sheet_Window() = default;
    // The row of the sheet whose marker has the id; -1 when no sheet has it.
    virtual int Find_Marker_Row(const ZcDbObjectId& marker) = 0;
    // The window's Delete_Sheets of that single row: markers not erased, empty row selection.
    virtual void Delete_Sheets(int row) = 0;
};

// The window whose sheets an erased marker is looked up in: g_Dlg_BPlot1 (else
// g_Dlg_BPlot3) while g_Sheet_Set is set, otherwise g_Dlg_BPlot2 while g_TK_Sheet_List
// is set; null when none is open. Each result window chains itself into this hook when it
// is created; before that it gives null and an erased marker removes nothing.
extern Marker_Sheet_Window* (*g_Open_Marker_Sheet_Window)();
