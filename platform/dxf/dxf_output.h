// The group stream of a DXF file being written: one "code\nvalue\n" pair at a time, text as
// UTF-8 (AC1021+), reals in their shortest exact form. Handles are noted as they are written:
// a record's first 5 (105 for a dimension style) is its own, one under a pointer code (330-369,
// 390-399, 480, 481) names another record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class DxfOutput {
 public:
  void text(int code, std::wstring_view value);
  void raw(int code, std::string_view utf8_value);  // a value already in file encoding
  void real(int code, double value);
  void integer(int code, int64_t value);
  void handle(int code, uint64_t handle);  // upper-case hex; 0 writes "0"
  // A dictionary entry: the name (3) and the handle of its object, removed together.
  void entry(int code, std::wstring_view name, uint64_t handle);
  // A point: code, code + 10, code + 20.
  void point(int code, double x, double y, double z);
  void point2d(int code, double x, double y);
  // Binary data as hex chunks of at most 127 bytes under `code` (310...).
  void binary(int code, std::string_view bytes);

  const std::string& data() const { return out_; }
  std::string& data() { return out_; }

  // Removes every group that names a handle no record of the stream has (with the name of a
  // dictionary entry); one line per removal, saying what named what.
  std::vector<std::string> drop_dangling_references();

 private:
  struct Reference {
    size_t begin, end;    // the groups to remove with it
    size_t record;        // index into records_
    int code;
    uint64_t target;
  };
  struct Record {
    size_t type_at;  // where the record's type stands in out_
    uint64_t handle = 0;
  };
  void code(int code);
  void note_handle(int code, uint64_t handle, size_t group_start);

  std::string out_;
  std::vector<Record> records_;
  std::vector<Reference> references_;
};

}  // namespace platform
