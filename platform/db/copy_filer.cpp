#include "db/copy_filer.h"

#include <cstring>

#include "ge/ge.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbDwgFiler, ZcRxObject)
ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbDxfFiler, ZcRxObject)
ZCRX_NO_CONS_DEFINE_MEMBERS(ZcDbCopyFiler, ZcDbDwgFiler)

ZcDbCopyFiler::ZcDbCopyFiler(ZcDb::FilerType type, ZcDbDatabase* db) : mType(type), mDb(db) {}

Zcad::ErrorStatus ZcDbCopyFiler::put(Tag tag, const void* data, size_t size)
{
    mBuffer.push_back(tag);
    const auto* bytes = static_cast<const uint8_t*>(data);
    mBuffer.insert(mBuffer.end(), bytes, bytes + size);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::get(Tag tag, void* data, size_t size)
{
    if (mStatus != Zcad::eOk) return mStatus;
    if (mPos >= mBuffer.size()) return mStatus = Zcad::eEndOfFile;
    if (mBuffer[mPos] != tag || mPos + 1 + size > mBuffer.size()) return mStatus = Zcad::eFilerError;
    std::memcpy(data, &mBuffer[mPos + 1], size);
    mPos += 1 + size;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::putId(const ZcDbObjectId& id)
{
    int64_t raw = id.asOldId();
    return put(kTagId, &raw, sizeof raw);
}

Zcad::ErrorStatus ZcDbCopyFiler::getId(ZcDbObjectId* id)
{
    int64_t raw = 0;
    Zcad::ErrorStatus es = get(kTagId, &raw, sizeof raw);
    if (es != Zcad::eOk) return es;
    ZcDbObjectId read;
    read.setFromOldId(raw);
    if (mTranslate) read = mTranslate(read);
    if (id) *id = read;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::putInt(int64_t value) { return put(kTagInt, &value, sizeof value); }
Zcad::ErrorStatus ZcDbCopyFiler::getInt(int64_t* value) { return get(kTagInt, value, sizeof *value); }

Zcad::ErrorStatus ZcDbCopyFiler::putDoubles(const double* values, int count)
{
    for (int i = 0; i < count; ++i) put(kTagDouble, &values[i], sizeof(double));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::getDoubles(double* values, int count)
{
    for (int i = 0; i < count; ++i) {
        Zcad::ErrorStatus es = get(kTagDouble, &values[i], sizeof(double));
        if (es != Zcad::eOk) return es;
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::readHardOwnershipId(ZcDbHardOwnershipId* id) { return getId(id); }
Zcad::ErrorStatus ZcDbCopyFiler::writeHardOwnershipId(const ZcDbHardOwnershipId& id) { return putId(id); }
Zcad::ErrorStatus ZcDbCopyFiler::readSoftOwnershipId(ZcDbSoftOwnershipId* id) { return getId(id); }
Zcad::ErrorStatus ZcDbCopyFiler::writeSoftOwnershipId(const ZcDbSoftOwnershipId& id) { return putId(id); }
Zcad::ErrorStatus ZcDbCopyFiler::readHardPointerId(ZcDbHardPointerId* id) { return getId(id); }
Zcad::ErrorStatus ZcDbCopyFiler::writeHardPointerId(const ZcDbHardPointerId& id) { return putId(id); }
Zcad::ErrorStatus ZcDbCopyFiler::readSoftPointerId(ZcDbSoftPointerId* id) { return getId(id); }
Zcad::ErrorStatus ZcDbCopyFiler::writeSoftPointerId(const ZcDbSoftPointerId& id) { return putId(id); }

Zcad::ErrorStatus ZcDbCopyFiler::writeString(const wchar_t* value)
{
    if (value == nullptr) value = L"";
    uint64_t n = std::wcslen(value);
    mBuffer.push_back(kTagString);
    const auto* len = reinterpret_cast<const uint8_t*>(&n);
    mBuffer.insert(mBuffer.end(), len, len + sizeof n);
    const auto* chars = reinterpret_cast<const uint8_t*>(value);
    mBuffer.insert(mBuffer.end(), chars, chars + n * sizeof(wchar_t));
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::readString(std::wstring& value)
{
    if (mStatus != Zcad::eOk) return mStatus;
    if (mPos >= mBuffer.size()) return mStatus = Zcad::eEndOfFile;
    uint64_t n = 0;
    if (mBuffer[mPos] != kTagString || mPos + 1 + sizeof n > mBuffer.size()) return mStatus = Zcad::eFilerError;
    std::memcpy(&n, &mBuffer[mPos + 1], sizeof n);
    size_t start = mPos + 1 + sizeof n;
    if (start + n * sizeof(wchar_t) > mBuffer.size()) return mStatus = Zcad::eFilerError;
    value.assign(n, L'\0');
    if (n) std::memcpy(value.data(), &mBuffer[start], n * sizeof(wchar_t));
    mPos = start + n * sizeof(wchar_t);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::readString(wchar_t** value)
{
    std::wstring s;
    Zcad::ErrorStatus es = readString(s);
    if (value) {
        *value = nullptr;
        if (es == Zcad::eOk) {
            *value = new wchar_t[s.size() + 1];
            std::wmemcpy(*value, s.c_str(), s.size() + 1);
        }
    }
    return es;
}

Zcad::ErrorStatus ZcDbCopyFiler::writeBytes(const void* buffer, size_t size)
{
    uint64_t n = size;
    mBuffer.push_back(kTagBytes);
    const auto* len = reinterpret_cast<const uint8_t*>(&n);
    mBuffer.insert(mBuffer.end(), len, len + sizeof n);
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    if (size) mBuffer.insert(mBuffer.end(), bytes, bytes + size);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::readBytes(void* buffer, size_t size)
{
    if (mStatus != Zcad::eOk) return mStatus;
    if (mPos >= mBuffer.size()) return mStatus = Zcad::eEndOfFile;
    uint64_t n = 0;
    if (mBuffer[mPos] != kTagBytes || mPos + 1 + sizeof n > mBuffer.size()) return mStatus = Zcad::eFilerError;
    std::memcpy(&n, &mBuffer[mPos + 1], sizeof n);
    size_t start = mPos + 1 + sizeof n;
    if (n != size || start + n > mBuffer.size()) return mStatus = Zcad::eFilerError;
    if (n) std::memcpy(buffer, &mBuffer[start], n);
    mPos = start + n;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbCopyFiler::writeBool(bool value)
{
    uint8_t v = value ? 1 : 0;
    return put(kTagBool, &v, 1);
}
Zcad::ErrorStatus ZcDbCopyFiler::readBool(bool* value)
{
    uint8_t v = 0;
    Zcad::ErrorStatus es = get(kTagBool, &v, 1);
    if (es == Zcad::eOk && value) *value = v != 0;
    return es;
}

#define ZC_COPY_FILER_INT(NAME, TYPE)                                  \
    Zcad::ErrorStatus ZcDbCopyFiler::write##NAME(TYPE value)           \
    {                                                                  \
        return putInt(int64_t(value));                                 \
    }                                                                  \
    Zcad::ErrorStatus ZcDbCopyFiler::read##NAME(TYPE* value)           \
    {                                                                  \
        int64_t v = 0;                                                 \
        Zcad::ErrorStatus es = getInt(&v);                             \
        if (es == Zcad::eOk && value) *value = TYPE(v);                \
        return es;                                                     \
    }
ZC_COPY_FILER_INT(Int8, int8_t)
ZC_COPY_FILER_INT(UInt8, uint8_t)
ZC_COPY_FILER_INT(Int16, int16_t)
ZC_COPY_FILER_INT(UInt16, uint16_t)
ZC_COPY_FILER_INT(Int32, int32_t)
ZC_COPY_FILER_INT(UInt32, uint32_t)
ZC_COPY_FILER_INT(Int64, int64_t)
ZC_COPY_FILER_INT(UInt64, uint64_t)
#undef ZC_COPY_FILER_INT

Zcad::ErrorStatus ZcDbCopyFiler::writeDouble(double value) { return putDoubles(&value, 1); }
Zcad::ErrorStatus ZcDbCopyFiler::readDouble(double* value)
{
    double v = 0.0;
    Zcad::ErrorStatus es = getDoubles(&v, 1);
    if (es == Zcad::eOk && value) *value = v;
    return es;
}

Zcad::ErrorStatus ZcDbCopyFiler::writeHandle(const ZcDbHandle& value)
{
    uint64_t v = value.value();
    return put(kTagHandle, &v, sizeof v);
}
Zcad::ErrorStatus ZcDbCopyFiler::readHandle(ZcDbHandle* value)
{
    uint64_t v = 0;
    Zcad::ErrorStatus es = get(kTagHandle, &v, sizeof v);
    if (es == Zcad::eOk && value) *value = ZcDbHandle(v);
    return es;
}

Zcad::ErrorStatus ZcDbCopyFiler::writePoint2d(const ZcGePoint2d& p)
{
    double v[2] = {p.x, p.y};
    return putDoubles(v, 2);
}
Zcad::ErrorStatus ZcDbCopyFiler::readPoint2d(ZcGePoint2d* p)
{
    double v[2] = {0, 0};
    Zcad::ErrorStatus es = getDoubles(v, 2);
    if (es == Zcad::eOk && p) p->set(v[0], v[1]);
    return es;
}
Zcad::ErrorStatus ZcDbCopyFiler::writePoint3d(const ZcGePoint3d& p)
{
    double v[3] = {p.x, p.y, p.z};
    return putDoubles(v, 3);
}
Zcad::ErrorStatus ZcDbCopyFiler::readPoint3d(ZcGePoint3d* p)
{
    double v[3] = {0, 0, 0};
    Zcad::ErrorStatus es = getDoubles(v, 3);
    if (es == Zcad::eOk && p) p->set(v[0], v[1], v[2]);
    return es;
}
Zcad::ErrorStatus ZcDbCopyFiler::writeVector2d(const ZcGeVector2d& p)
{
    double v[2] = {p.x, p.y};
    return putDoubles(v, 2);
}
Zcad::ErrorStatus ZcDbCopyFiler::readVector2d(ZcGeVector2d* p)
{
    double v[2] = {0, 0};
    Zcad::ErrorStatus es = getDoubles(v, 2);
    if (es == Zcad::eOk && p) p->set(v[0], v[1]);
    return es;
}
Zcad::ErrorStatus ZcDbCopyFiler::writeVector3d(const ZcGeVector3d& p)
{
    double v[3] = {p.x, p.y, p.z};
    return putDoubles(v, 3);
}
Zcad::ErrorStatus ZcDbCopyFiler::readVector3d(ZcGeVector3d* p)
{
    double v[3] = {0, 0, 0};
    Zcad::ErrorStatus es = getDoubles(v, 3);
    if (es == Zcad::eOk && p) p->set(v[0], v[1], v[2]);
    return es;
}
Zcad::ErrorStatus ZcDbCopyFiler::writeScale3d(const ZcGeScale3d& s)
{
    double v[3] = {s.sx, s.sy, s.sz};
    return putDoubles(v, 3);
}
Zcad::ErrorStatus ZcDbCopyFiler::readScale3d(ZcGeScale3d* s)
{
    double v[3] = {1, 1, 1};
    Zcad::ErrorStatus es = getDoubles(v, 3);
    if (es == Zcad::eOk && s) s->set(v[0], v[1], v[2]);
    return es;
}
