// The paper picker: the choice list with a fixed last entry "自 定 义 纸 张" (its value is
// the item count), and the moving of the five entries 5..9 to the top of the second column.
#pragma once

#include "ui/dlg_options.h"

class Dlg_Options_Paper : public Dlg_Options {
public:
    explicit Dlg_Options_Paper(CWnd* parent = nullptr);
    ~Dlg_Options_Paper() override;

    // Moves the items 5..9 to the head of the second column (Choice follows its item) and
    // gives the rows per column. Nothing moves with fewer than ten items.
    void Arrange_Columns(int& rows);
    // Maps Choice back to the order before Arrange_Columns.
    void Restore_Choice_Index(int rows);

protected:
    void Layout() override;
    void Place_At_Cursor() override;
    DECLARE_MESSAGE_MAP()

private:
    // The value of the custom entry (the item count when the list was laid out).
    int Custom_Value = -1;
};
