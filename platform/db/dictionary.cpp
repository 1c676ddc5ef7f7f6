#include <cwctype>

#include "db/db_internal.h"
#include "db/dbdict.h"
#include "db/idmap.h"

ZCRX_CONS_DEFINE_MEMBERS(ZcDbDictionary, ZcDbObject, 0)
ZCRX_CONS_DEFINE_MEMBERS(ZcDbXrecord, ZcDbObject, 0)

bool ZcDbDictionary::Key_Less::operator()(const std::wstring& a, const std::wstring& b) const
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        wint_t ca = std::towupper(a[i]), cb = std::towupper(b[i]);
        if (ca != cb) return ca < cb;
    }
    return a.size() < b.size();
}

ZcDbDictionary::~ZcDbDictionary() = default;

Zcad::ErrorStatus ZcDbDictionary::getAt(const wchar_t* entryName, ZcDbObjectId& entryId) const
{
    entryId.setNull();
    if (entryName == nullptr) return Zcad::eInvalidKey;
    auto it = mEntries.find(entryName);
    if (it == mEntries.end() || it->second.isErased()) return Zcad::eKeyNotFound;
    entryId = it->second;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDictionary::getAt(const wchar_t* entryName, ZcDbObject*& entryObj, ZcDb::OpenMode mode) const
{
    entryObj = nullptr;
    ZcDbObjectId id;
    Zcad::ErrorStatus es = getAt(entryName, id);
    if (es != Zcad::eOk) return es;
    return zcdbOpenObject(entryObj, id, mode);
}

Zcad::ErrorStatus ZcDbDictionary::nameAt(ZcDbObjectId objId, std::wstring& entryName) const
{
    for (const auto& [name, id] : mEntries)
        if (id == objId) {
            entryName = name;
            return Zcad::eOk;
        }
    return Zcad::eKeyNotFound;
}

Zcad::ErrorStatus ZcDbDictionary::nameAt(ZcDbObjectId objId, wchar_t*& entryName) const
{
    entryName = nullptr;
    std::wstring name;
    Zcad::ErrorStatus es = nameAt(objId, name);
    if (es == Zcad::eOk) entryName = platform::Dup_String(name.c_str());
    return es;
}

bool ZcDbDictionary::has(const wchar_t* entryName) const
{
    ZcDbObjectId id;
    return getAt(entryName, id) == Zcad::eOk;
}

bool ZcDbDictionary::has(ZcDbObjectId objId) const
{
    if (objId.isNull() || objId.isErased()) return false;
    for (const auto& entry : mEntries)
        if (entry.second == objId) return true;
    return false;
}

uint32_t ZcDbDictionary::numEntries() const
{
    uint32_t n = 0;
    for (const auto& entry : mEntries)
        if (!entry.second.isErased()) ++n;
    return n;
}

Zcad::ErrorStatus ZcDbDictionary::setAt(const wchar_t* srchKey, ZcDbObject* newValue, ZcDbObjectId& retObjId)
{
    retObjId.setNull();
    if (srchKey == nullptr || *srchKey == 0) return Zcad::eInvalidKey;
    if (newValue == nullptr) return Zcad::eNullObjectPointer;
    if (!isDatabaseResident()) return Zcad::eNotInDatabase;
    if (!isWriteEnabled()) return Zcad::eNotOpenForWrite;
    if (newValue->isDatabaseResident()) {
        if (newValue->database() != database()) return Zcad::eWrongDatabase;
        if (!newValue->ownerId().isNull() && newValue->ownerId() != objectId()) return Zcad::eAlreadyInDb;
    }
    auto it = mEntries.find(srchKey);
    if (it != mEntries.end() && it->second == newValue->objectId() && !it->second.isNull()) {
        retObjId = it->second;
        return Zcad::eOk;
    }
    ZcDbObjectId id;
    if (newValue->isDatabaseResident()) {
        platform::Db_Object_Access::setOwner(newValue, objectId());
        id = newValue->objectId();
    } else {
        Zcad::ErrorStatus es = platform::Add_Object(database(), newValue, objectId(), id);
        if (es != Zcad::eOk) return es;
    }
    assertWriteEnabled();
    if (it != mEntries.end()) {
        ZcDbObjectId old = it->second;
        mEntries.erase(it);
        ZcDbObject* oldObj = nullptr;
        if (!old.isErased() && zcdbOpenObject(oldObj, old, ZcDb::kForWrite) == Zcad::eOk) {
            oldObj->erase();
            oldObj->close();
        }
    }
    mEntries.emplace(srchKey, id);
    retObjId = id;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDictionary::remove(const wchar_t* key, ZcDbObjectId& returnId)
{
    returnId.setNull();
    if (key == nullptr) return Zcad::eInvalidKey;
    if (!isWriteEnabled()) return Zcad::eNotOpenForWrite;
    auto it = mEntries.find(key);
    if (it == mEntries.end()) return Zcad::eKeyNotFound;
    assertWriteEnabled();
    returnId = it->second;
    mEntries.erase(it);
    if (ZcDbObject* obj = platform::Peek_Object(returnId)) platform::Db_Object_Access::setOwner(obj, ZcDbObjectId());
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDictionary::remove(const wchar_t* key)
{
    ZcDbObjectId id;
    return remove(key, id);
}

Zcad::ErrorStatus ZcDbDictionary::remove(ZcDbObjectId objId)
{
    std::wstring name;
    if (nameAt(objId, name) != Zcad::eOk) return Zcad::eKeyNotFound;
    return remove(name.c_str());
}

bool ZcDbDictionary::setName(const wchar_t* oldName, const wchar_t* newName)
{
    if (oldName == nullptr || newName == nullptr || *newName == 0) return false;
    auto it = mEntries.find(oldName);
    if (it == mEntries.end()) return false;
    auto clash = mEntries.find(newName);
    if (clash != mEntries.end() && clash != it) return false;
    if (!assertWriteEnabled()) return false;
    ZcDbObjectId id = it->second;
    mEntries.erase(it);
    mEntries.emplace(newName, id);
    return true;
}

ZcDbDictionaryIterator* ZcDbDictionary::newIterator() const { return new ZcDbDictionaryIterator(this); }

Zcad::ErrorStatus ZcDbDictionary::subErase(bool erasing)
{
    // A hard-owning dictionary takes its entries with it.
    if (!mHardOwner) return Zcad::eOk;
    for (const auto& entry : mEntries) {
        ZcDbObject* obj = nullptr;
        if (zcdbOpenObject(obj, entry.second, ZcDb::kForWrite, true) == Zcad::eOk) {
            obj->erase(erasing);
            obj->close();
        }
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbDictionary::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readBool(&mHardOwner);
    int32_t drc = 0;
    f->readInt32(&drc);
    mMergeStyle = ZcDb::DuplicateRecordCloning(drc);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbDictionary::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbObject::dwgOutFields(f);
    f->writeBool(mHardOwner);
    f->writeInt32(int32_t(mMergeStyle));
    return f->filerStatus();
}

// Iterator.

ZcDbDictionaryIterator::ZcDbDictionaryIterator(const ZcDbDictionary* dict)
{
    for (const auto& [name, id] : dict->entries())
        if (!id.isErased()) mEntries.emplace_back(name, id);
}

const wchar_t* ZcDbDictionaryIterator::name() const { return done() ? nullptr : mEntries[mIndex].first.c_str(); }
ZcDbObjectId ZcDbDictionaryIterator::objectId() const { return done() ? ZcDbObjectId() : mEntries[mIndex].second; }
bool ZcDbDictionaryIterator::done() const { return mIndex >= mEntries.size(); }

bool ZcDbDictionaryIterator::next()
{
    if (done()) return false;
    ++mIndex;
    return !done();
}

Zcad::ErrorStatus ZcDbDictionaryIterator::getObject(ZcDbObject*& pObject, ZcDb::OpenMode openMode)
{
    pObject = nullptr;
    if (done()) return Zcad::eInvalidIndex;
    return zcdbOpenObject(pObject, mEntries[mIndex].second, openMode);
}

bool ZcDbDictionaryIterator::setPosition(ZcDbObjectId objId)
{
    for (size_t i = 0; i < mEntries.size(); ++i)
        if (mEntries[i].second == objId) {
            mIndex = i;
            return true;
        }
    return false;
}

// XRecords.

ZcDbXrecord::~ZcDbXrecord()
{
    if (mData) zcutRelRb(mData);
}

Zcad::ErrorStatus ZcDbXrecord::rbChain(resbuf** ppRb, ZcDbDatabase*) const
{
    if (ppRb == nullptr) return Zcad::eNullObjectPointer;
    *ppRb = zcutDuplicateChain(mData);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbXrecord::setFromRbChain(const resbuf& pRb, ZcDbDatabase*)
{
    for (const resbuf* rb = &pRb; rb; rb = rb->rbnext)
        if (!zcutIsKnownCode(rb->restype) || rb->restype == 0 || rb->restype == 5 || rb->restype == 100 ||
            rb->restype == 105 || rb->restype == -1 || rb->restype == -2)
            return Zcad::eInvalidDxfCode;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    resbuf* copy = zcutDuplicateChain(&pRb);
    if (mData) zcutRelRb(mData);
    mData = copy;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbXrecord::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbObject::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    if (mData) zcutRelRb(mData);
    mData = platform::File_In_Chain(f);
    f->readBool(&mXlateReferences);
    int32_t drc = 0;
    f->readInt32(&drc);
    mMergeStyle = ZcDb::DuplicateRecordCloning(drc);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbXrecord::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbObject::dwgOutFields(f);
    platform::File_Out_Chain(f, mData);
    f->writeBool(mXlateReferences);
    f->writeInt32(int32_t(mMergeStyle));
    return f->filerStatus();
}

// Id mapping.

Zcad::ErrorStatus ZcDbIdMapping::assign(const ZcDbIdPair& pair)
{
    if (pair.key().isNull()) return Zcad::eNullObjectId;
    mPairs[pair.key()] = pair;
    return Zcad::eOk;
}

bool ZcDbIdMapping::compute(ZcDbIdPair& pair) const
{
    auto it = mPairs.find(pair.key());
    if (it == mPairs.end()) return false;
    pair = it->second;
    return true;
}

bool ZcDbIdMapping::change(const ZcDbIdPair& pair)
{
    auto it = mPairs.find(pair.key());
    if (it == mPairs.end()) return false;
    it->second = pair;
    return true;
}

bool ZcDbIdMapping::del(ZcDbObjectId key) { return mPairs.erase(key) != 0; }
