// ZcDbObject: the root of everything a drawing database holds.
#pragma once
#include "db/dbid.h"
#include "db/filer.h"
#include "db/zcdb.h"
#include "rx/rxclass.h"
#include "rx/rxobject.h"
#include "rx/zcadstrc.h"

struct resbuf;

namespace platform {
struct Db_Object_Extras;
}

class ZcDbObject : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbObject);
    ZcDbObject();
    ~ZcDbObject() override;
    ZcDbObject(const ZcDbObject&) = delete;
    ZcDbObject& operator=(const ZcDbObject&) = delete;

    // Objects are made in the database layer's pool of memory.
    static void* operator new(size_t size);
    static void operator delete(void* p, size_t size) noexcept;
    static void* operator new(size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}

    ZcDbObjectId objectId() const;
    ZcDbObjectId ownerId() const { return mOwnerId; }
    virtual Zcad::ErrorStatus setOwnerId(ZcDbObjectId ownerId);
    ZcDbDatabase* database() const;
    ZcDbHandle handle() const { return objectId().handle(); }
    void getZcDbHandle(ZcDbHandle& handle) const { handle = objectId().handle(); }

    // Open state. An object that is not in a database belongs to its creator and is writable.
    bool isErased() const;
    bool isReadEnabled() const;
    bool isWriteEnabled() const;
    bool isNotifyEnabled() const { return false; }
    bool isNotifying() const { return false; }
    bool isNewObject() const { return mNew; }
    bool isModified() const { return mModified; }
    bool isDatabaseResident() const { return mStub != nullptr; }

    // erase(true) erases, erase(false) brings an erased object back; both need write access.
    Zcad::ErrorStatus erase(bool erasing = true);
    Zcad::ErrorStatus upgradeOpen();
    Zcad::ErrorStatus downgradeOpen();
    // Ends this opening: write openings commit and notify, read openings release a reader.
    // On an object not in a database it does nothing (the creator deletes or adds it).
    Zcad::ErrorStatus close();
    // Like close, but a write opening is rolled back to the state it was opened with.
    Zcad::ErrorStatus cancel();

    // Checks used by setters: false (no change allowed) when not open for write.
    bool assertWriteEnabled(bool autoUndo = true, bool recordModified = true);
    void assertReadEnabled() const {}
    void disableUndoRecording(bool disable) { mUndoDisabled = disable; }
    bool undoRecordingDisabled() const { return mUndoDisabled; }

    // Extension dictionary: created on demand, owned by this object.
    Zcad::ErrorStatus createExtensionDictionary();
    ZcDbObjectId extensionDictionary() const;
    // Erases the extension dictionary; refused (eContainerNotEmpty-like eInvalidInput) when it holds entries.
    Zcad::ErrorStatus releaseExtensionDictionary();

    // Extended data: chain of 1001 application sections. xData returns a copy (the caller frees
    // it with zcutRelRb); with an application name only that section. setXData replaces the
    // sections of the applications named in the chain; a section of a 1001 alone removes it.
    virtual resbuf* xData(const wchar_t* regappName = nullptr) const;
    virtual Zcad::ErrorStatus setXData(const resbuf* xdata);

    // Filing. The base classes file their own fields; derived classes call their parent first.
    virtual Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer);
    virtual Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const;
    virtual Zcad::ErrorStatus dxfInFields(ZcDbDxfFiler* filer);
    virtual Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* filer) const;

    // A copy of the object (same class, fields filed through a copy filer), not in a database.
    ZcRxObject* clone() const override;
    Zcad::ErrorStatus copyFrom(const ZcRxObject* other) override;

    // Hooks of derived classes.
    virtual Zcad::ErrorStatus subErase(bool erasing);
    virtual Zcad::ErrorStatus subOpen(ZcDb::OpenMode mode);
    virtual Zcad::ErrorStatus subClose();

protected:
    // Called when the object joins a database (after it got its id).
    virtual void addedToDatabase(ZcDbDatabase* db) {}

private:
    friend struct platform::Db_Stub;
    friend class platform::Db_Object_Access;
    platform::Db_Object_Extras& extras();
    resbuf* xdataChain() const;
    void setXDataChain(resbuf* chain);

    platform::Db_Stub* mStub = nullptr;
    ZcDbObjectId mOwnerId;
    platform::Db_Object_Extras* mExtras = nullptr;  // made when first needed
    uint16_t mReaders = 0;
    bool mWriter = false;
    bool mNew = true;
    bool mModified = false;
    bool mOpenedForModifyNotified = false;
    bool mUndoDisabled = false;
};
