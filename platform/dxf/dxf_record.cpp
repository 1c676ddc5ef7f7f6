#include "dxf/dxf_record.h"

#include <sys/mman.h>
#include <unistd.h>

#include <string>

namespace platform {

namespace {

// The groups from `first` up to the next subclass marker (100) or embedded object (101).
DxfSpan Span_To_Next_Marker(const DxfGroup* first, const DxfGroup* end) {
  const DxfGroup* last = first;
  while (last != end && last->code != 100 && last->code != 101) ++last;
  return {first, last};
}

}  // namespace

const DxfGroup* DxfSpan::find(int code) const {
  for (const DxfGroup* g = begin_; g != end_; ++g)
    if (g->code == code) return g;
  return nullptr;
}

std::string_view DxfSpan::str(int code, std::string_view fallback) const {
  const DxfGroup* g = find(code);
  return g ? g->value : fallback;
}

double DxfSpan::real(int code, double fallback) const {
  const DxfGroup* g = find(code);
  return g ? g->to_double(fallback) : fallback;
}

int32_t DxfSpan::integer(int code, int32_t fallback) const {
  const DxfGroup* g = find(code);
  return g ? g->to_int(fallback) : fallback;
}

uint64_t DxfSpan::handle(int code) const {
  const DxfGroup* g = find(code);
  return g && !g->trimmed().empty() ? g->to_handle() : 0;
}

DxfSpan DxfRecord::subclass(std::string_view name) const {
  const DxfGroup* begin = groups.data();
  const DxfGroup* end = begin + data_end;
  if (!markers) return {begin, end};
  for (const DxfGroup* g = begin; g != end; ++g) {
    // An embedded object (101, the MTEXT of a multi-line attribute) ends the subclass too.
    if (g->code == 100 && g->trimmed() == name) return Span_To_Next_Marker(g + 1, end);
  }
  return {end, end};
}

DxfSpan DxfRecord::embedded_object() const {
  const DxfGroup* begin = groups.data();
  const DxfGroup* end = begin + data_end;
  for (const DxfGroup* g = begin; g != end; ++g) {
    if (g->code == 101 && g->trimmed() == "Embedded Object") return Span_To_Next_Marker(g + 1, end);
  }
  return {end, end};
}

void DxfRecordReader::release_behind() {
  constexpr size_t kStep = size_t{1} << 20;
  const size_t page = static_cast<size_t>(::sysconf(_SC_PAGESIZE));
  const size_t at = tokens_.position() / page * page;
  if (at < released_ + kStep) return;
  // The previous record is done with: nothing before the next group is referenced any more.
  const uintptr_t base = reinterpret_cast<uintptr_t>(tokens_.data());
  if (base % page == 0) ::madvise(reinterpret_cast<void*>(base + released_), at - released_, MADV_DONTNEED);
  released_ = at;
}

bool DxfRecordReader::next(DxfRecord& record) {
  if (release_) release_behind();
  DxfGroup g;
  if (!tokens_.next(g)) return false;
  if (g.code != 0)
    throw DxfError(g.line, "expected group code 0 (start of a record), found group code " +
                               std::to_string(g.code));
  record.type = g.trimmed();
  record.line = g.line;
  record.groups.clear();
  record.app_groups.clear();
  record.markers = false;
  record.xdictionary = 0;
  record.data_end = 0;
  // Nothing after "0 EOF" is read (some writers leave text behind it).
  if (record.type == "EOF") return true;
  size_t xdata_at = std::string::npos;
  bool in_app_group = false;
  bool in_xdictionary = false;
  while (tokens_.next(g)) {
    if (g.code == 0) {
      tokens_.unread(g);
      break;
    }
    if (xdata_at == std::string::npos) {
      std::string_view v = g.code == 102 ? g.trimmed() : std::string_view();
      if (!v.empty() && (v.front() == '{' || v.front() == '}')) {
        // "102 {NAME" opens an application group, "102 }" closes it; their groups stay out of
        // the lookups (they repeat codes such as 330 with another meaning). Other 102 groups
        // are data (XRECORDs use them).
        in_app_group = v.front() == '{';
        in_xdictionary = v == "{ACAD_XDICTIONARY";
        record.app_groups.push_back(g);
        continue;
      }
      if (in_app_group) {
        record.app_groups.push_back(g);
        if (in_xdictionary && g.code == 360 && !g.trimmed().empty()) record.xdictionary = g.to_handle();
        continue;
      }
      if (g.code == 1001) xdata_at = record.groups.size();
      if (g.code == 100) record.markers = true;
    }
    record.groups.push_back(g);
  }
  record.data_end = xdata_at == std::string::npos ? record.groups.size() : xdata_at;
  return true;
}

}  // namespace platform
