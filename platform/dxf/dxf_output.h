// The group stream of a DXF file being written: one "code\nvalue\n" pair at a time, text as
// UTF-8 (AC1021+), reals in their shortest exact form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

class DxfOutput {
 public:
  void text(int code, std::wstring_view value);
  void raw(int code, std::string_view utf8_value);  // a value already in file encoding
  void real(int code, double value);
  void integer(int code, int64_t value);
  void handle(int code, uint64_t handle);  // upper-case hex; 0 writes "0"
  // A point: code, code + 10, code + 20.
  void point(int code, double x, double y, double z);
  void point2d(int code, double x, double y);
  // Binary data as hex chunks of at most 127 bytes under `code` (310...).
  void binary(int code, std::string_view bytes);

  const std::string& data() const { return out_; }
  std::string& data() { return out_; }

 private:
  void code(int code);
  std::string out_;
};

}  // namespace platform
