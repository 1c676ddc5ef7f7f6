#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rx/rxclass.h"
#include "rx/rxlinker.h"
#include "rx/rxregistry.h"

TEST(RxDictionary, AtPutReturnsWhatItReplacesAndRemoveHandsTheObjectBack)
{
    ZcRxDictionary dict;
    ZcRxObject a, b;
    EXPECT_EQ(dict.atPut(L"Key", &a), nullptr);
    EXPECT_EQ(dict.atPut(L"Key", &b), &a);
    EXPECT_EQ(dict.at(L"Key"), &b);
    EXPECT_EQ(dict.at(L"key"), nullptr); // keys are case-sensitive
    EXPECT_FALSE(dict.has(L"KEY"));
    EXPECT_EQ(dict.numEntries(), 1);
    EXPECT_EQ(dict.remove(L"Key"), &b);
    EXPECT_EQ(dict.remove(L"Key"), nullptr);
    EXPECT_EQ(dict.numEntries(), 0);
}

TEST(RxDictionary, NullKeysAndObjectsChangeNothing)
{
    ZcRxDictionary dict;
    ZcRxObject a;
    EXPECT_EQ(dict.atPut(nullptr, &a), nullptr);
    EXPECT_EQ(dict.atPut(L"k", nullptr), nullptr);
    EXPECT_EQ(dict.numEntries(), 0);
    EXPECT_EQ(dict.at(nullptr), nullptr);
    EXPECT_EQ(dict.remove(nullptr), nullptr);
    EXPECT_FALSE(dict.has(nullptr));
}

TEST(RxDictionary, IteratorWalksASnapshotInKeyOrder)
{
    ZcRxDictionary dict;
    ZcRxObject a, b, c;
    dict.atPut(L"b", &b);
    dict.atPut(L"c", &c);
    dict.atPut(L"a", &a);
    std::unique_ptr<ZcRxDictionaryIterator> it(dict.newIterator());
    dict.remove(L"c"); // does not disturb the walk
    std::vector<std::wstring> keys;
    std::vector<ZcRxObject*> objects;
    for (; !it->done(); it->next()) {
        keys.push_back(it->key());
        objects.push_back(it->object());
    }
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"a", L"b", L"c"}));
    EXPECT_EQ(objects, (std::vector<ZcRxObject*>{&a, &b, &c}));
    EXPECT_EQ(it->key(), nullptr);
    EXPECT_FALSE(it->next());
}

TEST(SysRegistry, HoldsTheClassDictionaryAndTheDynamicLinker)
{
    ZcRxDictionary* registry = zcrxSysRegistry();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->at(ZCRX_CLASS_DICTIONARY), zcrxClassDictionary);
    EXPECT_EQ(registry->at(L"DynamicLinker"), zcrxGetDynamicLinker());
    ASSERT_NE(zcrxDynamicLinker, nullptr);
    EXPECT_TRUE(zcrxDynamicLinker->isKindOf(ZcRxDynamicLinker::desc()));
    EXPECT_TRUE(zcrxClassDictionary->isKindOf(ZcRxDictionary::desc()));
    // A registry entry of another kind is not taken for a linker.
    EXPECT_EQ(ZcRxDynamicLinker::cast(zcrxClassDictionary), nullptr);
}
