// TABLES: the symbol tables and their records.
#pragma once

#include "dxf/dxf_read_context.h"

namespace platform {

class DxfTableReader {
 public:
  explicit DxfTableReader(DxfReadContext& ctx) : ctx_(ctx) {}
  void record(const DxfRecord& record);

 private:
  void table(const DxfRecord& record);
  void entry(const DxfRecord& record);

  DxfReadContext& ctx_;
  std::string table_;  // name of the table being read ("LAYER", ...)
  ZcDbObjectId table_id_;
  bool active_vport_seen_ = false;
};

// Makes the tables a file did not have (R12 files lack BLOCK_RECORD), model and paper space.
void Ensure_Tables(DxfReadContext& ctx);

}  // namespace platform
