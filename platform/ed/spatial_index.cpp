#include "ed/spatial_index.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "db/dbmain.h"
#include "db/dbreactor.h"
#include "db/dbsymtb.h"
#include "ge/extents.h"

namespace platform {

namespace {

// Entities whose box covers more cells than this are tested on every query.
constexpr double kMaxCellsPerEntity = 64;

struct Entry {
    ZcDbObjectId id;
    Rect2d box{0, 0, 0, 0};
    uint64_t order = 0;
    bool wide = false;  // no extents, or too large for the cells
    bool live = false;
    bool boxed = false;  // has extents
};

int64_t Cell_Key(int64_t ix, int64_t iy) { return (ix << 32) ^ (iy & 0xffffffff); }

bool Boxes_Meet(const Rect2d& a, const Rect2d& b)
{
    return a.xmin <= b.xmax && b.xmin <= a.xmax && a.ymin <= b.ymax && b.ymin <= a.ymax;
}

bool Segment_Meets_Box(double ax, double ay, double bx, double by, const Rect2d& r)
{
    double t0, t1;
    return Clip_Segment(ax, ay, bx, by, r, t0, t1);
}

// The extents box of an entity, flattened onto XY; false when it has none.
bool Entity_Box(ZcDbObjectId id, ZcDbObjectId& owner, Rect2d& box, bool& erased)
{
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead, true);
    if (entity.openStatus() != Zcad::eOk) {
        erased = true;
        return false;
    }
    erased = entity->isErased();
    owner = entity->ownerId();
    ZcDbExtents extents;
    if (entity->getGeomExtents(extents) != Zcad::eOk || !extents.isValid())
        return false;
    const ZcGePoint3d& lo = extents.minPoint();
    const ZcGePoint3d& hi = extents.maxPoint();
    const double pad = 1e-9 * (1 + std::max({std::fabs(lo.x), std::fabs(lo.y), std::fabs(hi.x), std::fabs(hi.y)}));
    box = {lo.x - pad, lo.y - pad, hi.x + pad, hi.y + pad};
    return true;
}

class Grid {
public:
    explicit Grid(ZcDbObjectId block) : mBlock(block) { build(); }

    // Re-files one entity of this block (or drops it when erased or moved away).
    void refile(ZcDbObjectId id, ZcDbObjectId owner, bool hasBox, const Rect2d& box, bool erased)
    {
        auto it = mSlots.find(id.asOldId());
        uint64_t order = mNextOrder;
        if (it != mSlots.end()) {
            order = mEntries[it->second].order;
            remove(it->second);
        }
        if (erased || owner != mBlock)
            return;
        if (order == mNextOrder)
            ++mNextOrder;
        insert(id, hasBox, box, order);
    }

    std::vector<ZcDbObjectId> near_rect(const Rect2d& rect)
    {
        begin_query([&](const Rect2d& box) { return Boxes_Meet(box, rect); });
        if (Boxes_Meet(rect, mBounds)) {
            int64_t x0, y0, x1, y1;
            cell_range(rect, x0, y0, x1, y1);
            if (double(x1 - x0 + 1) * double(y1 - y0 + 1) > double(mEntries.size())) {
                for (uint32_t slot = 0; slot < mEntries.size(); ++slot)
                    take(slot, rect);
            } else {
                for (int64_t ix = x0; ix <= x1; ++ix)
                    for (int64_t iy = y0; iy <= y1; ++iy)
                        take_cell(ix, iy, rect);
            }
        }
        return end_query();
    }

