#include <gtest/gtest.h>

#include <string>

#include "core/rb_chain.h"
#include "db/dbmain.h"
#include "db/dbdict.h"

namespace {

// A chain with every writer, as a format owner builds it.
resbuf* Build_Sample(const std::wstring& text)
{
    resbuf* head = Rb_New(90);
    head->resval.rlong = 3;  // the owner's count
    resbuf* tail = head;
    EXPECT_EQ(Rb_Append_Long(tail, 20240101), tail);
    Rb_Append_Int(tail, -7);
    Rb_Append_Real(tail, 2.5);
    Rb_Append_Text(tail, text.c_str());
    Rb_Append_Text(tail, L"");
    EXPECT_EQ(tail->rbnext, nullptr);
    return head;
}

TEST(RbChain, WritersAndReadersRoundTrip)
{
    resbuf* chain = Build_Sample(L"图框 A1");
    const int types[] = {90, 90, 90, 40, 1, 1};
    int n = 0;
    for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext)
        EXPECT_EQ(rb->restype, types[n++]);
    EXPECT_EQ(n, 6);

    const resbuf* position = chain;
    int32_t count = 0, stamp = 0, value = 0;
    double real = 0;
    CString text = L"unchanged", empty = L"x";
    Rb_Read_Int(position, count);
    Rb_Read_Long(position, stamp);
    Rb_Read_Int(position, value);
    Rb_Read_Real(position, real);
    Rb_Read_Text(position, text);
    Rb_Read_Text(position, empty);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(stamp, 20240101);
    EXPECT_EQ(value, -7);
    EXPECT_EQ(real, 2.5);
    EXPECT_STREQ(text.GetString(), L"图框 A1");
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(position, nullptr);

    // Past the end nothing is read and the value stays.
    Rb_Read_Int(position, value);
    Rb_Read_Text(position, text);
    EXPECT_EQ(value, -7);
    EXPECT_STREQ(text.GetString(), L"图框 A1");
    Rb_Free_Chain(chain);
}

TEST(RbChain, TextsUpTo299CharactersSurviveLongerOnesAreCut)
{
    struct Case {
        size_t length;
        size_t kept;
    };
    for (Case c : {Case{0, 0}, Case{298, 298}, Case{299, 299}, Case{300, 299}, Case{5000, 299}}) {
        std::wstring text;
        for (size_t i = 0; i < c.length; ++i)
            text += static_cast<wchar_t>(L'a' + i % 26);
        resbuf* tail = nullptr;
        resbuf* rb = Rb_Append_Text(tail, text.c_str());
        ASSERT_NE(rb, nullptr);
        const resbuf* position = rb;
        CString read;
        Rb_Read_Text(position, read);
        EXPECT_EQ(std::wstring(read.GetString()), text.substr(0, c.kept)) << c.length;
        Rb_Free_Chain(rb);
    }
}

TEST(RbChain, AnXrecordKeepsTheChain)
{
    resbuf* chain = Build_Sample(L"DWG_PLOT_SETTING");
    ZcDbXrecord record;
    ASSERT_EQ(record.setFromRbChain(*chain), Zcad::eOk);
    Rb_Free_Chain(chain);  // the record holds its own copy

    resbuf* stored = nullptr;
    ASSERT_EQ(record.rbChain(&stored), Zcad::eOk);
    const resbuf* position = stored;
    int32_t count = 0, stamp = 0, value = 0;
    double real = 0;
    CString text;
    Rb_Read_Int(position, count);
    Rb_Read_Long(position, stamp);
    Rb_Read_Int(position, value);
    Rb_Read_Real(position, real);
    Rb_Read_Text(position, text);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(stamp, 20240101);
    EXPECT_EQ(value, -7);
    EXPECT_EQ(real, 2.5);
    EXPECT_STREQ(text.GetString(), L"DWG_PLOT_SETTING");
    zcutRelRb(stored);
}

}  // namespace
