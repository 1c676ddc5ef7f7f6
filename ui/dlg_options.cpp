#include "ui/dlg_options.h"

#include "ui/gdi_helper.h"

BEGIN_MESSAGE_MAP(Dlg_Options, Picker_Dialog)
END_MESSAGE_MAP()

Dlg_Options::Dlg_Options(CWnd* parent) : Picker_Dialog(parent) {}

Dlg_Options::~Dlg_Options() = default;

void Dlg_Options::Layout()
{
    Picker_Dialog::Empty_Lists();
    Make_Fonts();
    const int m = Margin, g = Gap, R = Row_Height;
    Pitch = R + g;
    const int P = Pitch;
    const int a = Extra_Columns, n = static_cast<int>(Items.GetSize());
    int W = static_cast<int>(Item_Width * Scale);
    Item_Width = W;
    if (a >= 1) {
        const int K = static_cast<int>((W - 2 * m - 2 - a * g) / static_cast<double>(a + 1) + 0.5);
        W = a * g + 2 * m + (a + 1) * K + 2;
    }
    Rows = (a + n) / (a + 1);
    if (Rows < 2) Rows = 1;
    const int r = Rows;
    Width = W;
    Height = 2 * m + P * (r + 1) + 1;
    Frame_Cell_List.emplace_back(m, m, m + W - 2 * m - 2, m + R);
    for (int i = 0; i < n; ++i) {
        Option_Entry entry;
        if (a == 0) {
            entry.Rect = CRect(m, m + P * (i + 1), m + W - 2 * m - 2, m + P * (i + 1) + R);
        } else {
            const int c = (W - 2 * m - 2 - a * g) / (a + 1);
            const int x = m + (i / r) * (c + g), y = m + P * (i % r + 1);
            entry.Rect = CRect(x, y, x + c, y + R);
        }
        entry.Text = Cut_Text(Items[i]);
        entry.Index = i;
        entry.Chosen = i == Choice;
        Entry_List.push_back(entry);
    }
    if (a >= 1) {
        const int c = (W - 2 * m - 2 - a * g) / (a + 1);
        for (int i = n; i < r * (a + 1); ++i) {
            const int x = m + a * (c + g), y = m + P * (i - r * a + 1);
            Frame_Cell_List.emplace_back(x, y, x + c, y + R);
        }
    }
}

void Dlg_Options::Place_With_Offset(int dx, int dy)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    Move_Fitted(cursor.x - dx, cursor.y - dy);
}

void Dlg_Options::Place_At_Cursor()
{
    const int c = Choice, r = Rows, a = Extra_Columns;
    if (c < 0) {
        Place_With_Offset(Width / 2, Height / 2);
        return;
    }
    Place_With_Offset(static_cast<int>((c / r + 0.5) * Width / (a + 1)),
                      static_cast<int>((c % r + 1.5) * Height / (r + 1)));
}

void Dlg_Options::Paint_Entries(CDC& dc)
{
    for (const Option_Entry& entry : Entry_List) {
        CRect rect = entry.Rect;
        dc.FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
        dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
        dc.SetBkMode(TRANSPARENT);
        CFont* old_font = dc.SelectObject(entry.Hovered ? &Bold_Font : &Normal_Font);
        const CString text = entry.Chosen ? L"< " + entry.Text + L" >" : entry.Text;
        dc.DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        dc.SelectObject(old_font);
        if (entry.Hovered)
            g_Gdi_Helper.Draw_Frame_Rect(&dc, rect.left + 2, rect.right - 2, rect.top + 2, rect.bottom - 2, 1, 255, 0, 255);
    }
}

bool Dlg_Options::Accepts(int choice) const { return choice >= 0 && choice < static_cast<int>(Entry_List.size()); }

void Dlg_Options::Empty_Lists()
{
    Picker_Dialog::Empty_Lists();
    Items.RemoveAll();
}
