#include <gtest/gtest.h>

#include <map>

#include "mfc/afxstr.h"

namespace {

std::wstring W(const CString& s) { return std::wstring(s.GetString(), static_cast<size_t>(s.GetLength())); }

struct SubstringCase {
    const wchar_t* text;
    int first;
    int count;  // -1: the one-argument form
    const wchar_t* mid;
};

TEST(CStringSubstrings, MidClampsLikeTheFramework) {
    const SubstringCase cases[] = {
        {L"abcdef", 2, 3, L"cde"},   {L"abcdef", 2, -1, L"cdef"}, {L"abcdef", 4, 10, L"ef"},
        {L"abcdef", 6, 1, L""},      {L"abcdef", 9, -1, L""},     {L"abcdef", 9, 2, L""},
        {L"abcdef", -3, 2, L"ab"},   {L"abcdef", -3, -1, L"abcdef"}, {L"abcdef", 1, -5, L""},
        {L"", 0, 3, L""},            {L"宋体字", 1, 1, L"体"},
    };
    for (const auto& c : cases) {
        const CString s(c.text);
        const CString mid = c.count == -1 ? s.Mid(c.first) : s.Mid(c.first, c.count);
        EXPECT_EQ(W(mid), c.mid) << c.text << " Mid(" << c.first << ", " << c.count << ")";
    }
}

TEST(CStringSubstrings, LeftAndRightClamp) {
    const struct {
        int count;
        const wchar_t* left;
        const wchar_t* right;
    } cases[] = {{0, L"", L""}, {2, L"ab", L"ef"}, {6, L"abcdef", L"abcdef"}, {99, L"abcdef", L"abcdef"}, {-1, L"", L""}};
    const CString s(L"abcdef");
    for (const auto& c : cases) {
        EXPECT_EQ(W(s.Left(c.count)), c.left) << c.count;
        EXPECT_EQ(W(s.Right(c.count)), c.right) << c.count;
    }
}

TEST(CStringSearch, FindAndReverseFind) {
    const CString s(L"a.b.c图纸.dwg");
    const struct {
        const wchar_t* sub;
        int start;
        int expected;
    } string_cases[] = {{L".", 0, 1}, {L".", 2, 3}, {L"图纸", 0, 5}, {L".dwg", 0, 7}, {L"x", 0, -1},
                        {L"a", 1, -1}, {L".", -1, -1}, {L"", 11, 11}, {L"g", 12, -1}};
    for (const auto& c : string_cases) EXPECT_EQ(s.Find(c.sub, c.start), c.expected) << c.sub << " from " << c.start;
    EXPECT_EQ(s.Find(L'.'), 1);
    EXPECT_EQ(s.Find(L'.', 4), 7);
    EXPECT_EQ(s.Find(L'.', 11), -1);  // start at the end finds nothing
    EXPECT_EQ(s.ReverseFind(L'.'), 7);
    EXPECT_EQ(s.ReverseFind(L'z'), -1);
    EXPECT_EQ(s.FindOneOf(L"纸c"), 4);
    EXPECT_EQ(s.FindOneOf(L"xyz"), -1);
    EXPECT_EQ(CString().Find(L'a'), -1);
}

TEST(CStringEditing, ReplaceReturnsTheCount) {
    const struct {
        const wchar_t* text;
        const wchar_t* old_text;
        const wchar_t* new_text;
        int count;
        const wchar_t* result;
    } cases[] = {
        {L"a b  c", L" ", L"*?*", 3, L"a*?*b*?**?*c"},
        {L"aaaa", L"aa", L"a", 2, L"aa"},  // no overlapping matches, no rescanning
        {L"abc", L"", L"x", 0, L"abc"},
        {L"abc", L"b", nullptr, 1, L"ac"},
        {L"<><", L"<><", L"", 1, L""},
        {L"K_TK_BK1", L"K_TK_", L"", 1, L"BK1"},
        {L"none", L"x", L"y", 0, L"none"},
    };
    for (const auto& c : cases) {
        CString s(c.text);
        EXPECT_EQ(s.Replace(c.old_text, c.new_text), c.count) << c.text;
        EXPECT_EQ(W(s), c.result) << c.text;
    }
    CString s(L"a.b.c");
    EXPECT_EQ(s.Replace(L'.', L'\\'), 2);
    EXPECT_EQ(W(s), L"a\\b\\c");
    EXPECT_EQ(s.Remove(L'\\'), 2);
    EXPECT_EQ(W(s), L"abc");
}

TEST(CStringEditing, InsertAndDeleteClamp) {
    CString s(L"abc");
    EXPECT_EQ(s.Insert(1, L'X'), 4);
    EXPECT_EQ(W(s), L"aXbc");
    EXPECT_EQ(s.Insert(99, L"end"), 7);
    EXPECT_EQ(W(s), L"aXbcend");
    EXPECT_EQ(s.Insert(-5, L"<"), 8);
    EXPECT_EQ(W(s), L"<aXbcend");
    EXPECT_EQ(s.Delete(1, 2), 6);
    EXPECT_EQ(W(s), L"<bcend");
    EXPECT_EQ(s.Delete(4, 99), 4);
    EXPECT_EQ(W(s), L"<bce");
    EXPECT_EQ(s.Delete(10, 1), 4);
    EXPECT_EQ(s.Delete(0, -1), 4);
    EXPECT_EQ(W(s), L"<bce");
}

TEST(CStringEditing, TrimVariants) {
    const struct {
        const wchar_t* text;
        const wchar_t* targets;  // null: white space
        const wchar_t* both;
        const wchar_t* left;
        const wchar_t* right;
    } cases[] = {
        {L"  a b \t\r\n", nullptr, L"a b", L"a b \t\r\n", L"  a b"},
        {L"\u3000标题\u3000", nullptr, L"标题", L"标题\u3000", L"\u3000标题"},
        {L"xxaxbxx", L"x", L"axb", L"axbxx", L"xxaxb"},
        {L"-=a=-", L"=-", L"a", L"a=-", L"-=a"},
        {L"    ", nullptr, L"", L"", L""},
        {L"", nullptr, L"", L"", L""},
    };
    for (const auto& c : cases) {
        CString both(c.text), left(c.text), right(c.text);
        if (c.targets) {
            both.Trim(c.targets);
            left.TrimLeft(c.targets);
            right.TrimRight(c.targets);
        } else {
            both.Trim();
            left.TrimLeft();
            right.TrimRight();
        }
        EXPECT_EQ(W(both), c.both) << c.text;
        EXPECT_EQ(W(left), c.left) << c.text;
        EXPECT_EQ(W(right), c.right) << c.text;
    }
    CString s(L"..a..");
    EXPECT_EQ(W(s.Trim(L'.')), L"a");
}

TEST(CStringEditing, TokenizeWalksEveryToken) {
    const struct {
        const wchar_t* text;
        const wchar_t* delimiters;
        std::vector<std::wstring> tokens;
    } cases[] = {
        {L"a,b,,c", L",", {L"a", L"b", L"c"}},
        {L",,a;b ,", L",; ", {L"a", L"b"}},
        {L"", L",", {}},
        {L",,,", L",", {}},
        {L"单一", L",", {L"单一"}},
        {L"whole text", L"", {L"whole text"}},  // no delimiters: one token, then the end
    };
    for (const auto& c : cases) {
        const CString s(c.text);
        std::vector<std::wstring> tokens;
        int pos = 0;
        for (CString token = s.Tokenize(c.delimiters, pos); pos != -1; token = s.Tokenize(c.delimiters, pos)) {
            tokens.push_back(W(token));
            ASSERT_LT(tokens.size(), 10u) << "Tokenize does not end: " << c.text;
        }
        EXPECT_EQ(tokens, c.tokens) << c.text;
    }
    int pos = -4;
    EXPECT_TRUE(CString(L"a").Tokenize(L",", pos).IsEmpty());
    EXPECT_EQ(pos, -1);
}

TEST(CStringEditing, SpanIncludingExcluding) {
    const CString s(L"123abc");
    EXPECT_EQ(W(s.SpanIncluding(L"0123456789")), L"123");
    EXPECT_EQ(W(s.SpanExcluding(L"abc")), L"123");
    EXPECT_EQ(W(s.SpanIncluding(L"x")), L"");
    EXPECT_EQ(W(s.SpanExcluding(L"x")), L"123abc");
}

TEST(CStringCase, FoldsAsciiOnly) {
    CString s(L"Abc图Ｚ");
    EXPECT_EQ(W(s.MakeUpper()), L"ABC图Ｚ");
    EXPECT_EQ(W(s.MakeLower()), L"abc图Ｚ");
    EXPECT_EQ(W(s.MakeReverse()), L"Ｚ图cba");

    const struct {
        const wchar_t* a;
        const wchar_t* b;
        int sign;
    } cases[] = {
        {L"KV_A1", L"kv_a1", 0},        {L"图纸A", L"图纸a", 0},  {L"图框", L"图纸", -1},  // by code point
        {L"图纸", L"图框", 1},          {L"abc", L"ABD", -1},     {L"", L"", 0},
        {L"a", L"", 1},                 {L"Ｚ", L"ｚ", -1},       {L"[", L"a", -1},  // '[' sorts before letters folded to lower case
    };
    auto sign = [](int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); };
    for (const auto& c : cases) EXPECT_EQ(sign(CString(c.a).CompareNoCase(c.b)), c.sign) << c.a << " vs " << c.b;
    EXPECT_EQ(CString(L"a").Compare(nullptr), 1);
    EXPECT_EQ(CString().Compare(nullptr), 0);
    EXPECT_LT(CString(L"B").Compare(L"a"), 0);
    EXPECT_LT(CString(L"a").Compare(L"\u00e9"), 0);  // unsigned code points
}

