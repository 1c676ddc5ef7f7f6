#include "ui/sheet_list_ctrl.h"

#include <algorithm>
#include <cmath>

#include "core/doc_lock.h"
#include "core/space_helpers.h"
#include "mfc/afxdc.h"
#include "ui/gdi_helper.h"

IMPLEMENT_DYNAMIC(ListCtrl_DivezUrez, CListCtrl)

BEGIN_MESSAGE_MAP(ListCtrl_DivezUrez, CListCtrl)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

namespace {

const COLORREF Even_Row_Color = RGB(230, 230, 230);
const COLORREF Mark_Color = RGB(255, 0, 0);
const COLORREF Grey_Color = RGB(192, 192, 192);
const COLORREF Dark_Color = RGB(160, 160, 160);
const COLORREF Hover_Color = RGB(0, 0, 255);

bool Holds(const ZcArray<int>& list, int value) { return list.contains(value); }

// The header's alignment as DrawText takes it.
UINT Column_Alignment(CListCtrl* list, int column)
{
    LVCOLUMN info{};
    info.mask = LVCF_FMT;
    list->GetColumn(column, &info);
    switch (info.fmt & 3) {  // the justification bits
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
    }
}

int Column_Count(CListCtrl* list)
{
    CHeaderCtrl* header = list->GetHeaderCtrl();
    return header != nullptr ? header->GetItemCount() : 0;
}

// Moves the list to half its width (same left, top and height) or back to the rectangle.
void Move_List(CListCtrl* list, const CRect& rect, bool half)
{
    list->MoveWindow(rect.left, rect.top, half ? rect.Width() / 2 : rect.Width(), rect.Height(), TRUE);
}

CRect Rect_In_Parent(CListCtrl* list, CWnd* parent)
{
    CRect rect;
    list->GetWindowRect(&rect);
    if (parent != nullptr) parent->ScreenToClient(&rect);
    return rect;
}

void Fit_Now(CListCtrl* list, int column)
{
    list->SetColumnWidth(column, LVSCW_AUTOSIZE);
    const int content = list->GetColumnWidth(column);
    list->SetColumnWidth(column, LVSCW_AUTOSIZE_USEHEADER);
    const int header = list->GetColumnWidth(column);
    list->SetColumnWidth(column, std::max(content, header) + 8);
}

}  // namespace

ListCtrl_DivezUrez::~ListCtrl_DivezUrez() = default;

void ListCtrl_DivezUrez::PreSubclassWindow()
{
    ModifyStyle(0, LVS_REPORT | LVS_OWNERDRAWFIXED);
    CListCtrl::PreSubclassWindow();
}

bool ListCtrl_DivezUrez::Is_Marked(int row, int column) const
{
    const int pairs = std::min(Mark_Rows.length(), Mark_Columns.length());
    for (int i = 0; i < pairs; ++i)
        if (Mark_Rows[i] == row && Mark_Columns[i] == column) return true;
    return false;
}

void ListCtrl_DivezUrez::DrawItem(LPDRAWITEMSTRUCT draw)
{
    if (draw == nullptr || static_cast<int>(draw->itemID) < 0) return;
    const int row = static_cast<int>(draw->itemID);
    CDC* dc = CDC::FromHandle(draw->hDC);
    // A list without a font of its own paints in the system's dialog font.
    CFont* list_font = GetFont();
    if (list_font == nullptr) list_font = CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    CFont* old_font = dc->SelectObject(list_font);
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const int columns = Column_Count(this);
    CRect cell(draw->rcItem);
    for (int column = 0; column < columns; ++column) {
        LVCOLUMN info{};
        info.mask = LVCF_WIDTH;
        GetColumn(column, &info);
        cell.right = cell.left + info.cx;
        cell.top = draw->rcItem.top;
        cell.bottom = draw->rcItem.bottom;

        COLORREF text_color = ::GetSysColor(COLOR_WINDOWTEXT);
        COLORREF back_color = row % 2 == 1 ? ::GetSysColor(COLOR_WINDOW) : Even_Row_Color;
        if (selected) {
            text_color = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            back_color = ::GetSysColor(COLOR_HIGHLIGHT);
        }
        if (Is_Marked(row, column)) text_color = Mark_Color;
        if (Holds(Grey_Columns, column) || Holds(Grey_Rows, row)) text_color = Grey_Color;
        if (Holds(Dark_Rows, row)) back_color = Dark_Color;
        dc->FillSolidRect(&cell, back_color);
        const UINT format = DT_SINGLELINE | DT_END_ELLIPSIS | Column_Alignment(this, column);

        CFont bold;
        const bool hover_cell = column == Hover_Column && Holds(Hover_Rows, row) && !(Hover_Mode == 1 && row == Edit_Row);
        if (hover_cell) {
            LOGFONT logical{};
            list_font->GetLogFont(&logical);
            logical.lfWeight = FW_BOLD;
            bold.CreateFontIndirect(&logical);
            dc->SelectObject(&bold);
            text_color = Hover_Color;
            if (Hover_Mode == 1)
                g_Gdi_Helper.Draw_Frame_Rect(dc, cell.left + 2, cell.right - 2, cell.top + 2, cell.bottom - 2, 1, 0, 0, 255);
        }
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(text_color);
        dc->SetBkColor(back_color);

        const CString text = GetItemText(row, column);
        const bool hot_row = column == Hover_Column && row == Hover_Row;
        const int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
        if (text.CompareNoCase(L"EYE") == 0)
            Draw_Eye_Icon(dc, cx, cy, cell.Height() / 7, text_color, hot_row);
        else if (text.CompareNoCase(L"REDEFINE") == 0)
            Draw_Redefine_Icon(dc, cx, cy, cell.Height(), text_color, hot_row);
        else if (text.CompareNoCase(L"DEL") == 0)
            Draw_Del_Cell(dc, cell, hover_cell);
        else
            dc->DrawText(text, &cell, format);
        dc->SelectObject(list_font);
        cell.left = cell.right;
    }
    dc->SelectObject(old_font);
}

