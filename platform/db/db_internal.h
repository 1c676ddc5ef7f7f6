// Internal state of databases and objects, shared by the sources of the database layer.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/db_classes.h"
#include "db/dbmain.h"
#include "db/dbobjiter.h"
#include "db/handle_map.h"
#include "db/stub_pool.h"

namespace platform {

// True while the stub belongs to a living database (any pointer may be asked).
inline bool Stub_Is_Live(const Db_Stub* stub)
{
    return stub != nullptr && Stub_Slot(stub) && stub->db() != nullptr && !stub->handle.isNull();
}

// Handles stop below this value, so the handle seed (one past the highest handle) never wraps.
constexpr uint64_t kHandleLimit = UINT64_MAX;

struct Db_Data {
    ZcDbDatabase* self = nullptr;
    Stub_Pool stubs;
    Handle_Map byHandle{stubs};
    uint64_t handseed = 1;
    uint64_t maxHandle = 0;  // the highest handle with a stub

    ZcDbObjectId blockTable, layerTable, textStyleTable, linetypeTable, viewportTable, regAppTable, dimStyleTable, nod;

    ZcDbObjectId clayer, textstyle, celtype;
    ZcCmColor cecolor;
    ZcDb::LineWeight celweight = ZcDb::kLnWtByLayer;
    bool tilemode = true;
    int16_t cvport = 2;
    ZcDb::UnitsValue insunits = ZcDb::kUnitsMillimeters;
    double ltscale = 1.0, celtscale = 1.0, textsize = 2.5, pdsize = 0.0;
    bool psltscale = true, lwdisplay = false;
    int16_t pdmode = 0;
    ZcDb::MeasurementValue measurement = ZcDb::kMetric;
    ZcGePoint3d insbase;
    ZcGePoint3d extmin{1e20, 1e20, 1e20}, extmax{-1e20, -1e20, -1e20};
    ZcGePoint3d pextmin{1e20, 1e20, 1e20}, pextmax{-1e20, -1e20, -1e20};
    ZcGePoint2d limmin{0.0, 0.0}, limmax{420.0, 297.0};
    std::wstring codepage = L"ANSI_936";
    std::wstring filename;
    std::vector<ZcDbDatabaseReactor*> reactors;

    Db_Stub* newStub(uint64_t handle);
    Db_Stub* stubOf(uint64_t handle) const { return byHandle.find(handle); }
    // Room for count objects without growing the tables.
    void reserve(size_t count);
    void deleteAll();

    template <class F>
    void notify(F f) const
    {
        std::vector<ZcDbDatabaseReactor*> copy = reactors;
        for (ZcDbDatabaseReactor* r : copy) f(r);
    }
};

// What few objects carry, kept apart so that every object is smaller.
struct Db_Object_Extras {
    ZcDbObjectId extDict;
    resbuf* xdata = nullptr;
    void* undoImage = nullptr;  // filed state at write opening, for cancel()
};

// Private state of objects for the database layer's own code.
class Db_Object_Access {
public:
    static void attach(ZcDbObject* obj, Db_Stub* stub) { obj->mStub = stub; }
    static Db_Stub* stub(const ZcDbObject* obj) { return obj->mStub; }
    static void setOwner(ZcDbObject* obj, ZcDbObjectId owner) { obj->mOwnerId = owner; }
    static void setWriter(ZcDbObject* obj, bool w) { obj->mWriter = w; }
    static bool writer(const ZcDbObject* obj) { return obj->mWriter; }
    static uint16_t& readers(ZcDbObject* obj) { return obj->mReaders; }
    static void added(ZcDbObject* obj, ZcDbDatabase* db) { obj->addedToDatabase(db); }
    static void setExtDict(ZcDbObject* obj, ZcDbObjectId id)
    {
        if (!id.isNull() || obj->mExtras) obj->extras().extDict = id;
    }
    static bool& openedForModifyNotified(ZcDbObject* obj) { return obj->mOpenedForModifyNotified; }
    static void* undoImage(const ZcDbObject* obj) { return obj->mExtras ? obj->mExtras->undoImage : nullptr; }
    static void setUndoImage(ZcDbObject* obj, void* image)
    {
        if (image || obj->mExtras) obj->extras().undoImage = image;
    }
    static bool& modified(ZcDbObject* obj) { return obj->mModified; }
    static bool& isNew(ZcDbObject* obj) { return obj->mNew; }
};

// Ends an internal write: notifications as for a closed write opening.
void End_Internal_Write(ZcDbObject* obj);

// Makes an object writable for the database's own changes while the scope lasts.
class Internal_Write_Scope {
public:
    explicit Internal_Write_Scope(ZcDbObject* obj) : mObj(obj)
    {
        if (mObj && mObj->isDatabaseResident() && !Db_Object_Access::writer(mObj)) {
            Db_Object_Access::setWriter(mObj, true);
            mSet = true;
        }
    }
    ~Internal_Write_Scope() { if (mSet) End_Internal_Write(mObj); }
    Internal_Write_Scope(const Internal_Write_Scope&) = delete;
    Internal_Write_Scope& operator=(const Internal_Write_Scope&) = delete;

private:
    ZcDbObject* mObj;
    bool mSet = false;
};

// The object of an id without opening it (nullptr for null, dangling or placeholder ids).
ZcDbObject* Peek_Object(ZcDbObjectId id);
template <class T>
T* Peek(ZcDbObjectId id)
{
    return T::cast(Peek_Object(id));
}

// Adds a new object to a database with the next handle; it stays open for write.
Zcad::ErrorStatus Add_Object(ZcDbDatabase* db, ZcDbObject* obj, ZcDbObjectId owner, ZcDbObjectId& outId);

// An iterator over owned sub-entities: those in the database by id, then those still held by
// an owner that is not in a database.
template <class T>
ZcDbObjectIterator* New_Subent_Iterator(const std::vector<ZcDbObjectId>& ids, const std::vector<T*>& pending)
{
    std::vector<ZcDbObjectId> all = ids;
    std::vector<ZcDbEntity*> objects(ids.size(), nullptr);
    for (T* p : pending) {
        all.push_back(ZcDbObjectId());
        objects.push_back(p);
    }
    return new ZcDbObjectIterator(all, objects);
}

// Case-insensitive comparison of names (the host compares symbol names this way).
bool Names_Equal(const std::wstring& a, const std::wstring& b);
std::wstring Upper_Name(const std::wstring& s);
// Copy into new wchar_t[].
wchar_t* Dup_String(const wchar_t* s);

// Filing of result-buffer chains (xdata, xrecords).
void File_Out_Chain(ZcDbDwgFiler* filer, const resbuf* chain);
resbuf* File_In_Chain(ZcDbDwgFiler* filer);

// Filing of colours.
void File_Out_Color(ZcDbDwgFiler* filer, const ZcCmColor& color);
void File_In_Color(ZcDbDwgFiler* filer, ZcCmColor& color);

}  // namespace platform
