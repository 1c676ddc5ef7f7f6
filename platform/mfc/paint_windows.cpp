// Where windows paint: every top-level window has an image of its client area; a window
// paints into it at its place, clipped to its rectangle and its parents'. Snapshots paint
// a window with its children and save that image; a top-level window's snapshot shows its
// frame and caption and the tips over it as well.
#include <cairo.h>

#include <algorithm>
#include <map>

#include "mfc/afxdc.h"
#include "mfc/afxwin.h"
#include "mfc/control_state.h"
#include "mfc/dialog_steps.h"
#include "win/host_path_text.h"

namespace platform {

namespace {

// Keyed by handle: a handle, unlike a window's address, never names a later window.
std::map<HWND, cairo_surface_t*>& Backings() {
    static std::map<HWND, cairo_surface_t*> backings;
    return backings;
}

Window* Top_Of(Window* w) {
    while (w && (w->style & WS_CHILD) && w->parent) w = w->parent;
    return w;
}

cairo_surface_t* Backing(Window* top) {
    const RECT c = Client_Rect(top);
    const int width = std::max<int>(1, c.right), height = std::max<int>(1, c.bottom);
    auto& backings = Backings();
    // Windows that are gone leave their images behind.
    for (auto it = backings.begin(); it != backings.end();) {
        if (!Find_Window(it->first)) {
            cairo_surface_destroy(it->second);
            it = backings.erase(it);
        } else {
            ++it;
        }
    }
    auto it = backings.find(top->handle());
    if (it != backings.end() && cairo_image_surface_get_width(it->second) == width &&
        cairo_image_surface_get_height(it->second) == height)
        return it->second;
    if (it != backings.end()) {
        cairo_surface_destroy(it->second);
        backings.erase(it);
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    backings[top->handle()] = surface;
    return surface;
}

RECT Intersect(RECT a, RECT b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

bool Provide(HWND hWnd, Window_DC_Kind kind, Window_Surface& ws) {
    Window* w = Find_Window(hWnd);
    Window* top = Top_Of(w);
    if (!w || !top) return false;
    ws.surface = Backing(top);
    const POINT top_origin = Client_Origin(top);
    POINT origin = Client_Origin(w);
    RECT area = Client_Rect(w);
    if (kind == Window_DC_Kind::Window && w != top) {
        RECT wr{};
        GetWindowRect(hWnd, &wr);
        origin = POINT{wr.left, wr.top};
        area = RECT{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    }
    ws.origin = POINT{origin.x - top_origin.x, origin.y - top_origin.y};
    RECT clip{ws.origin.x + area.left, ws.origin.y + area.top, ws.origin.x + area.right, ws.origin.y + area.bottom};
    for (Window* p = (w->style & WS_CHILD) ? w->parent : nullptr; p; p = (p->style & WS_CHILD) ? p->parent : nullptr) {
        const POINT po = Client_Origin(p);
        const RECT pc = Client_Rect(p);
        clip = Intersect(clip, RECT{po.x - top_origin.x, po.y - top_origin.y, po.x - top_origin.x + pc.right,
                                    po.y - top_origin.y + pc.bottom});
    }
    ws.clip = clip;
    return true;
}

const bool g_provider = [] {
    Set_Window_DC_Provider(Provide);
    Set_Text_Measurer([](HFONT font, const std::wstring& text) {
        HDC dc = Make_Image_DC(1, 1);
        HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        TEXTMETRICW tm{};
        if (GetTextMetricsW(dc, &tm)) size.cy = tm.tmHeight;
        SelectObject(dc, old);
        DeleteDC(dc);
        return size;
    });
    return true;
}();

void Paint_Tree(Window* w) {
    if (!w->visible) return;
    const HWND h = w->handle();
    HDC dc = GetDC(h);
    if (dc) {
        Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(h, dc);
    }
    if (!Find_Window(h)) return;
    w->needs_paint = false;
    Send(w, WM_PAINT, 0, 0);
    if (!Find_Window(h)) return;
    for (HWND c : Handles(w->children))
        if (Window* child = Find_Window(c)) Paint_Tree(child);
}

// Copies a part of a surface onto another at a place.
void Blit(cairo_surface_t* to, cairo_surface_t* from, double x, double y) {
    cairo_t* cr = cairo_create(to);
    cairo_set_source_surface(cr, from, x, y);
    cairo_paint(cr);
    cairo_destroy(cr);
}

// A top-level window as the screen shows it: its frame, its client area, and the tips it
// shows over itself.
cairo_surface_t* Picture_Of(Window* top) {
    const int width = std::max<int>(1, top->rect.right - top->rect.left);
    const int height = std::max<int>(1, top->rect.bottom - top->rect.top);
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    HDC dc = Make_Surface_DC(picture);
    Paint_Window_Frame(top, dc);
    DeleteDC(dc);
    const RECT in = Frame_Insets(top->style, top->ex_style);
    cairo_surface_t* client = Backing(top);
    cairo_surface_flush(client);
    Blit(picture, client, in.left, in.top);
    for (HWND h : Handles(All_Windows())) {
        Window* tip = Find_Window(h);
        if (!tip || tip->class_name != L"tooltips_class32" || !tip->visible || Top_Of(tip->parent) != top) continue;
        Paint_Tree(tip);
        if (!Find_Window(h)) continue;
        cairo_surface_t* image = Backing(tip);
        cairo_surface_flush(image);
        Blit(picture, image, tip->rect.left - top->rect.left, tip->rect.top - top->rect.top);
    }
    return picture;
}

}  // namespace

bool Snapshot_Window(Window* window, const std::wstring& png_path) {
    Window* top = Top_Of(window);
    if (!top) return false;
    Paint_Tree(top);
    if (!Find_Window(top->handle())) return false;
    const std::filesystem::path path = platform::Host_Path_From_Text(png_path);
    if (window == top) {
        cairo_surface_t* picture = Picture_Of(top);
        const bool ok = Save_Png(picture, path);
        cairo_surface_destroy(picture);
        return ok;
    }
    cairo_surface_t* surface = Backing(top);
    cairo_surface_flush(surface);
    const POINT o = Client_Origin(window), to = Client_Origin(top);
    const RECT c = Client_Rect(window);
    cairo_surface_t* part = cairo_surface_create_for_rectangle(surface, o.x - to.x, o.y - to.y, c.right, c.bottom);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max<int>(1, c.right), std::max<int>(1, c.bottom));
    Blit(copy, part, 0, 0);
    const bool ok = Save_Png(copy, path);
    cairo_surface_destroy(copy);
    cairo_surface_destroy(part);
    return ok;
}

}  // namespace platform