void Draw_Eye_Icon(CDC* dc, int cx, int cy, int unit, COLORREF colour, bool hot)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* old_pen = dc->SelectObject(&pen);
    const double s = unit;
    if (!hot) {
        dc->Arc(static_cast<int>(cx - 1.5 * s), static_cast<int>(cy - 1.5 * s), static_cast<int>(cx + 1.5 * s),
                static_cast<int>(cy + 1.5 * s), 0, 0, 0, 0);
    } else {
        POINT points[20];
        for (int k = 0; k < 20; ++k) {
            points[k].x = static_cast<int>(cx + s * std::cos(k * 0.31415926));
            points[k].y = static_cast<int>(cy + s * std::sin(k * 0.31415926));
        }
        CBrush brush(colour);
        CBrush* old_brush = dc->SelectObject(&brush);
        dc->Polygon(points, 20);
        dc->SelectObject(old_brush);
    }
    const int lid = static_cast<int>(2 * s * 2.5);
    dc->Arc(cx - lid, cy - 2 * unit, cx + lid, cy + 4 * unit, cx + lid, cy, cx - lid, cy);
    dc->Arc(cx - lid, cy - 4 * unit, cx + lid, cy + 2 * unit, cx - lid, cy, cx + lid, cy);
    dc->SelectObject(old_pen);
}

void Draw_Redefine_Icon(CDC* dc, int cx, int cy, int height, COLORREF colour, bool hot)
{
    CPen pen(PS_SOLID, hot ? 2 : 1, colour);
    CPen* old_pen = dc->SelectObject(&pen);
    const double g = 0.4 * height;
    const int x1 = static_cast<int>(cx - g), x2 = static_cast<int>(cx + g);
    const int top = static_cast<int>(cy - 0.25 * height), bottom = static_cast<int>(cy + 0.2 * height);
    dc->MoveTo(x1, top);
    dc->LineTo(x1, bottom);
    dc->LineTo(static_cast<int>(x1 + g), bottom);
    dc->MoveTo(x2, bottom);
    dc->LineTo(x2, top);
    dc->LineTo(static_cast<int>(x2 - g), top);
    dc->SelectObject(old_pen);
}

