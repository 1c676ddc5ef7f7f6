#include "dxf/dxf_tokenizer.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include <limits>

#include "dxf/dxf_group_codes.h"
#include "dxf/dxf_warnings.h"

namespace platform {

namespace {

bool Is_Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && Is_Blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && Is_Blank(s.back())) s.remove_suffix(1);
  return s;
}

// The group code of a code line: digits between blanks; -1 when the line holds none.
int Parse_Code(std::string_view line) {
  const char* p = line.data();
  const char* end = p + line.size();
  while (p != end && (*p == ' ' || *p == '\t')) ++p;
  const char* digits = p;
  int code = 0;
  while (p != end && *p >= '0' && *p <= '9' && p - digits < 9) code = code * 10 + (*p++ - '0');
  if (p == digits) return -1;
  while (p != end && Is_Blank(*p)) ++p;
  return p == end ? code : -1;
}

std::string Shown(std::string_view value) {
  constexpr size_t kShown = 40;
  std::string shown(value.substr(0, kShown));
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  if (value.size() > kShown) shown += "...";
  return "'" + shown + "'";
}

void Report_Bad_Value(const DxfGroup& group, const char* expected) {
  Dxf_Warn(group.line + 1, std::string("expected ") + expected + " for group code " + std::to_string(group.code) +
                               ", found " + Shown(group.value) + "; ignored");
}

// A plain decimal ("-12.375") of at most 15 digits, exactly: the digits as an integer are exact in
// a double, and so is the power of ten they are divided by, so the one division rounds right.
bool Parse_Plain_Decimal(std::string_view s, double& out) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const char* p = s.data();
  const char* end = p + s.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  uint64_t digits = 0;
  int count = 0, decimals = -1;
  for (; p != end; ++p) {
    if (*p >= '0' && *p <= '9') {
      digits = digits * 10 + uint64_t(*p - '0');
      ++count;
      if (decimals >= 0) ++decimals;
    } else if (*p == '.' && decimals < 0) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (count == 0 || count > 15) return false;
  const double value = double(digits) / kPowers[decimals < 0 ? 0 : decimals];
  out = negative ? -value : value;
  return true;
}

