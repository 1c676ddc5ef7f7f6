// What a lenient read dropped or kept raw: each warning with the line it concerns and why.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace platform {

struct DxfWarning {
  size_t line = 0;  // 1-based line of the DXF text (0 when not tied to a line)
  std::string reason;
};

class DxfWarnings {
 public:
  // Only the first kListed are kept for listing; all are counted.
  static constexpr size_t kListed = 1000;

  // A warning repeating the one before (the same value read twice) is not counted again.
  void add(size_t line, std::string reason);
  size_t count() const { return count_; }
  const std::vector<DxfWarning>& listed() const { return listed_; }

 private:
  std::vector<DxfWarning> listed_;
  size_t count_ = 0;
  size_t last_line_ = 0;
  std::string last_reason_;
};

// While alive, values of groups that do not fit their group code are reported to `warnings`
// (the read in progress on this thread).
class DxfWarningScope {
 public:
  explicit DxfWarningScope(DxfWarnings& warnings);
  ~DxfWarningScope();
  DxfWarningScope(const DxfWarningScope&) = delete;
  DxfWarningScope& operator=(const DxfWarningScope&) = delete;

 private:
  DxfWarnings* previous_;
};

// Reports to the warnings of the current scope (nothing happens outside one).
void Dxf_Warn(size_t line, std::string reason);

}  // namespace platform
