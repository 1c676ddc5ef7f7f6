// What a batch plot driver does to the open result window Dlg_BPlot1: progress, the
// stop button and closing. Every call does nothing while g_Dlg_BPlot1 is null.
#pragma once

void Batch_Progress_Begin(int upper);
// Steps the bar; the window's pending messages are dispatched meanwhile.
void Batch_Progress_Step();
void Batch_Progress_End();
// Closes the window when it launched the run.
void Batch_Done_Close();
// True once when the stop button was pressed since the last call (the flag is cleared).
bool Batch_Take_Stop_Request();
