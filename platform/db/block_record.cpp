#include <algorithm>

#include "db/db_internal.h"
#include "db/dbsymtb.h"
#include "db/dbblkref.h"
#include "db/dbtext.h"

ZCRX_CONS_DEFINE_MEMBERS(ZcDbBlockTableRecord, ZcDbSymbolTableRecord, 0)

ZcDbBlockTableRecord::~ZcDbBlockTableRecord() = default;

Zcad::ErrorStatus ZcDbBlockTableRecord::appendZcDbEntity(ZcDbEntity* pEntity)
{
    ZcDbObjectId id;
    return appendZcDbEntity(id, pEntity);
}

Zcad::ErrorStatus ZcDbBlockTableRecord::appendZcDbEntity(ZcDbObjectId& outId, ZcDbEntity* pEntity)
{
    outId.setNull();
    if (pEntity == nullptr) return Zcad::eNullEntityPointer;
    if (!isDatabaseResident()) return Zcad::eNotInDatabase;
    if (!isWriteEnabled()) return Zcad::eNotOpenForWrite;
    if (pEntity->isDatabaseResident()) {
        if (pEntity->database() != database()) return Zcad::eWrongDatabase;
        if (!pEntity->ownerId().isNull()) return Zcad::eAlreadyInDb;
        platform::Db_Object_Access::setOwner(pEntity, objectId());
        outId = pEntity->objectId();
    } else {
        if (pEntity->layerId().isNull()) pEntity->setDatabaseDefaults(database());
        Zcad::ErrorStatus es = platform::Add_Object(database(), pEntity, objectId(), outId);
        if (es != Zcad::eOk) return es;
    }
    assertWriteEnabled();
    mEntities.push_back(outId);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::newIterator(ZcDbBlockTableRecordIterator*& pIterator, bool atBeginning,
                                                    bool skipDeleted) const
{
    pIterator = new ZcDbBlockTableRecordIterator(this);
    pIterator->start(atBeginning, skipDeleted);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setLayoutId(ZcDbObjectId layoutId)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mLayoutId = layoutId;
    return Zcad::eOk;
}

bool ZcDbBlockTableRecord::isAnonymous() const
{
    const wchar_t* n = name();
    return n[0] == L'*' && (n[1] == L'U' || n[1] == L'u' || n[1] == L'D' || n[1] == L'd' || n[1] == L'X' ||
                            n[1] == L'x' || n[1] == L'T' || n[1] == L't');
}

bool ZcDbBlockTableRecord::hasAttributeDefinitions() const
{
    for (ZcDbObjectId id : mEntities)
        if (!id.isErased() && platform::Peek<ZcDbAttributeDefinition>(id)) return true;
    return false;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setOrigin(const ZcGePoint3d& origin)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mOrigin = origin;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::getPathName(const wchar_t*& pPath) const
{
    pPath = mPathName.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setPathName(const wchar_t* pathStr)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPathName = pathStr ? pathStr : L"";
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::comments(const wchar_t*& pComment) const
{
    pComment = mComments.c_str();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setComments(const wchar_t* pString)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mComments = pString ? pString : L"";
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setBlockInsertUnits(ZcDb::UnitsValue units)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mInsertUnits = units;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::setExplodable(bool explodable)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mExplodable = explodable;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::getBlockReferenceIds(ZcDbObjectIdArray& ids, bool, bool) const
{
    ZcDbDatabase* db = database();
    if (db == nullptr) return Zcad::eNotInDatabase;
    db->data().stubs.forEach([&](platform::Db_Stub* stub) {
        auto* ref = stub->erased() ? nullptr : ZcDbBlockReference::cast(stub->object);
        if (ref && ref->blockTableRecord() == objectId()) ids.append(ZcDbObjectId(stub));
    });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecord::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbSymbolTableRecord::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    ZcDbHardPointerId layout;
    f->readHardPointerId(&layout);
    mLayoutId = layout;
    f->readPoint3d(&mOrigin);
    f->readString(mComments);
    f->readString(mPathName);
    int32_t units = 0;
    f->readInt32(&units);
    mInsertUnits = ZcDb::UnitsValue(units);
    f->readBool(&mExplodable);
    f->readBool(&mDynamic);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbBlockTableRecord::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbSymbolTableRecord::dwgOutFields(f);
    f->writeHardPointerId(mLayoutId);
    f->writePoint3d(mOrigin);
    f->writeString(mComments.c_str());
    f->writeString(mPathName.c_str());
    f->writeInt32(int32_t(mInsertUnits));
    f->writeBool(mExplodable);
    f->writeBool(mDynamic);
    return f->filerStatus();
}

// Iterator over the entities, in order.

ZcDbBlockTableRecordIterator::ZcDbBlockTableRecordIterator(const ZcDbBlockTableRecord* record)
    : mRecord(const_cast<ZcDbBlockTableRecord*>(record)), mIds(record->entityIds())
{
}

void ZcDbBlockTableRecordIterator::skip(bool forward, bool skipDeleted)
{
    if (!skipDeleted) return;
    while (mIndex >= 0 && mIndex < int(mIds.size()) && mIds[size_t(mIndex)].isErased()) mIndex += forward ? 1 : -1;
}

void ZcDbBlockTableRecordIterator::start(bool atBeginning, bool skipDeleted)
{
    mIndex = atBeginning ? 0 : int(mIds.size()) - 1;
    skip(atBeginning, skipDeleted);
}

bool ZcDbBlockTableRecordIterator::done() const { return mIndex < 0 || mIndex >= int(mIds.size()); }

void ZcDbBlockTableRecordIterator::step(bool forward, bool skipDeleted)
{
    if (done()) return;
    mIndex += forward ? 1 : -1;
    skip(forward, skipDeleted);
}

Zcad::ErrorStatus ZcDbBlockTableRecordIterator::getEntityId(ZcDbObjectId& id) const
{
    if (done()) return Zcad::eInvalidIndex;
    id = mIds[size_t(mIndex)];
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockTableRecordIterator::getEntity(ZcDbEntity*& pEntity, ZcDb::OpenMode openMode,
                                                          bool openErasedEntity) const
{
    pEntity = nullptr;
    if (done()) return Zcad::eInvalidIndex;
    return zcdbOpenObject(pEntity, mIds[size_t(mIndex)], openMode, openErasedEntity);
}

Zcad::ErrorStatus ZcDbBlockTableRecordIterator::seek(ZcDbObjectId id)
{
    for (size_t i = 0; i < mIds.size(); ++i)
        if (mIds[i] == id) {
            mIndex = int(i);
            return Zcad::eOk;
        }
    return Zcad::eKeyNotFound;
}
