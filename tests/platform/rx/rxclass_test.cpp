#include <gtest/gtest.h>

#include <memory>

#include "rx/rxclass.h"
#include "rx/rxlinker.h"
#include "rx/rxregistry.h"

class TBase : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(TBase);
};
class TMid : public TBase {
public:
    ZCRX_DECLARE_MEMBERS(TMid);
};
class TLeaf : public TMid {
public:
    ZCRX_DECLARE_MEMBERS(TLeaf);
};
class TOrphan : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(TOrphan);
};
class TClash : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(TClash);
};
class TNotRegistered : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(TNotRegistered);
};

ZCRX_NO_CONS_DEFINE_MEMBERS(TBase, ZcRxObject)
ZCRX_CONS_DEFINE_MEMBERS(TMid, TBase, 12)
ZCRX_DXF_DEFINE_MEMBERS(TLeaf, TMid, 33, 55, 0xBFF, T_LEAF, "Korvel_Test_App")
ZCRX_DXF_DEFINE_MEMBERS(TOrphan, TNoSuchParent, 33, 55, 0, T_ORPHAN, Korvel_Test_App)
ZCRX_CONS_DEFINE_MEMBERS(TClash, ZcRxObject, 1)
ZCRX_CONS_DEFINE_MEMBERS(TNotRegistered, ZcRxObject, 1)

namespace {
void removeClass(const wchar_t* name)
{
    if (ZcRxClass* c = zcrxFindZcRxClass(name))
        deleteZcRxClass(c);
}

class RxClassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TBase::rxInit();
        TMid::rxInit();
        TLeaf::rxInit();
    }
    void TearDown() override
    {
        for (const wchar_t* name : {L"TLeaf", L"TMid", L"TBase", L"TClash", L"AcKvProbe"})
            removeClass(name);
    }
};

TEST_F(RxClassTest, RegistrationRecordsTheMacroArguments)
{
    const ZcRxClass* leaf = TLeaf::desc();
    ASSERT_NE(leaf, nullptr);
    EXPECT_STREQ(leaf->name(), L"TLeaf");
    EXPECT_EQ(leaf->myParent(), TMid::desc());
    EXPECT_EQ(TMid::desc()->myParent(), TBase::desc());
    EXPECT_EQ(TBase::desc()->myParent(), ZcRxObject::desc());
    EXPECT_STREQ(leaf->dxfName(), L"T_LEAF");
    EXPECT_STREQ(leaf->appName(), L"\"Korvel_Test_App\""); // the quotes belong to the name
    EXPECT_EQ(leaf->dwgVersion(), 33);
    EXPECT_EQ(leaf->maintenanceVersion(), 55);
    EXPECT_EQ(leaf->proxyFlags(), 0xBFF);
    EXPECT_EQ(TMid::desc()->dwgVersion(), 12);
    EXPECT_EQ(zcrxClassDictionary->at(L"TLeaf"), leaf);
    EXPECT_TRUE(zcrxBuildClassHierarchy());
}

TEST_F(RxClassTest, CreateUsesThePseudoConstructor)
{
    std::unique_ptr<ZcRxObject> leaf(TLeaf::desc()->create());
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->isA(), TLeaf::desc());
    std::unique_ptr<ZcRxObject> mid(TMid::desc()->create());
    ASSERT_NE(mid, nullptr);
    EXPECT_EQ(mid->isA(), TMid::desc());
    EXPECT_FALSE(TBase::desc()->hasConstructor());
    EXPECT_EQ(TBase::desc()->create(), nullptr);
}

