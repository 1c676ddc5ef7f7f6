#include "db/dbobject.h"

#include <cwctype>
#include <cstring>

#include "db/copy_filer.h"
#include "db/db_internal.h"
#include "db/dbdict.h"
#include "db/dbsymtb.h"
#include "db/object_pool.h"
#include "rx/rxclass.h"

using platform::Db_Object_Access;

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbObject, ZcRxObject)

namespace platform {

bool Names_Equal(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i])) return false;
    return true;
}

std::wstring Upper_Name(const std::wstring& s)
{
    std::wstring u(s);
    for (wchar_t& c : u) c = wchar_t(std::towupper(c));
    return u;
}

wchar_t* Dup_String(const wchar_t* s)
{
    if (s == nullptr) s = L"";
    size_t n = std::wcslen(s);
    wchar_t* out = new wchar_t[n + 1];
    std::wmemcpy(out, s, n + 1);
    return out;
}

void File_Out_Chain(ZcDbDwgFiler* filer, const resbuf* chain)
{
    int32_t count = 0;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) ++count;
    filer->writeInt32(count);
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        filer->writeInt16(rb->restype);
        switch (zcutGroupCodeType(rb->restype)) {
        case kRbString:
        case kRbHandle: filer->writeString(rb->resval.rstring ? rb->resval.rstring : L""); break;
        case kRbReal: filer->writeDouble(rb->resval.rreal); break;
        case kRbPoint:
            for (int i = 0; i < 3; ++i) filer->writeDouble(rb->resval.rpoint[i]);
            break;
        case kRbShort:
        case kRbBool: filer->writeInt16(rb->resval.rint); break;
        case kRbLong: filer->writeInt32(rb->resval.rlong); break;
        case kRbInt64: filer->writeInt64(rb->resval.mnInt64); break;
        case kRbObjectId: {
            ZcDbObjectId id;
            id.setFromOldId(rb->resval.rlname[0]);
            filer->writeSoftPointerId(id);
            filer->writeInt64(rb->resval.rlname[1]);
            break;
        }
        case kRbBinary:
            filer->writeInt16(rb->resval.rbinary.clen);
            filer->writeBytes(rb->resval.rbinary.buf, size_t(rb->resval.rbinary.clen > 0 ? rb->resval.rbinary.clen : 0));
            break;
        default: break;
        }
    }
}

resbuf* File_In_Chain(ZcDbDwgFiler* filer)
{
    int32_t count = 0;
    if (filer->readInt32(&count) != Zcad::eOk) return nullptr;
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (int32_t i = 0; i < count; ++i) {
        int16_t type = 0;
        if (filer->readInt16(&type) != Zcad::eOk) break;
        resbuf* rb = zcutNewRb(type);
        switch (zcutGroupCodeType(type)) {
        case kRbString:
        case kRbHandle: {
            wchar_t* s = nullptr;
            filer->readString(&s);
            rb->resval.rstring = s;
            break;
        }
        case kRbReal: filer->readDouble(&rb->resval.rreal); break;
        case kRbPoint:
            for (int k = 0; k < 3; ++k) filer->readDouble(&rb->resval.rpoint[k]);
            break;
        case kRbShort:
        case kRbBool: filer->readInt16(&rb->resval.rint); break;
        case kRbLong: filer->readInt32(&rb->resval.rlong); break;
        case kRbInt64: filer->readInt64(&rb->resval.mnInt64); break;
        case kRbObjectId: {
            ZcDbSoftPointerId id;
            filer->readSoftPointerId(&id);
            rb->resval.rlname[0] = id.asOldId();
            filer->readInt64(&rb->resval.rlname[1]);
            break;
        }
        case kRbBinary: {
            int16_t len = 0;
            filer->readInt16(&len);
            rb->resval.rbinary.clen = len;
            if (len > 0) {
                rb->resval.rbinary.buf = new char[size_t(len)];
                filer->readBytes(rb->resval.rbinary.buf, size_t(len));
            }
            break;
        }
        default: break;
        }
        if (tail) tail->rbnext = rb;
        else head = rb;
        tail = rb;
    }
    return head;
}

}  // namespace platform

namespace platform {

// The state of an object when its first change of a write opening begins (what cancel() restores).
void Take_Undo_Image(ZcDbObject* obj)
{
    auto* filer = new ZcDbCopyFiler(ZcDb::kUndoFiler, obj->database());
    obj->dwgOutFields(filer);
    delete static_cast<ZcDbCopyFiler*>(Db_Object_Access::undoImage(obj));
    Db_Object_Access::setUndoImage(obj, filer);
}

void Drop_Undo_Image(ZcDbObject* obj)
{
    delete static_cast<ZcDbCopyFiler*>(Db_Object_Access::undoImage(obj));
    Db_Object_Access::setUndoImage(obj, nullptr);
}

}  // namespace platform

