#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "rx/rxclass.h"
#include "rx/rxlinker.h"
#include "test_module_log.h"
#include "win/win_modules.h"

namespace {
const wchar_t* const kModule = L"" RX_TEST_MODULE;
const wchar_t* const kNoEntryModule = L"" RX_TEST_MODULE_NOENTRY;

std::vector<std::wstring> gReports;
void recordReport(const wchar_t* text) { gReports.push_back(text); }

class DynamicLinkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        zcrxSysRegistry()->atPut(TEST_MODULE_LOG_KEY, &log);
        linker = zcrxDynamicLinker;
        ASSERT_NE(linker, nullptr);
        gReports.clear();
        linker->setMessageSink(recordReport);
    }
    void TearDown() override
    {
        if (void* appId = linker->appIdOf(kModule)) {
            log.unloadResult = ZcRx::kRetOK;
            linker->unlockApplication(appId);
            linker->unloadModule(kModule);
        }
        linker->setMessageSink(nullptr);
        zcrxSysRegistry()->remove(TEST_MODULE_LOG_KEY);
    }

    TestModuleLog log;
    ZcRxDynamicLinker* linker = nullptr;
};

TEST_F(DynamicLinkerTest, LoadSendsInitWithTheModuleAsAppIdAndUnloadSendsUnload)
{
    ASSERT_TRUE(linker->loadModule(kModule, true));
    void* appId = linker->appIdOf(kModule);
    ASSERT_NE(appId, nullptr);
    EXPECT_EQ(log.messages, (std::vector<int>{ZcRx::kInitAppMsg}));
    EXPECT_EQ(log.appIds, (std::vector<void*>{appId}));
    EXPECT_EQ(linker->loadedModules(), (std::vector<std::wstring>{kModule}));
    EXPECT_FALSE(linker->isApplicationLocked(kModule));
    EXPECT_TRUE(linker->isAppMDIAware(kModule));
    ASSERT_EQ(gReports.size(), 1u);

    ASSERT_TRUE(linker->unloadModule(kModule));
    EXPECT_EQ(log.messages, (std::vector<int>{ZcRx::kInitAppMsg, ZcRx::kUnloadAppMsg}));
    EXPECT_EQ(log.appIds.back(), appId);
    EXPECT_FALSE(linker->isModuleLoaded(kModule));
    EXPECT_TRUE(linker->loadedModules().empty());
    EXPECT_EQ(GetModuleHandleW(kModule), nullptr);
}

// The module's custom class is registered at load and removed at unload, twice in a row.
TEST_F(DynamicLinkerTest, ModuleClassFollowsLoadUnloadLoad)
{
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(linker->loadModule(kModule, false));
        const ZcRxClass* cls = zcrxFindZcRxClass(L"KvTestEntity");
        ASSERT_NE(cls, nullptr);
        EXPECT_STREQ(cls->dxfName(), L"KV_TEST_ENTITY");
        EXPECT_STREQ(cls->appName(), L"\"Korvel_Test_App\"");
        EXPECT_EQ(cls->myParent(), ZcRxObject::desc());
        std::unique_ptr<ZcRxObject> made(cls->create());
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->isA(), cls);
        made.reset();
        ASSERT_TRUE(linker->unloadModule(kModule));
        EXPECT_EQ(zcrxFindZcRxClass(L"KvTestEntity"), nullptr);
    }
    EXPECT_EQ(log.messages, (std::vector<int>{ZcRx::kInitAppMsg, ZcRx::kUnloadAppMsg,
                                              ZcRx::kInitAppMsg, ZcRx::kUnloadAppMsg}));
}

TEST_F(DynamicLinkerTest, LockedApplicationRefusesToUnload)
{
    log.unlockOnInit = false;
    log.mdiAwareOnInit = false;
    ASSERT_TRUE(linker->loadModule(kModule, false));
    void* appId = linker->appIdOf(kModule);
    EXPECT_TRUE(linker->isApplicationLocked(kModule));
    EXPECT_FALSE(linker->isAppMDIAware(kModule));
    EXPECT_FALSE(linker->unloadModule(kModule, true));
    EXPECT_EQ(log.messages, (std::vector<int>{ZcRx::kInitAppMsg})); // no unload message
    EXPECT_TRUE(linker->isModuleLoaded(kModule));
    ASSERT_EQ(gReports.size(), 1u);
    EXPECT_NE(gReports[0].find(L"locked"), std::wstring::npos);

    EXPECT_TRUE(linker->unlockApplication(appId));
    EXPECT_TRUE(linker->lockApplication(appId));
    EXPECT_FALSE(linker->unloadModule(kModule));
    EXPECT_TRUE(linker->unlockApplication(appId));
    EXPECT_TRUE(linker->unloadModule(kModule));
}