void Draw_Del_Cell(CDC* dc, const CRect& rect, bool hot)
{
    CRect area(rect);
    if (hot) dc->SetTextColor(Mark_Color);
    dc->DrawText(hot ? CString(L"X") : CString(L"√"), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void ListCtrl_DivezUrez::Add_Mark_Cell(int row, int column)
{
    if (Is_Marked(row, column)) return;
    Mark_Rows.append(row);
    Mark_Columns.append(column);
}

void ListCtrl_DivezUrez::Remove_Mark_Cell(int row, int column)
{
    const int pairs = std::min(Mark_Rows.length(), Mark_Columns.length());
    for (int i = 0; i < pairs; ++i)
        if (Mark_Rows[i] == row && Mark_Columns[i] == column) {
            Mark_Rows.removeAt(i);
            Mark_Columns.removeAt(i);
            return;
        }
}

void ListCtrl_DivezUrez::On_Row_Deleted(int row)
{
    for (int i = std::min(Mark_Rows.length(), Mark_Columns.length()) - 1; i >= 0; --i) {
        if (Mark_Rows[i] == row) {
            Mark_Rows.removeAt(i);
            Mark_Columns.removeAt(i);
        } else if (Mark_Rows[i] > row) {
            Mark_Rows[i] -= 1;
        }
    }
}

int ListCtrl_DivezUrez::Get_First_Selected() { return GetNextItem(-1, LVNI_SELECTED); }

ZcArray<int> ListCtrl_DivezUrez::Compute_Hover_Rows(int column, int row)
{
    ZcArray<int> rows(0, 8);
    if (column < 0 || row < 0) return rows;
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (!Holds(Group_Columns, column) || !selected) {
        rows.append(row);
        return rows;
    }
    rows.append(row);
    for (int other = GetNextItem(-1, LVNI_SELECTED); other >= 0; other = GetNextItem(other, LVNI_SELECTED))
        if (other != row) rows.append(other);
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ListCtrl_DivezUrez::Update_Hover_Rows() { Hover_Rows = Compute_Hover_Rows(Hover_Column, Hover_Row); }

bool ListCtrl_DivezUrez::Skipped_By_Mode(int row) const
{
    return Hover_Mode == 1 && !(Hover_Column == 1 && row != Edit_Row);
}

void ListCtrl_DivezUrez::Invalidate_Hover_Cell(int row)
{
    CRect label;
    if (GetSubItemRect(row, Hover_Column, LVIR_LABEL, label)) InvalidateRect(&label, TRUE);
}

void ListCtrl_DivezUrez::OnMouseMove(UINT flags, CPoint point)
{
    if (Tracking_Leave == 0) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        track.dwHoverTime = 1;
        Tracking_Leave = TrackMouseEvent(&track);
    }
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    int row = hit.iItem, column = hit.iSubItem;
    if (row < 0) row = column = -1;
    if (Holds(No_Hover_Rows, row) || !Holds(Hover_Columns, column)) row = column = -1;
    if (column == Hover_Column && row == Hover_Row) return;
    if (Hover_Column >= 0 && Hover_Row >= 0)
        for (int i = 0; i < Hover_Rows.length(); ++i) {
            if (Skipped_By_Mode(Hover_Rows[i])) continue;
            Invalidate_Hover_Cell(Hover_Rows[i]);
            Highlight_Sheet(Hover_Rows[i], 0);
        }
    Hover_Column = column;
    Hover_Row = row;
    Update_Hover_Rows();
    if (Hover_Column >= 0 && Hover_Row >= 0)
        for (int i = 0; i < Hover_Rows.length(); ++i) {
            if (Skipped_By_Mode(Hover_Rows[i])) continue;
            Invalidate_Hover_Cell(Hover_Rows[i]);
            Highlight_Sheet(Hover_Rows[i], 1);
        }
    CListCtrl::OnMouseMove(flags, point);
}

void ListCtrl_DivezUrez::OnMouseLeave()
{
    if (Hover_Column >= 0 && Hover_Row >= 0) {
        for (int i = 0; i < Hover_Rows.length(); ++i) {
            if (Skipped_By_Mode(Hover_Rows[i])) continue;
            Highlight_Sheet(Hover_Rows[i], 0);
            Invalidate_Hover_Cell(Hover_Rows[i]);
        }
        Hover_Column = Hover_Row = -1;
        Hover_Rows.removeAll();
    }
    Tracking_Leave = 0;
    CListCtrl::OnMouseLeave();
}

void ListCtrl_DivezUrez::OnDropFiles(HDROP drop)
{
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_SHEET_LIST_DROP_FILES, 0, reinterpret_cast<LPARAM>(drop));
    DragFinish(drop);
}

namespace {

// The marker of the row's sheet takes the highlighted look while its row is selected, else `on`.
void Show_Row_Marker(CListCtrl& list, Sheet_Rows& sheets, int row, int on)
{
    const bool selected = (list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    Doc_Lock lock;
    sheets.Set_Row_Marker_State(row, selected ? 1 : on);
    Update_Screen();
}

}  // namespace

void ListCtrl_DivezUrez::Highlight_Sheet(int row, int on)
{
    if (Hover_Mode != 0) return;
    Sheet_Rows* sheets = Sheet_Set != nullptr ? Sheet_Set : TK_Sheets;
    if (sheets != nullptr && row >= 0 && row < sheets->Sheet_Row_Count()) Show_Row_Marker(*this, *sheets, row, on);
}

void Fit_List_Column(CListCtrl* list, int column, CWnd* parent)
{
    const int columns = Column_Count(list);
    list->SendMessage(WM_SETREDRAW, FALSE);
    if (column == columns - 1) {
        const CRect rect = Rect_In_Parent(list, parent);
        Move_List(list, rect, true);
        Fit_Now(list, column);
        Move_List(list, rect, false);
    } else {
        Fit_Now(list, column);
    }
    list->SendMessage(WM_SETREDRAW, TRUE);
}

void Fit_List_Columns(CListCtrl* list, CWnd* parent)
{
    const int columns = Column_Count(list);
    list->SendMessage(WM_SETREDRAW, FALSE);
    const CRect rect = Rect_In_Parent(list, parent);
    Move_List(list, rect, true);
    for (int column = 0; column < columns; ++column) Fit_Now(list, column);
    Move_List(list, rect, false);
    list->SendMessage(WM_SETREDRAW, TRUE);
}
