#include "dxf/dxf_text_codec.h"

#include <iconv.h>

#include <cctype>
#include <cstring>
#include <mutex>
#include <vector>

namespace platform {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 if malformed.
size_t Utf8_Sequence(std::string_view s, size_t i, char32_t& cp) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t len;
  char32_t min;
  if (c < 0x80) {
    cp = c;
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    len = 2, cp = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    len = 3, cp = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    len = 4, cp = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const unsigned char t = static_cast<unsigned char>(s[i + k]);
    if ((t & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (t & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

bool Valid_Utf8(std::string_view s) {
  char32_t cp;
  for (size_t i = 0; i < s.size();) {
    size_t n = Utf8_Sequence(s, i, cp);
    if (!n) return false;
    i += n;
  }
  return true;
}

void Append_Utf8(std::wstring& out, std::string_view s) {
  char32_t cp;
  for (size_t i = 0; i < s.size();) {
    size_t n = Utf8_Sequence(s, i, cp);
    if (!n) {
      out += kReplacement;
      ++i;
    } else {
      out += static_cast<wchar_t>(cp);
      i += n;
    }
  }
}

// Windows-1252 (the DXF default) for bytes 0x80-0x9F; the rest is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void Append_Cp1252(std::wstring& out, std::string_view s) {
  for (char ch : s) {
    const unsigned char c = static_cast<unsigned char>(ch);
    out += (c >= 0x80 && c < 0xA0) ? static_cast<wchar_t>(kCp1252High[c - 0x80]) : static_cast<wchar_t>(c);
  }
}

bool Is_Ascii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

int Hex_Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Hex4(std::string_view s, size_t at, unsigned& v) {
  if (at + 4 > s.size()) return false;
  v = 0;
  for (size_t k = 0; k < 4; ++k) {
    int d = Hex_Digit(s[at + k]);
    if (d < 0) return false;
    v = v * 16 + static_cast<unsigned>(d);
  }
  return true;
}

// "\M+nXXXX": two bytes in the code page numbered n.
const char* Mbcs_Charset(char n) {
  switch (n) {
    case '1': return "CP932";
    case '2': return "CP950";
    case '3': return "CP949";
    case '4': return "JOHAB";
    case '5': return "CP936";
    default: return nullptr;
  }
}

}  // namespace

// An iconv conversion to UTF-32LE from one code page.
struct DxfTextDecoder::Converter {
  explicit Converter(const std::string& charset) : cd(iconv_open("UTF-32LE", charset.c_str())) {}
  ~Converter() {
    if (ok()) iconv_close(cd);
  }
  bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
  // False when the bytes are not valid in the code page.
  bool append(std::wstring& out, std::string_view s) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::vector<char32_t> buf(s.size() + 1);
    char* in = const_cast<char*>(s.data());
    size_t in_left = s.size();
    char* o = reinterpret_cast<char*>(buf.data());
    size_t o_left = buf.size() * sizeof(char32_t);
    if (iconv(cd, &in, &in_left, &o, &o_left) == static_cast<size_t>(-1)) return false;
    const size_t n = (buf.size() * sizeof(char32_t) - o_left) / sizeof(char32_t);
    for (size_t i = 0; i < n; ++i) out += static_cast<wchar_t>(buf[i]);
    return true;
  }
  iconv_t cd;
  std::mutex lock;  // held while a shared converter converts
};

std::string Dxf_Code_Page_Charset(std::string_view name) {
  std::string upper;
  for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper.rfind("ANSI_", 0) == 0) {
    std::string number = upper.substr(5);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return {};
    if (number == "1361") return "JOHAB";
    return "CP" + number;
  }
  if (upper == "UTF8" || upper == "UTF-8") return "UTF-8";
  if (upper == "BIG5") return "CP950";
  if (upper == "GB2312") return "CP936";
  return {};
}

DxfTextDecoder::DxfTextDecoder() = default;
DxfTextDecoder::~DxfTextDecoder() = default;

void DxfTextDecoder::set_version(std::string_view acadver) {
  std::string v(acadver.substr(0, 6));
  if (v.size() == 6 && v.rfind("AC", 0) == 0 && v >= "AC1021") utf8_ = true;
}

void DxfTextDecoder::set_code_page(std::string_view dwgcodepage) {
  std::string charset = Dxf_Code_Page_Charset(dwgcodepage);
  if (charset.empty() || charset == "CP1252") {
    if (charset == "CP1252") page_.reset();
    return;
  }
  if (charset == "UTF-8") {
    utf8_ = true;
    return;
  }
  auto converter = std::make_unique<Converter>(charset);
  if (converter->ok()) page_ = std::move(converter);
}

std::wstring DxfTextDecoder::decode(std::string_view raw) const {
  std::wstring out;
  decode_into(out, raw);
  return out;
}

void DxfTextDecoder::decode_into(std::wstring& out, std::string_view raw) const {
  out.clear();
  const bool has_escape = raw.find('\\') != std::string_view::npos;
  if (Is_Ascii(raw) && !has_escape) {
    out.assign(raw.begin(), raw.end());
    return;
  }
  // Bytes first: UTF-8 in AC1021+ files, else the code page. Text that contradicts the
  // declared encoding is read in the other one when it is valid there.
  std::wstring text;
  const bool valid_utf8 = Valid_Utf8(raw);
  if (utf8_ && valid_utf8) {
    Append_Utf8(text, raw);
  } else if (page_) {
    std::lock_guard<std::mutex> guard(page_->lock);
    if (!page_->append(text, raw)) {
      text.clear();
      if (valid_utf8)
        Append_Utf8(text, raw);
      else
        Append_Cp1252(text, raw);
    }
  } else if (valid_utf8 && !utf8_) {
    // An R12-era file declaring Windows-1252 whose text is UTF-8: UTF-8 is far more likely.
    Append_Utf8(text, raw);
  } else {
    Append_Cp1252(text, raw);
  }
  if (!has_escape) {
    out = std::move(text);
    return;
  }
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\\' && i + 2 < text.size() && text[i + 2] == L'+') {
      const wchar_t kind = text[i + 1];
      std::string digits;
      auto narrow = [&](size_t at, size_t n) {
        digits.clear();
        for (size_t k = at; k < at + n && k < text.size(); ++k)
          digits += text[k] < 0x80 ? static_cast<char>(text[k]) : '?';
        return digits;
      };
      unsigned v;
      if ((kind == L'U' || kind == L'u') && Hex4(narrow(i + 3, 4), 0, v)) {
        out += static_cast<wchar_t>(v);
        i += 6;
        continue;
      }
      if ((kind == L'M' || kind == L'm') && i + 3 < text.size()) {
        const char* charset = text[i + 3] < 0x80 ? Mbcs_Charset(static_cast<char>(text[i + 3])) : nullptr;
        if (charset && Hex4(narrow(i + 4, 4), 0, v)) {
          char bytes[2] = {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
          Converter conv(charset);
          std::wstring one;
          if (conv.ok() && conv.append(one, std::string_view(bytes, 2)) && !one.empty()) {
            out += one;
            i += 7;
            continue;
          }
        }
      }
    }
    out += c;
  }
}

}  // namespace platform
