#include "titleblock/tk_block_file.h"

#include "db/dbsymtb.h"

bool Read_TK_Block(const CString& path, std::unique_ptr<ZcDbDatabase>& db, ZcDbObjectId& block_id)
{
    block_id.setNull();
    auto side = std::make_unique<ZcDbDatabase>(false, true);
    if (side->readDwgFile(path) != Zcad::eOk)
        return false;
    db = std::move(side);
    ZcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, ZcDb::kForRead) != Zcad::eOk)
        return false;
    ZcDbBlockTableIterator* it = nullptr;
    if (table->newIterator(it) == Zcad::eOk) {
        for (it->start(); !it->done() && block_id.isNull(); it->step()) {
            ZcDbBlockTableRecord* record = nullptr;
            if (it->getRecord(record, ZcDb::kForRead) != Zcad::eOk)
                continue;
            const wchar_t* name = nullptr;
            if (record->getName(name) == Zcad::eOk && name != nullptr && wcsncmp(name, L"K_TK_BK", 7) == 0)
                block_id = record->objectId();
            record->close();
        }
        delete it;
    }
    table->close();
    return !block_id.isNull();
}

bool Has_TK_Block(const CString& path)
{
    std::unique_ptr<ZcDbDatabase> db;
    ZcDbObjectId block_id;
    return Read_TK_Block(path, db, block_id);
}
