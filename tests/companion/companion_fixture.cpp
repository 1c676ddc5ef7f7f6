#include "companion_fixture.h"

#include "db/dbdict.h"
#include "db/dbobject.h"

void Write_Record(ZcDbDatabase* db, const wchar_t* key, resbuf* chain)
{
    ZcDbObject* object = nullptr;
    ASSERT_EQ(zcdbOpenObject(object, db->namedObjectsDictionaryId(), ZcDb::kForWrite), Zcad::eOk);
    ZcDbDictionary* named = ZcDbDictionary::cast(object);
    ZcDbDictionary* ours = new ZcDbDictionary;
    ZcDbObjectId id;
    ASSERT_EQ(named->setAt(key, ours, id), Zcad::eOk);
    named->close();
    ZcDbXrecord* record = new ZcDbXrecord;
    ASSERT_EQ(ours->setAt(key, record, id), Zcad::eOk);
    ours->close();
    ASSERT_EQ(record->setFromRbChain(*chain), Zcad::eOk);
    record->close();
}
