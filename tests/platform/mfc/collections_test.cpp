#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "mfc/afxcoll.h"
#include "mfc/afxtempl.h"

namespace {

class Sheet_Record : public CObject {
    DECLARE_DYNAMIC(Sheet_Record)
public:
    explicit Sheet_Record(int n = 0) : number(n) { ++alive; }
    ~Sheet_Record() override { --alive; }
    int number;
    static int alive;
};
int Sheet_Record::alive = 0;

}  // namespace

IMPLEMENT_DYNAMIC(Sheet_Record, CObject)

namespace {

template <class A>
std::vector<int> Items(const A& a) {
    std::vector<int> out;
    for (INT_PTR i = 0; i < a.GetSize(); ++i) out.push_back(static_cast<int>(a[i]));
    return out;
}

TEST(CArrayTest, GrowInsertRemove) {
    CArray<int, int> a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.GetUpperBound(), -1);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(a.Add(i), i);
    EXPECT_EQ(a.GetSize(), 100);
    EXPECT_EQ(a.GetUpperBound(), 99);
    a.RemoveAt(10, 85);
    EXPECT_EQ(Items(a), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 95, 96, 97, 98, 99}));
    a.SetSize(3);
    a.InsertAt(1, -1, 2);
    EXPECT_EQ(Items(a), (std::vector<int>{0, -1, -1, 1, 2}));
    a.InsertAt(7, 9);  // past the end: the gap is zero-filled
    EXPECT_EQ(Items(a), (std::vector<int>{0, -1, -1, 1, 2, 0, 0, 9}));
    a.SetAtGrow(9, 4);
    EXPECT_EQ(a.GetSize(), 10);
    EXPECT_EQ(a[8], 0);
    a.ElementAt(0) = 5;
    a[1] = 6;
    a.SetAt(2, 7);
    EXPECT_EQ(a.GetAt(0) + a.GetAt(1) + a.GetAt(2), 18);
    EXPECT_EQ(a.GetData()[2], 7);

    CArray<int, int> b;
    b.Add(1);
    b.Add(2);
    EXPECT_EQ(b.Append(b), 2);  // appending to itself doubles it
    EXPECT_EQ(Items(b), (std::vector<int>{1, 2, 1, 2}));
    b.InsertAt(1, &b);
    EXPECT_EQ(Items(b), (std::vector<int>{1, 1, 2, 1, 2, 2, 1, 2}));
    a.Copy(b);
    EXPECT_EQ(Items(a), Items(b));
    a.RemoveAll();
    EXPECT_EQ(a.GetCount(), 0);
    EXPECT_EQ(a.GetData(), nullptr);
}

TEST(CArrayTest, ElementsOfTheArrayItselfCanBeAdded) {
    CArray<CString, const CString&> a;
    a.Add(L"first");
    for (int i = 0; i < 20; ++i) a.Add(a[0]);  // the argument lives in the growing array
    a.InsertAt(0, a[20]);
    a.SetAtGrow(40, a[0]);
    for (INT_PTR i = 0; i <= 20; ++i) EXPECT_STREQ(a[i], L"first") << i;
    EXPECT_STREQ(a[40], L"first");
    EXPECT_TRUE(a[30].IsEmpty());
}

TEST(CArrayTest, BadIndexStopsTheProgram) {
    CArray<int, int> a;
    a.Add(1);
    EXPECT_DEATH(a.GetAt(1), "assertion failed");
    EXPECT_DEATH(a[-1] = 0, "assertion failed");
    EXPECT_DEATH(a.RemoveAt(0, 2), "assertion failed");
    EXPECT_DEATH(a.SetSize(-1), "assertion failed");
    EXPECT_DEATH(a.InsertAt(-1, 0), "assertion failed");
}

