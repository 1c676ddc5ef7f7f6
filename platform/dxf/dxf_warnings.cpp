#include "dxf/dxf_warnings.h"

#include <utility>

namespace platform {

namespace {
thread_local DxfWarnings* tCurrent = nullptr;
}  // namespace

void DxfWarnings::add(size_t line, std::string reason) {
  if (count_ > 0 && line == last_line_ && reason == last_reason_) return;
  ++count_;
  last_line_ = line;
  last_reason_ = reason;
  if (listed_.size() < kListed) listed_.push_back({line, std::move(reason)});
}

DxfWarningScope::DxfWarningScope(DxfWarnings& warnings) : previous_(tCurrent) { tCurrent = &warnings; }

DxfWarningScope::~DxfWarningScope() { tCurrent = previous_; }

void Dxf_Warn(size_t line, std::string reason) {
  if (tCurrent) tCurrent->add(line, std::move(reason));
}

}  // namespace platform
