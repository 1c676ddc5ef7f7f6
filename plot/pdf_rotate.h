// Rotation of a freshly plotted PDF by the companion command "K_PDF_Rotate", and what
// the merge shares with it: finding the companion assembly, handing a job over in the
// drawing and running a companion command.
#pragma once

#include <cstdint>

#include "mfc/afxstr.h"
#include "rx/zcadstrc.h"

// Turns the pages of the PDF by the angle (90 or 270) through the companion; problems
// are reported.
void Rotate_Pdf(const CString& path, int angle);

// Fills name ("\\Pelorin.dll") and the assembly's full path: the host folder's copy,
// else the plug-in folder's (a miss there reported when asked). True when found.
bool Find_Companion_Dll(CString& name, CString& path, bool report);

// True when the file is in the plug-in folder or the host folder (silent test).
bool Library_File_Present(const wchar_t* file_name);

// Runs the companion command with `ran` cleared; when it did not start, loads the
// assembly with "_NetLoad" and runs it once more. True when the command started.
bool Run_Companion_Command(const wchar_t* command, int32_t& ran, const CString& assembly_path);

// An information message box of the plot roads, owned by the host's main window.
void Show_Plot_Message(const CString& text, const wchar_t* caption);
