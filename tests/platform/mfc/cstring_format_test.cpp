#include <gtest/gtest.h>

#include "mfc/afxstr.h"
#include "mfc/atlconv.h"

namespace {

std::wstring W(const CString& s) { return std::wstring(s.GetString(), static_cast<size_t>(s.GetLength())); }
std::string A(const CStringA& s) { return std::string(s.GetString(), static_cast<size_t>(s.GetLength())); }

// "宋体" in CP936.
const char kSongtiGbk[] = "\xCB\xCE\xCC\xE5";

TEST(CStringFormat, WindowsWideRules) {
    CString s;
    s.Format(L"文件 < %s > 缺失!", L"C:\\a b.cfg");
    EXPECT_EQ(W(s), L"文件 < C:\\a b.cfg > 缺失!");
    s.Format(L"KV_%dx%d", 841, 594);
    EXPECT_EQ(W(s), L"KV_841x594");
    s.Format(L"%.2f|%.0f|%.1f", 0.126, 100.0, 1.5);
    EXPECT_EQ(W(s), L"0.13|100|1.5");
    s.Format(L"%I64d/%I64u", static_cast<__int64>(-9000000000LL), static_cast<unsigned long long>(18000000000ULL));
    EXPECT_EQ(W(s), L"-9000000000/18000000000");
    s.Format(L"%c%c|%S|%5s|%-3d|", L'图', L'A', "narrow", L"ab", 7);
    EXPECT_EQ(W(s), L"图A|narrow|   ab|7  |");
    s.Format(L"%d_%s", 2021, CString(L"Default").GetString());
    EXPECT_EQ(W(s), L"2021_Default");
    // String objects are passed as their text, also the string being formatted.
    s.Format(L"%s|%S|%s", CString(L"宽"), CStringA("narrow"), s);
    EXPECT_EQ(W(s), L"宽|narrow|2021_Default");
    s.AppendFormat(L"+%s", s);
    EXPECT_EQ(W(s), L"宽|narrow|2021_Default+宽|narrow|2021_Default");
    s.Format(L"100%%");
    EXPECT_EQ(W(s), L"100%");
}

TEST(CStringFormat, AppendFormatKeepsTheText) {
    CString s(L"x=");
    s.AppendFormat(L"%d;", 1);
    s.AppendFormat(L"%s", L"y");
    EXPECT_EQ(W(s), L"x=1;y");
    s.Format(L"%d", 5);  // Format replaces
    EXPECT_EQ(W(s), L"5");
}

TEST(CStringFormat, NarrowRules) {
    CStringA a;
    a.Format("%s|%S|%d|%.2f|%I64d|%c", kSongtiGbk, L"体", 12, 2.5, static_cast<__int64>(1) << 40, 'k');
    EXPECT_EQ(A(a), std::string(kSongtiGbk) + "|\xCC\xE5|12|2.50|1099511627776|k");
    a.Format("%hs/%ls/%ws/%s", "n", L"w", L"v", CStringA("a"));
    EXPECT_EQ(A(a), "n/w/v/a");
}

TEST(CStringConversion, WideAndAnsiRoundTrip) {
    const CStringA gbk(L"宋体");
    EXPECT_EQ(A(gbk), kSongtiGbk);
    EXPECT_EQ(gbk.GetLength(), 4);

    const CString wide(kSongtiGbk);
    EXPECT_EQ(W(wide), L"宋体");
    EXPECT_EQ(W(CString(gbk)), L"宋体");
    EXPECT_EQ(A(CStringA(wide)), kSongtiGbk);

    CString assigned;
    assigned = kSongtiGbk;
    EXPECT_EQ(W(assigned), L"宋体");
    CStringA narrow;
    narrow = L"宋体A";
    EXPECT_EQ(A(narrow), std::string(kSongtiGbk) + "A");

    EXPECT_EQ(W(CString(kSongtiGbk, 2)), L"宋");  // a byte count
    EXPECT_EQ(A(CStringA(L"\u0e01\u4e2d")), "?\xD6\xD0");  // the code page lacks Thai
}

TEST(CStringConversion, NarrowCaseSkipsTrailBytes) {
    // "碼" is 0xB4 0x61 in CP936: its trail byte is the letter 'a'.
    CStringA a("\xB4\x61x");
    a.MakeUpper();
    EXPECT_EQ(A(a), "\xB4\x61X");
    EXPECT_EQ(CStringA("\xB4\x61X").CompareNoCase("\xB4\x41x"), 1);
    EXPECT_EQ(CStringA("ABC").CompareNoCase("abc"), 0);
}

TEST(CStringConversion, ConversionHelpers) {
    EXPECT_STREQ(CW2A(L"宋体"), kSongtiGbk);
    EXPECT_STREQ(CT2A(L"宋体", CP_UTF8), "\xE5\xAE\x8B\xE4\xBD\x93");
    EXPECT_STREQ(CA2W(kSongtiGbk), L"宋体");
    EXPECT_STREQ(CA2T("\xE5\xAE\x8B\xE4\xBD\x93", CP_UTF8), L"宋体");
    EXPECT_STREQ(CW2T(L"x"), L"x");
    EXPECT_EQ(static_cast<LPSTR>(CW2A(nullptr)), nullptr);
    EXPECT_STREQ(CW2A(L""), "");
}

}  // namespace
