// ZcDbLayout and the layout manager; the host application services.
#include <algorithm>
#include <cwchar>

#include "db/db_internal.h"
#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "db/dbviewport.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbLayout, ZcDbPlotSettings, 0, 0, 0, LAYOUT, AutoCAD)

using platform::Peek;

Zcad::ErrorStatus ZcDbLayout::setBlockTableRecordId(ZcDbObjectId id)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mBlockId = id;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLayout::getLayoutName(const wchar_t*& name) const
{
    name = mLayoutName.c_str();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLayout::getName(std::wstring& name) const
{
    name = mLayoutName;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLayout::setLayoutName(const wchar_t* name)
{
    if (name == nullptr || *name == 0 || std::wcslen(name) > 255) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mLayoutName = name;
    return Zcad::eOk;
}
void ZcDbLayout::setTabOrder(int order)
{
    if (assertWriteEnabled()) mTabOrder = order;
}
void ZcDbLayout::setTabSelected(bool selected)
{
    if (assertWriteEnabled()) mTabSelected = selected;
}
ZcDbObjectIdArray ZcDbLayout::getViewportArray() const
{
    ZcDbObjectIdArray ids;
    if (auto* btr = Peek<ZcDbBlockTableRecord>(mBlockId))
        for (ZcDbObjectId id : btr->entityIds())
            if (!id.isErased() && Peek<ZcDbViewport>(id)) ids.append(id);
    return ids;
}
Zcad::ErrorStatus ZcDbLayout::getLimits(ZcGePoint2d& limMin, ZcGePoint2d& limMax) const
{
    limMin = mLimMin;
    limMax = mLimMax;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLayout::getExtents(ZcGePoint3d& extMin, ZcGePoint3d& extMax) const
{
    ZcDbExtents ext;
    if (auto* btr = Peek<ZcDbBlockTableRecord>(mBlockId))
        for (ZcDbObjectId id : btr->entityIds()) {
            auto* ent = Peek<ZcDbEntity>(id);
            ZcDbExtents e;
            if (ent && !id.isErased() && ent->getGeomExtents(e) == Zcad::eOk) ext.addExt(e);
        }
    if (!ext.isValid()) return Zcad::eInvalidExtents;
    extMin = ext.minPoint();
    extMax = ext.maxPoint();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbLayout::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbPlotSettings::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readString(mLayoutName);
    int32_t tab = 0;
    f->readInt32(&tab);
    mTabOrder = tab;
    f->readBool(&mTabSelected);
    ZcDbHardPointerId block;
    f->readHardPointerId(&block);
    mBlockId = block;
    f->readPoint2d(&mLimMin);
    f->readPoint2d(&mLimMax);
    return f->filerStatus();
}
Zcad::ErrorStatus ZcDbLayout::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbPlotSettings::dwgOutFields(f);
    f->writeString(mLayoutName.c_str());
    f->writeInt32(mTabOrder);
    f->writeBool(mTabSelected);
    f->writeHardPointerId(mBlockId);
    f->writePoint2d(mLimMin);
    f->writePoint2d(mLimMax);
    return f->filerStatus();
}

// The layout manager.

namespace {
ZcDbDatabase* Db_Or_Working(const ZcDbDatabase* db)
{
    return const_cast<ZcDbDatabase*>(db ? db : zcdbHostApplicationServices()->workingDatabase());
}

std::vector<ZcDbLayout*> All_Layouts(const ZcDbDatabase* db)
{
    std::vector<ZcDbLayout*> out;
    if (!db) return out;
    auto* dict = Peek<ZcDbDictionary>(db->layoutDictionaryId());
    if (!dict) return out;
    for (const auto& entry : dict->entries())
        if (!entry.second.isErased())
            if (auto* l = Peek<ZcDbLayout>(entry.second)) out.push_back(l);
    std::stable_sort(out.begin(), out.end(),
                     [](const ZcDbLayout* a, const ZcDbLayout* b) { return a->getTabOrder() < b->getTabOrder(); });
    return out;
}

ZcDbLayout* Layout_Named(const ZcDbDatabase* db, const wchar_t* name)
{
    if (!name) return nullptr;
    for (ZcDbLayout* l : All_Layouts(db)) {
        const wchar_t* n = nullptr;
        l->getLayoutName(n);
        if (platform::Names_Equal(n, name)) return l;
    }
    return nullptr;
}

// Renames a block record directly (the layout machinery keeps "*Paper_Space" on the current layout).
void Rename_Block(ZcDbObjectId id, const wchar_t* name)
{
    auto* btr = Peek<ZcDbBlockTableRecord>(id);
    if (!btr) return;
    platform::Internal_Write_Scope scope(btr);
    btr->setName(name);
}

// A layout activated for the first time gets its overall paper viewport and one model viewport.
void Ensure_Viewports(ZcDbDatabase* db, ZcDbLayout* layout)
{
    auto* btr = Peek<ZcDbBlockTableRecord>(layout->getBlockTableRecordId());
    if (!btr || !layout->getViewportArray().isEmpty()) return;
    double w = 0, h = 0;
    layout->getPlotPaperSize(w, h);
    if (w <= 0 || h <= 0) {
        w = 420.0;
        h = 297.0;
    }
    platform::Internal_Write_Scope scope(btr);
    auto* overall = new ZcDbViewport();
    overall->setCenterPoint(ZcGePoint3d(w / 2.0, h / 2.0, 0.0));
    overall->setWidth(w);
    overall->setHeight(h);
    overall->setViewCenter(ZcGePoint2d(w / 2.0, h / 2.0));
    overall->setViewHeight(h);
    overall->setNumber(1);
    if (btr->appendZcDbEntity(overall) == Zcad::eOk) overall->close();
    else delete overall;
    auto* model = new ZcDbViewport();
    model->setCenterPoint(ZcGePoint3d(w / 2.0, h / 2.0, 0.0));
    model->setWidth(w * 0.9);
    model->setHeight(h * 0.9);
    ZcGePoint3d lo = db->extmin(), hi = db->extmax();
    if (lo.x <= hi.x && lo.y <= hi.y) {
        model->setViewCenter(ZcGePoint2d((lo.x + hi.x) / 2.0, (lo.y + hi.y) / 2.0));
        model->setViewHeight(std::max(hi.y - lo.y, 1e-6));
    } else {
        model->setViewCenter(ZcGePoint2d(w / 2.0, h / 2.0));
        model->setViewHeight(h * 0.9);
    }
    model->setNumber(2);
    if (btr->appendZcDbEntity(model) == Zcad::eOk) model->close();
    else delete model;
}
}  // namespace

const wchar_t* ZcDbLayoutManager::findActiveLayout(bool allowModel, const ZcDbDatabase* pDb)
{
    std::wstring name;
    if (getActiveLayoutName(name, allowModel, pDb) != Zcad::eOk) return nullptr;
    mActiveName = name;
    return mActiveName.c_str();
}

Zcad::ErrorStatus ZcDbLayoutManager::getActiveLayoutName(std::wstring& name, bool allowModel, const ZcDbDatabase* pDb)
{
    ZcDbDatabase* db = Db_Or_Working(pDb);
    if (!db) return Zcad::eNoDatabase;
    if (db->tilemode() && allowModel) {
        name = L"Model";
        return Zcad::eOk;
    }
    auto* ps = Peek<ZcDbBlockTableRecord>(db->paperSpaceId());
    auto* layout = ps ? Peek<ZcDbLayout>(ps->getLayoutId()) : nullptr;
    if (!layout) return Zcad::eInvalidLayout;
    return layout->getName(name);
}

ZcDbObjectId ZcDbLayoutManager::getActiveLayoutBTRId(const ZcDbDatabase* pDb)
{
    ZcDbDatabase* db = Db_Or_Working(pDb);
    if (!db) return ZcDbObjectId();
    return db->tilemode() ? db->modelSpaceId() : db->paperSpaceId();
}

Zcad::ErrorStatus ZcDbLayoutManager::setCurrentLayout(const wchar_t* newname, ZcDbDatabase* pDb)
{
    ZcDbDatabase* db = Db_Or_Working(pDb);
    if (!db) return Zcad::eNoDatabase;
    ZcDbLayout* layout = Layout_Named(db, newname);
    if (!layout) return Zcad::eKeyNotFound;
    for (ZcDbLayout* l : All_Layouts(db)) {
        platform::Internal_Write_Scope scope(l);
        l->setTabSelected(l == layout);
    }
    if (layout->modelType()) return db->setTilemode(true);
    ZcDbObjectId target = layout->getBlockTableRecordId();
    ZcDbObjectId current = db->paperSpaceId();
    auto* targetBtr = Peek<ZcDbBlockTableRecord>(target);
    if (!targetBtr) return Zcad::eInvalidLayout;
    if (target != current) {
        std::wstring targetName = targetBtr->name();
        Rename_Block(current, L"*Paper_Space_Switch");
        Rename_Block(target, L"*Paper_Space");
        Rename_Block(current, targetName.c_str());
    }
    db->setTilemode(false);
    Ensure_Viewports(db, layout);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLayoutManager::setCurrentLayoutId(ZcDbObjectId layoutId)
{
    auto* layout = Peek<ZcDbLayout>(layoutId);
    if (!layout) return Zcad::eInvalidInput;
    std::wstring name;
    layout->getName(name);
    return setCurrentLayout(name.c_str(), layout->database());
}

ZcDbObjectId ZcDbLayoutManager::findLayoutNamed(const wchar_t* name, const ZcDbDatabase* pDb)
{
    ZcDbLayout* l = Layout_Named(Db_Or_Working(pDb), name);
    return l ? l->objectId() : ZcDbObjectId();
}

Zcad::ErrorStatus ZcDbLayoutManager::getLayoutNamed(const wchar_t* name, ZcDbLayout*& pLayout, ZcDb::OpenMode mode,
                                                    const ZcDbDatabase* pDb)
{
    pLayout = nullptr;
    ZcDbObjectId id = findLayoutNamed(name, pDb);
    if (id.isNull()) return Zcad::eKeyNotFound;
    return zcdbOpenObject(pLayout, id, mode);
}

bool ZcDbLayoutManager::layoutExists(const wchar_t* name, const ZcDbDatabase* pDb)
{
    return Layout_Named(Db_Or_Working(pDb), name) != nullptr;
}

int ZcDbLayoutManager::countLayouts(ZcDbDatabase* pDb) { return int(All_Layouts(Db_Or_Working(pDb)).size()); }

ZcDbObjectIdArray ZcDbLayoutManager::layoutsInTabOrder(const ZcDbDatabase* pDb)
{
    ZcDbObjectIdArray ids;
    for (ZcDbLayout* l : All_Layouts(Db_Or_Working(pDb))) ids.append(l->objectId());
    return ids;
}

namespace {
bool Valid_Layout_Name(const wchar_t* name)
{
    return name && *name && std::wcslen(name) <= 255 && ZcDbSymbolTableRecord::isValidName(name, false);
}
}  // namespace

Zcad::ErrorStatus ZcDbLayoutManager::createLayout(const wchar_t* newLayoutName, ZcDbObjectId& layoutId,
                                                  ZcDbObjectId& blkTableRecId, ZcDbDatabase* pDb)
{
    layoutId.setNull();
    blkTableRecId.setNull();
    ZcDbDatabase* db = Db_Or_Working(pDb);
    if (!db) return Zcad::eNoDatabase;
    if (!Valid_Layout_Name(newLayoutName)) return Zcad::eInvalidInput;
    if (Layout_Named(db, newLayoutName)) return Zcad::eDuplicateKey;
    auto* bt = Peek<ZcDbBlockTable>(db->blockTableId());
    auto* dict = Peek<ZcDbDictionary>(db->layoutDictionaryId());
    if (!bt || !dict) return Zcad::eInvalidLayout;
    std::wstring blockName;
    for (int i = 0;; ++i) {
        blockName = L"*Paper_Space" + std::to_wstring(i);
        if (!bt->has(blockName.c_str())) break;
    }
    auto* btr = new ZcDbBlockTableRecord();
    btr->setName(blockName.c_str());
    {
        platform::Internal_Write_Scope scope(bt);
        if (bt->add(blkTableRecId, btr) != Zcad::eOk) {
            delete btr;
            return Zcad::eInvalidLayout;
        }
    }
    int tab = 0;
    for (ZcDbLayout* l : All_Layouts(db)) tab = std::max(tab, l->getTabOrder() + 1);
    auto* layout = new ZcDbLayout();
    layout->setLayoutName(newLayoutName);
    layout->setTabOrder(tab);
    layout->setPlotPaperSize(297.0, 210.0);
    layout->setBlockTableRecordId(blkTableRecId);
    {
        platform::Internal_Write_Scope scope(dict);
        dict->setAt(newLayoutName, layout, layoutId);
    }
    layout->close();
    btr->setLayoutId(layoutId);
    btr->close();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLayoutManager::deleteLayout(const wchar_t* delname, ZcDbDatabase* pDb)
{
    ZcDbDatabase* db = Db_Or_Working(pDb);
    if (!db) return Zcad::eNoDatabase;
    ZcDbLayout* layout = Layout_Named(db, delname);
    if (!layout) return Zcad::eKeyNotFound;
    if (layout->modelType()) return Zcad::eInvalidInput;
    std::vector<ZcDbLayout*> paper;
    for (ZcDbLayout* l : All_Layouts(db))
        if (!l->modelType() && l != layout) paper.push_back(l);
    if (paper.empty()) return Zcad::eInvalidInput;
    ZcDbObjectId btrId = layout->getBlockTableRecordId();
    if (btrId == db->paperSpaceId()) {
        // The block of the current paper layout must stay "*Paper_Space": hand it to another layout.
        bool model = db->tilemode();
        std::wstring other;
        paper.front()->getName(other);
        setCurrentLayout(other.c_str(), db);
        if (model) db->setTilemode(true);
    }
    if (auto* btr = Peek<ZcDbBlockTableRecord>(btrId)) {
        for (ZcDbObjectId id : btr->entityIds()) {
            ZcDbObject* e = nullptr;
            if (zcdbOpenObject(e, id, ZcDb::kForWrite, false, true) == Zcad::eOk) {
                e->erase();
                e->close();
            }
        }
        platform::Internal_Write_Scope scope(btr);
        btr->erase();
    }
    auto* dict = Peek<ZcDbDictionary>(db->layoutDictionaryId());
    platform::Internal_Write_Scope scope(dict);
    std::wstring name;
    layout->getName(name);
    ZcDbObjectId removed;
    dict->remove(name.c_str(), removed);
    platform::Internal_Write_Scope layoutScope(layout);
    layout->erase();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbLayoutManager::renameLayout(const wchar_t* oldname, const wchar_t* newname, ZcDbDatabase* pDb)
{
    ZcDbDatabase* db = Db_Or_Working(pDb);
    if (!db) return Zcad::eNoDatabase;
    ZcDbLayout* layout = Layout_Named(db, oldname);
    if (!layout) return Zcad::eKeyNotFound;
    if (layout->modelType() || platform::Names_Equal(newname ? newname : L"", L"Model")) return Zcad::eInvalidInput;
    if (!Valid_Layout_Name(newname)) return Zcad::eInvalidInput;
    ZcDbLayout* clash = Layout_Named(db, newname);
    if (clash && clash != layout) return Zcad::eDuplicateKey;
    std::wstring old;
    layout->getName(old);
    auto* dict = Peek<ZcDbDictionary>(db->layoutDictionaryId());
    {
        platform::Internal_Write_Scope scope(dict);
        dict->setName(old.c_str(), newname);
    }
    platform::Internal_Write_Scope scope(layout);
    return layout->setLayoutName(newname);
}

Zcad::ErrorStatus ZcDbLayoutManager::copyLayout(const wchar_t* copyname, const wchar_t* newname, ZcDbDatabase* pDb)
{
    ZcDbDatabase* db = Db_Or_Working(pDb);
    if (!db) return Zcad::eNoDatabase;
    ZcDbLayout* src = Layout_Named(db, copyname);
    if (!src || src->modelType()) return Zcad::eKeyNotFound;
    ZcDbObjectId layoutId, btrId;
    Zcad::ErrorStatus es = createLayout(newname, layoutId, btrId, db);
    if (es != Zcad::eOk) return es;
    auto* dst = Peek<ZcDbLayout>(layoutId);
    {
        platform::Internal_Write_Scope scope(dst);
        int tab = dst->getTabOrder();
        ZcDbObjectId block = dst->getBlockTableRecordId();
        dst->ZcDbPlotSettings::copyFrom(src);
        dst->setTabOrder(tab);
        dst->setBlockTableRecordId(block);
    }
    auto* from = Peek<ZcDbBlockTableRecord>(src->getBlockTableRecordId());
    auto* to = Peek<ZcDbBlockTableRecord>(btrId);
    if (from && to) {
        platform::Internal_Write_Scope scope(to);
        for (ZcDbObjectId id : from->entityIds()) {
            auto* ent = Peek<ZcDbEntity>(id);
            if (!ent || id.isErased()) continue;
            auto* copy = ZcDbEntity::cast(ent->clone());
            if (copy && to->appendZcDbEntity(copy) == Zcad::eOk) copy->close();
            else delete copy;
        }
    }
    return Zcad::eOk;
}

// Host application services.

namespace {
ZcDbHostApplicationServices& Default_Services()
{
    static ZcDbHostApplicationServices services;
    return services;
}
ZcDbHostApplicationServices* gServices = nullptr;
}  // namespace

ZcDbDatabase* ZcDbHostApplicationServices::workingDatabase() const { return mWorkingDatabase; }
void ZcDbHostApplicationServices::setWorkingDatabase(ZcDbDatabase* db) { mWorkingDatabase = db; }
ZcDbLayoutManager* ZcDbHostApplicationServices::layoutManager() const
{
    static ZcDbLayoutManager manager;
    return &manager;
}

ZcDbHostApplicationServices* zcdbHostApplicationServices() { return gServices ? gServices : &Default_Services(); }
void zcdbSetHostApplicationServices(ZcDbHostApplicationServices* services) { gServices = services; }
