// The text-position picker: a 3 x 3 grid of cells standing for the position of a text
// around a frame; the result is a position code (0 none, 1 lower left, 2 upper left,
// 3 lower right, 4 upper right, 5 top centre, 6 bottom centre, 7 left centre, 8 right centre).
#pragma once

#include "ui/picker_dialog.h"

class Dlg_Pos_Select : public Picker_Dialog {
public:
    explicit Dlg_Pos_Select(CWnd* parent = nullptr);
    ~Dlg_Pos_Select() override;

    // The grid cell (column, row from the top left) of a position code.
    static CPoint Cell_Of_Code(int code);

protected:
    void Layout() override;
    void Place_At_Cursor() override;
    void Paint_Entries(CDC& dc) override;
    bool Accepts(int choice) const override;
    DECLARE_MESSAGE_MAP()

private:
    // The text block of the codes 1..4 from the centre, and of 5..8 along the frame line;
    // long and short sides in units t.
    void Draw_Corner_Block(CDC& dc, int code, CPoint centre, int long_side, int short_side, double t, COLORREF color);
    void Draw_Edge_Block(CDC& dc, int code, CPoint centre, int long_side, int short_side, double t, COLORREF color);
};
