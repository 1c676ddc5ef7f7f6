// The group-code filers through which classes that file themselves (custom entities and
// objects of plug-ins) read their DXF data and write it.
#pragma once

#include "db/filer.h"
#include "dxf/dxf_read_context.h"
#include "dxf/dxf_write_context.h"

namespace platform {

// Reads the groups of one record, from after its handle and owner to its extended data.
class DxfInFiler : public ZcDbDxfFiler {
 public:
  DxfInFiler(DxfReadContext& ctx, const DxfRecord& record);

  Zcad::ErrorStatus filerStatus() const override { return status_; }
  ZcDb::FilerType filerType() const override { return ZcDb::kFileFiler; }
  void setFilerStatus(Zcad::ErrorStatus status) override { status_ = status; }
  void resetFilerStatus() override { status_ = Zcad::eOk; }
  ZcDbDatabase* database() const override { return ctx_.db(); }

  Zcad::ErrorStatus readResBuf(resbuf* rb) override;
  void pushBackItem() override { pos_ = last_; }
  bool atEOF() override { return pos_ >= end_; }
  bool atEndOfObject() override { return pos_ >= end_; }
  bool atExtendedData() override { return false; }
  bool atSubclassData(const wchar_t* subClassName) override;

  Zcad::ErrorStatus writeResBuf(const resbuf&) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeObjectId(ZcDb::DxfCode, const ZcDbObjectId&) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeString(ZcDb::DxfCode, const wchar_t*) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeBool(ZcDb::DxfCode, bool) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeInt8(ZcDb::DxfCode, int8_t) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeInt16(ZcDb::DxfCode, int16_t) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeUInt16(ZcDb::DxfCode, uint16_t) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeInt32(ZcDb::DxfCode, int32_t) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeUInt32(ZcDb::DxfCode, uint32_t) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeInt64(ZcDb::DxfCode, int64_t) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeDouble(ZcDb::DxfCode, double, int) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeHandle(ZcDb::DxfCode, const ZcDbHandle&) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeBytes(ZcDb::DxfCode, const void*, size_t) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writePoint2d(ZcDb::DxfCode, const ZcGePoint2d&, int) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writePoint3d(ZcDb::DxfCode, const ZcGePoint3d&, int) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeVector2d(ZcDb::DxfCode, const ZcGeVector2d&, int) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeVector3d(ZcDb::DxfCode, const ZcGeVector3d&, int) override { return Zcad::eNotApplicable; }
  Zcad::ErrorStatus writeScale3d(ZcDb::DxfCode, const ZcGeScale3d&, int) override { return Zcad::eNotApplicable; }

 private:
  DxfReadContext& ctx_;
  const DxfGroup* begin_;
  size_t pos_ = 0, last_ = 0, end_ = 0;
  Zcad::ErrorStatus status_ = Zcad::eOk;
};

// Writes into the drawing's group stream.
class DxfOutFiler : public ZcDbDxfFiler {
 public:
  explicit DxfOutFiler(DxfWriteContext& ctx) : ctx_(ctx), out_(ctx.out()) {}

  Zcad::ErrorStatus filerStatus() const override { return status_; }
  ZcDb::FilerType filerType() const override { return ZcDb::kFileFiler; }
  void setFilerStatus(Zcad::ErrorStatus status) override { status_ = status; }
  void resetFilerStatus() override { status_ = Zcad::eOk; }
  ZcDbDatabase* database() const override { return const_cast<ZcDbDatabase*>(ctx_.db()); }

  Zcad::ErrorStatus readResBuf(resbuf*) override { return Zcad::eNotApplicable; }
  void pushBackItem() override {}
  bool atEOF() override { return true; }
  bool atEndOfObject() override { return true; }
  bool atExtendedData() override { return false; }
  bool atSubclassData(const wchar_t*) override { return false; }

  Zcad::ErrorStatus writeResBuf(const resbuf& rb) override;
  Zcad::ErrorStatus writeObjectId(ZcDb::DxfCode code, const ZcDbObjectId& id) override;
  Zcad::ErrorStatus writeString(ZcDb::DxfCode code, const wchar_t* value) override;
  Zcad::ErrorStatus writeBool(ZcDb::DxfCode code, bool value) override { return integer(code, value ? 1 : 0); }
  Zcad::ErrorStatus writeInt8(ZcDb::DxfCode code, int8_t value) override { return integer(code, value); }
  Zcad::ErrorStatus writeInt16(ZcDb::DxfCode code, int16_t value) override { return integer(code, value); }
  Zcad::ErrorStatus writeUInt16(ZcDb::DxfCode code, uint16_t value) override { return integer(code, value); }
  Zcad::ErrorStatus writeInt32(ZcDb::DxfCode code, int32_t value) override { return integer(code, value); }
  Zcad::ErrorStatus writeUInt32(ZcDb::DxfCode code, uint32_t value) override { return integer(code, value); }
  Zcad::ErrorStatus writeInt64(ZcDb::DxfCode code, int64_t value) override { return integer(code, value); }
  Zcad::ErrorStatus writeDouble(ZcDb::DxfCode code, double value, int) override;
  Zcad::ErrorStatus writeHandle(ZcDb::DxfCode code, const ZcDbHandle& value) override;
  Zcad::ErrorStatus writeBytes(ZcDb::DxfCode code, const void* data, size_t size) override;
  Zcad::ErrorStatus writePoint2d(ZcDb::DxfCode code, const ZcGePoint2d& value, int) override;
  Zcad::ErrorStatus writePoint3d(ZcDb::DxfCode code, const ZcGePoint3d& value, int) override;
  Zcad::ErrorStatus writeVector2d(ZcDb::DxfCode code, const ZcGeVector2d& value, int) override;
  Zcad::ErrorStatus writeVector3d(ZcDb::DxfCode code, const ZcGeVector3d& value, int) override;
  Zcad::ErrorStatus writeScale3d(ZcDb::DxfCode code, const ZcGeScale3d& value, int) override;

 private:
  Zcad::ErrorStatus integer(int code, int64_t value);
  bool valid(int code);

  DxfWriteContext& ctx_;
  DxfOutput& out_;
  Zcad::ErrorStatus status_ = Zcad::eOk;
};

}  // namespace platform
