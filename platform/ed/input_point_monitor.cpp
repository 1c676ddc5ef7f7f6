#include "ed/input_point_monitor.h"

#include <algorithm>
#include <memory>

#include "ed/docman.h"
#include "ed/document_state.h"
#include "ed/selection.h"
#include "ed/ucs.h"
#include "ge/gemat3d.h"

namespace {

// The transient drawing at the cursor: what monitors draw is recorded.
class Overlay_Draw : public ZcGiViewportDraw {
public:
    ZcGiGeometry* rawGeometry() const override { return &mRecorder.geometry(); }
    ZcGiSubEntityTraits& subEntityTraits() const override { return mRecorder.subEntityTraits(); }
    const std::vector<platform::Gi_Record>& records() const { return mRecorder.records(); }

private:
    mutable platform::GiRecorder mRecorder;
};

struct Cursor_State {
    ZcGePoint3d world;  // where the cursor rests
    std::vector<platform::Gi_Record> overlay;
    std::wstring tooltip;
};

Cursor_State& Cursor()
{
    static Cursor_State state;
    return state;
}

}  // namespace

Zcad::ErrorStatus ZcEdInputPointManager::addPointMonitor(ZcEdInputPointMonitor* monitor)
{
    if (monitor == nullptr)
        return Zcad::eInvalidInput;
    if (hasMonitor(monitor))
        return Zcad::eDuplicateKey;
    mMonitors.push_back(monitor);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcEdInputPointManager::removePointMonitor(ZcEdInputPointMonitor* monitor)
{
    auto it = std::find(mMonitors.begin(), mMonitors.end(), monitor);
    if (it == mMonitors.end())
        return Zcad::eKeyNotFound;
    mMonitors.erase(it);
    return Zcad::eOk;
}

bool ZcEdInputPointManager::hasMonitor(const ZcEdInputPointMonitor* monitor) const
{
    return std::find(mMonitors.begin(), mMonitors.end(), monitor) != mMonitors.end();
}

std::wstring ZcEdInputPointManager::notify(const ZcEdInputPoint& input)
{
    std::wstring tooltip;
    // A monitor may remove itself while it runs.
    const std::vector<ZcEdInputPointMonitor*> snapshot = mMonitors;
    for (ZcEdInputPointMonitor* monitor : snapshot) {
        if (!hasMonitor(monitor))
            continue;
        ZcEdInputPointMonitorResult result;
        monitor->monitorInputPoint(input, result);
        const std::wstring text = result.additionalTooltipString();
        if (!text.empty())
            tooltip += (tooltip.empty() ? L"" : L"\n") + text;
    }
    return tooltip;
}

ZcEdInputPointManager* zcedInputPointManager(ZcApDocument* document)
{
    if (document == nullptr)
        return nullptr;
    auto& manager = document->state().pointManager;
    if (!manager)
        manager = std::make_shared<ZcEdInputPointManager>();
    return manager.get();
}

namespace platform {

void Move_Cursor(const double ucs_point[3])
{
    Clear_Cursor_Overlay();
    ZcGeMatrix3d ucs;
    zcedGetCurrentUCS(ucs);
    const ZcGePoint3d raw = ucs * ZcGePoint3d(ucs_point[0], ucs_point[1], ucs_point[2]);
    Cursor().world = raw;
    ZcApDocument* document = zcDocManager->curDocument();
    ZcEdInputPointManager* manager = zcedInputPointManager(document);
    if (manager == nullptr || manager->monitorCount() == 0)
        return;
    ZcDbObjectIdArray picked;
    const ZcDbObjectId under = Entity_Under_Cursor(ucs_point);
    if (!under.isNull())
        picked.append(under);
    Overlay_Draw draw;
    Cursor().tooltip = manager->notify(ZcEdInputPoint(document, &draw, raw, picked));
    Cursor().overlay = draw.records();
}

const ZcGePoint3d& Cursor_Point() { return Cursor().world; }
void Reset_Cursor_Point() { Cursor().world = ZcGePoint3d(); }

const std::vector<Gi_Record>& Cursor_Overlay() { return Cursor().overlay; }
const std::wstring& Cursor_Tooltip() { return Cursor().tooltip; }

void Clear_Cursor_Overlay()
{
    Cursor().overlay.clear();
    Cursor().tooltip.clear();
}

}  // namespace platform

int zcedGrRead(int track, int* type, resbuf* result)
{
    if ((track & 1) == 0 || type == nullptr || result == nullptr)
        return RTERROR;
    ZcGeMatrix3d ucs;
    zcedGetCurrentUCS(ucs);
    const ZcGePoint3d point = ucs.inverse() * platform::Cursor_Point();
    *type = 5;
    result->restype = RT3DPOINT;
    result->rbnext = nullptr;
    result->resval.rpoint[0] = point.x;
    result->resval.rpoint[1] = point.y;
    result->resval.rpoint[2] = point.z;
    return RTNORM;
}
