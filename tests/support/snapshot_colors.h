// Colours of a dialog's controls in a PNG snapshot of the dialog (frame and caption
// included): which buttons show their picture, how a text is drawn.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "mfc/afxwin.h"
#include "mfc/atlimage.h"
#include "mfc/dialog_steps.h"
#include "win/host_path_text.h"

// The control's rectangle in the coordinates of the window's snapshot.
inline CRect Snapshot_Rect(CWnd* window, CWnd* control)
{
    CRect frame, rect;
    window->GetWindowRect(&frame);
    control->GetWindowRect(&rect);
    rect.OffsetRect(-frame.left, -frame.top);
    return rect;
}

inline CRect Snapshot_Rect(CWnd* dialog, int id) { return Snapshot_Rect(dialog, dialog->GetDlgItem(id)); }

// How many pixels inside the rectangle have the colour, each component within the tolerance.
inline int Count_Color(const CImage& image, const CRect& area, COLORREF color, int tolerance = 30)
{
    int count = 0;
    const int top = std::max(0, static_cast<int>(area.top)), bottom = std::min(image.GetHeight(), static_cast<int>(area.bottom));
    const int left = std::max(0, static_cast<int>(area.left)), right = std::min(image.GetWidth(), static_cast<int>(area.right));
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const COLORREF c = image.GetPixel(x, y);
            count += std::abs(GetRValue(c) - GetRValue(color)) <= tolerance &&
                     std::abs(GetGValue(c) - GetGValue(color)) <= tolerance &&
                     std::abs(GetBValue(c) - GetBValue(color)) <= tolerance;
        }
    return count;
}

// How many of the rectangle's pixels stand out from the colour of its top-left pixel (the
// background above a text): the area the text covers.
inline int Ink(const CImage& image, const CRect& area)
{
    const COLORREF background = image.GetPixel(area.left, area.top);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = image.GetPixel(x, y);
            count += std::abs(GetRValue(c) - GetRValue(background)) + std::abs(GetGValue(c) - GetGValue(background)) +
                         std::abs(GetBValue(c) - GetBValue(background)) > 96;
        }
    return count;
}

// Snapshots the dialog into png and loads it; false when either fails.
inline bool Snapshot(CWnd* dialog, const std::filesystem::path& png, CImage& image)
{
    const std::wstring path = platform::Text_From_Host_Path(png);
    return platform::Snapshot_Window(dialog, path) && image.Load(path.c_str()) == S_OK;
}

// The ids of the controls that show no pixel of the colour in the window's snapshot; the
// controls are children of parent (a page of the window), else of the window.
inline std::vector<int> Controls_Without_Color(CWnd* window, const CImage& image, const std::vector<int>& ids,
                                               COLORREF color, CWnd* parent = nullptr)
{
    std::vector<int> missing;
    for (int id : ids)
        if (Count_Color(image, Snapshot_Rect(window, (parent ? parent : window)->GetDlgItem(id)), color) == 0)
            missing.push_back(id);
    return missing;
}