    std::vector<ZcDbObjectId> near_fence(const std::vector<double>& xy)
    {
        begin_query([&](const Rect2d& box) {
            for (size_t i = 2; i + 1 < xy.size(); i += 2)
                if (Segment_Meets_Box(xy[i - 2], xy[i - 1], xy[i], xy[i + 1], box))
                    return true;
            return false;
        });
        for (size_t i = 2; i + 1 < xy.size(); i += 2)
            walk_segment(xy[i - 2], xy[i - 1], xy[i], xy[i + 1]);
        return end_query();
    }

private:
    void build()
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(mBlock, ZcDb::kForRead);
        if (block.openStatus() != Zcad::eOk)
            return;
        const std::vector<ZcDbObjectId> ids = block->entityIds();
        block.close();
        struct Found {
            ZcDbObjectId id;
            bool hasBox;
            Rect2d box;
        };
        std::vector<Found> found;
        found.reserve(ids.size());
        Rect2d all{0, 0, 0, 0};
        size_t boxed = 0;
        for (const ZcDbObjectId& id : ids) {
            if (!id.isValid() || id.isErased())
                continue;
            ZcDbObjectId owner;
            Rect2d box{0, 0, 0, 0};
            bool erased = false;
            bool hasBox = Entity_Box(id, owner, box, erased);
            if (erased)
                continue;
            if (hasBox) {
                all = boxed++ == 0 ? box
                                   : Rect2d{std::min(all.xmin, box.xmin), std::min(all.ymin, box.ymin),
                                            std::max(all.xmax, box.xmax), std::max(all.ymax, box.ymax)};
            }
            found.push_back({id, hasBox, box});
        }
        // About two entities per cell over the drawing's extents.
        const double width = all.xmax - all.xmin;
        const double height = all.ymax - all.ymin;
        const double n = double(std::max<size_t>(boxed, 1));
        mCell = std::sqrt(std::max(width * height, 1e-12) * 2.0 / n);
        mCell = std::max({mCell, std::max(width, height) / 65536.0, 1e-9});
        mBounds = all;
        // Room for the entities a command adds (markers, copies) without moving the entries.
        const size_t room = found.size() + found.size() / 8 + 256;
        mEntries.reserve(room);
        mMarks.reserve(room);
        mSlots.reserve(room);
        mCells.reserve(found.size());
        for (const Found& f : found)
            insert(f.id, f.hasBox, f.box, mNextOrder++);
    }

    void cell_range(const Rect2d& r, int64_t& x0, int64_t& y0, int64_t& x1, int64_t& y1) const
    {
        const Rect2d c{std::max(r.xmin, mBounds.xmin), std::max(r.ymin, mBounds.ymin),
                       std::min(r.xmax, mBounds.xmax), std::min(r.ymax, mBounds.ymax)};
        x0 = int64_t(std::floor(c.xmin / mCell));
        y0 = int64_t(std::floor(c.ymin / mCell));
        x1 = int64_t(std::floor(c.xmax / mCell));
        y1 = int64_t(std::floor(c.ymax / mCell));
    }

    void insert(ZcDbObjectId id, bool hasBox, const Rect2d& box, uint64_t order)
    {
        uint32_t slot;
        if (!mFree.empty()) {
            slot = mFree.back();
            mFree.pop_back();
        } else {
            slot = uint32_t(mEntries.size());
            mEntries.emplace_back();
            mMarks.push_back(0);
        }
        Entry& e = mEntries[slot];
        e = Entry{id, box, order, !hasBox, true, hasBox};
        mSlots[id.asOldId()] = slot;
        if (hasBox) {
            if (mBoxed++ == 0 && mEntries.size() == 1)
                mBounds = box;
            mBounds = {std::min(mBounds.xmin, box.xmin), std::min(mBounds.ymin, box.ymin),
                       std::max(mBounds.xmax, box.xmax), std::max(mBounds.ymax, box.ymax)};
            const double cells = (std::floor(box.xmax / mCell) - std::floor(box.xmin / mCell) + 1) *
                                 (std::floor(box.ymax / mCell) - std::floor(box.ymin / mCell) + 1);
            e.wide = !(cells <= kMaxCellsPerEntity);
        }
        if (e.wide) {
            mWide.push_back(slot);
            return;
        }
        for_cells(box, [&](int64_t key) { mCells[key].push_back(slot); });
    }

