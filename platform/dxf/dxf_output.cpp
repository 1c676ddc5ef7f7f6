#include "script/utf8.h"
#include "dxf/dxf_output.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "dxf/dxf_text_codec.h"

namespace platform {

namespace {

bool Is_Pointer_Code(int code) {
  return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

std::string Hex(uint64_t value) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, value, 16);
  for (char* p = buf; p != r.ptr; ++p)
    if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
  return std::string(buf, r.ptr);
}

}  // namespace

void DxfOutput::code(int code) {
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, code);
  for (auto n = r.ptr - buf; n < 3; ++n) out_ += ' ';
  out_.append(buf, r.ptr);
  out_ += '\n';
  if (code == 0) records_.push_back({out_.size(), 0});
}

void DxfOutput::note_handle(int code, uint64_t handle, size_t group_start) {
  if ((code == 5 || code == 105) && !records_.empty() && records_.back().handle == 0)
    records_.back().handle = handle;
  else if (Is_Pointer_Code(code) && handle != 0 && !records_.empty())
    references_.push_back({group_start, out_.size(), records_.size() - 1, code, handle});
}

void DxfOutput::text(int c, std::wstring_view value) {
  code(c);
  for (wchar_t ch : value) {
    // Line breaks cannot stand in a value line: caret notation, as CAD programs write them.
    if (ch == L'\n' || ch == L'\r') {
      out_ += '^';
      out_ += static_cast<char>(ch + 64);
    } else if (ch < 0x80) {
      out_ += static_cast<char>(ch);
    } else {
      out_ += To_Utf8(std::wstring_view(&ch, 1));
    }
  }
  out_ += '\n';
}

void DxfOutput::raw(int c, std::string_view value) {
  const size_t start = out_.size();
  code(c);
  out_.append(value);
  out_ += '\n';
  if (!Is_Pointer_Code(c) && c != 5 && c != 105) return;
  uint64_t handle = 0;
  const auto r = std::from_chars(value.data(), value.data() + value.size(), handle, 16);
  if (r.ec == std::errc() && r.ptr == value.data() + value.size()) note_handle(c, handle, start);
}

void DxfOutput::real(int c, double value) {
  code(c);
  if (!std::isfinite(value)) value = 0;
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  std::string_view s(buf, static_cast<size_t>(r.ptr - buf));
  out_.append(s);
  if (s.find_first_of(".e") == std::string_view::npos) out_ += ".0";
  out_ += '\n';
}

void DxfOutput::integer(int c, int64_t value) {
  code(c);
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, r.ptr);
  out_ += '\n';
}

void DxfOutput::handle(int c, uint64_t value) {
  const size_t start = out_.size();
  code(c);
  out_ += Hex(value);
  out_ += '\n';
  note_handle(c, value, start);
}

void DxfOutput::entry(int c, std::wstring_view name, uint64_t value) {
  const size_t start = out_.size();
  text(3, name);
  handle(c, value);
  if (!references_.empty() && references_.back().target == value && references_.back().code == c)
    references_.back().begin = start;
}

std::vector<std::string> DxfOutput::drop_dangling_references() {
  std::vector<uint64_t> defined;
  defined.reserve(records_.size());
  for (const Record& r : records_)
    if (r.handle != 0) defined.push_back(r.handle);
  std::sort(defined.begin(), defined.end());
  std::vector<std::string> dropped;
  std::string kept;
  size_t copied = 0;
  for (const Reference& ref : references_) {
    if (std::binary_search(defined.begin(), defined.end(), ref.target)) continue;
    const Record& record = records_[ref.record];
    const std::string_view type(out_.data() + record.type_at, out_.find('\n', record.type_at) - record.type_at);
    dropped.push_back(std::string(type) + " " + Hex(record.handle) + ": group " + std::to_string(ref.code) +
                      " names handle " + Hex(ref.target) + ", which is not written; dropped");
    if (kept.empty()) kept.reserve(out_.size());
    kept.append(out_, copied, ref.begin - copied);
    copied = ref.end;
  }
  if (!dropped.empty()) {
    kept.append(out_, copied, std::string::npos);
    out_ = std::move(kept);
  }
  records_.clear();
  references_.clear();
  return dropped;
}

void DxfOutput::point(int c, double x, double y, double z) {
  real(c, x);
  real(c + 10, y);
  real(c + 20, z);
}

void DxfOutput::point2d(int c, double x, double y) {
  real(c, x);
  real(c + 10, y);
}

void DxfOutput::binary(int c, std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  constexpr size_t kChunk = 127;
  for (size_t at = 0; at < bytes.size(); at += kChunk) {
    code(c);
    for (size_t i = at; i < bytes.size() && i < at + kChunk; ++i) {
      const unsigned char b = static_cast<unsigned char>(bytes[i]);
      out_ += kHex[b >> 4];
      out_ += kHex[b & 15];
    }
    out_ += '\n';
  }
}

}  // namespace platform
