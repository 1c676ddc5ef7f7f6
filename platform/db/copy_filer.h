// ZcDbCopyFiler: a binary filer that writes into a memory buffer and reads it back (used to
// clone objects and to test the filing of custom classes).
#pragma once
#include <functional>
#include <vector>

#include "db/filer.h"

class ZcDbCopyFiler : public ZcDbDwgFiler {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbCopyFiler);
    explicit ZcDbCopyFiler(ZcDb::FilerType type = ZcDb::kCopyFiler, ZcDbDatabase* db = nullptr);

    // Ids read back pass through the translation when one is set (cloning into another database).
    void setIdTranslation(std::function<ZcDbObjectId(const ZcDbObjectId&)> translate) { mTranslate = std::move(translate); }
    // Moves the read position to the start of the buffer.
    void rewind() { mPos = 0; mStatus = Zcad::eOk; }
    void clear() { mBuffer.clear(); mPos = 0; mStatus = Zcad::eOk; }
    size_t size() const { return mBuffer.size(); }
    bool atEnd() const { return mPos >= mBuffer.size(); }

    Zcad::ErrorStatus filerStatus() const override { return mStatus; }
    ZcDb::FilerType filerType() const override { return mType; }
    void setFilerStatus(Zcad::ErrorStatus status) override { mStatus = status; }
    void resetFilerStatus() override { mStatus = Zcad::eOk; }
    ZcDbDatabase* database() const override { return mDb; }

    Zcad::ErrorStatus readHardOwnershipId(ZcDbHardOwnershipId* id) override;
    Zcad::ErrorStatus writeHardOwnershipId(const ZcDbHardOwnershipId& id) override;
    Zcad::ErrorStatus readSoftOwnershipId(ZcDbSoftOwnershipId* id) override;
    Zcad::ErrorStatus writeSoftOwnershipId(const ZcDbSoftOwnershipId& id) override;
    Zcad::ErrorStatus readHardPointerId(ZcDbHardPointerId* id) override;
    Zcad::ErrorStatus writeHardPointerId(const ZcDbHardPointerId& id) override;
    Zcad::ErrorStatus readSoftPointerId(ZcDbSoftPointerId* id) override;
    Zcad::ErrorStatus writeSoftPointerId(const ZcDbSoftPointerId& id) override;
    Zcad::ErrorStatus readString(wchar_t** value) override;
    Zcad::ErrorStatus readString(std::wstring& value) override;
    Zcad::ErrorStatus writeString(const wchar_t* value) override;
    using ZcDbDwgFiler::writeString;
    Zcad::ErrorStatus readBytes(void* buffer, size_t size) override;
    Zcad::ErrorStatus writeBytes(const void* buffer, size_t size) override;
    Zcad::ErrorStatus readBool(bool* value) override;
    Zcad::ErrorStatus writeBool(bool value) override;
    Zcad::ErrorStatus readInt8(int8_t* value) override;
    Zcad::ErrorStatus writeInt8(int8_t value) override;
    Zcad::ErrorStatus readUInt8(uint8_t* value) override;
    Zcad::ErrorStatus writeUInt8(uint8_t value) override;
    Zcad::ErrorStatus readInt16(int16_t* value) override;
    Zcad::ErrorStatus writeInt16(int16_t value) override;
    Zcad::ErrorStatus readUInt16(uint16_t* value) override;
    Zcad::ErrorStatus writeUInt16(uint16_t value) override;
    Zcad::ErrorStatus readInt32(int32_t* value) override;
    Zcad::ErrorStatus writeInt32(int32_t value) override;
    Zcad::ErrorStatus readUInt32(uint32_t* value) override;
    Zcad::ErrorStatus writeUInt32(uint32_t value) override;
    Zcad::ErrorStatus readInt64(int64_t* value) override;
    Zcad::ErrorStatus writeInt64(int64_t value) override;
    Zcad::ErrorStatus readUInt64(uint64_t* value) override;
    Zcad::ErrorStatus writeUInt64(uint64_t value) override;
    Zcad::ErrorStatus readDouble(double* value) override;
    Zcad::ErrorStatus writeDouble(double value) override;
    Zcad::ErrorStatus readHandle(ZcDbHandle* value) override;
    Zcad::ErrorStatus writeHandle(const ZcDbHandle& value) override;
    Zcad::ErrorStatus readPoint2d(ZcGePoint2d* value) override;
    Zcad::ErrorStatus writePoint2d(const ZcGePoint2d& value) override;
    Zcad::ErrorStatus readPoint3d(ZcGePoint3d* value) override;
    Zcad::ErrorStatus writePoint3d(const ZcGePoint3d& value) override;
    Zcad::ErrorStatus readVector2d(ZcGeVector2d* value) override;
    Zcad::ErrorStatus writeVector2d(const ZcGeVector2d& value) override;
    Zcad::ErrorStatus readVector3d(ZcGeVector3d* value) override;
    Zcad::ErrorStatus writeVector3d(const ZcGeVector3d& value) override;
    Zcad::ErrorStatus readScale3d(ZcGeScale3d* value) override;
    Zcad::ErrorStatus writeScale3d(const ZcGeScale3d& value) override;

private:
    enum Tag : uint8_t { kTagId = 1, kTagString, kTagBytes, kTagBool, kTagInt, kTagDouble, kTagHandle };
    Zcad::ErrorStatus put(Tag tag, const void* data, size_t size);
    Zcad::ErrorStatus get(Tag tag, void* data, size_t size);
    Zcad::ErrorStatus putId(const ZcDbObjectId& id);
    Zcad::ErrorStatus getId(ZcDbObjectId* id);
    Zcad::ErrorStatus putInt(int64_t value);
    Zcad::ErrorStatus getInt(int64_t* value);
    Zcad::ErrorStatus putDoubles(const double* values, int count);
    Zcad::ErrorStatus getDoubles(double* values, int count);

    ZcDb::FilerType mType;
    ZcDbDatabase* mDb;
    std::vector<uint8_t> mBuffer;
    size_t mPos = 0;
    Zcad::ErrorStatus mStatus = Zcad::eOk;
    std::function<ZcDbObjectId(const ZcDbObjectId&)> mTranslate;
};
