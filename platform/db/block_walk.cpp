#include "db/block_walk.h"

#include <algorithm>
#include <vector>

#include "db/db_internal.h"
#include "db/dbblkref.h"
#include "db/dbdict.h"
#include "db/dbspfilt.h"

namespace platform {

namespace {
std::vector<ZcDbObjectId>& Walk_Stack()
{
    thread_local std::vector<ZcDbObjectId> stack;
    return stack;
}
}  // namespace

Block_Walk_Guard::Block_Walk_Guard(ZcDbObjectId blockId)
{
    std::vector<ZcDbObjectId>& stack = Walk_Stack();
    mRefused = int(stack.size()) >= kMaxBlockNesting || std::find(stack.begin(), stack.end(), blockId) != stack.end();
    if (!mRefused) stack.push_back(blockId);
}

Block_Walk_Guard::~Block_Walk_Guard()
{
    if (!mRefused) Walk_Stack().pop_back();
}

bool Block_Clip_Boundary(const ZcDbBlockReference* ref, ZcGiClipBoundary& boundary)
{
    if (ref == nullptr || ref->extensionDictionary().isNull()) return false;
    auto* ext = Peek<ZcDbDictionary>(ref->extensionDictionary());
    ZcDbObjectId filtersId, filterId;
    if (ext == nullptr || ext->getAt(L"ACAD_FILTER", filtersId) != Zcad::eOk) return false;
    auto* filters = Peek<ZcDbDictionary>(filtersId);
    if (filters == nullptr || filters->getAt(L"SPATIAL", filterId) != Zcad::eOk || filterId.isErased()) return false;
    auto* filter = Peek<ZcDbSpatialFilter>(filterId);
    if (filter == nullptr || !filter->isEnabled()) return false;
    std::vector<ZcGePoint3d> points = filter->boundary();
    if (points.size() < 3) return false;
    const ZcGeMatrix3d xform = ref->blockTransform();
    boundary.points.clear();
    for (const ZcGePoint3d& p : points) boundary.points.push_back(xform * p);
    boundary.inverted = filter->isInverted();
    return true;
}

}  // namespace platform
