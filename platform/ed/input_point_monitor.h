// Input-point monitors: objects a module adds to a document's input-point manager; each
// time the cursor comes to rest on a point (a picked point, a cursor move) they see the
// point, the entities under the cursor and a context for transient drawing next to it.
#pragma once

#include <string>
#include <vector>

#include "db/dbid.h"
#include "db/gi.h"
#include "db/gi_recorder.h"
#include "ge/gepnt3d.h"
#include "rx/zcadstrc.h"

class ZcApDocument;

// What a monitor sees of one cursor position (world coordinates).
class ZcEdInputPoint {
public:
    ZcEdInputPoint(ZcApDocument* document, ZcGiViewportDraw* draw, const ZcGePoint3d& raw,
                   const ZcDbObjectIdArray& picked)
        : mDocument(document), mDraw(draw), mRaw(raw), mPicked(picked) {}

    ZcApDocument* document() const { return mDocument; }
    // Transient drawing that lasts until the cursor moves on; null when nothing can draw.
    ZcGiViewportDraw* drawContext() const { return mDraw; }
    const ZcGePoint3d& rawPoint() const { return mRaw; }
    // No object snap here: the computed point is the raw point.
    const ZcGePoint3d& computedPoint() const { return mRaw; }
    bool pointComputed() const { return true; }
    // The entities under the pick box, topmost first.
    const ZcDbObjectIdArray& pickedEntities() const { return mPicked; }

private:
    ZcApDocument* mDocument;
    ZcGiViewportDraw* mDraw;
    ZcGePoint3d mRaw;
    const ZcDbObjectIdArray& mPicked;
};

// What a monitor gives back: text added to the cursor's tooltip.
class ZcEdInputPointMonitorResult {
public:
    void setAdditionalTooltipString(const wchar_t* text) { mTooltip = text != nullptr ? text : L""; }
    const wchar_t* additionalTooltipString() const { return mTooltip.c_str(); }

private:
    std::wstring mTooltip;
};

class ZcEdInputPointMonitor {
public:
    virtual ~ZcEdInputPointMonitor() = default;
    virtual Zcad::ErrorStatus monitorInputPoint(const ZcEdInputPoint& input,
                                                ZcEdInputPointMonitorResult& output) = 0;
};

// The monitors of one document, called in the order they were added.
class ZcEdInputPointManager {
public:
    // eOk; eInvalidInput for null; eDuplicateKey when the monitor is already there.
    Zcad::ErrorStatus addPointMonitor(ZcEdInputPointMonitor* monitor);
    // eOk; eKeyNotFound when the monitor is not there.
    Zcad::ErrorStatus removePointMonitor(ZcEdInputPointMonitor* monitor);
    bool hasMonitor(const ZcEdInputPointMonitor* monitor) const;
    size_t monitorCount() const { return mMonitors.size(); }

    // Platform: runs every monitor on the input; the tooltips joined by line breaks.
    std::wstring notify(const ZcEdInputPoint& input);

private:
    std::vector<ZcEdInputPointMonitor*> mMonitors;
};

// The input-point manager of a document (null for null).
ZcEdInputPointManager* zcedInputPointManager(ZcApDocument* document);

// A read of the graphics input. Only tracking reads (track bit 1) are served: they give
// at once the cursor's position in the current UCS (type 5, an RT3DPOINT in result).
// RTERROR for any other read.
int zcedGrRead(int track, int* type, resbuf* result);

namespace platform {

// The cursor comes to rest on the point (UCS of the current document): the monitors of the
// current document see it. Called for every point a script step picks.
void Move_Cursor(const double ucs_point[3]);

// Where the cursor rests (world): the last point picked; the origin at first.
const ZcGePoint3d& Cursor_Point();
void Reset_Cursor_Point();

// What the monitors left at the cursor the last time it moved: the overlay drawn and the
// tooltip text.
const std::vector<Gi_Record>& Cursor_Overlay();
const std::wstring& Cursor_Tooltip();
void Clear_Cursor_Overlay();

}  // namespace platform
