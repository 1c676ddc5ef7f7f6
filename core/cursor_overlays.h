// What the input-point monitor draws next to the cursor while certain tools run: the text
// brush's badge with its text, the frame jig's scale label and the title-block outline.
// Each tool sets its flag (and text or points) while it runs.
#pragma once

#include "db/gi.h"
#include "ge/gept2dar.h"
#include "ge/gepnt3d.h"
#include "mfc/afxstr.h"

struct Overlay_Text {
    bool On = false;
    CString Text;
};

extern Overlay_Text g_Brush_Overlay_Text;  // the text brush runs: its badge shows the text
extern bool g_Jig_Label_On;                // the frame jig's scale label follows the cursor
extern CString g_Jig_Scale_Label;
extern bool g_Outline_Overlay_On;          // the title-block outline previews at the cursor
extern ZcGePoint2dArray g_Outline_Segments;  // pairs of points (UCS), one segment a pair
extern int g_Frame_Jig_Dir;                // 0 as drawn, 1 turned by +90 degrees, 2 by -90

// Drawing units per screen pixel: VIEWSIZE over the drawing area's height in pixels; 0
// when either is unknown or not above 0.
double Get_Units_Per_Pixel();

// A segment from (x1, y1) to (x2, y2) in units of `unit` from the base point along the
// drawing's X and Y, `width` units wide, in the draw context's current colour.
void Draw_Overlay_Segment(ZcGiViewportDraw* draw, const ZcGePoint3d& base, double unit, double width, double x1,
                          double y1, double x2, double y2);

// The three overlays at the raw cursor point; each draws nothing unless its flag is set,
// there is a draw context and the units per pixel are above 0.
void Draw_Brush_Badge(ZcGiViewportDraw* draw, const ZcGePoint3d& cursor);
void Draw_Scale_Label(ZcGiViewportDraw* draw, const ZcGePoint3d& cursor);
void Draw_Outline_Preview(ZcGiViewportDraw* draw, const ZcGePoint3d& cursor);
