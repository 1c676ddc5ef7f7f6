// What a plot driver does to the result window that shows its run: progress, the stop
// button and closing. The file batches report to g_Dlg_BPlot1 or g_Dlg_BPlot2 (only one
// exists at a time), the paper batch to g_Dlg_BPlot3. Every call does nothing while that
// window is not open.
#pragma once

enum class Batch_Kind { Files, Paper };

void Batch_Progress_Begin(int upper, Batch_Kind kind = Batch_Kind::Files);
// Steps the bar; the window's pending messages are dispatched meanwhile.
void Batch_Progress_Step(Batch_Kind kind = Batch_Kind::Files);
void Batch_Progress_End(Batch_Kind kind = Batch_Kind::Files);
// Closes the window when it launched the run.
void Batch_Done_Close(Batch_Kind kind = Batch_Kind::Files);
// True once when the stop button was pressed since the last call (the flag is cleared).
bool Batch_Take_Stop_Request(Batch_Kind kind = Batch_Kind::Files);
