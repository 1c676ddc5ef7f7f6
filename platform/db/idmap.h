// ZcDbIdMapping: source id -> clone id pairs made by deep cloning and wblock.
#pragma once
#include <unordered_map>

#include "db/dbmain.h"

class ZcDbIdPair {
public:
    ZcDbIdPair() = default;
    ZcDbIdPair(ZcDbObjectId key, ZcDbObjectId value, bool isCloned, bool isPrimary = false, bool isOwnerXlated = true)
        : mKey(key), mValue(value), mCloned(isCloned), mPrimary(isPrimary), mOwnerXlated(isOwnerXlated) {}
    ZcDbObjectId key() const { return mKey; }
    ZcDbObjectId value() const { return mValue; }
    bool isCloned() const { return mCloned; }
    bool isPrimary() const { return mPrimary; }
    bool isOwnerXlated() const { return mOwnerXlated; }
    void setKey(ZcDbObjectId key) { mKey = key; }
    void setValue(ZcDbObjectId value) { mValue = value; }
    void setIsCloned(bool cloned) { mCloned = cloned; }
    void setIsPrimary(bool primary) { mPrimary = primary; }
    void setIsOwnerXlated(bool xlated) { mOwnerXlated = xlated; }

private:
    ZcDbObjectId mKey;
    ZcDbObjectId mValue;
    bool mCloned = false;
    bool mPrimary = false;
    bool mOwnerXlated = true;
};

class ZcDbIdMapping {
public:
    ZcDbIdMapping() = default;
    Zcad::ErrorStatus assign(const ZcDbIdPair& pair);
    // Fills pair.value (and flags) for pair.key; false when the key is not mapped.
    bool compute(ZcDbIdPair& pair) const;
    bool change(const ZcDbIdPair& pair);
    bool del(ZcDbObjectId key);
    ZcDbDatabase* destDb() const { return mDestDb; }
    void setDestDb(ZcDbDatabase* db) { mDestDb = db; }
    ZcDbDatabase* origDb() const { return mOrigDb; }
    void setOrigDb(ZcDbDatabase* db) { mOrigDb = db; }
    ZcDb::DuplicateRecordCloning duplicateRecordCloning() const { return mDrc; }
    void setDuplicateRecordCloning(ZcDb::DuplicateRecordCloning drc) { mDrc = drc; }
    const std::unordered_map<ZcDbObjectId, ZcDbIdPair>& pairs() const { return mPairs; }

private:
    std::unordered_map<ZcDbObjectId, ZcDbIdPair> mPairs;
    ZcDbDatabase* mDestDb = nullptr;
    ZcDbDatabase* mOrigDb = nullptr;
    ZcDb::DuplicateRecordCloning mDrc = ZcDb::kDrcIgnore;
};
