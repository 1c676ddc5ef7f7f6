#include <cwchar>

#include "db/db_internal.h"
#include "db/dbsymtb.h"

using platform::Names_Equal;

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbSymbolTable, ZcDbObject)
ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbSymbolTableRecord, ZcDbObject)

ZcDbSymbolTable::~ZcDbSymbolTable() = default;

Zcad::ErrorStatus ZcDbSymbolTable::getAt(const wchar_t* entryName, ZcDbObjectId& recordId, bool getErasedRecord) const
{
    recordId.setNull();
    if (entryName == nullptr) return Zcad::eInvalidInput;
    ZcDbObjectId erasedMatch;
    auto range = mIndex.equal_range(platform::Upper_Name(entryName));
    for (auto it = range.first; it != range.second; ++it) {
        ZcDbObjectId id = it->second;
        auto* rec = platform::Peek<ZcDbSymbolTableRecord>(id);
        if (!rec || !Names_Equal(rec->name(), entryName)) continue;
        if (!id.isErased()) {
            recordId = id;
            return Zcad::eOk;
        }
        if (erasedMatch.isNull()) erasedMatch = id;
    }
    if (getErasedRecord && !erasedMatch.isNull()) {
        recordId = erasedMatch;
        return Zcad::eOk;
    }
    return Zcad::eKeyNotFound;
}

Zcad::ErrorStatus ZcDbSymbolTable::getAt(const wchar_t* entryName, ZcDbSymbolTableRecord*& pRec,
                                         ZcDb::OpenMode openMode, bool openErasedRec) const
{
    pRec = nullptr;
    ZcDbObjectId id;
    Zcad::ErrorStatus es = getAt(entryName, id, openErasedRec);
    if (es != Zcad::eOk) return es;
    return zcdbOpenObject(pRec, id, openMode, openErasedRec);
}

bool ZcDbSymbolTable::has(const wchar_t* name) const
{
    ZcDbObjectId id;
    return getAt(name, id) == Zcad::eOk;
}

bool ZcDbSymbolTable::has(ZcDbObjectId id) const
{
    if (id.isErased()) return false;
    for (ZcDbObjectId r : mRecords)
        if (r == id) return true;
    return false;
}

Zcad::ErrorStatus ZcDbSymbolTable::add(ZcDbSymbolTableRecord* pRecord)
{
    ZcDbObjectId id;
    return add(id, pRecord);
}

Zcad::ErrorStatus ZcDbSymbolTable::add(ZcDbObjectId& recordId, ZcDbSymbolTableRecord* pRecord)
{
    recordId.setNull();
    if (pRecord == nullptr) return Zcad::eNullObjectPointer;
    if (!isDatabaseResident()) return Zcad::eNotInDatabase;
    if (!isWriteEnabled()) return Zcad::eNotOpenForWrite;
    if (!pRecord->isKindOf(recordClass())) return Zcad::eWrongObjectType;
    if (pRecord->name()[0] == 0) return Zcad::eInvalidInput;
    if (has(pRecord->name())) return Zcad::eDuplicateRecordName;
    if (pRecord->isDatabaseResident()) {
        if (pRecord->database() != database()) return Zcad::eWrongDatabase;
        if (!pRecord->ownerId().isNull()) return Zcad::eAlreadyInDb;
        platform::Db_Object_Access::setOwner(pRecord, objectId());
        recordId = pRecord->objectId();
    } else {
        Zcad::ErrorStatus es = platform::Add_Object(database(), pRecord, objectId(), recordId);
        if (es != Zcad::eOk) return es;
    }
    assertWriteEnabled();
    mRecords.push_back(recordId);
    mIndex.emplace(platform::Upper_Name(pRecord->name()), recordId);
    return Zcad::eOk;
}

void ZcDbSymbolTable::recordRenamed(ZcDbObjectId id, const std::wstring& oldName, const std::wstring& newName)
{
    auto range = mIndex.equal_range(platform::Upper_Name(oldName));
    for (auto it = range.first; it != range.second; ++it)
        if (it->second == id) {
            mIndex.erase(it);
            break;
        }
    mIndex.emplace(platform::Upper_Name(newName), id);
}


Zcad::ErrorStatus ZcDbSymbolTable::newIterator(ZcDbSymbolTableIterator*& pIterator, bool atBeginning,
                                               bool skipDeleted) const
{
    pIterator = new ZcDbSymbolTableIterator(this);
    pIterator->start(atBeginning, skipDeleted);
    return Zcad::eOk;
}

int ZcDbSymbolTable::numEntries(bool includeErased) const
{
    int n = 0;
    for (ZcDbObjectId id : mRecords)
        if (includeErased || !id.isErased()) ++n;
    return n;
}

// Iterators.

ZcDbSymbolTableIterator::ZcDbSymbolTableIterator(const ZcDbSymbolTable* table) : mIds(table->recordIds()) {}

void ZcDbSymbolTableIterator::skip(bool forward, bool skipDeleted)
{
    if (!skipDeleted) return;
    while (mIndex >= 0 && mIndex < int(mIds.size()) && mIds[size_t(mIndex)].isErased()) mIndex += forward ? 1 : -1;
}

void ZcDbSymbolTableIterator::start(bool atBeginning, bool skipDeleted)
{
    mIndex = atBeginning ? 0 : int(mIds.size()) - 1;
    skip(atBeginning, skipDeleted);
}

bool ZcDbSymbolTableIterator::done() const { return mIndex < 0 || mIndex >= int(mIds.size()); }

