// A fixed-height owner-drawn list box whose items each carry their own text colour
// (the item data); items stay in insertion order.
#pragma once

#include "mfc/afxwin.h"

class CColorListBox : public CListBox {
public:
    CColorListBox();
    ~CColorListBox() override = default;

    // Adds or inserts the text with its colour; the item's index, LB_ERR when not added.
    int Add_Color_String(LPCTSTR text, COLORREF color);
    int Insert_Color_String(int index, LPCTSTR text, COLORREF color);
    // Item height := trunc(max(|font height|, 12) x factor); nothing without a font.
    void Set_Item_Height(double factor);

    void DrawItem(LPDRAWITEMSTRUCT draw) override;
    int CompareItem(LPCOMPAREITEMSTRUCT compare) override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT create);
    DECLARE_MESSAGE_MAP()

private:
    void Measure_Text_Height(CDC* dc);

    COLORREF Back_Color;
    int Text_Height = 0;
};
