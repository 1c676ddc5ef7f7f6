#include "ui/gradient_progress.h"

#include <algorithm>
#include <cstdlib>

#include "ui/mem_dc.h"

BEGIN_MESSAGE_MAP(CGradientProgressCtrl, CProgressCtrl)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

CGradientProgressCtrl::CGradientProgressCtrl()
    : Counter_Color(RGB(0, 0, 0)),
      Start_Color(RGB(255, 255, 0)),
      End_Color(RGB(0, 147, 0)),
      Back_Color(GetSysColor(COLOR_BTNFACE))
{
}

CGradientProgressCtrl::~CGradientProgressCtrl() { delete Counter_Font; }

void CGradientProgressCtrl::SetRange(int lower, int upper)
{
    Range_Lower = lower;
    Range_Upper = upper;
    Bar_Position = lower;
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
}

int CGradientProgressCtrl::SetPos(int position)
{
    Bar_Position = position;
    return static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position), 0));
}

int CGradientProgressCtrl::SetStep(int step)
{
    Step_Size = step;
    return static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step), 0));
}

int CGradientProgressCtrl::StepIt()
{
    int position = static_cast<int>(SendMessage(PBM_GETPOS, 0, 0)) + Step_Size;
    if (position > Range_Upper) position = Range_Lower;
    return SetPos(position);
}

void CGradientProgressCtrl::Set_Font_From_Item(CWnd* dialog, int item_id)
{
    if (Counter_Font != nullptr) return;
    CString face = L"宋体";
    int height = 12;
    CWnd* item = dialog != nullptr ? dialog->GetDlgItem(item_id) : nullptr;
    CFont* item_font = item != nullptr ? item->GetFont() : nullptr;
    if (item_font != nullptr) {
        LOGFONTW log_font{};
        item_font->GetLogFont(&log_font);
        face = log_font.lfFaceName;
        height = std::max(std::abs(static_cast<int>(log_font.lfHeight)), 12);
    }
    Counter_Font = new CFont;
    Counter_Font->CreateFont(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

CString CGradientProgressCtrl::Counter_Text() const
{
    CString text;
    if (Counter_Mode == 0) {
        text.Format(L"第%d张 / 共%d张", Bar_Position, Range_Upper);
    } else if (Counter_Mode == 1) {
        // A zero upper end would divide by zero: nothing is done of nothing.
        const int percent =
            Range_Upper != 0 ? static_cast<int>(static_cast<float>(Bar_Position) * 100.0f / static_cast<float>(Range_Upper)) : 0;
        text.Format(L"%d%%", percent);
    } else {
        text.Format(L"第%d个文件 / 共%d个文件", Bar_Position, Range_Upper);
    }
    return text;
}

int CGradientProgressCtrl::Filled_Width(int width) const
{
    if (Bar_Position < Range_Lower || Bar_Position > Range_Upper) return -1;
    // An empty range (upper end 0, position 0) has nothing to fill.
    if (Range_Upper <= 0) return 0;
    return static_cast<int>(static_cast<float>(Bar_Position) / static_cast<float>(Range_Upper) * static_cast<float>(width));
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CGradientProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    const int filled = Filled_Width(client.Width());
    if (filled < 0) {
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        return;
    }
    Draw_Gradient(&dc, client, filled);
    if (!Show_Counter) return;
    const CString text = Counter_Text();
    dc.SetTextColor(Counter_Color);
    dc.SetBkMode(TRANSPARENT);
    CFont* old_font = Counter_Font != nullptr ? dc.SelectObject(Counter_Font) : nullptr;
    dc.DrawText(text, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (old_font != nullptr) dc.SelectObject(old_font);
}

void CGradientProgressCtrl::Draw_Gradient(CDC* dc, const CRect& client, int filled)
{
    CTMemDC memory(dc);
    const int r1 = GetRValue(Start_Color), g1 = GetGValue(Start_Color), b1 = GetBValue(Start_Color);
    const int r2 = GetRValue(End_Color), g2 = GetGValue(End_Color), b2 = GetBValue(End_Color);
    const int bands = std::max({std::abs(b2 - b1), std::abs(g2 - g1), std::abs(r2 - r1)});
    if (bands == 0) {
        memory.FillSolidRect(&client, Start_Color);
        return;
    }
    const int width = client.Width(), height = client.Height();
    const float band_width = static_cast<float>(width) / static_cast<float>(bands);
    auto component = [bands](int from, int to, int i) {
        const float value = static_cast<float>(to - from) / static_cast<float>(bands) * static_cast<float>(i) +
                            static_cast<float>(from);
        return static_cast<BYTE>(static_cast<int>(value) & 0xFF);
    };
    for (int i = 0; i < bands; ++i) {
        const int left = static_cast<int>(static_cast<float>(i) * band_width);
        const int right = static_cast<int>(static_cast<float>(i + 1) * band_width);
        CBrush brush(RGB(component(r1, r2, i), component(g1, g2, i), component(b1, b2, i)));
        CRect band(left, 0, right, height + 1);
        memory.FillRect(&band, &brush);
        brush.DeleteObject();
        if (right > filled) {
            CRect rest(right, 0, width, height);
            memory.FillSolidRect(&rest, Back_Color);
            break;
        }
    }
}