TEST(CStringOperators, ConcatenationAndComparison) {
    CString s = L"图纸" + CString(L"_") + L'1';
    s += L".dxf";
    s += CString(L"!");
    EXPECT_EQ(W(s), L"图纸_1.dxf!");
    EXPECT_TRUE(s == L"图纸_1.dxf!");
    EXPECT_TRUE(L"图纸_1.dxf!" == s);
    EXPECT_TRUE(s != L"x");
    EXPECT_TRUE(CString(L"a") < CString(L"b"));
    EXPECT_TRUE(CString(L"b") > L"a");
    EXPECT_TRUE(CString(L"x") == L'x');

    std::map<CString, int> ordered{{L"b", 2}, {L"a", 1}};
    EXPECT_EQ(W(ordered.begin()->first), L"a");

    CString copy(s);
    copy.SetAt(0, L'X');
    EXPECT_EQ(W(s), L"图纸_1.dxf!");  // copies are independent
    EXPECT_EQ(copy[0], L'X');
    EXPECT_EQ(copy.GetAt(1), L'纸');

    EXPECT_EQ(W(CString(L'-', 3)), L"---");
    EXPECT_EQ(W(CString(L"abcdef", 3)), L"abc");
    EXPECT_EQ(W(CString(static_cast<const wchar_t*>(nullptr))), L"");
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_STREQ(static_cast<const wchar_t*>(empty), L"");
}

