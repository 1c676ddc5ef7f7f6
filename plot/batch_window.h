// What a plot driver does to the open result window (Open_Result_Window): progress, the
// stop button and closing. Every call does nothing while no result window is open.
#pragma once

void Batch_Progress_Begin(int upper);
// Steps the bar; the window's pending messages are dispatched meanwhile.
void Batch_Progress_Step();
void Batch_Progress_End();
// Closes the window when it launched the run.
void Batch_Done_Close();
// True once when the stop button was pressed since the last call (the flag is cleared).
bool Batch_Take_Stop_Request();
