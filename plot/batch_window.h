// What a batch plot driver does to the open result window of the file batches (Dlg_BPlot1
// or Dlg_BPlot2): progress, the stop button and closing. Every call does nothing while
// neither window is open.
#pragma once

void Batch_Progress_Begin(int upper);
// Steps the bar; the window's pending messages are dispatched meanwhile.
void Batch_Progress_Step();
void Batch_Progress_End();
// Closes the window when it launched the run.
void Batch_Done_Close();
// True once when the stop button was pressed since the last call (the flag is cleared).
bool Batch_Take_Stop_Request();
