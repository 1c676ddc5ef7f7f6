#include "dxf/dxf_write_context.h"

#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "rx/zcadstrc.h"

namespace platform {

DxfWriteContext::DxfWriteContext(const ZcDbDatabase* db, DxfOutput& out, DxfWarnings* warnings)
    : db_(db), out_(out), warnings_(warnings), next_handle_(std::max<uint64_t>(db->handseed().value(), 1)) {}

std::wstring DxfWriteContext::record_name(ZcDbObjectId id) {
  std::wstring name;
  ZcDbSymbolTableRecord* rec = nullptr;
  if (!id.isNull() && zcdbOpenObject(rec, id, ZcDb::kForRead) == Zcad::eOk) {
    name = rec->name();
    rec->close();
  }
  return name;
}

bool DxfWriteContext::layout_linked(ZcDbObjectId layout_id, ZcDbObjectId block_id) {
  if (layout_id.isNull() || block_id.isNull() || layout_id.isErased() || block_id.isErased()) return false;
  ZcDbObjectPointer<ZcDbLayout> layout(layout_id, ZcDb::kForRead);
  ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForRead);
  return layout.openStatus() == Zcad::eOk && block.openStatus() == Zcad::eOk &&
         layout->getBlockTableRecordId() == block_id && block->getLayoutId() == layout_id;
}

void DxfWriteContext::object_start(const char* type, const ZcDbObject* obj, uint64_t handle_override,
                                   int handle_code) {
  ++written_[type];
  out_.raw(0, type);
  out_.handle(handle_code, handle_override ? handle_override : handle(obj->objectId()));
  if (!obj->extensionDictionary().isNull()) {
    out_.raw(102, "{ACAD_XDICTIONARY");
    out_.handle(360, handle(obj->extensionDictionary()));
    out_.raw(102, "}");
  }
  out_.handle(330, handle(obj->ownerId()));
}

void DxfWriteContext::xdata(const ZcDbObject* obj) {
  resbuf* rb = obj->xData();
  if (rb) {
    chain(rb);
    zcutRelRb(rb);
  }
}

void DxfWriteContext::chain(const resbuf* rb) {
  for (; rb; rb = rb->rbnext) {
    const int code = rb->restype;
    switch (zcutGroupCodeType(code)) {
      case kRbPoint:
        out_.point(code, rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
        break;
      case kRbReal:
        out_.real(code, rb->resval.rreal);
        break;
      case kRbShort:
      case kRbBool:
        out_.integer(code, rb->resval.rint);
        break;
      case kRbLong:
        out_.integer(code, rb->resval.rlong);
        break;
      case kRbInt64:
        out_.integer(code, rb->resval.mnInt64);
        break;
      case kRbObjectId: {
        ZcDbObjectId id;
        id.setFromOldId(rb->resval.rlname[0]);
        out_.handle(code, handle(id));
        break;
      }
      case kRbBinary:
        out_.binary(code, std::string_view(rb->resval.rbinary.buf ? rb->resval.rbinary.buf : "",
                                           rb->resval.rbinary.buf ? size_t(rb->resval.rbinary.clen) : 0));
        break;
      case kRbString:
      case kRbHandle:
        out_.text(code, rb->resval.rstring ? rb->resval.rstring : L"");
        break;
      case kRbNone:
        break;
    }
  }
}

int DxfWriteContext::class_number(const std::wstring& dxf_name) const {
  for (size_t i = 0; i < classes_.size(); ++i)
    if (classes_[i].info.dxfName == dxf_name) return static_cast<int>(500 + i);
  return 0;
}

int DxfWriteContext::written(const std::string& type) const {
  const auto it = written_.find(type);
  return it == written_.end() ? 0 : it->second;
}

}  // namespace platform
