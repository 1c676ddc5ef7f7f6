#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rx/zcarray.h"

namespace {
template <class T>
std::vector<T> items(const ZcArray<T>& a)
{
    return std::vector<T>(a.begin(), a.end());
}

ZcArray<int> arrayOf(std::initializer_list<int> values, int growLength = 8)
{
    ZcArray<int> a(0, growLength);
    for (int v : values)
        a.append(v);
    return a;
}
} // namespace

TEST(ZcArray, AppendInsertRemoveKeepOrder)
{
    ZcArray<int> a;
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(a.append(10), 0);
    EXPECT_EQ(a.append(30), 1);
    a.insertAt(1, 20).insertAt(0, 5).insertAt(4, 40);
    EXPECT_EQ(items(a), (std::vector<int>{5, 10, 20, 30, 40}));
    a.removeAt(2);
    a.removeFirst();
    a.removeLast();
    EXPECT_EQ(items(a), (std::vector<int>{10, 30}));
    EXPECT_EQ(a.first(), 10);
    EXPECT_EQ(a.last(), 30);
    EXPECT_EQ(a.length(), 2);
    EXPECT_EQ(a.logicalLength(), 2);
    a.removeAll();
    EXPECT_TRUE(a.isEmpty());
}

TEST(ZcArray, GrowingKeepsElementsAndPhysicalLengthFollowsRequests)
{
    ZcArray<int> a(2, 3);
    EXPECT_EQ(a.physicalLength(), 2);
    for (int i = 0; i < 100; ++i)
        a.append(i);
    ASSERT_EQ(a.length(), 100);
    EXPECT_GE(a.physicalLength(), 100);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(a[i], i);
    a.setPhysicalLength(10);
    EXPECT_EQ(a.physicalLength(), 10);
    EXPECT_EQ(a.length(), 10);
    EXPECT_EQ(a.last(), 9);
}

// Appending or inserting an element of the array itself must survive the reallocation.
TEST(ZcArray, ElementOfItselfSurvivesReallocation)
{
    ZcArray<std::wstring> a(1, 1);
    a.append(L"first");
    ASSERT_EQ(a.physicalLength(), 1);
    a.append(a[0]);
    a.insertAt(0, a[1]);
    EXPECT_EQ(items(a), (std::vector<std::wstring>{L"first", L"first", L"first"}));

    ZcArray<int> b = arrayOf({1, 2}, 1);
    b.append(b);
    EXPECT_EQ(items(b), (std::vector<int>{1, 2, 1, 2}));
}

TEST(ZcArray, FindContainsAndRemoveHonourTheStart)
{
    ZcArray<int> a = arrayOf({7, 3, 7, 9});
    int at = -1;
    EXPECT_TRUE(a.find(7, at));
    EXPECT_EQ(at, 0);
    EXPECT_TRUE(a.find(7, at, 1));
    EXPECT_EQ(at, 2);
    EXPECT_FALSE(a.find(3, at, 2));
    EXPECT_EQ(a.find(9), 3);
    EXPECT_EQ(a.find(4), -1);
    EXPECT_TRUE(a.contains(3));
    EXPECT_FALSE(a.contains(3, 2));
    EXPECT_TRUE(a.remove(7, 1));
    EXPECT_EQ(items(a), (std::vector<int>{7, 3, 9}));
    EXPECT_FALSE(a.remove(42));
    EXPECT_EQ(a.length(), 3);
}

TEST(ZcArray, LogicalLengthReadsDefaultsNotStaleValues)
{
    ZcArray<int> a = arrayOf({1, 2, 3});
    a.removeLast();
    a.setLogicalLength(4);
    EXPECT_EQ(items(a), (std::vector<int>{1, 2, 0, 0}));
    a.setLogicalLength(1).setLogicalLength(2);
    EXPECT_EQ(items(a), (std::vector<int>{1, 0}));
    a.setLogicalLength(-3);
    EXPECT_TRUE(a.isEmpty());
}

TEST(ZcArray, CopyAndMoveAreIndependent)
{
    ZcArray<std::wstring> a;
    a.append(L"a");
    a.append(L"b");
    ZcArray<std::wstring> copy(a);
    copy[0] = L"changed";
    EXPECT_EQ(a[0], L"a");
    ZcArray<std::wstring> assigned;
    assigned = a;
    EXPECT_TRUE(assigned == a);
    ZcArray<std::wstring> moved(std::move(a));
    EXPECT_EQ(moved.length(), 2);
    EXPECT_EQ(a.length(), 0); // NOLINT(bugprone-use-after-move): moved-from is empty
    a = std::move(moved);
    EXPECT_EQ(items(a), (std::vector<std::wstring>{L"a", L"b"}));
    a = a;
    EXPECT_EQ(a.length(), 2);
}

TEST(ZcArray, ReverseSwapSetAllAndRangeFor)
{
    ZcArray<int> a = arrayOf({1, 2, 3, 4});
    a.reverse();
    EXPECT_EQ(items(a), (std::vector<int>{4, 3, 2, 1}));
    a.swap(0, 3);
    EXPECT_EQ(items(a), (std::vector<int>{1, 3, 2, 4}));
    int sum = 0;
    for (int v : a)
        sum += v;
    EXPECT_EQ(sum, 10);
    a.setAll(a[1]);
    EXPECT_EQ(items(a), (std::vector<int>{3, 3, 3, 3}));
    EXPECT_EQ(a.asArrayPtr()[2], 3);
}

#ifndef NDEBUG
TEST(ZcArrayDeathTest, IndexOutOfRangeAssertsInDebug)
{
    ZcArray<int> a = arrayOf({1});
    EXPECT_DEATH(a[1], "");
    EXPECT_DEATH(a.at(-1), "");
}
#endif
