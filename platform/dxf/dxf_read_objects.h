// OBJECTS: dictionaries (the named-object dictionary first), XRECORDs, layouts and plot
// settings; other objects are kept raw. Dictionary entries are linked once every object of
// the section exists.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "dxf/dxf_read_context.h"

namespace platform {

class DxfObjectReader {
 public:
  explicit DxfObjectReader(DxfReadContext& ctx) : ctx_(ctx) {}
  void record(const DxfRecord& record);
  // Links the dictionary entries read.
  void finish();

 private:
  void dictionary(const DxfRecord& record);
  // The id of the object added (null when it could not be).
  ZcDbObjectId add(const DxfRecord& record, ZcDbObject* obj);

  struct Entries {
    ZcDbObjectId dictionary;
    std::vector<std::pair<std::wstring, uint64_t>> entries;
  };
  DxfReadContext& ctx_;
  std::vector<Entries> dictionaries_;
  std::vector<ZcDbObjectId> filters_;  // clip boundaries, for their inverted state
  std::vector<ZcDbObjectId> layouts_;  // for the links to their block records
};

}  // namespace platform
