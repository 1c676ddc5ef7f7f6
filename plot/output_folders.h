// Where a plot run writes its files, and what each file is called.
#pragma once

#include "mfc/afxstr.h"

struct Plot_Option;

// The active document's folder (text before the file name's last backslash); the
// user's profile folder for a drawing that was never saved.
CString Get_Drawing_Folder();
// The folder of a run: folder mode 0 the base folder, 1 the base folder plus the output
// type's sub-folder, 2 the custom folder when a file search finds it — else the custom
// folder is overwritten with the base folder, which is returned. An empty base folder
// stands for the drawing's folder. Creates nothing.
CString Get_Output_Folder(int folder_mode, int output_type, CString& custom_folder, const CString& base_folder);
// FILEDIA back to 1 after a plot driver switched it off.
void Restore_FileDia();

// ".pdf", ".dwf", ".jpg", ".png", ".plt", ".svg" by output type; empty for any other.
CString Output_Extension(int output_type);
// True when the run's PDF files go to the temporary folder to be merged.
bool Merging_Pdf(const Plot_Option& option);
// The output folder of a file batch, created (one level): the emptied temporary folder
// when merging PDF files, else the options' folder.
CString Prepare_Batch_Folder(Plot_Option& option);
// The output file of the sheet at `position` (from 1) of a file batch: folder + "\\" +
// name, or folder + "\\" + position when merging, plus the extension. A file already at
// that path stays until the plot replaces it.
CString Batch_Sheet_Path(const Plot_Option& option, const CString& folder, const CString& output_name, int position);
// The PLT file of job `job` (from 1) of `jobs` in a paper batch printing to files; empty
// when the options print to paper.
CString Paper_Plt_Path(const Plot_Option& option, int job, int jobs);