ZcDbObject::ZcDbObject() = default;

void* ZcDbObject::operator new(size_t size) { return platform::Allocate_Object_Memory(size); }
void ZcDbObject::operator delete(void* p, size_t size) noexcept { platform::Free_Object_Memory(p, size); }

ZcDbObject::~ZcDbObject()
{
    // An object deleted while its database still holds it leaves its id pointing at nothing
    // (instead of at freed memory).
    if (mStub && platform::Stub_Is_Live(mStub) && mStub->object == this) mStub->object = nullptr;
    if (mExtras) {
        if (mExtras->xdata) zcutRelRb(mExtras->xdata);
        delete static_cast<ZcDbCopyFiler*>(mExtras->undoImage);
        delete mExtras;
    }
}

platform::Db_Object_Extras& ZcDbObject::extras()
{
    if (mExtras == nullptr) mExtras = new platform::Db_Object_Extras();
    return *mExtras;
}

ZcDbObjectId ZcDbObject::extensionDictionary() const { return mExtras ? mExtras->extDict : ZcDbObjectId(); }

resbuf* ZcDbObject::xdataChain() const { return mExtras ? mExtras->xdata : nullptr; }

void ZcDbObject::setXDataChain(resbuf* chain)
{
    if (chain || mExtras) extras().xdata = chain;
}

ZcDbObjectId ZcDbObject::objectId() const { return ZcDbObjectId(mStub); }

Zcad::ErrorStatus ZcDbObject::setOwnerId(ZcDbObjectId ownerId)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mOwnerId = ownerId;
    return Zcad::eOk;
}

ZcDbDatabase* ZcDbObject::database() const { return mStub ? mStub->db() : nullptr; }

bool ZcDbObject::isErased() const { return mStub && mStub->erased(); }
bool ZcDbObject::isReadEnabled() const { return mStub == nullptr || mReaders > 0 || mWriter; }
bool ZcDbObject::isWriteEnabled() const { return mStub == nullptr || mWriter; }

bool ZcDbObject::assertWriteEnabled(bool, bool recordModified)
{
    if (mStub == nullptr) return true;
    if (!mWriter) return false;
    if (!mOpenedForModifyNotified) {
        mOpenedForModifyNotified = true;
        platform::Take_Undo_Image(this);
        ZcDbDatabase* db = mStub->db();
        db->data().notify([&](ZcDbDatabaseReactor* r) { r->objectOpenedForModify(db, this); });
    }
    if (recordModified) mModified = true;
    return true;
}