TEST_F(DynamicLinkerTest, RefusedLoadsLeaveNothingLoaded)
{
    EXPECT_FALSE(linker->loadModule(kNoEntryModule, true));
    EXPECT_FALSE(linker->isModuleLoaded(kNoEntryModule));
    EXPECT_EQ(GetModuleHandleW(kNoEntryModule), nullptr);
    EXPECT_FALSE(linker->loadModule(L"/no/such/module.so", false));
    EXPECT_FALSE(linker->loadModule(nullptr, false));
    EXPECT_FALSE(linker->loadModule(L"", false));

    log.initResult = ZcRx::kRetError;
    log.registerClass = false;
    EXPECT_FALSE(linker->loadModule(kModule, false));
    EXPECT_FALSE(linker->isModuleLoaded(kModule));
    EXPECT_EQ(GetModuleHandleW(kModule), nullptr);
    EXPECT_TRUE(linker->loadedModules().empty());
    EXPECT_EQ(gReports.size(), 1u); // only the printit load reported
}

TEST_F(DynamicLinkerTest, SecondLoadOfALoadedModuleIsRefused)
{
    ASSERT_TRUE(linker->loadModule(kModule, false));
    EXPECT_FALSE(linker->loadModule(kModule, false));
    EXPECT_EQ(log.messages, (std::vector<int>{ZcRx::kInitAppMsg}));
    ASSERT_TRUE(linker->unloadModule(kModule));
    EXPECT_EQ(GetModuleHandleW(kModule), nullptr); // the refused load kept no reference
}

TEST_F(DynamicLinkerTest, ModuleThatRefusesUnloadStaysLoaded)
{
    ASSERT_TRUE(linker->loadModule(kModule, false));
    log.unloadResult = ZcRx::kRetError;
    EXPECT_FALSE(linker->unloadModule(kModule));
    EXPECT_TRUE(linker->isModuleLoaded(kModule));
    EXPECT_NE(zcrxFindZcRxClass(L"KvTestEntity"), nullptr);
}

TEST_F(DynamicLinkerTest, ApplicationsAreNamedByPathOrFileName)
{
    ASSERT_TRUE(linker->loadModule(kModule, false));
    std::wstring path(kModule);
    const std::wstring file = path.substr(path.find_last_of(L'/') + 1);
    const std::wstring stem = file.substr(0, file.find_last_of(L'.'));
    std::wstring upper = stem;
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(towupper(c));
    for (const std::wstring& name : {path, file, stem, upper})
        EXPECT_TRUE(linker->isModuleLoaded(name.c_str())) << name;
    EXPECT_FALSE(linker->isModuleLoaded(L"rx_test"));
    EXPECT_FALSE(linker->unloadModule(L"not_loaded_module"));
    EXPECT_FALSE(linker->lockApplication(nullptr));
    EXPECT_FALSE(linker->registerAppMDIAware(reinterpret_cast<void*>(0x10)));
    EXPECT_TRUE(linker->unloadModule(upper.c_str()));
}

TEST_F(DynamicLinkerTest, ApiVersionIsReadWithOrWithoutLoading)
{
    EXPECT_EQ(linker->getModuleApiVersion(kModule), 0x07E50014);
    EXPECT_TRUE(log.messages.empty()); // asking does not initialise the application
    EXPECT_EQ(GetModuleHandleW(kModule), nullptr);
    ASSERT_TRUE(linker->loadModule(kModule, false));
    EXPECT_EQ(linker->getModuleApiVersion(kModule), 0x07E50014);
    EXPECT_TRUE(linker->isModuleLoaded(kModule));
    EXPECT_EQ(linker->getModuleApiVersion(kNoEntryModule), 0);
    EXPECT_EQ(linker->getModuleApiVersion(L"/no/such/module.so"), 0);
    EXPECT_EQ(linker->getModuleApiVersion(nullptr), 0);
}

} // namespace
