#include "script/utf8.h"
#include "dxf/dxf_output.h"

#include <charconv>
#include <cmath>

#include "dxf/dxf_text_codec.h"

namespace platform {

void DxfOutput::code(int code) {
  char buf[16];
  auto r = std::to_chars(buf, buf + sizeof buf, code);
  for (auto n = r.ptr - buf; n < 3; ++n) out_ += ' ';
  out_.append(buf, r.ptr);
  out_ += '\n';
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
  code(c);
  out_.append(value);
  out_ += '\n';
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
  code(c);
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, value, 16);
  for (char* p = buf; p != r.ptr; ++p)
    if (*p >= 'a' && *p <= 'f') *p = static_cast<char>(*p - 'a' + 'A');
  out_.append(buf, r.ptr);
  out_ += '\n';
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