Zcad::ErrorStatus ZcDbObject::erase(bool erasing)
{
    if (mStub == nullptr) return Zcad::eNotInDatabase;
    if (!mWriter) return Zcad::eNotOpenForWrite;
    if (mStub->erased() == erasing) return Zcad::eOk;
    Zcad::ErrorStatus es = subErase(erasing);
    if (es != Zcad::eOk) return es;
    assertWriteEnabled();
    mStub->setErased(erasing);
    ZcDbDatabase* db = mStub->db();
    db->data().notify([&](ZcDbDatabaseReactor* r) { r->objectErased(db, this, erasing); });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::subErase(bool) { return Zcad::eOk; }
Zcad::ErrorStatus ZcDbObject::subOpen(ZcDb::OpenMode) { return Zcad::eOk; }
Zcad::ErrorStatus ZcDbObject::subClose() { return Zcad::eOk; }

namespace platform {
void End_Internal_Write(ZcDbObject* obj)
{
    Drop_Undo_Image(obj);
    ZcDbDatabase* db = obj->database();
    bool modified = Db_Object_Access::modified(obj);
    Db_Object_Access::setWriter(obj, false);
    Db_Object_Access::openedForModifyNotified(obj) = false;
    Db_Object_Access::modified(obj) = false;
    if (modified && db) db->data().notify([&](ZcDbDatabaseReactor* r) { r->objectModified(db, obj); });
}
}  // namespace platform

namespace {
bool On_Locked_Layer(const ZcDbObject* obj)
{
    const ZcDbEntity* ent = ZcDbEntity::cast(obj);
    if (ent == nullptr) return false;
    const ZcDbLayerTableRecord* layer = platform::Peek<ZcDbLayerTableRecord>(ent->layerId());
    return layer != nullptr && layer->isLocked();
}


// Ends a write opening: notifications for a modified object.
void End_Write(ZcDbObject* obj)
{
    Db_Object_Access::isNew(obj) = false;
    platform::End_Internal_Write(obj);
}
}  // namespace


Zcad::ErrorStatus ZcDbObject::upgradeOpen()
{
    if (mStub == nullptr) return Zcad::eOk;
    if (mWriter) return Zcad::eWasOpenForWrite;
    if (mReaders > 1) return Zcad::eHadMultipleReaders;
    if (mReaders == 0) return Zcad::eNotOpenForRead;
    if (On_Locked_Layer(this)) return Zcad::eOnLockedLayer;
    mReaders = 0;
    mWriter = true;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::downgradeOpen()
{
    if (mStub == nullptr) return Zcad::eOk;
    if (!mWriter) return Zcad::eNotOpenForWrite;
    End_Write(this);
    mReaders = 1;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::close()
{
    if (mStub == nullptr) return Zcad::eOk;
    if (mWriter) {
        subClose();
        End_Write(this);
        return Zcad::eOk;
    }
    if (mReaders > 0) {
        --mReaders;
        return Zcad::eOk;
    }
    return Zcad::eNotOpenForRead;
}

Zcad::ErrorStatus ZcDbObject::cancel()
{
    if (mStub == nullptr) return Zcad::eOk;
    if (mWriter) {
        if (auto* image = static_cast<ZcDbCopyFiler*>(Db_Object_Access::undoImage(this))) {
            image->rewind();
            dwgInFields(image);
        }
        mModified = false;
        mWriter = false;
        mOpenedForModifyNotified = false;
        platform::Drop_Undo_Image(this);
        return Zcad::eOk;
    }
    return close();
}

Zcad::ErrorStatus ZcDbObject::createExtensionDictionary()
{
    if (mStub == nullptr) return Zcad::eNotInDatabase;
    const ZcDbObjectId current = extensionDictionary();
    if (!current.isNull() && !current.isErased()) return Zcad::eAlreadyInDb;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    auto* dict = new ZcDbDictionary();
    dict->setTreatElementsAsHard(true);
    ZcDbObjectId id;
    Zcad::ErrorStatus es = platform::Add_Object(mStub->db(), dict, objectId(), id);
    if (es != Zcad::eOk) {
        delete dict;
        return es;
    }
    dict->close();
    extras().extDict = id;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::releaseExtensionDictionary()
{
    const ZcDbObjectId current = extensionDictionary();
    if (current.isNull()) return Zcad::eOk;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    ZcDbDictionary* dict = nullptr;
    Zcad::ErrorStatus es = zcdbOpenObject(dict, current, ZcDb::kForWrite, true);
    if (es != Zcad::eOk) return es;
    if (dict->numEntries() > 0) {
        dict->close();
        return Zcad::eNotApplicable;
    }
    if (!dict->isErased()) dict->erase();
    dict->close();
    extras().extDict.setNull();
    return Zcad::eOk;
}

namespace {
// Splits a chain into application sections (each starting at a 1001 group).
std::vector<resbuf*> Split_Sections(resbuf* chain)
{
    std::vector<resbuf*> sections;
    resbuf* rb = chain;
    while (rb) {
        resbuf* start = rb;
        resbuf* last = rb;
        rb = rb->rbnext;
        while (rb && rb->restype != 1001) {
            last = rb;
            rb = rb->rbnext;
        }
        last->rbnext = nullptr;
        sections.push_back(start);
    }
    return sections;
}

resbuf* Join_Sections(const std::vector<resbuf*>& sections)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (resbuf* s : sections) {
        if (!s) continue;
        if (tail) tail->rbnext = s;
        else head = s;
        tail = s;
        while (tail->rbnext) tail = tail->rbnext;
    }
    return head;
}

std::wstring Section_App(const resbuf* s) { return s && s->resval.rstring ? s->resval.rstring : L""; }
}  // namespace

resbuf* ZcDbObject::xData(const wchar_t* regappName) const
{
    const resbuf* chain = xdataChain();
    if (chain == nullptr) return nullptr;
    if (regappName == nullptr) return zcutDuplicateChain(chain);
    resbuf* copy = zcutDuplicateChain(chain);
    std::vector<resbuf*> sections = Split_Sections(copy);
    resbuf* found = nullptr;
    for (resbuf*& s : sections) {
        if (!found && platform::Names_Equal(Section_App(s), regappName)) {
            found = s;
        } else {
            zcutRelRb(s);
        }
        s = nullptr;
    }
    return found;
}

Zcad::ErrorStatus ZcDbObject::setXData(const resbuf* xdata)
{
    if (xdata == nullptr) return Zcad::eOk;
    if (xdata->restype != 1001 || xdata->resval.rstring == nullptr || xdata->resval.rstring[0] == 0)
        return Zcad::eInvalidInput;
    for (const resbuf* rb = xdata; rb; rb = rb->rbnext)
        if (rb->restype < 1000 && rb->restype != -3) return Zcad::eInvalidInput;
    if (ZcDbDatabase* db = database()) {
        ZcDbRegAppTable* apps = platform::Peek<ZcDbRegAppTable>(db->regAppTableId());
        for (const resbuf* rb = xdata; rb; rb = rb->rbnext)
            if (rb->restype == 1001 && (apps == nullptr || !apps->has(rb->resval.rstring))) return Zcad::eKeyNotFound;
    }
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    std::vector<resbuf*> mine = Split_Sections(xdataChain());
    setXDataChain(nullptr);
    std::vector<resbuf*> incoming = Split_Sections(zcutDuplicateChain(xdata));
    for (resbuf* s : incoming) {
        bool replaced = false;
        bool empty = s->rbnext == nullptr;
        for (resbuf*& m : mine) {
            if (m && platform::Names_Equal(Section_App(m), Section_App(s))) {
                zcutRelRb(m);
                m = empty ? nullptr : s;
                replaced = true;
                break;
            }
        }
        if (!replaced && !empty) mine.push_back(s);
        else if (empty) zcutRelRb(s);
    }
    setXDataChain(Join_Sections(mine));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbObject::dwgInFields(ZcDbDwgFiler* filer)
{
    if (mStub && !mWriter) return Zcad::eNotOpenForWrite;
    if (resbuf* old = xdataChain()) zcutRelRb(old);
    setXDataChain(platform::File_In_Chain(filer));
    return filer->filerStatus();
}

Zcad::ErrorStatus ZcDbObject::dwgOutFields(ZcDbDwgFiler* filer) const
{
    platform::File_Out_Chain(filer, xdataChain());
    return filer->filerStatus();
}

Zcad::ErrorStatus ZcDbObject::dxfInFields(ZcDbDxfFiler* filer) { return filer->filerStatus(); }
Zcad::ErrorStatus ZcDbObject::dxfOutFields(ZcDbDxfFiler* filer) const { return filer->filerStatus(); }

ZcRxObject* ZcDbObject::clone() const
{
    ZcRxClass* cls = isA();
    ZcRxObject* made = cls ? cls->create() : nullptr;
    ZcDbObject* copy = ZcDbObject::cast(made);
    if (copy == nullptr) {
        delete made;
        return nullptr;
    }
    if (copy->copyFrom(this) != Zcad::eOk) {
        delete copy;
        return nullptr;
    }
    return copy;
}

Zcad::ErrorStatus ZcDbObject::copyFrom(const ZcRxObject* other)
{
    const ZcDbObject* src = ZcDbObject::cast(other);
    if (src == nullptr || src->isA() != isA()) return Zcad::eWrongObjectType;
    if (!isWriteEnabled()) return Zcad::eNotOpenForWrite;
    ZcDbCopyFiler filer(ZcDb::kCopyFiler, src->database());
    src->dwgOutFields(&filer);
    filer.rewind();
    dwgInFields(&filer);
    return filer.filerStatus();
}

// Open and close.

Zcad::ErrorStatus zcdbOpenObject(ZcDbObject*& pObj, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased,
                                 bool openOnLockedLayer)
{
    pObj = nullptr;
    if (id.isNull()) return Zcad::eNullObjectId;
    platform::Db_Stub* stub = id.stub();
    if (!platform::Stub_Is_Live(stub) || stub->object == nullptr) return Zcad::eUnknownHandle;
    if (stub->erased() && !openErased) return Zcad::eWasErased;
    ZcDbObject* obj = stub->object;
    if (Db_Object_Access::writer(obj)) return Zcad::eWasOpenForWrite;
    if (mode == ZcDb::kForWrite) {
        if (Db_Object_Access::readers(obj) > 0) return Zcad::eWasOpenForRead;
        if (!openOnLockedLayer && On_Locked_Layer(obj)) return Zcad::eOnLockedLayer;
        Zcad::ErrorStatus es = obj->subOpen(mode);
        if (es != Zcad::eOk) return es;
        Db_Object_Access::setWriter(obj, true);
    } else {
        if (Db_Object_Access::readers(obj) >= 256) return Zcad::eAtMaxReaders;
        Zcad::ErrorStatus es = obj->subOpen(mode);
        if (es != Zcad::eOk) return es;
        ++Db_Object_Access::readers(obj);
    }
    pObj = obj;
    return Zcad::eOk;
}

Zcad::ErrorStatus zcdbOpenZcDbObject(ZcDbObject*& pObj, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased)
{
    return zcdbOpenObject(pObj, id, mode, openErased, false);
}

Zcad::ErrorStatus zcdbOpenZcDbEntity(ZcDbEntity*& pEnt, ZcDbObjectId id, ZcDb::OpenMode mode, bool openErased)
{
    return zcdbOpenObject(pEnt, id, mode, openErased, false);
}