    void remove(uint32_t slot)
    {
        Entry& e = mEntries[slot];
        if (e.wide) {
            mWide.erase(std::remove(mWide.begin(), mWide.end(), slot), mWide.end());
        } else {
            for_cells(e.box, [&](int64_t key) {
                auto it = mCells.find(key);
                if (it == mCells.end())
                    return;
                std::vector<uint32_t>& v = it->second;
                v.erase(std::remove(v.begin(), v.end(), slot), v.end());
                if (v.empty())
                    mCells.erase(it);
            });
        }
        mSlots.erase(e.id.asOldId());
        e.live = false;
        mFree.push_back(slot);
    }

    template <class F>
    void for_cells(const Rect2d& box, F&& f) const
    {
        const int64_t x0 = int64_t(std::floor(box.xmin / mCell)), x1 = int64_t(std::floor(box.xmax / mCell));
        const int64_t y0 = int64_t(std::floor(box.ymin / mCell)), y1 = int64_t(std::floor(box.ymax / mCell));
        for (int64_t ix = x0; ix <= x1; ++ix)
            for (int64_t iy = y0; iy <= y1; ++iy)
                f(Cell_Key(ix, iy));
    }

    // Starts a query with the entities too large for the cells whose box meets it (those
    // without extents always).
    template <class Meets>
    void begin_query(Meets&& meets)
    {
        if (++mStamp == 0) {
            std::fill(mMarks.begin(), mMarks.end(), 0);
            mStamp = 1;
        }
        mFound.clear();
        for (uint32_t slot : mWide)
            if (!mEntries[slot].boxed || meets(mEntries[slot].box))
                mark(slot);
    }

    void mark(uint32_t slot)
    {
        if (mEntries[slot].live && mMarks[slot] != mStamp) {
            mMarks[slot] = mStamp;
            mFound.push_back(slot);
        }
    }

    void take(uint32_t slot, const Rect2d& rect)
    {
        if (mEntries[slot].live && (mEntries[slot].wide || Boxes_Meet(mEntries[slot].box, rect)))
            mark(slot);
    }

    void take_cell(int64_t ix, int64_t iy, const Rect2d& rect)
    {
        take_cell_if(ix, iy, [&](const Rect2d& box) { return Boxes_Meet(box, rect); });
    }

    template <class Test>
    void take_cell_if(int64_t ix, int64_t iy, Test&& meets)
    {
        auto it = mCells.find(Cell_Key(ix, iy));
        if (it == mCells.end())
            return;
        for (uint32_t slot : it->second)
            if (mMarks[slot] != mStamp && meets(mEntries[slot].box))
                mark(slot);
    }

    // Visits the cells the segment passes through (clipped to the indexed area), column by
    // column the rows it spans there, each widened by a sliver of a cell so that a segment
    // on a cell edge reaches both sides.
    void walk_segment(double ax, double ay, double bx, double by)
    {
        double t0, t1;
        if (!Clip_Segment(ax, ay, bx, by, mBounds, t0, t1))
            return;
        const double dx = bx - ax, dy = by - ay;
        double sx = ax + t0 * dx, sy = ay + t0 * dy;
        double ex = ax + t1 * dx, ey = ay + t1 * dy;
        if (sx > ex) {
            std::swap(sx, ex);
            std::swap(sy, ey);
        }
        const auto meets = [&](const Rect2d& box) { return Segment_Meets_Box(ax, ay, bx, by, box); };
        const double sliver = mCell * 1e-3;
        const double slope = ex > sx ? (ey - sy) / (ex - sx) : 0.0;
        const int64_t x0 = int64_t(std::floor((sx - sliver) / mCell)), x1 = int64_t(std::floor((ex + sliver) / mCell));
        for (int64_t ix = x0; ix <= x1; ++ix) {
            const double from = std::max(sx, double(ix) * mCell - sliver);
            const double to = std::min(ex, double(ix + 1) * mCell + sliver);
            const double ya = ex > sx ? sy + (from - sx) * slope : sy;
            const double yb = ex > sx ? sy + (to - sx) * slope : ey;
            const int64_t y0 = int64_t(std::floor((std::min(ya, yb) - sliver) / mCell));
            const int64_t y1 = int64_t(std::floor((std::max(ya, yb) + sliver) / mCell));
            for (int64_t iy = y0; iy <= y1; ++iy)
                take_cell_if(ix, iy, meets);
        }
    }

