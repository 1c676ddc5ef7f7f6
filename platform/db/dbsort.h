// The draw order of a block's entities (model space, a layout, a block definition): the
// sortents table in the block record's extension dictionary under "ACAD_SORTENTS". Each
// entity draws in the order of its sort handle, its own handle unless the table gives
// another; moving entities hands the sort handles round among the block's entities.
#pragma once

#include <map>
#include <vector>

#include "db/dbmain.h"

class ZcDbBlockTableRecord;

class ZcDbSortentsTable : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSortentsTable);
    ZcDbSortentsTable() = default;

    ZcDbObjectId blockId() const { return mBlockId; }
    Zcad::ErrorStatus setBlockId(ZcDbObjectId id);

    // The entity's sort handle (its own handle unless the table gives another).
    bool getSortHandle(ZcDbObjectId id, ZcDbHandle& handle) const;
    // The block's entities, not erased, in draw order (the last draws on top).
    Zcad::ErrorStatus getFullDrawOrder(ZcDbObjectIdArray& ids) const;
    // The entities of the block among the ids to the top or the bottom, or just above or
    // below the target entity, keeping their order among themselves.
    Zcad::ErrorStatus moveToTop(const ZcDbObjectIdArray& ids);
    Zcad::ErrorStatus moveToBottom(const ZcDbObjectIdArray& ids);
    Zcad::ErrorStatus moveAbove(const ZcDbObjectIdArray& ids, ZcDbObjectId target);
    Zcad::ErrorStatus moveBelow(const ZcDbObjectIdArray& ids, ZcDbObjectId target);

    // The entries that differ from the entities' own handles, for the files.
    const std::map<ZcDbObjectId, ZcDbHandle>& sortHandles() const { return mSort; }
    Zcad::ErrorStatus setSortHandle(ZcDbObjectId id, ZcDbHandle handle);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    // Hands the block's sort handles, in ascending order, to the entities in that order.
    Zcad::ErrorStatus apply(const std::vector<ZcDbObjectId>& order);
    std::vector<ZcDbObjectId> order_without(const ZcDbObjectIdArray& ids, std::vector<ZcDbObjectId>& moved) const;

    ZcDbObjectId mBlockId;
    std::map<ZcDbObjectId, ZcDbHandle> mSort;
};

namespace platform {

// The block's entities in draw order, not erased: its sortents table's order when it has
// one, else the order they were appended in.
std::vector<ZcDbObjectId> Draw_Order(const ZcDbBlockTableRecord* block);

}  // namespace platform
