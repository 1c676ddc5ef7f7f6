// ENTITIES and the entities of BLOCKS: records to database entities, complex entities (INSERT
// with ATTRIBs, POLYLINE with VERTEXes) joined with their parts.
#pragma once

#include "dxf/dxf_read_context.h"

class ZcDbBlockTableRecord;
class ZcDbEntity;

namespace platform {

class DxfEntityReader {
 public:
  explicit DxfEntityReader(DxfReadContext& ctx) : ctx_(ctx) {}
  ~DxfEntityReader();
  DxfEntityReader(const DxfEntityReader&) = delete;
  DxfEntityReader& operator=(const DxfEntityReader&) = delete;

  // Entities of a block definition go to `block`; of the ENTITIES section (null block) to the
  // space their owner handle or paper-space flag names.
  void set_block(ZcDbObjectId block);
  // One entity record (a VERTEX, ATTRIB or SEQEND belongs to the complex entity before it).
  void record(const DxfRecord& record);
  // Ends a complex entity still open and releases the block being filled.
  void finish();

  // Entities of every type that became a raw proxy (for reports).
  size_t raw_count() const { return raw_count_; }

 private:
  // The entity of the record, by its type's reader (none: kept raw).
  ZcDbEntity* create(const DxfRecord& record, ZcDbEntity* (*read)(DxfReadContext&, const DxfRecord&));
  // Adds the entity under its handle to its block; `files_itself`: its class reads its own
  // groups once it is in the database.
  void append(const DxfRecord& record, ZcDbEntity* ent, bool keep_open, bool files_itself = false);
  ZcDbObjectId owner_of(const DxfRecord& record);
  void end_complex();

  DxfReadContext& ctx_;
  ZcDbObjectId block_;
  ZcDbObjectId open_block_id_;
  uint64_t owner_handle_ = 0;  // the last owner handle that named a block record, and its id
  ZcDbObjectId owner_id_;
  ZcDbBlockTableRecord* open_block_ = nullptr;
  ZcDbEntity* complex_ = nullptr;  // INSERT or POLYLINE waiting for its parts (open for write)
  size_t raw_count_ = 0;
};

}  // namespace platform