TEST(TypedPtrArrayTest, OwnsNothingAndCastsBack) {
    CTypedPtrArray<CObArray, Sheet_Record*> sheets;
    for (int i = 1; i <= 3; ++i) sheets.Add(new Sheet_Record(i * 10));
    sheets.InsertAt(0, new Sheet_Record(5));
    Sheet_Record* second = sheets[1];
    EXPECT_EQ(second->number, 10);
    sheets[1] = sheets.GetAt(3);
    sheets.SetAt(3, second);
    std::vector<int> numbers;
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) numbers.push_back(sheets[i]->number);
    EXPECT_EQ(numbers, (std::vector<int>{5, 30, 20, 10}));

    CObArray& base = sheets;  // usable as its base collection
    EXPECT_TRUE(base[2]->IsKindOf(RUNTIME_CLASS(Sheet_Record)));
    EXPECT_EQ(Sheet_Record::alive, 4);
    for (INT_PTR i = 0; i < sheets.GetSize(); ++i) delete sheets[i];
    sheets.RemoveAll();
    EXPECT_EQ(Sheet_Record::alive, 0);

    CTypedPtrArray<CPtrArray, int*> pointers;
    int values[2] = {1, 2};
    pointers.Add(&values[0]);
    pointers.Add(&values[1]);
    EXPECT_EQ(*pointers[1], 2);
}

TEST(CollectionsTest, NamedArrays) {
    CStringArray names;
    names.Add(L"宋体");
    names.Add(CString(L"黑体"));
    names.SetAtGrow(3, L"仿宋");
    EXPECT_EQ(names.GetSize(), 4);
    EXPECT_TRUE(names[2].IsEmpty());
    EXPECT_EQ(names[0].CompareNoCase(L"宋体"), 0);

    CByteArray bytes;
    bytes.SetSize(3);
    EXPECT_EQ(bytes[2], 0);
    CUIntArray uints;
    uints.Add(7u);
    CDWordArray dwords;
    dwords.Add(0xFFFFFFFFu);
    CWordArray words;
    words.Add(static_cast<WORD>(65535));
    EXPECT_EQ(uints[0] + dwords[0], 6u);
    EXPECT_EQ(words[0], 65535);
    EXPECT_STREQ(RUNTIME_CLASS(CStringArray)->m_lpszClassName, "CStringArray");
}

TEST(CListTest, PositionsWalkBothWays) {
    CList<int, int> list;
    POSITION two = list.AddTail(2);
    list.AddTail(3);
    list.AddHead(1);
    list.InsertAfter(two, 25);
    list.InsertBefore(list.GetHeadPosition(), 0);
    EXPECT_EQ(list.GetCount(), 5);

    std::vector<int> forward, backward;
    for (POSITION pos = list.GetHeadPosition(); pos;) forward.push_back(list.GetNext(pos));
    for (POSITION pos = list.GetTailPosition(); pos;) backward.push_back(list.GetPrev(pos));
    EXPECT_EQ(forward, (std::vector<int>{0, 1, 2, 25, 3}));
    EXPECT_EQ(backward, (std::vector<int>{3, 25, 2, 1, 0}));

    // Removing while walking: take the position before GetNext moves it.
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        POSITION current = pos;
        if (list.GetNext(pos) % 2 == 1) list.RemoveAt(current);
    }
    forward.clear();
    for (POSITION pos = list.GetHeadPosition(); pos;) forward.push_back(list.GetNext(pos));
    EXPECT_EQ(forward, (std::vector<int>{0, 2}));
    EXPECT_EQ(list.RemoveHead(), 0);
    EXPECT_EQ(list.RemoveTail(), 2);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_DEATH(list.GetHead(), "assertion failed");
    POSITION none = nullptr;
    EXPECT_DEATH(list.GetNext(none), "assertion failed");
}

TEST(CListTest, FindAndFindIndex) {
    CStringList names;
    names.AddTail(L"A1");
    names.AddTail(L"A2");
    POSITION second_a1 = names.AddTail(L"A1");
    EXPECT_EQ(names.Find(L"A1", names.GetHeadPosition()), second_a1);
    EXPECT_EQ(names.Find(L"A3"), nullptr);
    EXPECT_STREQ(names.GetAt(names.FindIndex(1)), L"A2");
    EXPECT_EQ(names.FindIndex(3), nullptr);
    EXPECT_EQ(names.FindIndex(-1), nullptr);
    names.SetAt(second_a1, L"A0");
    EXPECT_STREQ(names.GetTail(), L"A0");

    CStringList copy;
    copy.AddTail(&names);
    copy.AddHead(&copy);  // a list added to itself doubles once
    EXPECT_EQ(copy.GetCount(), 6);
    EXPECT_STREQ(copy.GetHead(), L"A1");
    EXPECT_STREQ(copy.GetTail(), L"A0");

    CTypedPtrList<CObList, Sheet_Record*> records;
    Sheet_Record a(1), b(2);
    records.AddTail(&a);
    records.AddTail(&b);
    int sum = 0;
    for (POSITION pos = records.GetHeadPosition(); pos;) sum += records.GetNext(pos)->number;
    EXPECT_EQ(sum, 3);
    EXPECT_EQ(records.Find(&b), records.GetTailPosition());
}

