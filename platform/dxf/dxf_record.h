// One DXF record: the "0 TYPE" group and the groups up to the next 0 group, with lookups by
// group code limited to a subclass ("100 AcDbLine") the way the format scopes its codes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "dxf/dxf_tokenizer.h"

namespace platform {

// A run of groups of a record.
class DxfSpan {
 public:
  DxfSpan() = default;
  DxfSpan(const DxfGroup* begin, const DxfGroup* end) : begin_(begin), end_(end) {}
  const DxfGroup* begin() const { return begin_; }
  const DxfGroup* end() const { return end_; }
  bool empty() const { return begin_ == end_; }
  size_t size() const { return static_cast<size_t>(end_ - begin_); }

  // First group of the code, nullptr when absent.
  const DxfGroup* find(int code) const;
  bool has(int code) const { return find(code) != nullptr; }
  std::string_view str(int code, std::string_view fallback = {}) const;
  double real(int code, double fallback = 0) const;
  int32_t integer(int code, int32_t fallback = 0) const;
  uint64_t handle(int code) const;  // 0 when absent

 private:
  const DxfGroup* begin_ = nullptr;
  const DxfGroup* end_ = nullptr;
};

struct DxfRecord {
  std::string_view type;  // value of the 0 group
  size_t line = 0;        // line of the 0 group
  std::vector<DxfGroup> groups;
  // "102 {NAME ... 102 }" application groups, markers included, kept apart from `groups`.
  std::vector<DxfGroup> app_groups;

  // The groups before the extended data, without "102 {...}" application groups.
  DxfSpan all() const { return {groups.data(), groups.data() + data_end}; }
  // The groups of one subclass (after "100 name" up to the next 100 or 101); in a file without
  // subclass markers (R12) the whole record; empty when markers exist but not this one.
  DxfSpan subclass(std::string_view name) const;
  // The groups of the "101 Embedded Object" part (the multiline text of an attribute), up to
  // the next 100 or 101; empty when there is none.
  DxfSpan embedded_object() const;
  // Extended data: from the first 1001 group to the end.
  DxfSpan xdata() const { return {groups.data() + data_end, groups.data() + groups.size()}; }
  // The handle of "102 {ACAD_XDICTIONARY" (0 when none).
  uint64_t extension_dictionary() const { return xdictionary; }
  bool has_subclass_markers() const { return markers; }

  size_t data_end = 0;
  uint64_t xdictionary = 0;
  bool markers = false;
};

// Reads records one after the other; the groups of one record are kept until the next read
// (the vector is reused, so a large drawing costs no allocation per record).
class DxfRecordReader {
 public:
  explicit DxfRecordReader(DxfTokenizer& tokens) : tokens_(tokens) {}
  // For text mapped from a file: pages of records already read are given back to the system
  // as reading goes on, so a large file does not stay resident.
  void release_consumed_pages() { release_ = true; }
  // The next record; false at the end of the text. Groups before the first 0 group throw.
  // "0 EOF" ends the reading: it has no groups, the text after it is not read.
  bool next(DxfRecord& record);
  size_t line() const { return tokens_.line(); }

 private:
  void release_behind();

  DxfTokenizer& tokens_;
  bool release_ = false;
  size_t released_ = 0;
};

}  // namespace platform
