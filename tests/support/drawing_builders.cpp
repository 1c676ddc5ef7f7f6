#include "drawing_builders.h"

#include <gtest/gtest.h>

#include "db/dbsymtb.h"

ZcDbDatabase* Db() { return zcdbHostApplicationServices()->workingDatabase(); }

ZcDbObjectId Add_Block(const wchar_t* name)
{
    ZcDbBlockTable* table = nullptr;
    EXPECT_EQ(Db()->getBlockTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* record = new ZcDbBlockTableRecord;
    record->setName(name);
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Zcad::eOk);
    record->close();
    table->close();
    return id;
}
