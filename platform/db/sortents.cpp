#include <algorithm>

#include "db/db_internal.h"
#include "db/dbdict.h"
#include "db/dbsort.h"
#include "db/dbsymtb.h"
#include "db_classes.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbSortentsTable, ZcDbObject, 0, 0, 0, SORTENTSTABLE, ObjectDBX Classes)

namespace {

const bool gSortentsRegistered = [] {
    platform::Register_Db_Classes();
    ZcDbSortentsTable::rxInit();
    return true;
}();

constexpr wchar_t kSortentsKey[] = L"ACAD_SORTENTS";

// The block's entities that are not erased, in the order they were appended.
std::vector<ZcDbObjectId> Live_Entities(const ZcDbBlockTableRecord* block)
{
    std::vector<ZcDbObjectId> ids;
    for (const ZcDbObjectId& id : block->entityIds())
        if (!id.isErased()) ids.push_back(id);
    return ids;
}

}  // namespace

Zcad::ErrorStatus ZcDbSortentsTable::setBlockId(ZcDbObjectId id)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mBlockId = id;
    return Zcad::eOk;
}

bool ZcDbSortentsTable::getSortHandle(ZcDbObjectId id, ZcDbHandle& handle) const
{
    if (id.isNull()) return false;
    auto it = mSort.find(id);
    handle = it != mSort.end() ? it->second : id.handle();
    return true;
}

Zcad::ErrorStatus ZcDbSortentsTable::getFullDrawOrder(ZcDbObjectIdArray& ids) const
{
    ids.removeAll();
    auto* block = platform::Peek<ZcDbBlockTableRecord>(mBlockId);
    if (block == nullptr) return Zcad::eInvalidInput;
    std::vector<ZcDbObjectId> order = Live_Entities(block);
    std::stable_sort(order.begin(), order.end(), [this](const ZcDbObjectId& a, const ZcDbObjectId& b) {
        ZcDbHandle ha, hb;
        getSortHandle(a, ha);
        getSortHandle(b, hb);
        return ha.value() < hb.value();
    });
    for (const ZcDbObjectId& id : order) ids.append(id);
    return Zcad::eOk;
}

std::vector<ZcDbObjectId> ZcDbSortentsTable::order_without(const ZcDbObjectIdArray& ids,
                                                           std::vector<ZcDbObjectId>& moved) const
{
    ZcDbObjectIdArray full;
    getFullDrawOrder(full);
    std::vector<ZcDbObjectId> rest;
    moved.clear();
    for (int i = 0; i < full.length(); ++i)
        (ids.contains(full[i]) ? moved : rest).push_back(full[i]);
    return rest;
}

Zcad::ErrorStatus ZcDbSortentsTable::apply(const std::vector<ZcDbObjectId>& order)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    std::vector<uint64_t> keys;
    for (const ZcDbObjectId& id : order) {
        ZcDbHandle h;
        getSortHandle(id, h);
        keys.push_back(h.value());
    }
    std::sort(keys.begin(), keys.end());
    std::map<ZcDbObjectId, ZcDbHandle> sort;
    for (size_t i = 0; i < order.size(); ++i)
        if (keys[i] != order[i].handle().value()) sort[order[i]] = ZcDbHandle(keys[i]);
    mSort = std::move(sort);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSortentsTable::moveToTop(const ZcDbObjectIdArray& ids)
{
    std::vector<ZcDbObjectId> moved;
    std::vector<ZcDbObjectId> order = order_without(ids, moved);
    order.insert(order.end(), moved.begin(), moved.end());
    return apply(order);
}

Zcad::ErrorStatus ZcDbSortentsTable::moveToBottom(const ZcDbObjectIdArray& ids)
{
    std::vector<ZcDbObjectId> moved;
    std::vector<ZcDbObjectId> order = order_without(ids, moved);
    order.insert(order.begin(), moved.begin(), moved.end());
    return apply(order);
}

Zcad::ErrorStatus ZcDbSortentsTable::moveAbove(const ZcDbObjectIdArray& ids, ZcDbObjectId target)
{
    std::vector<ZcDbObjectId> moved;
    std::vector<ZcDbObjectId> order = order_without(ids, moved);
    auto at = std::find(order.begin(), order.end(), target);
    if (at == order.end()) return Zcad::eInvalidInput;
    order.insert(at + 1, moved.begin(), moved.end());
    return apply(order);
}

