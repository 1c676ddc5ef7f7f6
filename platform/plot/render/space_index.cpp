#include "plot/render/space_index.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>

#include "db/dblayout.h"
#include "db/dbsort.h"
#include "db/dbsymtb.h"
#include "plot/render/plot_world_draw.h"

namespace platform {

namespace {

class Index_Reactor;

struct Kept {
    Index_Reactor* reactor = nullptr;
    std::map<ZcDbObjectId, std::shared_ptr<const Space_Index>> spaces;
};

std::mutex& Index_Mutex()
{
    static std::mutex m;
    return m;
}

std::map<const ZcDbDatabase*, Kept>& Index()
{
    static std::map<const ZcDbDatabase*, Kept> kept;
    return kept;
}

// Drops a drawing's bounds when it changes; forgets the drawing when it ends. The reactor
// itself stays (a drawing may call it while it is being destroyed).
class Index_Reactor : public ZcDbDatabaseReactor {
public:
    void objectAppended(const ZcDbDatabase* db, const ZcDbObject*) override { drop(db); }
    void objectUnAppended(const ZcDbDatabase* db, const ZcDbObject*) override { drop(db); }
    void objectReAppended(const ZcDbDatabase* db, const ZcDbObject*) override { drop(db); }
    void objectOpenedForModify(const ZcDbDatabase* db, const ZcDbObject* object) override { drop_unless_plot_settings(db, object); }
    void objectModified(const ZcDbDatabase* db, const ZcDbObject* object) override { drop_unless_plot_settings(db, object); }
    void objectErased(const ZcDbDatabase* db, const ZcDbObject*, bool) override { drop(db); }
    void databaseToBeDestroyed(ZcDbDatabase* db) override { forget(db); }
    void goodbye(const ZcDbDatabase* db) override { forget(db); }

private:
    // Plot settings (a layout's among them) bound nothing that is drawn; each sheet's plot
    // changes them.
    static void drop_unless_plot_settings(const ZcDbDatabase* db, const ZcDbObject* object)
    {
        if (ZcDbPlotSettings::cast(object) == nullptr) drop(db);
    }
    static void drop(const ZcDbDatabase* db)
    {
        std::lock_guard<std::mutex> lock(Index_Mutex());
        auto it = Index().find(db);
        if (it != Index().end()) it->second.spaces.clear();
    }
    static void forget(const ZcDbDatabase* db)
    {
        std::lock_guard<std::mutex> lock(Index_Mutex());
        Index().erase(db);
    }
};

std::shared_ptr<const Space_Index> Build(ZcDbObjectId spaceId)
{
    std::vector<Space_Item> items;
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(spaceId);
    if (space.openStatus() != Zcad::eOk) return std::make_shared<const Space_Index>(std::move(items));
    const std::vector<ZcDbObjectId> ids = Draw_Order(space.object());
    space.close();
    items.reserve(ids.size());
    for (const ZcDbObjectId& id : ids) {
        Space_Item item;
        item.id = id;
        ZcDbObjectPointer<ZcDbEntity> ent(id);
        if (ent.openStatus() == Zcad::eOk) {
            double pad = 0.0;
            if (Plot_World_Draw::Quick_Bounds(ent.object(), item.box, pad)) {
                item.box.expandBy(ZcGeVector3d(pad, pad, pad));
                item.box.expandBy(ZcGeVector3d(-pad, -pad, -pad));
                item.bounded = true;
            } else if (ent->getGeomExtents(item.box) == Zcad::eOk) {
                item.bounded = true;
            }
        } else if (ent.openStatus() == Zcad::eWasErased) {
            continue;
        }
        items.push_back(item);
    }
    return std::make_shared<const Space_Index>(std::move(items));
}

// A box the grid can hold: finite, not inverted.
bool Usable(const Space_Item& item)
{
    const ZcGePoint3d& lo = item.box.minPoint();
    const ZcGePoint3d& hi = item.box.maxPoint();
    return item.bounded && std::isfinite(lo.x) && std::isfinite(lo.y) && std::isfinite(hi.x) && std::isfinite(hi.y) &&
           lo.x <= hi.x && lo.y <= hi.y;
}

// Fewer entities are looked at one by one; a box over more cells is looked at for every query.
constexpr size_t kGridFrom = 64;
constexpr long kMostCellsPerItem = 64;
constexpr int kMostCellsPerSide = 4096;
constexpr double kItemsPerCell = 4.0;

}  // namespace

Space_Index::Space_Index(std::vector<Space_Item> items) : mItems(std::move(items))
{
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    size_t usable = 0;
    for (const Space_Item& item : mItems)
        if (Usable(item)) {
            ++usable;
            x0 = std::min(x0, item.box.minPoint().x), y0 = std::min(y0, item.box.minPoint().y);
            x1 = std::max(x1, item.box.maxPoint().x), y1 = std::max(y1, item.box.maxPoint().y);
        }
    const double width = x1 - x0, height = y1 - y0;
    if (usable < kGridFrom || !std::isfinite(width) || !std::isfinite(height)) {
        for (uint32_t i = 0; i < mItems.size(); ++i) mAlways.push_back(i);
        return;
    }
    // Square cells, about kItemsPerCell entities each when they are spread evenly.
    double cell = std::sqrt(width * height * kItemsPerCell / double(usable));
    cell = std::max({cell, width / (kMostCellsPerSide - 1), height / (kMostCellsPerSide - 1)});
    if (!(cell > 0.0) || !std::isfinite(cell)) cell = std::max({width, height, 1.0});
    mOriginX = x0, mOriginY = y0, mCell = cell;
    mColumns = std::min(kMostCellsPerSide, int(width / cell) + 1);
    mRows = std::min(kMostCellsPerSide, int(height / cell) + 1);

    // Each entity in every cell its box meets: counted, then placed in drawing order.
    std::vector<uint32_t> counts(size_t(mColumns) * mRows + 1, 0);
    std::vector<char> in_grid(mItems.size(), 0);
    for (uint32_t i = 0; i < mItems.size(); ++i) {
        const Space_Item& item = mItems[i];
        int r[4];
        if (!Usable(item) || !cell_range(item.box.minPoint().x, item.box.minPoint().y, item.box.maxPoint().x,
                                         item.box.maxPoint().y, r) ||
            long(r[1] - r[0] + 1) * (r[3] - r[2] + 1) > kMostCellsPerItem) {
            mAlways.push_back(i);
            continue;
        }
        in_grid[i] = 1;
        for (int row = r[2]; row <= r[3]; ++row)
            for (int col = r[0]; col <= r[1]; ++col) ++counts[size_t(row) * mColumns + col];
    }
    mCellStart.assign(counts.size(), 0);
    for (size_t c = 1; c < counts.size(); ++c) mCellStart[c] = mCellStart[c - 1] + counts[c - 1];
    mCellItems.resize(mCellStart.back());
    std::vector<uint32_t> next(mCellStart.begin(), mCellStart.end() - 1);
    for (uint32_t i = 0; i < mItems.size(); ++i) {
        if (!in_grid[i]) continue;
        const Space_Item& item = mItems[i];
        int r[4];
        cell_range(item.box.minPoint().x, item.box.minPoint().y, item.box.maxPoint().x, item.box.maxPoint().y, r);
        for (int row = r[2]; row <= r[3]; ++row)
            for (int col = r[0]; col <= r[1]; ++col) mCellItems[next[size_t(row) * mColumns + col]++] = i;
    }
}

// The cells [range[0], range[1]] x [range[2], range[3]] the rectangle meets; false when it
// misses the grid.
bool Space_Index::cell_range(double x0, double y0, double x1, double y1, int (&range)[4]) const
{
    // Clamped before the conversion: far or infinite values stay one cell off the grid.
    auto at = [this](double v, double origin, int cells) {
        const double c = std::floor((v - origin) / mCell);
        return c < -1.0 ? -1 : c > double(cells) ? cells : int(c);
    };
    range[0] = std::max(at(x0, mOriginX, mColumns), 0);
    range[1] = std::min(at(x1, mOriginX, mColumns), mColumns - 1);
    range[2] = std::max(at(y0, mOriginY, mRows), 0);
    range[3] = std::min(at(y1, mOriginY, mRows), mRows - 1);
    return range[0] <= range[1] && range[2] <= range[3];
}

void Space_Index::near(double x0, double y0, double x1, double y1, std::vector<uint32_t>& out) const
{
    // A rectangle that is not one meets whatever it is compared with.
    if (!(x0 <= x1 && y0 <= y1)) {
        out.resize(mItems.size());
        for (uint32_t i = 0; i < mItems.size(); ++i) out[i] = i;
        return;
    }
    out.assign(mAlways.begin(), mAlways.end());
    int r[4];
    if (mColumns == 0 || !cell_range(x0, y0, x1, y1, r)) return;
    for (int row = r[2]; row <= r[3]; ++row)
        for (int col = r[0]; col <= r[1]; ++col) {
            const size_t c = size_t(row) * mColumns + col;
            out.insert(out.end(), mCellItems.begin() + mCellStart[c], mCellItems.begin() + mCellStart[c + 1]);
        }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

std::shared_ptr<const Space_Index> Space_Items(ZcDbDatabase* db, ZcDbObjectId spaceId)
{
    {
        std::lock_guard<std::mutex> lock(Index_Mutex());
        Kept& kept = Index()[db];
        if (kept.reactor == nullptr) {
            kept.reactor = new Index_Reactor();
            db->addReactor(kept.reactor);
        }
        auto it = kept.spaces.find(spaceId);
        if (it != kept.spaces.end()) return it->second;
    }
    // Built outside the lock: opening objects may call the reactor.
    auto items = Build(spaceId);
    std::lock_guard<std::mutex> lock(Index_Mutex());
    auto it = Index().find(db);
    if (it != Index().end()) it->second.spaces[spaceId] = items;
    return items;
}

}  // namespace platform
