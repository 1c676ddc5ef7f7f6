// A progress bar painted as a yellow-to-green gradient uncovered from the left, with a
// centred counter text: sheets done of all, a percentage, or files done of all.
#pragma once

#include "mfc/afxcmn.h"
#include "mfc/afxdc.h"

class CGradientProgressCtrl : public CProgressCtrl {
public:
    CGradientProgressCtrl();
    ~CGradientProgressCtrl() override;

    // The range; the position goes to the lower end.
    void SetRange(int lower, int upper);
    int SetPos(int position);
    int SetStep(int step);
    // Adds the step to the control's position, wrapping to the lower end above the upper.
    int StepIt();
    // Creates the counter font once, from the font of the dialog's item ("宋体" at 12 when
    // the item has none).
    void Set_Font_From_Item(CWnd* dialog, int item_id);

    // The counter text of the current mode, position and range.
    CString Counter_Text() const;
    // Width of the part reached, in pixels of a bar that wide; -1 when the position lies
    // outside the range (the bar shows empty).
    int Filled_Width(int width) const;

    int Counter_Mode = 0;
    int Show_Counter = 1;
    COLORREF Counter_Color;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void Draw_Gradient(CDC* dc, const CRect& client, int filled);

    CFont* Counter_Font = nullptr;
    int Range_Lower = 0;
    int Range_Upper = 100;
    int Step_Size = 1;
    int Bar_Position = 0;
    COLORREF Start_Color;
    COLORREF End_Color;
    COLORREF Back_Color;
};
