// The plain look of the standard windows and controls, painted through the GDI layer;
// owner-drawn and custom-drawn parts go to the plug-in (WM_DRAWITEM, NM_CUSTOMDRAW), and
// WM_CTLCOLOR brushes and text colours of the parent are applied.
#include <algorithm>

#include "mfc/afxcmn.h"
#include "mfc/afxdc.h"
#include "mfc/control_state.h"

namespace platform {

namespace {

COLORREF Sys(int index) { return GetSysColor(index); }

void Fill(HDC dc, RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Frame(HDC dc, RECT r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour, int width = 1) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// The parent's colours for a control (WM_CTLCOLOR...): its brush, or null for the default.
HBRUSH Control_Colour(Window* w, HDC dc, UINT message) {
    Window* parent = (w->style & WS_CHILD) ? w->parent : nullptr;
    Window* target = parent ? parent : w;
    return reinterpret_cast<HBRUSH>(Send(target, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w->handle())));
}

// Text in the window's font, with the colours already set in the context.
void Text(HDC dc, Window* w, const std::wstring& text, RECT r, UINT format) {
    HGDIOBJ old = SelectObject(dc, w->font ? static_cast<HGDIOBJ>(w->font) : GetStockObject(DEFAULT_GUI_FONT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    SelectObject(dc, old);
}

std::wstring Without_Prefix(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

void Draw_Item(Window* w, HDC dc, UINT type, UINT item, UINT state, RECT r, ULONG_PTR data) {
    DRAWITEMSTRUCT d{};
    d.CtlType = type;
    d.CtlID = static_cast<UINT>(w->id);
    d.itemID = item;
    d.itemAction = ODA_DRAWENTIRE;
    d.itemState = state | (w->enabled ? 0 : ODS_DISABLED) | (Focus_Window() == w ? ODS_FOCUS : 0);
    d.hwndItem = w->handle();
    d.hDC = dc;
    d.rcItem = r;
    d.itemData = data;
    if (w->parent) Send(w->parent, WM_DRAWITEM, static_cast<WPARAM>(w->id), reinterpret_cast<LPARAM>(&d));
}

void Paint_Button(Window* w, HDC dc, RECT r) {
    auto* s = w->state<Button_State>();
    const UINT type = w->style & BS_TYPEMASK;
    if (type == BS_OWNERDRAW) {
        Draw_Item(w, dc, ODT_BUTTON, 0, s->pushed ? ODS_SELECTED : 0, r, 0);
        return;
    }
    const std::wstring text = Without_Prefix(w->text);
    const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_PUSHBOX || (w->style & BS_PUSHLIKE);
    if (push) {
        Control_Colour(w, dc, WM_CTLCOLORBTN);
        Fill(dc, r, Sys(COLOR_BTNFACE));
        RECT edge = r;
        if (type == BS_DEFPUSHBUTTON) {
            Frame(dc, edge, RGB(0, 0, 0));
            InflateRect(&edge, -1, -1);
        }
        DrawEdge(dc, &edge, s->pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, Sys(w->enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        RECT tr = r;
        if (s->pushed) OffsetRect(&tr, 1, 1);
        if (HANDLE image = s->image) {
            if (w->style & BS_ICON) DrawIconEx(dc, (r.right - 32) / 2, (r.bottom - 32) / 2, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
        }
        Text(dc, w, text, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    // Check boxes, radio buttons and group boxes take the static colours.
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Sys(w->enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    HBRUSH brush = Control_Colour(w, dc, WM_CTLCOLORSTATIC);
    if (!w->enabled) SetTextColor(dc, Sys(COLOR_GRAYTEXT));
    const int text_height = Measure_Text(w->font, L"Ag").cy;
    if (type == BS_GROUPBOX) {
        RECT frame = r;
        frame.top += text_height / 2;
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        const SIZE size = Measure_Text(w->font, text);
        RECT label{8, 0, 8 + size.cx + 4, text_height};
        if (brush) FillRect(dc, &label, brush);
        else Fill(dc, label, Sys(COLOR_BTNFACE));
        label.left += 2;
        Text(dc, w, text, label, DT_LEFT | DT_TOP | DT_SINGLELINE);
        return;
    }
    if (brush) FillRect(dc, &r, brush);
    const int box = 13;
    const int top = (r.bottom - box) / 2;
    const bool radio = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    RECT b{r.left, top, r.left + box, top + box};
    if ((w->style & BS_LEFTTEXT)) b = RECT{r.right - box, top, r.right, top + box};
    const COLORREF face = w->enabled ? RGB(255, 255, 255) : Sys(COLOR_BTNFACE);
    if (radio) {
        HBRUSH fill = CreateSolidBrush(face);
        HPEN pen = CreatePen(PS_SOLID, 1, Sys(COLOR_BTNSHADOW));
        HGDIOBJ ob = SelectObject(dc, fill), op = SelectObject(dc, pen);
        Ellipse(dc, b.left, b.top, b.right, b.bottom);
        SelectObject(dc, ob), SelectObject(dc, op);
        DeleteObject(fill), DeleteObject(pen);
        if (s->check == BST_CHECKED) {
            HBRUSH dot = CreateSolidBrush(Sys(COLOR_BTNTEXT));
            HGDIOBJ od = SelectObject(dc, dot);
            HGDIOBJ np = SelectObject(dc, GetStockObject(NULL_PEN));
            Ellipse(dc, b.left + 4, b.top + 4, b.right - 3, b.bottom - 3);
            SelectObject(dc, od), SelectObject(dc, np);
            DeleteObject(dot);
        }
    } else {
        Fill(dc, b, face);
        DrawEdge(dc, &b, EDGE_SUNKEN, BF_RECT);
        const COLORREF mark = s->check == BST_INDETERMINATE ? Sys(COLOR_GRAYTEXT) : Sys(COLOR_BTNTEXT);
        if (s->check != BST_UNCHECKED) {
            Line(dc, b.left + 3, b.top + 6, b.left + 5, b.top + 9, mark, 2);
            Line(dc, b.left + 5, b.top + 9, b.left + 10, b.top + 3, mark, 2);
        }
    }
    RECT tr = r;
    if (w->style & BS_LEFTTEXT) tr.right = b.left - 4;
    else tr.left = b.right + 4;
    Text(dc, w, text, tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// A static's look, with its font already in the context.
void Paint_Static_Content(Window* w, HDC dc, RECT r) {
    const DWORD type = w->style & SS_TYPEMASK;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Sys(w->enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    HBRUSH brush = Control_Colour(w, dc, WM_CTLCOLORSTATIC);
    if (!w->enabled) SetTextColor(dc, Sys(COLOR_GRAYTEXT));
    if (brush) FillRect(dc, &r, brush);
    HANDLE image = w->state<Static_State>()->image;
    switch (type) {
    case SS_ICON:
        if (image) DrawIconEx(dc, 0, 0, static_cast<HICON>(image), 0, 0, 0, nullptr, DI_NORMAL);
        return;
    case SS_BITMAP:
        if (image) {
            BITMAP bm{};
            GetObjectW(image, sizeof(bm), &bm);
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, image);
            BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        return;
    case SS_BLACKRECT: Fill(dc, r, RGB(0, 0, 0)); return;
    case SS_GRAYRECT: Fill(dc, r, Sys(COLOR_BTNSHADOW)); return;
    case SS_WHITERECT: Fill(dc, r, RGB(255, 255, 255)); return;
    case SS_BLACKFRAME: Frame(dc, r, RGB(0, 0, 0)); return;
    case SS_GRAYFRAME: Frame(dc, r, Sys(COLOR_BTNSHADOW)); return;
    case SS_WHITEFRAME: Frame(dc, r, RGB(255, 255, 255)); return;
    case SS_ETCHEDHORZ: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); return;
    case SS_ETCHEDVERT: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); return;
    case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); return;
    default: break;
    }
    UINT format = DT_NOPREFIX;
    if (type == SS_CENTER) format |= DT_CENTER;
    else if (type == SS_RIGHT) format |= DT_RIGHT;
    if (type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP) format |= DT_SINGLELINE;
    else format |= DT_WORDBREAK;
    if (w->style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    if (!(w->style & SS_NOPREFIX)) format &= ~DT_NOPREFIX;
    DrawTextW(dc, w->text.c_str(), static_cast<int>(w->text.size()), &r, format);
}

void Paint_Static(Window* w, HDC dc, RECT r) {
    if ((w->style & SS_TYPEMASK) == SS_OWNERDRAW) {
        Draw_Item(w, dc, ODT_STATIC, 0, 0, r, 0);
        return;
    }
    // As on Windows, the control's font is in the context when the parent is asked for the
    // colours, so that a font the parent selects there draws the text.
    const HGDIOBJ old_font = SelectObject(dc, w->font ? static_cast<HGDIOBJ>(w->font) : GetStockObject(DEFAULT_GUI_FONT));
    Paint_Static_Content(w, dc, r);
    SelectObject(dc, old_font);
}

// The sunken white box of edits, combo boxes and lists.
RECT Field(Window* w, HDC dc, RECT r, UINT colour_message) {
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, Sys(w->enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, Sys(COLOR_WINDOW));
    HBRUSH brush = Control_Colour(w, dc, colour_message);
    if (brush) FillRect(dc, &r, brush);
    else Fill(dc, r, w->enabled && colour_message != WM_CTLCOLORSTATIC ? Sys(COLOR_WINDOW) : Sys(COLOR_BTNFACE));
    if ((w->style & WS_BORDER) || (w->ex_style & WS_EX_CLIENTEDGE) || w->class_name == L"ComboBox") {
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
        InflateRect(&r, -2, -2);
    }
    SetBkMode(dc, TRANSPARENT);
    return r;
}

void Paint_Edit(Window* w, HDC dc, RECT r) {
    const bool read_only = (w->style & ES_READONLY) || !w->enabled;
    RECT inner = Field(w, dc, r, read_only ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    inner.left += 2;
    std::wstring text = w->text;
    if (w->style & ES_PASSWORD) text.assign(text.size(), L'*');
    UINT format = DT_NOPREFIX | DT_EDITCONTROL;
    if (w->style & ES_MULTILINE) format |= DT_WORDBREAK;
    else format |= DT_SINGLELINE | DT_VCENTER;
    if (w->style & ES_CENTER) format |= DT_CENTER;
    else if (w->style & ES_RIGHT) format |= DT_RIGHT;
    Text(dc, w, text, inner, format);
}

void Arrow_Button(HDC dc, RECT b, bool down) {
    Fill(dc, b, Sys(COLOR_BTNFACE));
    DrawEdge(dc, &b, EDGE_RAISED, BF_RECT);
    const int cx = (b.left + b.right) / 2, cy = (b.top + b.bottom) / 2;
    POINT tri[3];
    if (down) tri[0] = {cx - 4, cy - 2}, tri[1] = {cx + 4, cy - 2}, tri[2] = {cx, cy + 2};
    else tri[0] = {cx - 4, cy + 2}, tri[1] = {cx + 4, cy + 2}, tri[2] = {cx, cy - 2};
    HBRUSH black = CreateSolidBrush(Sys(COLOR_BTNTEXT));
    HGDIOBJ ob = SelectObject(dc, black), op = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, tri, 3);
    SelectObject(dc, ob), SelectObject(dc, op);
    DeleteObject(black);
}

void Paint_Combo(Window* w, HDC dc, RECT r) {
    auto* s = w->state<List_State>();
    RECT inner = Field(w, dc, r, (w->style & 3) == CBS_DROPDOWNLIST ? WM_CTLCOLORLISTBOX : WM_CTLCOLOREDIT);
    const int button = std::min<int>(17, inner.bottom - inner.top);
    Arrow_Button(dc, RECT{inner.right - button, inner.top, inner.right, inner.bottom}, true);
    inner.right -= button;
    if (w->style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        const ULONG_PTR data = s->cur_sel >= 0 ? s->items[s->cur_sel].data : 0;
        Draw_Item(w, dc, ODT_COMBOBOX, static_cast<UINT>(s->cur_sel), 0, inner, data);
        return;
    }
    inner.left += 2;
    Text(dc, w, w->text, inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void Paint_List_Box(Window* w, HDC dc, RECT r) {
    auto* s = w->state<List_State>();
    RECT inner = Field(w, dc, r, WM_CTLCOLORLISTBOX);
    const bool owner = (w->style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    int y = inner.top;
    for (int i = s->top; i < static_cast<int>(s->items.size()) && y < inner.bottom; ++i) {
        const int h = static_cast<int>(Send(w, LB_GETITEMHEIGHT, i, 0));
        RECT item{inner.left, y, inner.right, y + h};
        const bool selected = s->items[i].selected;
        if (owner) {
            Draw_Item(w, dc, ODT_LISTBOX, static_cast<UINT>(i), selected ? ODS_SELECTED : 0, item, s->items[i].data);
        } else {
            if (selected) Fill(dc, item, Sys(COLOR_HIGHLIGHT));
            SetTextColor(dc, selected ? Sys(COLOR_HIGHLIGHTTEXT) : Sys(w->enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
            RECT text = item;
            text.left += 2;
            Text(dc, w, s->items[i].text, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        }
        y += h;
    }
}

// NM_CUSTOMDRAW to the parent (the list itself first, by reflection).
LRESULT Custom_Draw(Window* w, NMLVCUSTOMDRAW& cd, DWORD stage, HDC dc, RECT r, int item, int sub) {
    cd.nmcd.dwDrawStage = stage;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = r;
    cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(item < 0 ? 0 : item);
    cd.iSubItem = sub;
    return Notify_Parent(w, &cd.nmcd.hdr, NM_CUSTOMDRAW);
}

// An item's image from the small image list, vertically centred at `left` of the cell;
// the label's left edge after it (unchanged without an image).
int Paint_Small_Image(HDC dc, HIMAGELIST images, int index, RECT cell, int left) {
    CImageList* list = images ? CImageList::FromHandle(images) : nullptr;
    const auto* entries = list ? list->Entries() : nullptr;
    if (!entries || index < 0 || index >= static_cast<int>(entries->size())) return left;
    int cx = 16, cy = 16;
    list->GetIconSize(&cx, &cy);
    const int x = left - 4, y = cell.top + (cell.bottom - cell.top - cy) / 2;
    const CImageList::Entry& e = (*entries)[index];
    if (e.icon) {
        DrawIconEx(dc, x, y, e.icon, cx, cy, 0, nullptr, DI_NORMAL);
    } else if (e.bitmap) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, e.bitmap);
        BitBlt(dc, x, y, cx, cy, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    return x + cx + 4;
}

void Paint_List_View(Window* w, HDC dc, RECT r) {
    auto* s = w->state<List_View_State>();
    RECT inner = Field(w, dc, r, WM_CTLCOLORLISTBOX);
    const int header = List_View_Header_Height(w), row = List_View_Row_Height(w);
    const POINT org{inner.left, inner.top};
    // Rows and the header are laid out from the client's top-left corner.
    NMLVCUSTOMDRAW cd{};
    const LRESULT pre = Custom_Draw(w, cd, CDDS_PREPAINT, dc, inner, -1, 0);
    if (!(pre & CDRF_SKIPDEFAULT)) {
        const bool focused = Focus_Window() == w || (w->style & LVS_SHOWSELALWAYS);
        for (int i = s->top; i < static_cast<int>(s->items.size()); ++i) {
            RECT line = List_View_Sub_Item_Rect(w, i, 0);
            if (line.top + org.y >= inner.bottom) break;
            const auto& item = s->items[i];
            const bool selected = (item.state & LVIS_SELECTED) != 0;
            cd.clrText = selected && focused ? Sys(COLOR_HIGHLIGHTTEXT) : Sys(COLOR_WINDOWTEXT);
            cd.clrTextBk = selected && focused ? Sys(COLOR_HIGHLIGHT) : Sys(COLOR_WINDOW);
            cd.nmcd.uItemState = selected ? CDIS_SELECTED : 0;
            cd.nmcd.lItemlParam = item.data;
            RECT whole{line.left + org.x, line.top + org.y, inner.right, line.bottom + org.y};
            if ((w->style & LVS_OWNERDRAWFIXED) && (w->style & LVS_TYPEMASK) == LVS_REPORT) {
                // The owner paints the whole row: the columns' full width from column 0.
                int width = 0;
                for (const auto& c : s->columns) width += c.width;
                RECT bounds{whole.left, whole.top, whole.left + width, whole.bottom};
                Draw_Item(w, dc, ODT_LISTVIEW, static_cast<UINT>(i), selected ? ODS_SELECTED : 0, bounds,
                          static_cast<ULONG_PTR>(item.data));
                if (!Find_Window(w->handle())) return;
                continue;
            }
            LRESULT item_result = CDRF_DODEFAULT;
            if (pre & CDRF_NOTIFYITEMDRAW) item_result = Custom_Draw(w, cd, CDDS_ITEMPREPAINT, dc, whole, i, 0);
            if (item_result & CDRF_SKIPDEFAULT) continue;
            const COLORREF item_text = cd.clrText, item_back = cd.clrTextBk;
            for (int c = 0; c < static_cast<int>(s->columns.size()); ++c) {
                RECT cell = List_View_Sub_Item_Rect(w, i, c);
                OffsetRect(&cell, org.x, org.y);
                cd.clrText = item_text;
                cd.clrTextBk = item_back;
                if (item_result & CDRF_NOTIFYSUBITEMDRAW) {
                    const LRESULT sub = Custom_Draw(w, cd, CDDS_ITEMPREPAINT | CDDS_SUBITEM, dc, cell, i, c);
                    if (sub & CDRF_SKIPDEFAULT) continue;
                }
                const bool highlight = selected && focused && (c == 0 || (s->ex_style & LVS_EX_FULLROWSELECT));
                const COLORREF back = highlight ? cd.clrTextBk : (cd.clrTextBk == Sys(COLOR_HIGHLIGHT) ? Sys(COLOR_WINDOW) : cd.clrTextBk);
                Fill(dc, cell, back);
                SetTextColor(dc, highlight ? cd.clrText : (cd.clrText == Sys(COLOR_HIGHLIGHTTEXT) ? Sys(COLOR_WINDOWTEXT) : cd.clrText));
                RECT text = cell;
                text.left += 6;
                text.right -= 6;
                if (c == 0 && (s->ex_style & LVS_EX_CHECKBOXES)) {
                    RECT box{cell.left + 2, cell.top + (row - 13) / 2, cell.left + 15, cell.top + (row - 13) / 2 + 13};
                    Fill(dc, box, RGB(255, 255, 255));
                    Frame(dc, box, Sys(COLOR_BTNSHADOW));
                    if ((item.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)) {
                        Line(dc, box.left + 3, box.top + 6, box.left + 5, box.top + 9, RGB(0, 0, 0), 2);
                        Line(dc, box.left + 5, box.top + 9, box.left + 10, box.top + 3, RGB(0, 0, 0), 2);
                    }
                    text.left = box.right + 2;
                }
                if (c == 0) text.left = Paint_Small_Image(dc, s->images[LVSIL_SMALL], item.image, cell, text.left);
                const std::wstring& t = c < static_cast<int>(item.texts.size()) ? item.texts[c] : std::wstring();
                const int fmt = s->columns[c].fmt & 3;
                Text(dc, w, t, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                                         (fmt == LVCFMT_CENTER ? DT_CENTER : fmt == LVCFMT_RIGHT ? DT_RIGHT : DT_LEFT));
            }
            if (item_result & CDRF_NOTIFYPOSTPAINT) Custom_Draw(w, cd, CDDS_ITEMPOSTPAINT, dc, whole, i, 0);
        }
        if (s->ex_style & LVS_EX_GRIDLINES) {
            const COLORREF grid = RGB(240, 240, 240);
            int x = org.x;
            for (const auto& c : s->columns) {
                x += c.width;
                Line(dc, x - 1, org.y + header, x - 1, inner.bottom, grid);
            }
            for (int y = org.y + header + row - 1; y < inner.bottom; y += row) Line(dc, inner.left, y, inner.right, y, grid);
        }
    }
    if (header > 0) {
        RECT bar{inner.left, inner.top, inner.right, inner.top + header};
        Fill(dc, bar, Sys(COLOR_BTNFACE));
        int x = org.x;
        SetTextColor(dc, Sys(COLOR_BTNTEXT));
        for (const auto& c : s->columns) {
            RECT cell{x, bar.top, x + c.width, bar.bottom};
            DrawEdge(dc, &cell, EDGE_RAISED, BF_RECT);
            RECT text = cell;
            text.left += 6, text.right -= 6;
            const int fmt = c.fmt & 3;
            Text(dc, w, c.text, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                                          (fmt == LVCFMT_CENTER ? DT_CENTER : fmt == LVCFMT_RIGHT ? DT_RIGHT : DT_LEFT));
            x += c.width;
        }
    }
    if (pre & CDRF_NOTIFYPOSTPAINT) Custom_Draw(w, cd, CDDS_POSTPAINT, dc, inner, -1, 0);
}

void Paint_Progress(Window* w, HDC dc, RECT r) {
    auto* s = w->state<Range_State>();
    Fill(dc, r, s->back != CLR_INVALID ? s->back : Sys(COLOR_BTNFACE));
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
    const int range = s->high - s->low;
    if (range <= 0) return;
    RECT bar = r;
    bar.right = r.left + static_cast<int>(static_cast<long long>(r.right - r.left) * (s->pos - s->low) / range);
    Fill(dc, bar, s->bar != CLR_INVALID ? s->bar : RGB(6, 176, 37));
}

void Paint_Trackbar(Window* w, HDC dc, RECT r) {
    auto* s = w->state<Range_State>();
    HBRUSH brush = Control_Colour(w, dc, WM_CTLCOLORSTATIC);
    if (brush) FillRect(dc, &r, brush);
    const int mid = (r.top + r.bottom) / 2;
    RECT channel{r.left + 8, mid - 2, r.right - 8, mid + 2};
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
    const int range = std::max(1, s->high - s->low);
    const int x = channel.left + (channel.right - channel.left) * (s->pos - s->low) / range;
    RECT thumb{x - 4, r.top + 2, x + 5, r.bottom - 2};
    Fill(dc, thumb, Sys(COLOR_BTNFACE));
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
}

void Paint_Tab(Window* w, HDC dc, RECT r) {
    auto* s = w->state<Tab_State>();
    HBRUSH brush = Control_Colour(w, dc, WM_CTLCOLORDLG);
    if (brush) FillRect(dc, &r, brush);
    RECT body = r;
    Send(w, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
    InflateRect(&body, 2, 2);
    DrawEdge(dc, &body, EDGE_RAISED, BF_RECT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Sys(COLOR_BTNTEXT));
    for (int i = 0; i < static_cast<int>(s->items.size()); ++i) {
        RECT tab{};
        Send(w, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&tab));
        if (i == s->cur_sel) InflateRect(&tab, 2, 2);
        Fill(dc, tab, Sys(COLOR_BTNFACE));
        DrawEdge(dc, &tab, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        Text(dc, w, s->items[i].text, tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void Paint_Date(Window* w, HDC dc, RECT r) {
    auto* s = w->state<Date_State>();
    RECT inner = Field(w, dc, r, WM_CTLCOLOREDIT);
    const int button = std::min<int>(17, inner.bottom - inner.top);
    Arrow_Button(dc, RECT{inner.right - button, inner.top, inner.right, inner.bottom}, true);
    inner.right -= button;
    inner.left += 2;
    const std::wstring text = s->none ? L"" : std::to_wstring(s->time.wYear) + L"/" + std::to_wstring(s->time.wMonth) + L"/" +
                                                   std::to_wstring(s->time.wDay);
    Text(dc, w, text, inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void Paint_Up_Down(HDC dc, RECT r) {
    const int mid = (r.top + r.bottom) / 2;
    Arrow_Button(dc, RECT{r.left, r.top, r.right, mid}, false);
    Arrow_Button(dc, RECT{r.left, mid, r.right, r.bottom}, true);
}

// The background of a dialog or plain window: the brush its WM_CTLCOLORDLG gives, else the face.
void Erase(Window* w, HDC dc) {
    RECT r = Client_Rect(w);
    if (w->class_name == L"#32770") {
        HBRUSH brush = reinterpret_cast<HBRUSH>(Send(w, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w->handle())));
        if (brush) {
            FillRect(dc, &r, brush);
            return;
        }
    }
    Fill(dc, r, Sys(COLOR_BTNFACE));
}

}  // namespace

LRESULT Paint_Standard(Window* w, UINT message, WPARAM wParam) {
    if (message == WM_ERASEBKGND) {
        if (w->class_name == L"#32770" || w->class_name == L"AfxWnd") Erase(w, reinterpret_cast<HDC>(wParam));
        return 1;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w->handle(), &ps);
    if (!dc) return 0;
    const int saved = SaveDC(dc);
    const RECT r = Client_Rect(w);
    const std::wstring& c = w->class_name;
    if (c == L"Button") Paint_Button(w, dc, r);
    else if (c == L"Static") Paint_Static(w, dc, r);
    else if (c == L"Edit") Paint_Edit(w, dc, r);
    else if (c == L"ComboBox") Paint_Combo(w, dc, r);
    else if (c == L"ListBox") Paint_List_Box(w, dc, r);
    else if (c == L"SysListView32") Paint_List_View(w, dc, r);
    else if (c == L"msctls_progress32") Paint_Progress(w, dc, r);
    else if (c == L"msctls_trackbar32") Paint_Trackbar(w, dc, r);
    else if (c == L"SysTabControl32") Paint_Tab(w, dc, r);
    else if (c == L"SysDateTimePick32") Paint_Date(w, dc, r);
    else if (c == L"msctls_updown32") Paint_Up_Down(dc, r);
    RestoreDC(dc, saved);
    EndPaint(w->handle(), &ps);
    return 0;
}

}  // namespace platform