bool Parse_Double(std::string_view s, double& out) {
  if (Parse_Plain_Decimal(s, out)) return true;
  s = Trim(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size() && std::isfinite(out);
}

template <typename Int>
bool Parse_Int(std::string_view s, Int& out) {
  s = Trim(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return false;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  if (ec == std::errc() && end == s.data() + s.size()) return true;
  // Some writers put a real where an integer belongs ("1.0"): accept whole numbers the type holds.
  double real = 0;
  constexpr double kLowest = static_cast<double>(std::numeric_limits<Int>::min());  // -2^(n-1), exact
  if (!Parse_Double(s, real) || real != std::floor(real) || real < kLowest || real >= -kLowest) return false;
  out = static_cast<Int>(real);
  return true;
}

}  // namespace

std::string_view DxfGroup::trimmed() const { return Trim(value); }

double DxfGroup::to_double(double fallback) const {
  double v = 0;
  if (Parse_Double(value, v)) return v;
  Report_Bad_Value(*this, "a real number");
  return fallback;
}

int32_t DxfGroup::to_int(int32_t fallback) const {
  int32_t v = 0;
  if (Parse_Int(value, v)) return v;
  Report_Bad_Value(*this, "an integer");
  return fallback;
}

int64_t DxfGroup::to_int64(int64_t fallback) const {
  int64_t v = 0;
  if (Parse_Int(value, v)) return v;
  Report_Bad_Value(*this, "an integer");
  return fallback;
}

uint64_t DxfGroup::to_handle() const {
  std::string_view s = Trim(value);
  uint64_t v = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
  if (!s.empty() && ec == std::errc() && end == s.data() + s.size()) return v;
  Report_Bad_Value(*this, "a hexadecimal handle");
  return 0;
}

DxfTokenizer::DxfTokenizer(std::string_view text) : text_(text) {
  // A UTF-8 byte order mark is not part of the first group code.
  if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

bool DxfTokenizer::next_line(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  const char* start = text_.data() + pos_;
  const char* end = text_.data() + text_.size();
  // Lines are short (a code, a number): a plain scan beats a call to memchr.
  const char* nl = start;
  while (nl != end && *nl != '\n') ++nl;
  size_t len = static_cast<size_t>(nl - start);
  pos_ += nl != end ? len + 1 : len;
  while (len && start[len - 1] == '\r') --len;
  line = std::string_view(start, len);
  ++line_;
  return true;
}

bool DxfTokenizer::next(DxfGroup& group) {
  if (has_unread_) {
    group = unread_;
    has_unread_ = false;
    return true;
  }
  for (;;) {
    // Blank lines at the very end (after EOF) are tolerated.
    size_t first = pos_;
    while (first < text_.size() && Is_Blank(text_[first])) ++first;
    if (first >= text_.size()) {
      pos_ = text_.size();
      return false;
    }
    std::string_view code_line;
    const size_t code_line_no = line_;
    next_line(code_line);
    const int code = Parse_Code(code_line);
    if (code < 0 || code > kDxfMaxFiledGroupCode)
      throw DxfError(code_line_no, "expected a group code, found " + Shown(code_line));
    std::string_view value;
    if (!next_line(value))
      throw DxfError(code_line_no, "expected the value of group code " + std::to_string(code) +
                                       ", found the end of the file");
    if (code == kDxfCommentCode) continue;
    if (code > kDxfMaxGroupCode) {
      Dxf_Warn(code_line_no, "unknown group code " + std::to_string(code) + "; its group is ignored");
      continue;
    }
    group.code = code;
    group.value = value;
    group.line = code_line_no;
    return true;
  }
}

void DxfTokenizer::unread(const DxfGroup& group) {
  unread_ = group;
  has_unread_ = true;
}

// ---------------------------------------------------------------------------------------------
// Binary DXF

namespace {

constexpr std::string_view kBinarySentinel("AutoCAD Binary DXF\r\n\x1a\0", 22);

class BinaryReader {
 public:
  explicit BinaryReader(std::string_view data) : data_(data), pos_(kBinarySentinel.size()) {}

  bool at_end() const { return pos_ >= data_.size(); }
  size_t pos() const { return pos_; }

  const unsigned char* take(size_t n, const char* what) {
    if (data_.size() - pos_ < n)
      throw DxfError(0, "binary DXF truncated at byte " + std::to_string(pos_) +
                            ": expected " + what);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
    pos_ += n;
    return p;
  }
  template <typename T>
  T value(const char* what) {
    T v;
    std::memcpy(&v, take(sizeof(T), what), sizeof(T));  // files are little endian, as is x86
    return v;
  }
  std::string_view zstring() {
    const size_t left = data_.size() - pos_;
    const void* z = std::memchr(data_.data() + pos_, 0, left);
    if (!z)
      throw DxfError(0, "binary DXF truncated at byte " + std::to_string(pos_) +
                            ": expected a zero-terminated string");
    size_t len = static_cast<size_t>(static_cast<const char*>(z) - (data_.data() + pos_));
    std::string_view s = data_.substr(pos_, len);
    pos_ += len + 1;
    return s;
  }

 private:
  std::string_view data_;
  size_t pos_;
};

// R12 binary files use one byte for a group code (255 escapes a two-byte code); later ones two.
bool Binary_Uses_Short_Codes(std::string_view data) {
  size_t at = data.substr(0, 1024).find("$ACADVER");
  if (at == std::string_view::npos) return true;
  size_t value = at + 9;  // after the terminator
  // The next group code is 1: one byte (0x01) in R12, two bytes (0x01 0x00) later.
  if (value + 2 >= data.size()) return true;
  if (data[value] == 1 && data[value + 1] == 'A') {
    std::string_view version = data.substr(value + 1, 6);
    return version <= "AC1009";
  }
  return false;
}

void Append_Text_Value(std::string& out, std::string_view s) {
  for (char c : s) {
    // ASCII DXF writes control characters in caret notation.
    if (c == '\n' || c == '\r') {
      out += '^';
      out += static_cast<char>(c + 64);
    } else {
      out += c;
    }
  }
}

}  // namespace

bool Is_Binary_Dxf(std::string_view data) { return data.substr(0, kBinarySentinel.size()) == kBinarySentinel; }

std::string Binary_Dxf_To_Text(std::string_view data) {
  if (!Is_Binary_Dxf(data)) throw DxfError(0, "not a binary DXF file");
  const bool short_codes = Binary_Uses_Short_Codes(data);
  BinaryReader in(data);
  std::string out;
  out.reserve(data.size() * 2);
  char num[64];
  auto put_number = [&](auto v) {
    auto r = std::to_chars(num, num + sizeof num, v);
    out.append(num, r.ptr);
  };
  while (!in.at_end()) {
    const size_t at = in.pos();
    int code;
    if (short_codes) {
      code = in.value<uint8_t>("a group code");
      if (code == 255) code = in.value<uint16_t>("a group code");
    } else {
      code = in.value<int16_t>("a group code");
    }
    if (code < 0 || code > kDxfMaxGroupCode)
      throw DxfError(0, "binary DXF: invalid group code " + std::to_string(code) + " at byte " +
                            std::to_string(at));
    put_number(code);
    out += '\n';
    switch (Dxf_Value_Kind(code)) {
      case DxfValueKind::String:
      case DxfValueKind::Handle:
        Append_Text_Value(out, in.zstring());
        break;
      case DxfValueKind::Double: {
        double d = in.value<double>("a real number");
        if (!std::isfinite(d)) {
          Dxf_Warn(0, "binary DXF: group code " + std::to_string(code) + " at byte " + std::to_string(at) +
                          " holds no finite number; 0 stands");
          d = 0;
        }
        put_number(d);
        break;
      }
      case DxfValueKind::Int16:
        put_number(in.value<int16_t>("a 16-bit integer"));
        break;
      case DxfValueKind::Int32:
        put_number(in.value<int32_t>("a 32-bit integer"));
        break;
      case DxfValueKind::Int64:
        put_number(in.value<int64_t>("a 64-bit integer"));
        break;
      case DxfValueKind::Bool:
        put_number(static_cast<int>(in.value<uint8_t>("a boolean")));
        break;
      case DxfValueKind::Binary: {
        const size_t n = in.value<uint8_t>("a binary chunk length");
        const unsigned char* p = in.take(n, "binary chunk data");
        static const char kHex[] = "0123456789ABCDEF";
        for (size_t i = 0; i < n; ++i) {
          out += kHex[p[i] >> 4];
          out += kHex[p[i] & 15];
        }
        break;
      }
    }
    out += '\n';
  }
  return out;
}

}  // namespace platform
