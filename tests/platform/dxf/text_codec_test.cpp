#include "dxf/dxf_text_codec.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct Case {
  const char* version;
  const char* code_page;
  std::string raw;
  std::wstring expected;
};

TEST(DxfTextDecoder, DecodesCodePagesUtf8AndEscapes) {
  const Case cases[] = {
      // GBK bytes of an R12-era Chinese drawing.
      {"AC1015", "ANSI_936", "\xD6\xD0\xCE\xC4", L"\u4E2D\u6587"},
      // Windows-1252 is the default.
      {"AC1009", "ANSI_1252", "caf\xE9 \x80", L"caf\u00E9 \u20AC"},
      {"AC1009", "", "\x93q\x94", L"\u201Cq\u201D"},
      // AC1021+ files are UTF-8 whatever page they declare.
      {"AC1027", "ANSI_936", "\xE4\xB8\xAD\xE6\x96\x87", L"\u4E2D\u6587"},
      // ...unless the text is not UTF-8: then the declared page.
      {"AC1027", "ANSI_936", "\xD6\xD0", L"\u4E2D"},
      // UTF-8 under a declared GBK page that it is not valid in.
      {"AC1015", "ANSI_936", "\xE2\x82\xAC", L"\u20AC"},
      // Escapes, upper and lower case hex, also next to other text.
      {"AC1015", "ANSI_1252", "A\\U+4E2D\\u+6587b", L"A\u4E2D\u6587b"},
      {"AC1015", "ANSI_1252", "\\U+4e2d", L"\u4E2D"},
      // MBCS escape: code page 5 (GBK) bytes D6D0.
      {"AC1015", "ANSI_1252", "x\\M+5D6D0", L"x\u4E2D"},
      // Not escapes: kept as written.
      {"AC1015", "ANSI_1252", "\\U+12G4 \\P\\M+9ABCD \\U+", L"\\U+12G4 \\P\\M+9ABCD \\U+"},
  };
  for (const Case& c : cases) {
    DxfTextDecoder decoder;
    decoder.set_version(c.version);
    decoder.set_code_page(c.code_page);
    EXPECT_EQ(decoder.decode(c.raw), c.expected) << c.raw;
  }
}

TEST(DxfTextDecoder, CodePageNames) {
  EXPECT_EQ(Dxf_Code_Page_Charset("ANSI_936"), "CP936");
  EXPECT_EQ(Dxf_Code_Page_Charset("ansi_1251"), "CP1251");
  EXPECT_EQ(Dxf_Code_Page_Charset("ANSI_1361"), "JOHAB");
  EXPECT_EQ(Dxf_Code_Page_Charset("ANSI_x"), "");
  EXPECT_EQ(Dxf_Code_Page_Charset("DOS437x"), "");
}

}  // namespace
}  // namespace platform
