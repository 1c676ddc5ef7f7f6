#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <memory>

#include "rx/zcadstrc.h"

namespace {
struct ChainDeleter {
    void operator()(resbuf* rb) const { zcutRelRb(rb); }
};
using Chain = std::unique_ptr<resbuf, ChainDeleter>;

int chainLength(const resbuf* rb)
{
    int n = 0;
    for (; rb != nullptr; rb = rb->rbnext)
        ++n;
    return n;
}
} // namespace

TEST(ErrorStatus, TextNamesTheStatus)
{
    EXPECT_STREQ(zcadErrorStatusText(Zcad::eOk), L"eOk");
    EXPECT_STREQ(zcadErrorStatusText(Zcad::eKeyNotFound), L"eKeyNotFound");
    EXPECT_STREQ(zcadErrorStatusText(Zcad::eInetFileGenericError), L"eInetFileGenericError");
    EXPECT_STREQ(zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(-1)), L"eUnknownErrorStatus");
    EXPECT_STREQ(zcadErrorStatusText(Zcad::eErrorStatusCount), L"eUnknownErrorStatus");
}

TEST(GroupCodes, KindOfEachCodeRange)
{
    struct Case {
        int code;
        ZcRbValueKind kind;
    };
    const Case cases[] = {
        {-1, kRbObjectId}, {-3, kRbNone}, {-4, kRbString}, {0, kRbString}, {2, kRbString},
        {5, kRbHandle}, {8, kRbString}, {10, kRbPoint}, {18, kRbPoint}, {20, kRbReal},
        {38, kRbReal}, {40, kRbReal}, {50, kRbReal}, {62, kRbShort}, {70, kRbShort},
        {90, kRbLong}, {100, kRbString}, {102, kRbString}, {105, kRbHandle}, {110, kRbPoint},
        {140, kRbReal}, {160, kRbInt64}, {170, kRbShort}, {210, kRbPoint}, {230, kRbReal},
        {280, kRbShort}, {290, kRbBool}, {300, kRbString}, {310, kRbBinary}, {320, kRbHandle},
        {330, kRbObjectId}, {360, kRbObjectId}, {370, kRbShort}, {390, kRbObjectId},
        {410, kRbString}, {420, kRbLong}, {450, kRbLong}, {460, kRbReal}, {480, kRbObjectId},
        {999, kRbString}, {1000, kRbString}, {1004, kRbBinary}, {1005, kRbHandle},
        {1010, kRbPoint}, {1040, kRbReal}, {1070, kRbShort}, {1071, kRbLong},
        {RTREAL, kRbReal}, {RTANG, kRbReal}, {RTPOINT, kRbPoint}, {RT3DPOINT, kRbPoint},
        {RTSHORT, kRbShort}, {RTSTR, kRbString}, {RTENAME, kRbObjectId}, {RTPICKS, kRbObjectId},
        {RTLONG, kRbLong}, {RTINT64, kRbInt64}, {RTLB, kRbNone}, {RTT, kRbNone},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(zcutIsKnownCode(c.code)) << c.code;
        EXPECT_EQ(zcutGroupCodeType(c.code), c.kind) << c.code;
    }
    for (int unknown : {19, 80, 150, 200, 482, 1014, 1072, 4999, 6000}) {
        EXPECT_FALSE(zcutIsKnownCode(unknown)) << unknown;
        EXPECT_EQ(zcutGroupCodeType(unknown), kRbNone) << unknown;
    }
}