TEST(CStringBuffer, GetBufferReleaseBuffer) {
    CString s(L"ab");
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"C:\\图纸");
    s.ReleaseBuffer();
    EXPECT_EQ(W(s), L"C:\\图纸");

    p = s.GetBuffer();
    p[1] = L'|';
    s.ReleaseBuffer(2);
    EXPECT_EQ(W(s), L"C|");

    p = s.GetBufferSetLength(4);
    p[2] = L'x';
    p[3] = L'y';
    s.ReleaseBuffer();
    EXPECT_EQ(W(s), L"C|xy");

    s.GetBuffer(MAX_PATH);
    s.ReleaseBuffer(999);  // longer than the buffer: clamped to it
    EXPECT_EQ(s.GetLength(), MAX_PATH);

    CString empty;
    empty.GetBuffer(5)[0] = 0;
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(CStringBounds, BadIndexStopsTheProgram) {
    CString s(L"ab");
    EXPECT_DEATH(s.GetAt(2), "assertion failed");
    EXPECT_DEATH(s.SetAt(-1, L'x'), "assertion failed");
    EXPECT_DEATH((void)s[5], "assertion failed");
}

TEST(CStringResources, LoadStringWithoutTablesFails) {
    CString s(L"keep");
    EXPECT_FALSE(s.LoadString(101));
    EXPECT_EQ(W(s), L"keep");
    EXPECT_TRUE(CString(MAKEINTRESOURCE(101)).IsEmpty());
}

}  // namespace
