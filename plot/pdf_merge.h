// Merging the numbered PDF files of a batch into the merge target g_Merged_Pdf_Path:
// by the companion command "K_PDF_Merge", else by the fallback program "Jexa2.exe".
#pragma once

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

// Full path of the merge target, set by the result windows when a run starts.
extern CString g_Merged_Pdf_Path;

// The titles of the sheets of a list kind (1 the generic list, 2 the title-block
// list), one per sheet in plot order, plotted or not. Replaceable for tests.
extern void (*g_Merge_List_Titles)(int kind, CStringArray& titles);

// Merges "<folder>\\1.pdf" .. "<folder>\\n.pdf" into a file beside the target, which then
// replaces the target; true when it did (the target then opened once when Open_Merged_Pdf
// is on). Otherwise the merge error is shown, naming the target and why, and an earlier
// target stays as it was.
bool Merge_Pdfs(int kind, const CString& folder);
// 1 done, 0 failed (no fallback), -1 the fallback is to be used.
int Merge_Pdfs_By_Companion(int kind, const CString& folder);
// The XRecord "Merge_Infor" for n files; true when written.
bool Write_Merge_Infor(int kind, int n, const CString& folder);
// Writes "plot2.tm", copies it to "plot3.tm" and runs the fallback program.
void Merge_Pdfs_Fallback(int kind, const CString& folder);
// Runs "Jexa2.exe" from the plug-in folder; true when the target exists afterwards.
bool Run_Fallback_Merger();
// Starts the program through the shell in the folder and waits for it to end (a
// program that is not there is neither started nor waited for); true when
// `file_to_test` exists afterwards.
bool Run_And_Wait(const CString& program, const CString& folder, const CString& file_to_test);
