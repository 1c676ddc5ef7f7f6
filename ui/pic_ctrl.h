// A picture static showing a bitmap resource stretched over its area.
#pragma once

#include "mfc/afxwin.h"

class Pic_Ctrl : public CStatic {
public:
    Pic_Ctrl() = default;
    ~Pic_Ctrl() override = default;

    // Shows the bitmap resource (0: nothing) and repaints.
    void Set_Bitmap(int bitmap_id);
    int Get_Bitmap() const { return Bitmap_Id; }
    void DrawItem(LPDRAWITEMSTRUCT draw) override;

protected:
    // Makes the static owner-drawn.
    void PreSubclassWindow() override;
    DECLARE_MESSAGE_MAP()

private:
    int Bitmap_Id = 0;
};
