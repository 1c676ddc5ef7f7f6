#include "dxf/dxf_filer.h"

#include <cstring>

#include "dxf/dxf_group_codes.h"
#include "ge/ge.h"
#include "rx/zcadstrc.h"

namespace platform {

DxfInFiler::DxfInFiler(DxfReadContext& ctx, const DxfRecord& record) : ctx_(ctx), begin_(record.groups.data()) {
  end_ = record.data_end;
  // The handle and owner groups before the first subclass are the reader's.
  while (pos_ < end_ && begin_[pos_].code != 100 && (begin_[pos_].code == 5 || begin_[pos_].code == 330)) ++pos_;
}

bool DxfInFiler::atSubclassData(const wchar_t* name) {
  if (pos_ >= end_ || begin_[pos_].code != 100 || name == nullptr) return false;
  if (ctx_.wide(begin_[pos_].trimmed()) != name) return false;
  last_ = pos_++;
  return true;
}

Zcad::ErrorStatus DxfInFiler::readResBuf(resbuf* rb) {
  if (rb == nullptr) return Zcad::eNullObjectPointer;
  if (pos_ >= end_) return Zcad::eEndOfFile;
  last_ = pos_;
  // One group, or the three groups of a point (a value that does not fit is a warning of the
  // read and reads as 0).
  size_t n = 1;
  const ZcRbValueKind kind = zcutGroupCodeType(begin_[pos_].code);
  if (kind == kRbPoint) {
    while (n < 3 && pos_ + n < end_ && begin_[pos_ + n].code == begin_[pos_].code + 10 * static_cast<int>(n)) ++n;
  }
  resbuf* chain = ctx_.to_chain(DxfSpan(begin_ + pos_, begin_ + pos_ + n));
  pos_ += n;
  if (chain == nullptr) return Zcad::eInvalidDxfCode;
  *rb = *chain;
  rb->rbnext = nullptr;
  // The value's storage now belongs to rb.
  chain->resval.rstring = nullptr;
  chain->resval.rbinary.buf = nullptr;
  std::memset(&chain->resval, 0, sizeof chain->resval);
  zcutRelRb(chain);
  return Zcad::eOk;
}

bool DxfOutFiler::valid(int code) {
  if (code < 0 || code > kDxfMaxGroupCode) {
    status_ = Zcad::eInvalidDxfCode;
    return false;
  }
  return true;
}

Zcad::ErrorStatus DxfOutFiler::integer(int code, int64_t value) {
  if (!valid(code)) return status_;
  out_.integer(code, value);
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeResBuf(const resbuf& rb) {
  if (!valid(rb.restype)) return status_;
  resbuf copy = rb;
  copy.rbnext = nullptr;
  ctx_.chain(&copy);
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeObjectId(ZcDb::DxfCode code, const ZcDbObjectId& id) {
  if (!valid(code)) return status_;
  out_.handle(code, DxfWriteContext::handle(id));
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeString(ZcDb::DxfCode code, const wchar_t* value) {
  if (!valid(code)) return status_;
  out_.text(code, value ? value : L"");
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeDouble(ZcDb::DxfCode code, double value, int) {
  if (!valid(code)) return status_;
  out_.real(code, value);
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeHandle(ZcDb::DxfCode code, const ZcDbHandle& value) {
  if (!valid(code)) return status_;
  out_.handle(code, value.value());
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeBytes(ZcDb::DxfCode code, const void* data, size_t size) {
  if (!valid(code)) return status_;
  out_.binary(code, std::string_view(static_cast<const char*>(data), data ? size : 0));
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writePoint2d(ZcDb::DxfCode code, const ZcGePoint2d& v, int) {
  if (!valid(code)) return status_;
  out_.point2d(code, v.x, v.y);
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writePoint3d(ZcDb::DxfCode code, const ZcGePoint3d& v, int) {
  if (!valid(code)) return status_;
  out_.point(code, v.x, v.y, v.z);
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeVector2d(ZcDb::DxfCode code, const ZcGeVector2d& v, int) {
  if (!valid(code)) return status_;
  out_.point2d(code, v.x, v.y);
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeVector3d(ZcDb::DxfCode code, const ZcGeVector3d& v, int) {
  if (!valid(code)) return status_;
  out_.point(code, v.x, v.y, v.z);
  return Zcad::eOk;
}

Zcad::ErrorStatus DxfOutFiler::writeScale3d(ZcDb::DxfCode code, const ZcGeScale3d& v, int) {
  if (!valid(code)) return status_;
  out_.point(code, v.sx, v.sy, v.sz);
  return Zcad::eOk;
}

}  // namespace platform
