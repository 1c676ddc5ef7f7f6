#include "plot/render/space_index.h"

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
    std::map<ZcDbObjectId, std::shared_ptr<const std::vector<Space_Item>>> spaces;
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

std::shared_ptr<const std::vector<Space_Item>> Build(ZcDbObjectId spaceId)
{
    auto items = std::make_shared<std::vector<Space_Item>>();
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(spaceId);
    if (space.openStatus() != Zcad::eOk) return items;
    const std::vector<ZcDbObjectId> ids = Draw_Order(space.object());
    space.close();
    items->reserve(ids.size());
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
        items->push_back(item);
    }
    return items;
}

}  // namespace

std::shared_ptr<const std::vector<Space_Item>> Space_Items(ZcDbDatabase* db, ZcDbObjectId spaceId)
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
