// A drawing file that cannot be read: where it went wrong and what was expected there.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace platform {

class DxfError : public std::runtime_error {
 public:
  // line: 1-based line of the DXF text (0 when the fault is not tied to a line).
  DxfError(size_t line, const std::string& message)
      : std::runtime_error(line ? "line " + std::to_string(line) + ": " + message : message),
        line_(line) {}
  size_t line() const { return line_; }

 private:
  size_t line_;
};

}  // namespace platform
