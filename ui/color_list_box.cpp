#include "ui/color_list_box.h"

#include <algorithm>
#include <cstdlib>

#include "mfc/afxdc.h"

BEGIN_MESSAGE_MAP(CColorListBox, CListBox)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

const COLORREF Disabled_Text_Color = RGB(128, 128, 128);

}  // namespace

CColorListBox::CColorListBox() : Back_Color(GetSysColor(COLOR_WINDOW)) {}

int CColorListBox::Add_Color_String(LPCTSTR text, COLORREF color)
{
    const int index = AddString(text);
    if (index < 0) return LB_ERR;
    SetItemData(index, color);
    return index;
}

int CColorListBox::Insert_Color_String(int index, LPCTSTR text, COLORREF color)
{
    const int at = InsertString(index, text);
    if (at < 0) return LB_ERR;
    SetItemData(at, color);
    return at;
}

void CColorListBox::Set_Item_Height(double factor)
{
    CFont* font = GetFont();
    if (font == nullptr) return;
    LOGFONTW log_font{};
    font->GetLogFont(&log_font);
    const int height = std::max(std::abs(static_cast<int>(log_font.lfHeight)), 12);
    SetItemHeight(0, static_cast<UINT>(static_cast<int>(height * factor)));
}

int CColorListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }

void CColorListBox::Measure_Text_Height(CDC* dc)
{
    CFont* old_font = GetFont() != nullptr ? dc->SelectObject(GetFont()) : nullptr;
    TEXTMETRICW metrics{};
    dc->GetTextMetrics(&metrics);
    Text_Height = metrics.tmHeight;
    if (old_font != nullptr) dc->SelectObject(old_font);
}

int CColorListBox::OnCreate(LPCREATESTRUCT create)
{
    if (CListBox::OnCreate(create) == -1) return -1;
    CClientDC dc(this);
    Measure_Text_Height(&dc);
    return 0;
}

void CColorListBox::DrawItem(LPDRAWITEMSTRUCT draw)
{
    CDC* dc = CDC::FromHandle(draw->hDC);
    const CRect rect(draw->rcItem);
    if (static_cast<int>(draw->itemID) >= 0 && (draw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) {
        const int item_height = GetItemHeight(0);
        const bool enabled = IsWindowEnabled() != FALSE;
        COLORREF text = enabled ? static_cast<COLORREF>(draw->itemData) : Disabled_Text_Color;
        COLORREF back = Back_Color;
        if (enabled && (draw->itemState & ODS_SELECTED)) {
            text = GetSysColor(COLOR_HIGHLIGHTTEXT);
            back = GetSysColor(COLOR_HIGHLIGHT);
        }
        if (Text_Height == 0) Measure_Text_Height(dc);
        const COLORREF old_text = dc->SetTextColor(text);
        const COLORREF old_back = dc->SetBkColor(back);
        CString item_text;
        GetText(static_cast<int>(draw->itemID), item_text);
        dc->ExtTextOut(rect.left, rect.top + std::max(0, (item_height - Text_Height) / 2), ETO_OPAQUE, &rect,
                       item_text, nullptr);
        CRect below(rect.left, rect.top + GetCount() * item_height, rect.right, 1000);
        if (!below.IsRectEmpty()) dc->FillSolidRect(&below, Back_Color);
        dc->SetTextColor(old_text);
        dc->SetBkColor(old_back);
    }
    if (draw->itemAction & ODA_FOCUS) dc->DrawFocusRect(&rect);
}