void ZcDbSymbolTableIterator::step(bool forward, bool skipDeleted)
{
    if (done()) return;
    mIndex += forward ? 1 : -1;
    skip(forward, skipDeleted);
}

Zcad::ErrorStatus ZcDbSymbolTableIterator::getRecordId(ZcDbObjectId& id) const
{
    if (done()) return Zcad::eInvalidIndex;
    id = mIds[size_t(mIndex)];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTableIterator::getRecord(ZcDbSymbolTableRecord*& pRecord, ZcDb::OpenMode openMode,
                                                     bool openErasedRec) const
{
    pRecord = nullptr;
    if (done()) return Zcad::eInvalidIndex;
    return zcdbOpenObject(pRecord, mIds[size_t(mIndex)], openMode, openErasedRec);
}

Zcad::ErrorStatus ZcDbSymbolTableIterator::seek(ZcDbObjectId id)
{
    for (size_t i = 0; i < mIds.size(); ++i)
        if (mIds[i] == id) {
            mIndex = int(i);
            return Zcad::eOk;
        }
    return Zcad::eKeyNotFound;
}

// Records.

bool ZcDbSymbolTableRecord::isValidName(const wchar_t* name, bool allowStar)
{
    if (name == nullptr || *name == 0) return false;
    static const wchar_t kBad[] = L"<>/\\\":;?*|,=`";
    for (const wchar_t* p = name; *p; ++p) {
        if (*p == L'*' && p == name && allowStar) continue;
        if (std::wcschr(kBad, *p) != nullptr) return false;
        if (*p < 0x20) return false;
    }
    return true;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::getName(wchar_t*& pName) const
{
    pName = platform::Dup_String(mName.c_str());
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::getName(const wchar_t*& pName) const
{
    pName = mName.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::getName(std::wstring& name) const
{
    name = mName;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::setName(const wchar_t* pName)
{
    bool allowStar = isKindOf(ZcDbBlockTableRecord::desc()) || isKindOf(ZcDbViewportTableRecord::desc());
    if (!isValidName(pName, allowStar)) return Zcad::eInvalidInput;
    if (auto* table = platform::Peek<ZcDbSymbolTable>(ownerId())) {
        ZcDbObjectId other;
        if (table->getAt(pName, other) == Zcad::eOk && other != objectId()) return Zcad::eDuplicateRecordName;
    }
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    std::wstring old = mName;
    mName = pName;
    if (auto* table = platform::Peek<ZcDbSymbolTable>(ownerId())) table->recordRenamed(objectId(), old, mName);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::dwgInFields(ZcDbDwgFiler* filer)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(filer);
    if (es != Zcad::eOk) return es;
    std::wstring old = mName;
    filer->readString(mName);
    if (old != mName)
        if (auto* table = platform::Peek<ZcDbSymbolTable>(ownerId())) table->recordRenamed(objectId(), old, mName);
    return filer->filerStatus();
}

Zcad::ErrorStatus ZcDbSymbolTableRecord::dwgOutFields(ZcDbDwgFiler* filer) const
{
    ZcDbObject::dwgOutFields(filer);
    filer->writeString(mName.c_str());
    return filer->filerStatus();
}

// The concrete tables.

#define ZC_DEFINE_TABLE(TABLE, RECORD)                                                                     \
    ZCRX_CONS_DEFINE_MEMBERS(TABLE, ZcDbSymbolTable, 0)                                                    \
    ZcRxClass* TABLE::recordClass() const { return RECORD::desc(); }                                       \
    Zcad::ErrorStatus TABLE::getAt(const wchar_t* entryName, RECORD*& pRec, ZcDb::OpenMode openMode,       \
                                   bool openErasedRec) const                                               \
    {                                                                                                      \
        pRec = nullptr;                                                                                    \
        ZcDbObjectId id;                                                                                   \
        Zcad::ErrorStatus es = ZcDbSymbolTable::getAt(entryName, id, openErasedRec);                       \
        if (es != Zcad::eOk) return es;                                                                    \
        return zcdbOpenObject(pRec, id, openMode, openErasedRec);                                          \
    }

ZC_DEFINE_TABLE(ZcDbBlockTable, ZcDbBlockTableRecord)
ZC_DEFINE_TABLE(ZcDbLayerTable, ZcDbLayerTableRecord)
ZC_DEFINE_TABLE(ZcDbTextStyleTable, ZcDbTextStyleTableRecord)
ZC_DEFINE_TABLE(ZcDbLinetypeTable, ZcDbLinetypeTableRecord)
ZC_DEFINE_TABLE(ZcDbViewportTable, ZcDbViewportTableRecord)
ZC_DEFINE_TABLE(ZcDbRegAppTable, ZcDbRegAppTableRecord)
ZC_DEFINE_TABLE(ZcDbDimStyleTable, ZcDbDimStyleTableRecord)
#undef ZC_DEFINE_TABLE

Zcad::ErrorStatus ZcDbBlockTable::newIterator(ZcDbBlockTableIterator*& pIterator, bool atBeginning,
                                              bool skipDeleted) const
{
    pIterator = new ZcDbBlockTableIterator(this);
    pIterator->start(atBeginning, skipDeleted);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableIterator::getRecord(ZcDbBlockTableRecord*& pRecord, ZcDb::OpenMode openMode,
                                                    bool openErasedRec) const
{
    pRecord = nullptr;
    if (done()) return Zcad::eInvalidIndex;
    return zcdbOpenObject(pRecord, mIds[size_t(mIndex)], openMode, openErasedRec);
}
