// The folder mode combo of the result windows that write files: the drawing's folder, its
// sub-folder named after the output type, or another folder.
#pragma once

#include "mfc/afxwin.h"

class Output_Folder_Combo : public CComboBox {
public:
    // The three entries, when the combo is empty.
    void Fill();
    // The sub-folder entry named after the output type (an index of the format combo), the
    // choice kept; the chosen mode.
    int Name_Sub_Folder(int output_type);
};
