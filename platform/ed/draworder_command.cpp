// The host command "DRAWORDER": puts the selected entities above or under the entities of
// another selection, in front of or behind everything else of their space. The order is kept
// in each space's sortents table.
#include <map>
#include <string>
#include <vector>

#include "db/dbsort.h"
#include "db/dbsymtb.h"
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/prompts.h"
#include "ed/selection.h"

namespace platform {

namespace {

// The set's entities, grouped by the block record that owns them.
std::map<ZcDbObjectId, ZcDbObjectIdArray> Entities_By_Block(const ads_name set)
{
    std::map<ZcDbObjectId, ZcDbObjectIdArray> blocks;
    int32_t count = 0;
    zcedSSLength(set, &count);
    for (int32_t i = 0; i < count; ++i) {
        ads_name name;
        ZcDbObjectId id;
        if (zcedSSName(set, i, name) != RTNORM || zcdbGetObjectId(id, name) != Zcad::eOk)
            continue;
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (entity.openStatus() == Zcad::eOk)
            blocks[entity->ownerId()].append(id);
    }
    return blocks;
}

// The reference entity of the block that lies highest (above) or lowest (under) in its order.
ZcDbObjectId Reference_In(ZcDbSortentsTable* table, const ZcDbObjectIdArray& references, bool highest)
{
    ZcDbObjectIdArray order;
    table->getFullDrawOrder(order);
    ZcDbObjectId found;
    for (int i = 0; i < order.length(); ++i)
        if (references.contains(order[i]) && (found.isNull() || highest))
            found = order[i];
    return found;
}

void Draworder_Command()
{
    ads_name set;
    if (zcedSSGet(nullptr, nullptr, nullptr, nullptr, set) != RTNORM)
        return;
    zcedInitGet(0, L"Above Under Front Back");
    wchar_t option[32] = {};
    const int got = zcedGetKword(L"\nEnter object ordering option [Above objects/Under objects/Front/Back] <Back>: ",
                                 option, 32);
    if (got != RTNORM && got != RTNONE) {
        zcedSSFree(set);
        return;
    }
    const std::wstring choice = got == RTNONE || option[0] == 0 ? L"Back" : option;
    std::map<ZcDbObjectId, ZcDbObjectIdArray> references;
    if (choice == L"Above" || choice == L"Under") {
        ads_name reference_set;
        if (zcedSSGet(nullptr, nullptr, nullptr, nullptr, reference_set) != RTNORM) {
            zcedSSFree(set);
            return;
        }
        references = Entities_By_Block(reference_set);
        zcedSSFree(reference_set);
    }
    for (const auto& [block_id, ids] : Entities_By_Block(set)) {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForWrite);
        ZcDbSortentsTable* table = nullptr;
        if (block.openStatus() != Zcad::eOk || block->getSortentsTable(table, ZcDb::kForWrite, true) != Zcad::eOk)
            continue;
        if (choice == L"Front") {
            table->moveToTop(ids);
        } else if (choice == L"Back") {
            table->moveToBottom(ids);
        } else if (references.count(block_id) != 0) {
            const bool above = choice == L"Above";
            const ZcDbObjectId target = Reference_In(table, references[block_id], above);
            if (above)
                table->moveAbove(ids, target);
            else
                table->moveBelow(ids, target);
        }
        table->close();
    }
    zcedSSFree(set);
}

const bool gRegistered = [] {
    Register_Host_Command(L"DRAWORDER", Draworder_Command);
    return true;
}();

}  // namespace

}  // namespace platform