Zcad::ErrorStatus ZcDbSortentsTable::moveBelow(const ZcDbObjectIdArray& ids, ZcDbObjectId target)
{
    std::vector<ZcDbObjectId> moved;
    std::vector<ZcDbObjectId> order = order_without(ids, moved);
    auto at = std::find(order.begin(), order.end(), target);
    if (at == order.end()) return Zcad::eInvalidInput;
    order.insert(at, moved.begin(), moved.end());
    return apply(order);
}

Zcad::ErrorStatus ZcDbSortentsTable::setSortHandle(ZcDbObjectId id, ZcDbHandle handle)
{
    if (id.isNull()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    if (handle.value() == id.handle().value())
        mSort.erase(id);
    else
        mSort[id] = handle;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSortentsTable::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbObject::dwgOutFields(f);
    f->writeSoftPointerId(ZcDbSoftPointerId(mBlockId));
    f->writeUInt64(mSort.size());
    for (const auto& [id, handle] : mSort) {
        f->writeSoftPointerId(ZcDbSoftPointerId(id));
        f->writeUInt64(handle.value());
    }
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbSortentsTable::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    ZcDbSoftPointerId block;
    uint64_t count = 0;
    f->readSoftPointerId(&block);
    mBlockId = block;
    f->readUInt64(&count);
    mSort.clear();
    for (uint64_t i = 0; i < count && f->filerStatus() == Zcad::eOk; ++i) {
        ZcDbSoftPointerId id;
        uint64_t handle = 0;
        f->readSoftPointerId(&id);
        f->readUInt64(&handle);
        if (!ZcDbObjectId(id).isNull()) mSort[id] = ZcDbHandle(handle);
    }
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbBlockTableRecord::getSortentsTable(ZcDbSortentsTable*& table, ZcDb::OpenMode mode,
                                                         bool createIfNecessary)
{
    table = nullptr;
    ZcDbObjectId dict_id = extensionDictionary();
    if (dict_id.isNull() || dict_id.isErased()) {
        if (!createIfNecessary) return Zcad::eKeyNotFound;
        Zcad::ErrorStatus es = createExtensionDictionary();
        if (es != Zcad::eOk) return es;
        dict_id = extensionDictionary();
    }
    ZcDbObjectPointer<ZcDbDictionary> dict(dict_id, ZcDb::kForRead);
    if (dict.openStatus() != Zcad::eOk) return dict.openStatus();
    ZcDbObjectId id;
    if (dict->getAt(kSortentsKey, id) != Zcad::eOk || id.objectClass() != ZcDbSortentsTable::desc()) {
        if (!createIfNecessary) return Zcad::eKeyNotFound;
        Zcad::ErrorStatus es = dict->upgradeOpen();
        if (es != Zcad::eOk) return es;
        if (dict->has(kSortentsKey)) dict->remove(kSortentsKey);
        auto* made = new ZcDbSortentsTable();
        made->setBlockId(objectId());
        es = dict->setAt(kSortentsKey, made, id);
        if (es != Zcad::eOk) {
            delete made;
            return es;
        }
        made->close();
    }
    return zcdbOpenObject(table, id, mode);
}

namespace platform {

std::vector<ZcDbObjectId> Draw_Order(const ZcDbBlockTableRecord* block)
{
    auto* dict = Peek<ZcDbDictionary>(block->extensionDictionary());
    ZcDbObjectId id;
    ZcDbSortentsTable* table = nullptr;
    if (dict != nullptr && dict->getAt(kSortentsKey, id) == Zcad::eOk)
        table = Peek<ZcDbSortentsTable>(id);
    if (table == nullptr) return Live_Entities(block);
    // The table of another block (copied with the dictionary) orders nothing here.
    if (table->blockId() != block->objectId()) return Live_Entities(block);
    ZcDbObjectIdArray ordered;
    table->getFullDrawOrder(ordered);
    return std::vector<ZcDbObjectId>(ordered.begin(), ordered.end());
}

}  // namespace platform