TEST(CMapTest, LookupSetAtRemove) {
    CMap<CString, LPCTSTR, int, int> sizes;
    sizes.SetAt(L"KV_A1", 841);
    sizes[L"KV_A2"] = 594;
    sizes[L"KV_A3"];  // inserted value-initialised
    int value = -1;
    EXPECT_TRUE(sizes.Lookup(L"KV_A1", value));
    EXPECT_EQ(value, 841);
    EXPECT_TRUE(sizes.Lookup(L"KV_A3", value));
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(sizes.Lookup(L"kv_a1", value));  // keys compare with case
    EXPECT_EQ(sizes.GetCount(), 3);
    sizes.SetAt(L"KV_A1", 1);
    EXPECT_EQ(sizes.GetCount(), 3);
    EXPECT_TRUE(sizes.RemoveKey(L"KV_A3"));
    EXPECT_FALSE(sizes.RemoveKey(L"KV_A3"));
    EXPECT_EQ(sizes.PLookup(L"KV_A2")->value, 594);
    EXPECT_EQ(sizes.PLookup(L"none"), nullptr);

    std::map<std::wstring, int> seen;
    for (POSITION pos = sizes.GetStartPosition(); pos;) {
        CString key;
        int v;
        sizes.GetNextAssoc(pos, key, v);
        seen[key.GetString()] = v;
    }
    EXPECT_EQ(seen, (std::map<std::wstring, int>{{L"KV_A1", 1}, {L"KV_A2", 594}}));
    sizes.RemoveAll();
    EXPECT_EQ(sizes.GetStartPosition(), nullptr);
    EXPECT_FALSE(sizes.Lookup(L"KV_A1", value));
}

TEST(CMapTest, ManyKeysInFewBucketsIterateOnce) {
    CMap<int, int, int, int> squares;
    squares.InitHashTable(7);
    for (int i = 0; i < 200; ++i) squares[i] = i * i;
    for (int i = 0; i < 200; i += 2) squares.RemoveKey(i);
    std::set<int> keys;
    for (POSITION pos = squares.GetStartPosition(); pos;) {
        int k, v;
        squares.GetNextAssoc(pos, k, v);
        EXPECT_EQ(v, k * k);
        EXPECT_TRUE(keys.insert(k).second) << "key " << k << " visited twice";
    }
    EXPECT_EQ(keys.size(), 100u);
    EXPECT_EQ(*keys.begin(), 1);

    CMap<void*, void*, CString, const CString&> by_pointer;
    int anchor = 0;
    by_pointer[&anchor] = L"anchor";
    CString found;
    EXPECT_TRUE(by_pointer.Lookup(&anchor, found));
    EXPECT_STREQ(found, L"anchor");
}

TEST(CMapTest, StringMaps) {
    CMapStringToString settings;
    settings.SetAt(L"PLOTCONFIGPATH", L"C:\\Plotters");
    CString path;
    EXPECT_TRUE(settings.Lookup(L"PLOTCONFIGPATH", path));
    EXPECT_STREQ(path, L"C:\\Plotters");

    CMap<CString, const CString&, int, int> by_key;
    by_key[CString(L"A4")] = 4;
    int size = 0;
    EXPECT_TRUE(by_key.Lookup(CString(L"A4"), size));
    EXPECT_EQ(size, 4);

    CTypedPtrMap<CMapStringToPtr, CString, Sheet_Record*> by_name;
    Sheet_Record record(7);
    by_name.SetAt(L"图1", &record);
    Sheet_Record* found = nullptr;
    EXPECT_TRUE(by_name.Lookup(L"图1", found));
    EXPECT_EQ(found, &record);
    EXPECT_FALSE(by_name.Lookup(L"图2", found));
    POSITION pos = by_name.GetStartPosition();
    CString key;
    by_name.GetNextAssoc(pos, key, found);
    EXPECT_STREQ(key, L"图1");
    EXPECT_EQ(pos, nullptr);
}

}  // namespace
