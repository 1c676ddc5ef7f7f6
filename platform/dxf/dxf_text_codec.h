// Text of a drawing file: the DWGCODEPAGE of R12-era files, UTF-8 from AC1021 on, and the
// "\U+XXXX" / "\M+nXXXX" escapes that carry characters the code page lacks.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace platform {

class DxfTextDecoder {
 public:
  DxfTextDecoder();
  ~DxfTextDecoder();
  DxfTextDecoder(const DxfTextDecoder&) = delete;
  DxfTextDecoder& operator=(const DxfTextDecoder&) = delete;

  // $ACADVER: AC1021 and later files are UTF-8 whatever code page they declare.
  void set_version(std::string_view acadver);
  // $DWGCODEPAGE ("ANSI_1252", "ANSI_936", ...); an unknown name keeps the current page.
  void set_code_page(std::string_view dwgcodepage);
  bool utf8() const { return utf8_; }

  // Decodes one value. Bytes that are valid in neither the declared encoding nor UTF-8
  // become U+FFFD; escapes are resolved.
  std::wstring decode(std::string_view raw) const;
  void decode_into(std::wstring& out, std::string_view raw) const;

 private:
  struct Converter;
  bool utf8_ = false;
  std::unique_ptr<Converter> page_;  // null: Windows-1252
};

// The iconv name of a DXF code page ("ANSI_936" -> "CP936"); empty when unknown.
std::string Dxf_Code_Page_Charset(std::string_view dwgcodepage);


}  // namespace platform
