// Splits ASCII DXF text into groups (code, value) without copying: values are views into the
// text, numbers are parsed on demand. Binary DXF is first turned into the same ASCII form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dxf/dxf_error.h"

namespace platform {

struct DxfGroup {
  int code = -1;
  std::string_view value;  // the value line without its line ending
  size_t line = 0;         // 1-based line of the group code

  // The value without surrounding blanks.
  std::string_view trimmed() const;
  // Typed values. A value that does not fit its type (a name where a handle belongs, an empty
  // value, "nan", a number out of range) is reported as a warning of the read in progress
  // (Dxf_Warn, naming the value's line) and gives `fallback`.
  double to_double(double fallback = 0) const;
  int32_t to_int(int32_t fallback = 0) const;
  int64_t to_int64(int64_t fallback = 0) const;
  bool to_bool() const { return to_int() != 0; }
  uint64_t to_handle() const;  // hexadecimal handle; 0 when the value is none
};

class DxfTokenizer {
 public:
  explicit DxfTokenizer(std::string_view text);

  // The next group; false at the end of the text. Comment groups (999) are skipped. Lines may
  // end in "\n", "\r\n" or "\r\r\n" (a file copied twice in text mode).
  // A line that is not a group code, or a group code without its value line, throws DxfError.
  bool next(DxfGroup& group);
  // Makes `group` the next group next() returns (one group of look-back).
  void unread(const DxfGroup& group);
  // Line of the next unread text (for messages at the end of the text).
  size_t line() const { return line_; }
  bool at_end() const { return !has_unread_ && pos_ >= text_.size(); }
  // Offset of the next unread text.
  size_t position() const { return has_unread_ ? unread_.value.data() - text_.data() : pos_; }
  const char* data() const { return text_.data(); }

 private:
  bool next_line(std::string_view& line);

  std::string_view text_;
  size_t pos_ = 0;
  size_t line_ = 1;
  DxfGroup unread_;
  bool has_unread_ = false;
};

// "AutoCAD Binary DXF" files start with this sentinel.
bool Is_Binary_Dxf(std::string_view data);
// The ASCII DXF equivalent of a binary DXF file. Truncated or malformed data throws DxfError
// naming the byte offset.
std::string Binary_Dxf_To_Text(std::string_view data);

}  // namespace platform
