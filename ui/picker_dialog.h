// What the pop-up pickers share: a borderless window at the mouse cursor on the empty
// template 605, a caption row, choosable cells that light up under the mouse, one click
// to choose, a right click or Esc to cancel, space to choose the cell under the cursor
// and confirm on release. The result is in Choice after IDOK.
#pragma once

#include <vector>

#include "mfc/afxdc.h"
#include "mfc/afxwin.h"

// One choosable cell: client rectangle, text, look and the value it stands for.
struct Option_Entry {
    CRect Rect;
    CString Text;  // at most 254 characters
    bool Hovered = false;
    bool Chosen = false;
    int Index = 0;
};

class Picker_Dialog : public CDialog {
public:
    explicit Picker_Dialog(CWnd* parent);
    ~Picker_Dialog() override;

    CString Title;
    // In: the preselected value, -1 for none. Out: the chosen value.
    int Choice = -1;

    const std::vector<Option_Entry>& Entries() const { return Entry_List; }
    const std::vector<CRect>& Frame_Cells() const { return Frame_Cell_List; }
    int Window_Width() const { return Width; }
    int Window_Height() const { return Height; }

    // Marks the entry at that position chosen and every other one not; repaints changes.
    void Mark_Chosen(int position);
    // Chooses the first entry containing the client point (edges included); false when none.
    bool Choose_At(CPoint point);
    // The script's choice: the entry standing for the value is chosen and confirmed; a
    // value no entry stands for cancels.
    void Pick(int value);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* message) override;
    void DoDataExchange(CDataExchange*) override {}

    // Fills the entries and frame cells and sets the window size.
    virtual void Layout() = 0;
    // Moves the window to the cursor.
    virtual void Place_At_Cursor() = 0;
    virtual void Paint_Entries(CDC& dc) = 0;
    // Whether OK may end the dialog with this choice.
    virtual bool Accepts(int choice) const = 0;
    virtual void Empty_Lists();

    // Makes the two fonts from the hidden static 229: face and height h = max(|height|, 12),
    // "宋体" at 12 when it has none; Scale = h / 12.
    void Make_Fonts();
    // The first entry containing the point, -1 for none.
    int Entry_At(CPoint point) const;
    // Fills the caption row with the title and the other frame cells with the face colour.
    void Paint_Frame_Cells(CDC& dc);
    // Moves the window rectangle (left, top) W x H onto the cursor's monitor.
    void Move_Fitted(LONG left, LONG top);
    static bool Contains(const CRect& rect, CPoint point);
    static CString Cut_Text(const CString& text);

    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT control_type);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

protected:
    static constexpr int Margin = 1;
    static constexpr int Gap = 1;

    bool Left_Pressed = false;
    bool Right_Pressed = false;
    bool Space_Pressed = false;
    std::vector<Option_Entry> Entry_List;
    std::vector<CRect> Frame_Cell_List;
    int Width = 100;
    int Height = 100;
    CBrush Background;
    CFont Normal_Font;
    CFont Bold_Font;
    int Font_Height = 12;
    double Scale = 1.0;
    int Row_Height = 20;
};
