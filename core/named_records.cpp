#include "core/named_records.h"

#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "db/dbobject.h"

namespace {

ZcDbDatabase* Working_Database()
{
    ZcDbHostApplicationServices* services = zcdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

// The dictionary of that name in the named-object dictionary, open for write; added when
// missing. Null when the entry is something else or cannot be added.
ZcDbDictionary* Open_Or_Add_Dictionary(ZcDbDictionary* named, const wchar_t* name)
{
    ZcDbObject* entry = nullptr;
    if (named->getAt(name, entry, ZcDb::kForWrite) == Zcad::eOk) {
        ZcDbDictionary* ours = ZcDbDictionary::cast(entry);
        if (ours == nullptr)
            entry->close();
        return ours;
    }
    auto* ours = new ZcDbDictionary;
    ZcDbObjectId id;
    if (named->setAt(name, ours, id) != Zcad::eOk) {
        delete ours;
        return nullptr;
    }
    return ours;
}

void Erase_Entry(ZcDbDictionary* ours, const wchar_t* name)
{
    ZcDbObjectId old_id;
    if (ours->remove(name, old_id) != Zcad::eOk)
        return;
    ZcDbObject* old = nullptr;
    if (zcdbOpenObject(old, old_id, ZcDb::kForWrite) == Zcad::eOk) {
        old->erase();
        old->close();
    }
}

}  // namespace

resbuf* Read_Named_Record(const wchar_t* name, bool* found)
{
    if (found != nullptr)
        *found = false;
    ZcDbDatabase* db = Working_Database();
    ZcDbObject* object = nullptr;
    if (db == nullptr || zcdbOpenObject(object, db->namedObjectsDictionaryId(), ZcDb::kForRead) != Zcad::eOk)
        return nullptr;
    resbuf* chain = nullptr;
    ZcDbObject* entry = nullptr;
    ZcDbDictionary* named = ZcDbDictionary::cast(object);
    if (named != nullptr && named->getAt(name, entry, ZcDb::kForRead) == Zcad::eOk) {
        ZcDbObject* record = nullptr;
        ZcDbDictionary* ours = ZcDbDictionary::cast(entry);
        if (ours != nullptr && ours->getAt(name, record, ZcDb::kForRead) == Zcad::eOk) {
            if (ZcDbXrecord* xrecord = ZcDbXrecord::cast(record)) {
                if (found != nullptr)
                    *found = true;
                xrecord->rbChain(&chain);
            }
            record->close();
        }
        entry->close();
    }
    object->close();
    return chain;
}

bool Write_Named_Record(const wchar_t* name, const resbuf* chain)
{
    ZcDbDatabase* db = Working_Database();
    ZcDbObject* object = nullptr;
    if (db == nullptr || zcdbOpenObject(object, db->namedObjectsDictionaryId(), ZcDb::kForWrite) != Zcad::eOk)
        return false;
    ZcDbDictionary* named = ZcDbDictionary::cast(object);
    ZcDbDictionary* ours = named != nullptr ? Open_Or_Add_Dictionary(named, name) : nullptr;
    object->close();
    if (ours == nullptr)
        return false;
    Erase_Entry(ours, name);
    auto* xrecord = new ZcDbXrecord;
    ZcDbObjectId id;
    const bool added = ours->setAt(name, xrecord, id) == Zcad::eOk;
    ours->close();
    if (!added) {
        delete xrecord;
        return false;
    }
    const bool stored = chain == nullptr || xrecord->setFromRbChain(*chain) == Zcad::eOk;
    xrecord->close();
    return stored;
}