    std::vector<ZcDbObjectId> end_query()
    {
        std::sort(mFound.begin(), mFound.end(),
                  [&](uint32_t a, uint32_t b) { return mEntries[a].order < mEntries[b].order; });
        std::vector<ZcDbObjectId> ids;
        ids.reserve(mFound.size());
        for (uint32_t slot : mFound)
            ids.push_back(mEntries[slot].id);
        return ids;
    }

    ZcDbObjectId mBlock;
    double mCell = 1;
    Rect2d mBounds{0, 0, 0, 0};
    size_t mBoxed = 0;
    uint64_t mNextOrder = 0;
    std::vector<Entry> mEntries;
    std::vector<uint32_t> mFree;
    std::vector<uint32_t> mWide;
    std::unordered_map<int64_t, std::vector<uint32_t>> mCells;
    std::unordered_map<int64_t, uint32_t> mSlots;
    std::vector<uint32_t> mMarks;
    uint32_t mStamp = 0;
    std::vector<uint32_t> mFound;
};

class Database_Index;

struct Index_Store {
    std::map<const ZcDbDatabase*, std::unique_ptr<Database_Index>> databases;
    std::vector<std::unique_ptr<Database_Index>> retired;
    bool enabled = true;
    size_t builds = 0;
};

Index_Store& Store()
{
    static Index_Store store;
    return store;
}

// The grids of one database and the changes not yet filed.
class Database_Index : public ZcDbDatabaseReactor {
public:
    explicit Database_Index(ZcDbDatabase* db) : mDb(db) { db->addReactor(this); }
    ~Database_Index() override
    {
        if (mDb != nullptr)
            mDb->removeReactor(this);
    }

    Grid& grid(ZcDbObjectId block)
    {
        if (mStale) {
            mGrids.clear();
            mDirty.clear();
            mStale = false;
        }
        if (!mDirty.empty() && !mGrids.empty())
            file_changes();
        mDirty.clear();
        auto it = mGrids.find(block.asOldId());
        if (it == mGrids.end()) {
            ++Store().builds;
            it = mGrids.emplace(block.asOldId(), std::make_unique<Grid>(block)).first;
        }
        return *it->second;
    }

    void objectAppended(const ZcDbDatabase*, const ZcDbObject* obj) override { changed(obj); }
    void objectUnAppended(const ZcDbDatabase*, const ZcDbObject* obj) override { changed(obj); }
    void objectReAppended(const ZcDbDatabase*, const ZcDbObject* obj) override { changed(obj); }
    void objectModified(const ZcDbDatabase*, const ZcDbObject* obj) override { changed(obj); }
    void objectErased(const ZcDbDatabase*, const ZcDbObject* obj, bool) override { changed(obj); }
    void databaseToBeDestroyed(ZcDbDatabase* db) override
    {
        // The database notifies the reactors it had when it began dying, this one
        // included: it is kept until the next query.
        db->removeReactor(this);
        mDb = nullptr;
        auto it = Store().databases.find(db);
        if (it != Store().databases.end()) {
            Store().retired.push_back(std::move(it->second));
            Store().databases.erase(it);
        }
    }

private:
    void changed(const ZcDbObject* obj)
    {
        if (obj == nullptr || mGrids.empty())
            return;
        if (ZcDbEntity::cast(obj) != nullptr) {
            mDirty.insert(obj->objectId().asOldId());
            return;
        }
        if (const ZcDbBlockTableRecord* block = ZcDbBlockTableRecord::cast(obj)) {
            if (!block->isLayout())
                mStale = true;
            return;
        }
        if (ZcDbTextStyleTableRecord::cast(obj) != nullptr)
            mStale = true;
    }

