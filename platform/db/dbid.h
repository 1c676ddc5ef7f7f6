// Object ids and handles of the drawing database.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "rx/zcarray.h"

class ZcDbDatabase;
class ZcDbObject;
class ZcRxClass;

namespace platform {
struct Db_Stub;
class Db_Object_Access;
}

// 64-bit handle, unique within its database; shown as upper-case hexadecimal text.
class ZcDbHandle {
public:
    ZcDbHandle() = default;
    ZcDbHandle(uint64_t value) : mValue(value) {}
    // Parses hexadecimal text; invalid text gives the null handle.
    explicit ZcDbHandle(const wchar_t* hexText);

    bool isNull() const { return mValue == 0; }
    void setNull() { mValue = 0; }
    uint64_t value() const { return mValue; }
    operator uint64_t() const { return mValue; }
    uint32_t low() const { return uint32_t(mValue); }
    uint32_t high() const { return uint32_t(mValue >> 32); }

    // Hexadecimal text without leading zeros ("0" for the null handle); buffer of len characters.
    bool getIntoAsciiBuffer(wchar_t* buffer, size_t len) const;
    ZcDbHandle& operator++() { ++mValue; return *this; }
    ZcDbHandle operator++(int) { ZcDbHandle old(*this); ++mValue; return old; }
    ZcDbHandle operator+(const ZcDbHandle& o) const { return ZcDbHandle(mValue + o.mValue); }

    bool operator==(const ZcDbHandle& o) const { return mValue == o.mValue; }
    bool operator!=(const ZcDbHandle& o) const { return mValue != o.mValue; }
    bool operator<(const ZcDbHandle& o) const { return mValue < o.mValue; }
    bool operator>(const ZcDbHandle& o) const { return mValue > o.mValue; }

private:
    uint64_t mValue = 0;
};

// Names an object of a database: a pointer to the object's stub, which its database owns.
class ZcDbObjectId {
public:
    ZcDbObjectId() = default;
    explicit ZcDbObjectId(platform::Db_Stub* stub) : mStub(stub) {}

    static const ZcDbObjectId kNull;

    bool isNull() const { return mStub == nullptr; }
    void setNull() { mStub = nullptr; }
    // Names an object that exists (has been added and not deleted with its database).
    bool isValid() const;
    bool isErased() const;
    bool isResident() const { return isValid(); }
    bool isEffectivelyErased() const { return isErased(); }
    ZcDbHandle handle() const;
    ZcDbDatabase* database() const;
    ZcDbDatabase* originalDatabase() const { return database(); }
    // The runtime class of the object (nullptr for a null or dangling id).
    ZcRxClass* objectClass() const;

    // The id as an integer (the stub address) and back: ads_name values use it.
    int64_t asOldId() const { return int64_t(reinterpret_cast<intptr_t>(mStub)); }
    ZcDbObjectId& setFromOldId(int64_t oldId)
    {
        mStub = reinterpret_cast<platform::Db_Stub*>(intptr_t(oldId));
        return *this;
    }

    bool operator==(const ZcDbObjectId& o) const { return mStub == o.mStub; }
    bool operator!=(const ZcDbObjectId& o) const { return mStub != o.mStub; }
    bool operator<(const ZcDbObjectId& o) const { return std::less<const void*>()(mStub, o.mStub); }
    bool operator>(const ZcDbObjectId& o) const { return o < *this; }
    bool operator<=(const ZcDbObjectId& o) const { return !(o < *this); }
    bool operator>=(const ZcDbObjectId& o) const { return !(*this < o); }

    platform::Db_Stub* stub() const { return mStub; }

private:
    platform::Db_Stub* mStub = nullptr;
};

// Reference kinds used by filers; they carry the same id.
class ZcDbHardOwnershipId : public ZcDbObjectId {
public:
    ZcDbHardOwnershipId() = default;
    ZcDbHardOwnershipId(const ZcDbObjectId& id) : ZcDbObjectId(id) {}
};
class ZcDbSoftOwnershipId : public ZcDbObjectId {
public:
    ZcDbSoftOwnershipId() = default;
    ZcDbSoftOwnershipId(const ZcDbObjectId& id) : ZcDbObjectId(id) {}
};
class ZcDbHardPointerId : public ZcDbObjectId {
public:
    ZcDbHardPointerId() = default;
    ZcDbHardPointerId(const ZcDbObjectId& id) : ZcDbObjectId(id) {}
};
class ZcDbSoftPointerId : public ZcDbObjectId {
public:
    ZcDbSoftPointerId() = default;
    ZcDbSoftPointerId(const ZcDbObjectId& id) : ZcDbObjectId(id) {}
};

using ZcDbObjectIdArray = ZcArray<ZcDbObjectId>;
using ZcDbIntArray = ZcArray<int>;
using ZcDbVoidPtrArray = ZcArray<void*>;

template <>
struct std::hash<ZcDbObjectId> {
    size_t operator()(const ZcDbObjectId& id) const noexcept { return std::hash<const void*>()(id.stub()); }
};
template <>
struct std::hash<ZcDbHandle> {
    size_t operator()(const ZcDbHandle& h) const noexcept { return std::hash<uint64_t>()(h.value()); }
};
