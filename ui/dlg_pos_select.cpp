#include "ui/dlg_pos_select.h"

#include <algorithm>
#include <cstdlib>

#include "res/resource.h"

BEGIN_MESSAGE_MAP(Dlg_Pos_Select, Picker_Dialog)
END_MESSAGE_MAP()

namespace {

constexpr int Code_Count = 9;
const CPoint Code_Cells[Code_Count] = {{1, 1}, {0, 2}, {0, 0}, {2, 2}, {2, 0}, {1, 0}, {1, 2}, {0, 1}, {2, 1}};

const COLORREF Line_Color = RGB(100, 100, 100);
const COLORREF Hover_Color = RGB(255, 0, 0);
const COLORREF Chosen_Color = RGB(0, 0, 0);
const COLORREF Idle_Color = RGB(100, 100, 100);

void Fill_Block(CDC& dc, int x1, int y1, int x2, int y2, COLORREF color)
{
    CRect block(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    dc.FillSolidRect(&block, color);
}

}  // namespace

Dlg_Pos_Select::Dlg_Pos_Select(CWnd* parent) : Picker_Dialog(parent) {}

Dlg_Pos_Select::~Dlg_Pos_Select() = default;

CPoint Dlg_Pos_Select::Cell_Of_Code(int code) { return Code_Cells[code]; }

void Dlg_Pos_Select::Layout()
{
    Empty_Lists();
    Make_Fonts();
    const int m = Margin, g = Gap, R = Row_Height;
    const int A = static_cast<int>(30 * Scale);
    Width = 3 * A + 2 * m + 2;
    Height = 3 * A + 2 * m + g + R + 2;
    Frame_Cell_List.emplace_back(m, m, m + 3 * A, m + R);
    for (int code = 0; code < Code_Count; ++code) {
        Option_Entry entry;
        const int x = m + Code_Cells[code].x * A, y = m + g + R + Code_Cells[code].y * A;
        entry.Rect = CRect(x, y, x + A, y + A);
        entry.Index = code;
        entry.Chosen = code == Choice;
        Entry_List.push_back(entry);
    }
}

void Dlg_Pos_Select::Place_At_Cursor()
{
    POINT cursor{};
    GetCursorPos(&cursor);
    Move_Fitted(cursor.x - Width / 2, cursor.y - Height / 2);
}

// Only a real position code confirms; an OK with nothing chosen and nothing preselected
// is a cancel.
bool Dlg_Pos_Select::Accepts(int choice) const { return choice >= 0 && choice < Code_Count; }

void Dlg_Pos_Select::Draw_Corner_Block(CDC& dc, int code, CPoint centre, int long_side, int short_side, double t,
                                       COLORREF color)
{
    const int sx = code == 1 || code == 2 ? 1 : -1;
    const int sy = code == 1 || code == 3 ? 1 : -1;
    Fill_Block(dc, centre.x, centre.y, static_cast<int>(centre.x + sx * long_side * t),
               static_cast<int>(centre.y + sy * short_side * t), color);
}

void Dlg_Pos_Select::Draw_Edge_Block(CDC& dc, int code, CPoint centre, int long_side, int short_side, double t,
                                     COLORREF color)
{
    const int l = static_cast<int>(long_side * t), s = static_cast<int>(short_side * t);
    switch (code) {
    case 5: Fill_Block(dc, centre.x - l / 2, centre.y - s, centre.x - l / 2 + l, centre.y, color); break;
    case 6: Fill_Block(dc, centre.x - l / 2, centre.y, centre.x - l / 2 + l, centre.y + s, color); break;
    case 7: Fill_Block(dc, centre.x - s, centre.y - l / 2, centre.x, centre.y - l / 2 + l, color); break;
    case 8: Fill_Block(dc, centre.x, centre.y - l / 2, centre.x + s, centre.y - l / 2 + l, color); break;
    default: break;
    }
}

void Dlg_Pos_Select::Paint_Entries(CDC& dc)
{
    double t = 1.0;
    CWnd* source = GetDlgItem(IDC_FONT_SOURCE);
    if (CFont* font = source != nullptr ? source->GetFont() : nullptr) {
        LOGFONTW log_font{};
        font->GetLogFont(&log_font);
        t = std::max(1.0, std::abs(static_cast<int>(log_font.lfHeight)) / 12.0);
    }
    for (const Option_Entry& entry : Entry_List) {
        CRect rect = entry.Rect;
        dc.FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
        CPen pen(PS_SOLID, static_cast<int>(t), Line_Color);
        CPen* old_pen = dc.SelectObject(&pen);
        const CPoint centre((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        const bool big = entry.Hovered || entry.Chosen;
        const COLORREF color = entry.Hovered ? Hover_Color : entry.Chosen ? Chosen_Color : Idle_Color;
        const int long_side = big ? 10 : static_cast<int>(10 * 0.7), short_side = big ? 6 : static_cast<int>(6 * 0.7);
        auto line = [&](int x1, int y1, int x2, int y2) {
            dc.MoveTo(x1, y1);
            dc.LineTo(x2, y2);
        };
        switch (entry.Index) {
        case 0: {
            CFont* old_font = dc.SelectObject(big ? &Bold_Font : &Normal_Font);
            dc.SetTextColor(entry.Hovered ? Hover_Color : GetSysColor(COLOR_CAPTIONTEXT));
            dc.SetBkMode(TRANSPARENT);
            dc.DrawText(L"无", &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            dc.SelectObject(old_font);
            break;
        }
        case 1:
        case 2:
        case 3:
        case 4: {
            const int x_edge = entry.Index <= 2 ? rect.right : rect.left;
            const int y_edge = entry.Index == 1 || entry.Index == 3 ? rect.top : rect.bottom;
            line(centre.x, centre.y, x_edge, centre.y);
            line(centre.x, centre.y, centre.x, y_edge);
            Draw_Corner_Block(dc, entry.Index, centre, long_side, short_side, t, color);
            break;
        }
        case 5:
        case 6:
            line(rect.left, centre.y, rect.right, centre.y);
            Draw_Edge_Block(dc, entry.Index, centre, long_side, short_side, t, color);
            break;
        case 7:
        case 8:
            line(centre.x, rect.top, centre.x, rect.bottom);
            Draw_Edge_Block(dc, entry.Index, centre, long_side, short_side, t, color);
            break;
        default: break;
        }
        dc.SelectObject(old_pen);
    }
}