    static bool Is_Layout_Block(ZcDbObjectId id)
    {
        if (id.isNull())
            return true;  // not yet owned
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(id, ZcDb::kForRead);
        return block.openStatus() != Zcad::eOk || block->isLayout();
    }

    static bool Is_Entity(ZcDbObjectId id)
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead, true);
        return entity.openStatus() == Zcad::eOk;
    }

    void file_changes()
    {
        struct Change {
            ZcDbObjectId id, owner;
            Rect2d box;
            bool hasBox, erased;
        };
        std::vector<Change> changes;
        std::vector<int64_t> pending(mDirty.begin(), mDirty.end());
        std::unordered_set<int64_t> seen(mDirty.begin(), mDirty.end());
        while (!pending.empty()) {
            Change c{ZcDbObjectId(), ZcDbObjectId(), {0, 0, 0, 0}, false, false};
            c.id.setFromOldId(pending.back());
            pending.pop_back();
            c.hasBox = Entity_Box(c.id, c.owner, c.box, c.erased);
            if (Is_Entity(c.owner)) {
                // A sub-entity (an attribute, a vertex): its owner's extents change.
                if (seen.insert(c.owner.asOldId()).second)
                    pending.push_back(c.owner.asOldId());
                continue;
            }
            if (mGrids.count(c.owner.asOldId()) == 0 && !Is_Layout_Block(c.owner)) {
                // An entity of a block definition: the block's references may have moved.
                mGrids.clear();
                return;
            }
            changes.push_back(c);
        }
        for (const Change& c : changes)
            for (auto& [key, grid] : mGrids)
                grid->refile(c.id, c.owner, c.hasBox, c.box, c.erased);
    }

    ZcDbDatabase* mDb;
    bool mStale = false;
    std::unordered_set<int64_t> mDirty;
    std::map<int64_t, std::unique_ptr<Grid>> mGrids;
};

Grid* Grid_Of(ZcDbObjectId blockId)
{
    Store().retired.clear();
    ZcDbDatabase* db = blockId.database();
    if (db == nullptr)
        return nullptr;
    auto& slot = Store().databases[db];
    if (!slot)
        slot = std::make_unique<Database_Index>(db);
    return &slot->grid(blockId);
}

std::vector<ZcDbObjectId> Live(std::vector<ZcDbObjectId> ids)
{
    ids.erase(std::remove_if(ids.begin(), ids.end(),
                             [](const ZcDbObjectId& id) { return !id.isValid() || id.isErased(); }),
              ids.end());
    return ids;
}

}  // namespace

std::vector<ZcDbObjectId> Entities_Near_Rect(ZcDbObjectId blockId, const Rect2d& rect)
{
    Grid* grid = Store().enabled ? Grid_Of(blockId) : nullptr;
    return grid != nullptr ? Live(grid->near_rect(rect)) : Block_Entity_Ids(blockId);
}

std::vector<ZcDbObjectId> Entities_Near_Fence(ZcDbObjectId blockId, const std::vector<double>& xy)
{
    Grid* grid = Store().enabled ? Grid_Of(blockId) : nullptr;
    return grid != nullptr ? Live(grid->near_fence(xy)) : Block_Entity_Ids(blockId);
}

std::vector<ZcDbObjectId> Block_Entity_Ids(ZcDbObjectId blockId)
{
    std::vector<ZcDbObjectId> ids;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(blockId, ZcDb::kForRead);
    if (block.openStatus() != Zcad::eOk)
        return ids;
    for (const ZcDbObjectId& id : block->entityIds())
        if (id.isValid() && !id.isErased())
            ids.push_back(id);
    return ids;
}

void Set_Spatial_Index_Enabled(bool enabled) { Store().enabled = enabled; }

void Reset_Spatial_Index()
{
    Store().databases.clear();
    Store().retired.clear();
    Store().builds = 0;
    Store().enabled = true;
}

size_t Spatial_Index_Builds() { return Store().builds; }

}  // namespace platform
