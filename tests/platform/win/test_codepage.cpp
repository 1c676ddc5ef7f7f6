#include <gtest/gtest.h>

#include "win/windows.h"

namespace platform {
namespace {

TEST(CodePage, AnsiIsGbk) {
    EXPECT_EQ(GetACP(), 936u);
    const struct {
        const wchar_t* text;
        const char* gbk;
    } cases[] = {
        {L"宋体", "\xCB\xCE\xCC\xE5"},
        {L"黑体", "\xBA\xDA\xCC\xE5"},
        {L"文件", "\xCE\xC4\xBC\xFE"},
        {L"Korvel批打印", "Korvel\xC5\xFA\xB4\xF2\xD3\xA1"},
        {L"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(To_Ansi(c.text), c.gbk);
        EXPECT_EQ(From_Ansi(c.gbk), c.text);
    }
}

TEST(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(To_Ansi(L"a한b😀c"), "a?b?c");
    // A lead byte without its trail byte, and bytes that are not GBK.
    EXPECT_EQ(From_Ansi("ab\x81"), L"ab?");
    EXPECT_EQ(From_Ansi("\xFF" "x"), L"?x");

    BOOL used_default = FALSE;
    char buffer[16] = {};
    const int n = WideCharToMultiByte(CP_ACP, 0, L"宋한", -1, buffer, sizeof buffer, nullptr, &used_default);
    EXPECT_EQ(n, 4);
    EXPECT_STREQ(buffer, "\xCB\xCE?");
    EXPECT_TRUE(used_default);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"宋", -1, buffer, sizeof buffer, nullptr, &used_default), 3);
    EXPECT_FALSE(used_default);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"한", -1, buffer, sizeof buffer, "#", nullptr), 2);
    EXPECT_STREQ(buffer, "#");
}

TEST(CodePage, SizeQueriesAndBuffersFollowWindows) {
    const char* gbk = "\xCB\xCE\xCC\xE5";
    // With length -1 the terminator is converted and counted.
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, gbk, -1, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, gbk, 4, nullptr, 0), 2);
    wchar_t wide[8];
    std::wmemset(wide, L'#', 8);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, gbk, -1, wide, 8), 3);
    EXPECT_STREQ(wide, L"宋体");
    std::wmemset(wide, L'#', 8);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, gbk, 4, wide, 8), 2);
    EXPECT_EQ(wide[2], L'#');  // no terminator without -1

    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, gbk, -1, wide, 2), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"宋体", -1, nullptr, 0, nullptr, nullptr), 5);
    char narrow[4];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"宋体", -1, narrow, 4, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

    EXPECT_EQ(MultiByteToWideChar(12345, 0, "a", -1, wide, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a", 0, wide, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CodePage, Utf8) {
    EXPECT_EQ(To_Utf8(L"宋体"), "\xE5\xAE\x8B\xE4\xBD\x93");
    EXPECT_EQ(From_Utf8("\xE5\xAE\x8B\xE4\xBD\x93"), L"宋体");
    EXPECT_EQ(From_Utf8("\xF0\x9F\x98\x80"), std::wstring(1, static_cast<wchar_t>(0x1F600)));
    // Malformed input: stray continuation, truncated sequence, overlong form, surrogate.
    EXPECT_EQ(From_Utf8("a\x80z"), L"a\uFFFDz");
    EXPECT_EQ(From_Utf8("a\xE5\xAE"), L"a\uFFFD\uFFFD");
    EXPECT_EQ(From_Utf8("\xC0\xAF"), L"\uFFFD\uFFFD");
    EXPECT_EQ(From_Utf8("\xED\xA0\x80"), L"\uFFFD\uFFFD\uFFFD");

    wchar_t wide[8];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE5\xAE\x8B", -1, wide, 8), 2);
    EXPECT_STREQ(wide, L"宋");
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\x80", -1, wide, 8), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
    char narrow[8];
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"宋", -1, narrow, 8, nullptr, nullptr), 4);
    BOOL used = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, L"宋", -1, narrow, 8, nullptr, &used), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace platform
