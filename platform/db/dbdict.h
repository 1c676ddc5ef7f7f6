// ZcDbDictionary: named entries pointing at objects it owns; names compared without regard to case.
#pragma once
#include <map>
#include <string>

#include "db/dbmain.h"

class ZcDbDictionaryIterator;

class ZcDbDictionary : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDictionary);
    ZcDbDictionary() = default;
    ~ZcDbDictionary() override;

    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbObject*& entryObj, ZcDb::OpenMode mode) const;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbObjectId& entryId) const;
    // The entry name of an id (copy in new wchar_t[], the caller deletes it).
    Zcad::ErrorStatus nameAt(ZcDbObjectId objId, wchar_t*& entryName) const;
    Zcad::ErrorStatus nameAt(ZcDbObjectId objId, std::wstring& entryName) const;
    bool has(const wchar_t* entryName) const;
    bool has(ZcDbObjectId objId) const;
    uint32_t numEntries() const;

    // Adds (or replaces) the entry; a new object is added to the database (it stays open for
    // write for the caller to close); the dictionary owns it. Replacing erases the old object.
    Zcad::ErrorStatus setAt(const wchar_t* srchKey, ZcDbObject* newValue, ZcDbObjectId& retObjId);
    // Removes the entry (the object stays, without owner); the id form returns the removed id.
    Zcad::ErrorStatus remove(const wchar_t* key);
    Zcad::ErrorStatus remove(const wchar_t* key, ZcDbObjectId& returnId);
    Zcad::ErrorStatus remove(ZcDbObjectId objId);
    bool setName(const wchar_t* oldName, const wchar_t* newName);

    // Entries in name order (case-insensitive); the caller deletes the iterator.
    ZcDbDictionaryIterator* newIterator() const;

    bool isHardOwner() const { return mHardOwner; }
    void setTreatElementsAsHard(bool doIt) { mHardOwner = doIt; }
    ZcDb::DuplicateRecordCloning mergeStyle() const { return mMergeStyle; }
    void setMergeStyle(ZcDb::DuplicateRecordCloning style) { mMergeStyle = style; }

    Zcad::ErrorStatus subErase(bool erasing) override;
    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

    struct Key_Less {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    using Entry_Map = std::map<std::wstring, ZcDbObjectId, Key_Less>;
    const Entry_Map& entries() const { return mEntries; }

private:
    Entry_Map mEntries;
    bool mHardOwner = false;
    ZcDb::DuplicateRecordCloning mMergeStyle = ZcDb::kDrcIgnore;
};

class ZcDbDictionaryIterator {
public:
    virtual ~ZcDbDictionaryIterator() = default;
    const wchar_t* name() const;
    Zcad::ErrorStatus getObject(ZcDbObject*& pObject, ZcDb::OpenMode openMode = ZcDb::kForRead);
    ZcDbObjectId objectId() const;
    bool done() const;
    bool next();
    bool setPosition(ZcDbObjectId objId);

private:
    friend class ZcDbDictionary;
    explicit ZcDbDictionaryIterator(const ZcDbDictionary* dict);
    std::vector<std::pair<std::wstring, ZcDbObjectId>> mEntries;
    size_t mIndex = 0;
};

// A dictionary entry that holds a result-buffer chain. Every group code and value is kept
// exactly as given (strings, reals, points, integers, handles and object ids).
class ZcDbXrecord : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbXrecord);
    ZcDbXrecord() = default;
    ~ZcDbXrecord() override;

    // A copy of the chain (the caller frees it with zcutRelRb); nullptr when empty.
    Zcad::ErrorStatus rbChain(resbuf** ppRb, ZcDbDatabase* auxDb = nullptr) const;
    // Replaces the data with a copy of the chain starting at rb.
    Zcad::ErrorStatus setFromRbChain(const resbuf& pRb, ZcDbDatabase* auxDb = nullptr);
    bool isXlateReferences() const { return mXlateReferences; }
    void setXlateReferences(bool translate) { mXlateReferences = translate; }
    ZcDb::DuplicateRecordCloning mergeStyle() const { return mMergeStyle; }
    void setMergeStyle(ZcDb::DuplicateRecordCloning style) { mMergeStyle = style; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    resbuf* mData = nullptr;
    bool mXlateReferences = true;
    ZcDb::DuplicateRecordCloning mMergeStyle = ZcDb::kDrcIgnore;
};
