// The drawing database: ids, objects, entities, the database and the open/close functions.
#pragma once
#include "db/dbdatabase.h"
#include "db/dbentity.h"
#include "db/dbid.h"
#include "db/dbobject.h"
#include "db/dbreactor.h"
#include "db/zcdb.h"

// Opens the object of id. Statuses: eNullObjectId, eUnknownHandle (id of a dangling stub or a
// placeholder), eWasErased (erased and not openErased), eWasOpenForWrite (already open for
// write), eWasOpenForRead (write asked while readers hold it), eOnLockedLayer (an entity on a
// locked layer opened for write, unless openOnLockedLayer).
Zcad::ErrorStatus zcdbOpenObject(ZcDbObject*& pObj, ZcDbObjectId id, ZcDb::OpenMode mode,
                                 bool openErased = false, bool openOnLockedLayer = false);
Zcad::ErrorStatus zcdbOpenZcDbObject(ZcDbObject*& pObj, ZcDbObjectId id, ZcDb::OpenMode mode,
                                     bool openErased = false);
Zcad::ErrorStatus zcdbOpenZcDbEntity(ZcDbEntity*& pEnt, ZcDbObjectId id, ZcDb::OpenMode mode,
                                     bool openErased = false);

// Opens and checks the class: eNotThatKindOfClass (nothing stays open) when the object is not a T.
template <class T>
Zcad::ErrorStatus zcdbOpenObject(T*& pObj, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased = false,
                                 bool openOnLockedLayer = false)
{
    pObj = nullptr;
    ZcDbObject* obj = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(obj, id, mode, openErased, openOnLockedLayer);
    if (es != Zcad::eOk) return es;
    T* typed = T::cast(obj);
    if (typed == nullptr) {
        obj->close();
        return Zcad::eNotThatKindOfClass;
    }
    pObj = typed;
    return Zcad::eOk;
}

// Opens an object for the life of the pointer and closes it on destruction.
template <class T>
class ZcDbObjectPointer {
public:
    ZcDbObjectPointer() = default;
    ZcDbObjectPointer(ZcDbObjectId id, ZcDb::OpenMode mode = ZcDb::kForRead, bool openErased = false,
                      bool openOnLockedLayer = false)
    {
        open(id, mode, openErased, openOnLockedLayer);
    }
    // Takes a new object (not yet in a database) to own.
    explicit ZcDbObjectPointer(T* newObject) : mObj(newObject), mStatus(Zcad::eOk) {}
    ~ZcDbObjectPointer() { release(); }
    ZcDbObjectPointer(const ZcDbObjectPointer&) = delete;
    ZcDbObjectPointer& operator=(const ZcDbObjectPointer&) = delete;

    Zcad::ErrorStatus open(ZcDbObjectId id, ZcDb::OpenMode mode = ZcDb::kForRead, bool openErased = false,
                           bool openOnLockedLayer = false)
    {
        release();
        mStatus = zcdbOpenObject(mObj, id, mode, openErased, openOnLockedLayer);
        return mStatus;
    }
    Zcad::ErrorStatus openStatus() const { return mStatus; }
    T* object() const { return mObj; }
    T* operator->() const { return mObj; }
    operator T*() const { return mObj; }
    Zcad::ErrorStatus close()
    {
        if (mObj == nullptr) return Zcad::eNullObjectPointer;
        Zcad::ErrorStatus es = Zcad::eOk;
        if (mObj->isDatabaseResident()) es = mObj->close();
        else delete mObj;
        mObj = nullptr;
        mStatus = Zcad::eNullObjectPointer;
        return es;
    }
    // Gives up the object without closing it.
    Zcad::ErrorStatus release(T*& pObj)
    {
        pObj = mObj;
        mObj = nullptr;
        mStatus = Zcad::eNullObjectPointer;
        return Zcad::eOk;
    }
    // Takes over another object: a new one, or one already open.
    Zcad::ErrorStatus acquire(T*& pObj)
    {
        release();
        mObj = pObj;
        pObj = nullptr;
        mStatus = mObj ? Zcad::eOk : Zcad::eNullObjectPointer;
        return mStatus;
    }
    Zcad::ErrorStatus create()
    {
        release();
        mObj = new T();
        mStatus = Zcad::eOk;
        return mStatus;
    }

private:
    void release()
    {
        if (mObj != nullptr) close();
    }
    T* mObj = nullptr;
    Zcad::ErrorStatus mStatus = Zcad::eNullObjectPointer;
};

template <class T>
using ZcDbSmartObjectPointer = ZcDbObjectPointer<T>;
using ZcDbEntityPointer = ZcDbObjectPointer<ZcDbEntity>;