TEST(Resbuf, BuildListReadsEachKindOfValue)
{
    const double point[3] = {1.0, 2.0, 3.0};
    const int64_t name[2] = {0x1234, 0x5678};
    const char bytes[3] = {'a', '\0', 'b'};
    Chain chain(zcutBuildList(RTSTR, L"text", RTREAL, 2.5, RT3DPOINT, point, RTSHORT, 7,
                              RTLONG, 70000, RTENAME, name, RTLB, 1071, 123456, 160,
                              int64_t(1) << 40, 310, 3, bytes, RTLE, 5, L"1F", RTNONE));
    ASSERT_EQ(chainLength(chain.get()), 12);
    const resbuf* rb = chain.get();
    EXPECT_STREQ(rb->resval.rstring, L"text");
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rreal, 2.5);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rpoint[Z], 3.0);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rint, 7);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlong, 70000);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlname[0], 0x1234);
    EXPECT_EQ(rb->resval.rlname[1], 0x5678);
    rb = rb->rbnext;
    EXPECT_EQ(rb->restype, RTLB);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.rlong, 123456);
    rb = rb->rbnext;
    EXPECT_EQ(rb->resval.mnInt64, int64_t(1) << 40);
    rb = rb->rbnext;
    ASSERT_EQ(rb->resval.rbinary.clen, 3);
    EXPECT_EQ(std::memcmp(rb->resval.rbinary.buf, bytes, 3), 0);
    rb = rb->rbnext;
    EXPECT_EQ(rb->restype, RTLE);
    rb = rb->rbnext;
    EXPECT_STREQ(rb->resval.rstring, L"1F");
}

TEST(Resbuf, BuildListStopsAtZeroAndRefusesUnknownCodes)
{
    Chain stopped(zcutBuildList(RTSHORT, 1, 0, RTSHORT, 2));
    EXPECT_EQ(chainLength(stopped.get()), 1);
    EXPECT_EQ(zcutBuildList(RTSTR, L"a", 19, 1.0, RTNONE), nullptr);
    EXPECT_EQ(zcutBuildList(RTNONE), nullptr);
    Chain nullText(zcutBuildList(RTSTR, static_cast<const wchar_t*>(nullptr), RTNONE));
    ASSERT_NE(nullText, nullptr);
    EXPECT_STREQ(nullText->resval.rstring, L"");
}

TEST(Resbuf, DuplicateChainCopiesStringsAndBinaries)
{
    const char bytes[2] = {'x', 'y'};
    Chain original(zcutBuildList(1, L"one", 1004, 2, bytes, 40, 1.5, RTNONE));
    Chain copy(zcutDuplicateChain(original.get()));
    ASSERT_EQ(chainLength(copy.get()), 3);
    EXPECT_NE(copy->resval.rstring, original->resval.rstring);
    EXPECT_STREQ(copy->resval.rstring, L"one");
    EXPECT_NE(copy->rbnext->resval.rbinary.buf, original->rbnext->resval.rbinary.buf);
    EXPECT_EQ(std::memcmp(copy->rbnext->resval.rbinary.buf, bytes, 2), 0);
    EXPECT_EQ(copy->rbnext->rbnext->resval.rreal, 1.5);
    original.reset(); // the copy must not depend on the original's storage
    EXPECT_STREQ(copy->resval.rstring, L"one");
    EXPECT_EQ(zcutDuplicateChain(nullptr), nullptr);
}

TEST(Resbuf, NewRbIsZeroedAndOwnsWhatTheCallerAttaches)
{
    resbuf* rb = zcutNewRb(RTSTR);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(rb->restype, RTSTR);
    EXPECT_EQ(rb->rbnext, nullptr);
    EXPECT_EQ(rb->resval.rstring, nullptr);
    EXPECT_EQ(zcutNewString(L"owned", rb->resval.rstring), RTNORM);
    rb->rbnext = zcutNewRb(RTSTR); // a string link without a string is released too
    EXPECT_EQ(zcutRelRb(rb), RTNORM);
    EXPECT_EQ(zcutRelRb(nullptr), RTNORM);
    wchar_t* out = reinterpret_cast<wchar_t*>(1);
    EXPECT_EQ(zcutNewString(nullptr, out), RTERROR);
    EXPECT_EQ(out, nullptr);
}
