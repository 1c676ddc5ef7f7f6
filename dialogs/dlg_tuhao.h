// Renumbering the drawing numbers of the selected sheets: prefix, start number, suffix and
// digit count, with example numbers. The caller reads the fields back after OK.
#pragma once

#include "dialogs/numbering_dialog.h"

class Dlg_TuHao : public Numbering_Dialog {
public:
    explicit Dlg_TuHao(CWnd* parent = nullptr);
    ~Dlg_TuHao() override;

protected:
    void Refresh_Example() override;
    void OnOK() override;
};
