// The owner-drawn report list of the plug-in's list dialogs: alternating row shades, marked,
// grey and dark cells, the "EYE", "REDEFINE" and "DEL" icon cells and a bold blue hover cell.
// It tracks the cell under the mouse, highlights the hovered sheets' markers in the drawing
// (hover mode 0) and hands dropped files to its parent. Clicks are the parent's.
#pragma once

#include "mfc/afxcmn.h"
#include "rx/zcarray.h"
#include "ui/sheet_rows.h"

// Sent to the parent with lParam the drop handle; the handle is released when it returns.
constexpr UINT WM_SHEET_LIST_DROP_FILES = 0x8100;

class ListCtrl_DivezUrez : public CListCtrl {
    DECLARE_DYNAMIC(ListCtrl_DivezUrez)
public:
    ListCtrl_DivezUrez() = default;
    ~ListCtrl_DivezUrez() override;

    void DrawItem(LPDRAWITEMSTRUCT draw) override;

    // Appends the cell to the marked cells unless it is there.
    void Add_Mark_Cell(int row, int column);
    // Removes the first marked cell with that row and column.
    void Remove_Mark_Cell(int row, int column);
    // After the parent deleted a row: its marks go, the marks below move up one row.
    void On_Row_Deleted(int row);
    // The first selected row; -1 when none.
    int Get_First_Selected();
    // The rows a hover of the cell acts on, ascending: the row, or in a group column on a
    // selected row every selected row; empty for a negative row or column.
    ZcArray<int> Compute_Hover_Rows(int column, int row);
    void Update_Hover_Rows();
    // Hover mode 0 only: the marker of the row's sheet takes the highlighted look (a selected
    // row keeps it) or the normal look.
    void Highlight_Sheet(int row, int on);

    // 0: the hovered sheets' markers light up; 1: the hovered cell is framed, except in the
    // row being edited (Edit_Row), and only column 1 repaints.
    int Hover_Mode = 0;
    int Edit_Row = -1;
    int Hover_Column = -1;
    int Hover_Row = -1;
    ZcArray<int> Hover_Rows{0, 8};
    int Tracking_Leave = 0;
    // The sheets of the rows: a sheet set, else recognised title-block sheets.
    Sheet_Rows* Sheet_Set = nullptr;
    Sheet_Rows* TK_Sheets = nullptr;
    ZcArray<int> Mark_Rows{0, 8};
    ZcArray<int> Mark_Columns{0, 8};
    ZcArray<int> Hover_Columns{0, 8};
    ZcArray<int> Group_Columns{0, 8};
    ZcArray<int> Grey_Columns{0, 8};
    ZcArray<int> Grey_Rows{0, 8};
    ZcArray<int> No_Hover_Rows{0, 8};
    ZcArray<int> Dark_Rows{0, 8};

protected:
    // Adds the report and fixed owner-draw styles.
    void PreSubclassWindow() override;
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnDropFiles(HDROP drop);
    DECLARE_MESSAGE_MAP()

private:
    bool Is_Marked(int row, int column) const;
    // In hover mode 1 only column 1 repaints, never the row being edited.
    bool Skipped_By_Mode(int row) const;
    void Invalidate_Hover_Cell(int row);
};

// The cell icons, centred on (cx, cy).
void Draw_Eye_Icon(CDC* dc, int cx, int cy, int unit, COLORREF colour, bool hot);
void Draw_Redefine_Icon(CDC* dc, int cx, int cy, int height, COLORREF colour, bool hot);
void Draw_Del_Cell(CDC* dc, const CRect& rect, bool hot);

// Sizes a column of a report list to its content and header, plus 8 pixels; the last
// column is measured with the list at half its width.
void Fit_List_Column(CListCtrl* list, int column, CWnd* parent);
void Fit_List_Columns(CListCtrl* list, CWnd* parent);
