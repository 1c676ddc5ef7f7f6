#include <gtest/gtest.h>

#include <functional>

#include "win/windows.h"

namespace platform {
namespace {

struct Format_Case {
    const char* name;
    std::function<std::wstring()> format;
    std::wstring expected;
};

TEST(FormatWide, FollowsTheWindowsWidePrintfRules) {
    const char* gbk_song_ti = "\xCB\xCE\xCC\xE5";  // "宋体" in CP936
    const wchar_t* null_wide = nullptr;
    const char* null_narrow = nullptr;
    const Format_Case cases[] = {
        // Strings: %s is wide in the wide functions, %S and %hs narrow (ANSI).
        {"s wide", [] { return Format_Wide_Args(L"<%s>", L"宋体"); }, L"<宋体>"},
        {"ls wide", [] { return Format_Wide_Args(L"%ls", L"abc"); }, L"abc"},
        {"ws wide", [] { return Format_Wide_Args(L"%ws", L"abc"); }, L"abc"},
        {"S narrow", [&] { return Format_Wide_Args(L"%S", gbk_song_ti); }, L"宋体"},
        {"hs narrow", [&] { return Format_Wide_Args(L"%hs|", "plain"); }, L"plain|"},
        {"lS wide", [] { return Format_Wide_Args(L"%lS", L"w"); }, L"w"},
        {"null wide", [&] { return Format_Wide_Args(L"%s", null_wide); }, L"(null)"},
        {"null narrow", [&] { return Format_Wide_Args(L"%S", null_narrow); }, L"(null)"},
        {"precision", [] { return Format_Wide_Args(L"%.3s", L"abcdef"); }, L"abc"},
        {"width", [] { return Format_Wide_Args(L"[%6s]", L"ab"); }, L"[    ab]"},
        {"left", [] { return Format_Wide_Args(L"[%-6s]", L"ab"); }, L"[ab    ]"},
        {"star width", [] { return Format_Wide_Args(L"[%*s]", 4, L"ab"); }, L"[  ab]"},
        {"star precision", [] { return Format_Wide_Args(L"[%.*s]", 2, L"abcd"); }, L"[ab]"},
        {"file message", [] { return Format_Wide_Args(L"文件 < %s > 缺失!", L"C:\\a.cfg"); }, L"文件 < C:\\a.cfg > 缺失!"},
        // Characters.
        {"c wide", [] { return Format_Wide_Args(L"%c", L'宋'); }, L"宋"},
        {"lc wide", [] { return Format_Wide_Args(L"%lc", L'x'); }, L"x"},
        {"C narrow", [] { return Format_Wide_Args(L"%C", 'A'); }, L"A"},
        {"hc narrow", [] { return Format_Wide_Args(L"%hc%hc", 'o', 'k'); }, L"ok"},
        {"c width", [] { return Format_Wide_Args(L"[%3c]", L'z'); }, L"[  z]"},
        // Integers; l is 32 bits as on Windows.
        {"d", [] { return Format_Wide_Args(L"%d", -5); }, L"-5"},
        {"i", [] { return Format_Wide_Args(L"%i", 12); }, L"12"},
        {"width d", [] { return Format_Wide_Args(L"[%5d]", 42); }, L"[   42]"},
        {"left d", [] { return Format_Wide_Args(L"[%-5d]", 42); }, L"[42   ]"},
        {"zero d", [] { return Format_Wide_Args(L"%05d", -42); }, L"-0042"},
        {"plus d", [] { return Format_Wide_Args(L"%+d", 42); }, L"+42"},
        {"space d", [] { return Format_Wide_Args(L"% d", 42); }, L" 42"},
        {"star d", [] { return Format_Wide_Args(L"[%*d]", 5, 42); }, L"[   42]"},
        {"negative star", [] { return Format_Wide_Args(L"[%*d]", -4, 42); }, L"[42  ]"},
        {"u", [] { return Format_Wide_Args(L"%u", 4294967295u); }, L"4294967295"},
        {"x", [] { return Format_Wide_Args(L"%x", 255); }, L"ff"},
        {"X", [] { return Format_Wide_Args(L"%X", 255); }, L"FF"},
        {"alt x", [] { return Format_Wide_Args(L"%#x", 255); }, L"0xff"},
        {"o", [] { return Format_Wide_Args(L"%o", 8); }, L"10"},
        {"ld", [] { return Format_Wide_Args(L"%ld", static_cast<LONG>(-7)); }, L"-7"},
        {"lu", [] { return Format_Wide_Args(L"%lu", static_cast<DWORD>(4000000000u)); }, L"4000000000"},
        {"hd", [] { return Format_Wide_Args(L"%hd", 70000); }, L"4464"},
        {"hu", [] { return Format_Wide_Args(L"%hu", 65537); }, L"1"},
        {"I64d", [] { return Format_Wide_Args(L"%I64d", -1234567890123LL); }, L"-1234567890123"},
        {"I64u", [] { return Format_Wide_Args(L"%I64u", 18446744073709551615ULL); }, L"18446744073709551615"},
        {"I64X", [] { return Format_Wide_Args(L"%I64X", 0xABCDEF0123ULL); }, L"ABCDEF0123"},
        {"I32d", [] { return Format_Wide_Args(L"%I32d", -3); }, L"-3"},
        {"Id", [] { return Format_Wide_Args(L"%Id", static_cast<INT_PTR>(-5000000000LL)); }, L"-5000000000"},
        {"Iu", [] { return Format_Wide_Args(L"%Iu", static_cast<size_t>(5000000000ULL)); }, L"5000000000"},
        {"lld", [] { return Format_Wide_Args(L"%lld", 9000000000LL); }, L"9000000000"},
        {"zu", [] { return Format_Wide_Args(L"%zu", static_cast<size_t>(77)); }, L"77"},
        // Reals.
        {"f", [] { return Format_Wide_Args(L"%f", 1.5); }, L"1.500000"},
        {".0f", [] { return Format_Wide_Args(L"%.0f", 2.5001); }, L"3"},
        {".2f", [] { return Format_Wide_Args(L"%.2f", 3.14159); }, L"3.14"},
        {"width f", [] { return Format_Wide_Args(L"[%8.3f]", -1.0); }, L"[  -1.000]"},
        {"left f", [] { return Format_Wide_Args(L"[%-7.1f]", 2.25); }, L"[2.2    ]"},
        {"star precision f", [] { return Format_Wide_Args(L"%.*f", 1, 0.25); }, L"0.2"},
        {"e", [] { return Format_Wide_Args(L"%e", 1234.5); }, L"1.234500e+03"},
        {"E", [] { return Format_Wide_Args(L"%.2E", 0.000123); }, L"1.23E-04"},
        {"g", [] { return Format_Wide_Args(L"%g", 0.0001); }, L"0.0001"},
        {"G", [] { return Format_Wide_Args(L"%G", 1e-10); }, L"1E-10"},
        {"alt g", [] { return Format_Wide_Args(L"%#g", 1.0); }, L"1.00000"},
        {"big f", [] { return Format_Wide_Args(L"%.0f", 1e300).size() == 301 ? std::wstring(L"ok") : L"bad"; }, L"ok"},
        // Pointers, percent, and text that is not a conversion.
        {"p", [] { return Format_Wide_Args(L"%p", reinterpret_cast<void*>(0x1234)); }, L"0000000000001234"},
        {"percent", [] { return Format_Wide_Args(L"100%% %d%%", 5); }, L"100% 5%"},
        {"mixed", [] { return Format_Wide_Args(L"%s=%d (%S) %.1f", L"n", 3, "m", 0.5); }, L"n=3 (m) 0.5"},
        {"unknown kept", [] { return Format_Wide_Args(L"a%yb"); }, L"a%yb"},
        {"trailing percent", [] { return Format_Wide_Args(L"50%"); }, L"50%"},
        {"no conversions", [] { return Format_Wide_Args(L"KV_A1"); }, L"KV_A1"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.format(), c.expected) << c.name;
}

}  // namespace
}  // namespace platform
