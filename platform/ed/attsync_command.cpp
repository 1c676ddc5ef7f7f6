// The host command "ATTSYNC" with its Name option: every reference of the named block gets
// the attributes of the block's attribute definitions, in their order, placed by the
// reference; a value already entered under a tag is kept, attributes whose tag the block
// no longer defines are erased.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "db/dbblkref.h"
#include "db/dbdatabase.h"
#include "db/dbobjiter.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/prompts.h"
#include "win/win_files.h"

namespace platform {

namespace {

void Print(const std::wstring& text) { CommandLine::instance().write(text); }

// The definitions that give references an attribute (constant ones do not), in order.
std::vector<std::unique_ptr<ZcDbAttributeDefinition>> Attribute_Definitions(ZcDbObjectId block_id)
{
    std::vector<std::unique_ptr<ZcDbAttributeDefinition>> definitions;
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
    ZcDbBlockTableRecordIterator* it = nullptr;
    if (block.openStatus() != Zcad::eOk || block->newIterator(it) != Zcad::eOk)
        return definitions;
    for (it->start(); !it->done(); it->step()) {
        ZcDbEntity* entity = nullptr;
        if (it->getEntity(entity, ZcDb::kForRead) != Zcad::eOk)
            continue;
        const auto* definition = ZcDbAttributeDefinition::cast(entity);
        if (definition != nullptr && !definition->isConstant())
            definitions.push_back(std::unique_ptr<ZcDbAttributeDefinition>(
                static_cast<ZcDbAttributeDefinition*>(definition->clone())));
        entity->close();
    }
    delete it;
    return definitions;
}

void Synchronise_Reference(ZcDbObjectId reference_id,
                           const std::vector<std::unique_ptr<ZcDbAttributeDefinition>>& definitions)
{
    ZcDbObjectPointer<ZcDbBlockReference> reference(reference_id, ZcDb::kForWrite);
    if (reference.openStatus() != Zcad::eOk)
        return;
    // The values entered so far, by tag without regard to case; the old attributes go.
    std::map<std::wstring, std::wstring> values;
    std::vector<ZcDbObjectId> old_ids;
    std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step())
        old_ids.push_back(it->objectId());
    for (ZcDbObjectId id : old_ids) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(id, ZcDb::kForWrite);
        if (attribute.openStatus() != Zcad::eOk)
            continue;
        values.emplace(Fold_Case(attribute->tagConst()), attribute->textStringConst());
        attribute->erase();
    }
    const ZcGeMatrix3d transform = reference->blockTransform();
    for (const auto& definition : definitions) {
        auto* attribute = new ZcDbAttribute;
        attribute->setPropertiesFrom(reference.object());
        attribute->setAttributeFromBlock(definition.get(), transform);
        const auto value = values.find(Fold_Case(definition->tagConst()));
        attribute->setTextString(value != values.end() ? value->second.c_str() : definition->textStringConst());
        if (reference->appendAttribute(attribute) == Zcad::eOk)
            attribute->close();
        else
            delete attribute;
    }
}

void Attsync_Command()
{
    zcedInitGet(0, L"? Name Select");
    wchar_t option[64] = {};
    if (zcedGetKword(L"\nEnter an option [?/Name/Select] <Select>: ", option, 64) != RTNORM)
        return;
    if (std::wstring(option) != L"Name") {
        Print(L"\nOnly blocks given by name are synchronized.");
        return;
    }
    wchar_t name[256] = {};
    if (zcedGetString(0, L"\nEnter name of block to synchronize: ", name, 256) != RTNORM || name[0] == 0)
        return;
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbObjectId block_id;
    ZcDbBlockTable* table = nullptr;
    if (db == nullptr || db->getBlockTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    table->getAt(name, block_id);
    table->close();
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
    ZcDbObjectIdArray references;
    if (block.openStatus() != Zcad::eOk || block->getBlockReferenceIds(references) != Zcad::eOk) {
        Print(L"\nBlock " + std::wstring(name) + L" not found.");
        return;
    }
    block.close();
    const auto definitions = Attribute_Definitions(block_id);
    for (int i = 0; i < references.length(); ++i)
        Synchronise_Reference(references[i], definitions);
    Print(L"\nATTSYNC block " + std::wstring(name) + L": " + std::to_wstring(references.length()) +
          L" references synchronized.");
}

const bool gRegistered = [] {
    Register_Host_Command(L"ATTSYNC", Attsync_Command);
    return true;
}();

}  // namespace

}  // namespace platform