TEST_F(RxClassTest, IsKindOfAndCastFollowTheChain)
{
    TBase base;
    TMid mid;
    TLeaf leaf;
    struct Case {
        const ZcRxObject* object;
        const ZcRxClass* cls;
        bool kind;
    };
    const Case cases[] = {
        {&leaf, TLeaf::desc(), true},        {&leaf, TMid::desc(), true},
        {&leaf, TBase::desc(), true},        {&leaf, ZcRxObject::desc(), true},
        {&mid, TLeaf::desc(), false},        {&mid, TBase::desc(), true},
        {&base, TMid::desc(), false},        {&base, ZcRxClass::desc(), false},
        {TLeaf::desc(), ZcRxClass::desc(), true}, {&leaf, nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.object->isKindOf(c.cls), c.kind) << c.object->isA()->name();
    EXPECT_EQ(TBase::cast(&leaf), &leaf);
    EXPECT_EQ(TMid::cast(static_cast<const ZcRxObject*>(&leaf)), &leaf);
    EXPECT_EQ(TLeaf::cast(&mid), nullptr);
    EXPECT_EQ(TLeaf::cast(nullptr), nullptr);
}

// The host names its classes "Ac...": the platform's "Zc..." spelling finds the same class.
TEST_F(RxClassTest, ZcNamesStandForTheHostAcNames)
{
    EXPECT_STREQ(ZcRxObject::desc()->name(), L"AcRxObject");
    EXPECT_EQ(zcrxFindZcRxClass(L"ZcRxObject"), ZcRxObject::desc());
    EXPECT_EQ(zcrxFindZcRxClass(L"AcRxClass"), ZcRxClass::desc());
    EXPECT_EQ(zcrxFindZcRxClass(L"acRxObject"), nullptr); // names are case-sensitive
    ZcRxClass* probe = newZcRxClass(L"ZcKvProbe", L"ZcRxObject", 0, 0, 0, nullptr);
    ASSERT_NE(probe, nullptr);
    EXPECT_STREQ(probe->name(), L"AcKvProbe");
    EXPECT_EQ(zcrxFindZcRxClass(L"ZcKvProbe"), probe);
}

// Module load, unload, load: the class comes and goes, and its descriptor never dangles.
TEST_F(RxClassTest, RemovedClassCanBeRegisteredAgain)
{
    TLeaf leaf;
    for (int round = 0; round < 2; ++round) {
        deleteZcRxClass(TLeaf::desc());
        EXPECT_EQ(zcrxFindZcRxClass(L"TLeaf"), nullptr);
        EXPECT_EQ(TLeaf::desc(), nullptr);
        EXPECT_FALSE(leaf.isKindOf(TMid::desc()));
        EXPECT_EQ(TMid::cast(&leaf), nullptr);
        TLeaf::rxInit();
        ASSERT_NE(TLeaf::desc(), nullptr);
        EXPECT_EQ(TLeaf::desc()->myParent(), TMid::desc());
        EXPECT_TRUE(leaf.isKindOf(TBase::desc()));
    }
}

TEST_F(RxClassTest, RepeatedRxInitKeepsTheRegistration)
{
    const ZcRxClass* before = TLeaf::desc();
    const unsigned generation = zcrxClassGeneration();
    TLeaf::rxInit();
    TBase::rxInit();
    EXPECT_EQ(TLeaf::desc(), before);
    EXPECT_EQ(zcrxClassGeneration(), generation);
}

TEST_F(RxClassTest, DeletingAParentReattachesItsChildren)
{
    deleteZcRxClass(TMid::desc());
    ASSERT_NE(TLeaf::desc(), nullptr);
    EXPECT_EQ(TLeaf::desc()->myParent(), TBase::desc());
    EXPECT_TRUE(zcrxBuildClassHierarchy());
    TLeaf leaf;
    EXPECT_TRUE(leaf.isKindOf(TBase::desc()));
}

TEST_F(RxClassTest, NewZcRxClassRefusesBadRegistrations)
{
    struct Case {
        const wchar_t* name;
        const wchar_t* parent;
    };
    const Case cases[] = {
        {L"TLeaf", L"TMid"},          // already registered
        {L"AcRxObject", L"TBase"},     // the root under another parent
        {L"TFresh", L"TNoSuchParent"}, // parent missing
        {L"TFresh", nullptr},
        {L"", L"TBase"},
        {nullptr, L"TBase"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(newZcRxClass(c.name, c.parent, 0, 0, 0, nullptr), nullptr)
            << (c.name ? c.name : L"(null)");
    EXPECT_EQ(zcrxFindZcRxClass(L"TFresh"), nullptr);
}

TEST_F(RxClassTest, RuntimeClassesCannotBeDeleted)
{
    for (ZcRxClass* root : {ZcRxObject::desc(), ZcRxClass::desc(), ZcRxDictionary::desc(),
                            ZcRxDynamicLinker::desc()}) {
        deleteZcRxClass(root);
        EXPECT_EQ(zcrxFindZcRxClass(root->name()), root);
    }
    deleteZcRxClass(nullptr);
}

TEST_F(RxClassTest, NeverRegisteredClassHasNoDescriptor)
{
    TNotRegistered object;
    EXPECT_EQ(TNotRegistered::desc(), nullptr);
    EXPECT_EQ(object.isA(), nullptr);
    EXPECT_FALSE(object.isKindOf(ZcRxObject::desc()));
}

using RxClassDeathTest = RxClassTest;

TEST_F(RxClassDeathTest, ForeignClassUnderTheNameAborts)
{
    ASSERT_NE(newZcRxClass(L"TClash", L"AcRxObject", 1, 0, 0, nullptr), nullptr);
    EXPECT_DEATH(TClash::rxInit(), "Class mismatch");
}

TEST_F(RxClassDeathTest, MissingParentAborts)
{
    EXPECT_DEATH(TOrphan::rxInit(), "TNoSuchParent");
}

} // namespace
