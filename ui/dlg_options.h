// The pop-up choice list: a grid of text entries in one or more columns under a caption
// row, opened with the preselected entry under the mouse cursor.
#pragma once

#include "mfc/afxcoll.h"
#include "ui/picker_dialog.h"

class Dlg_Options : public Picker_Dialog {
public:
    explicit Dlg_Options(CWnd* parent = nullptr);
    ~Dlg_Options() override;

    // Columns beyond the first.
    int Extra_Columns = 0;
    // Window width in pixels for a 12-pixel font (the layout scales it and stores it back).
    int Item_Width = 100;
    CStringArray Items;

    int Rows_Per_Column() const { return Rows; }

protected:
    void Layout() override;
    void Place_At_Cursor() override;
    void Paint_Entries(CDC& dc) override;
    bool Accepts(int choice) const override;
    void Empty_Lists() override;
    // Places the window so that the point (dx, dy) of it lies under the cursor.
    void Place_With_Offset(int dx, int dy);
    DECLARE_MESSAGE_MAP()

protected:
    int Rows = 1;
    int Pitch = 21;
};
