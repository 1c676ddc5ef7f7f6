// Both module flavours load through the host's dynamic linker, report their API version,
// register the command group and the custom classes, and take them away at unload.
#include <gtest/gtest.h>

#include <string>

#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/docman.h"
#include "ed/host_session.h"
#include "rx/rxclass.h"
#include "rx/rxlinker.h"
#include "script/utf8.h"

namespace {

struct Flavour {
    const char* path;
    int api_version;
    int maintenance_version;
};

class Module_Flavour_Test : public ::testing::TestWithParam<Flavour> {
protected:
    void SetUp() override
    {
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(false);
        ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    }
    void TearDown() override { platform::Reset_Host_For_Tests(); }

    static int Group_Size()
    {
        int count = 0;
        ZcEdCommandIterator* it = zcedRegCmds->iterator();
        for (; !it->done(); it->next())
            if (std::wstring(it->commandGroup()) == L"KV_Soft_DivezUrez")
                ++count;
        delete it;
        return count;
    }
};

TEST_P(Module_Flavour_Test, LoadsReportsItsVersionAndUnloadsCleanly)
{
    const std::wstring path = platform::From_Utf8(GetParam().path);
    ZcRxDynamicLinker* linker = zcrxDynamicLinker;
    ASSERT_NE(linker, nullptr);

    EXPECT_EQ(linker->getModuleApiVersion(path.c_str()), GetParam().api_version);

    ASSERT_TRUE(linker->loadModule(path.c_str(), false));
    EXPECT_FALSE(linker->isApplicationLocked(path.c_str()));
    EXPECT_TRUE(linker->isAppMDIAware(path.c_str()));
    EXPECT_EQ(Group_Size(), 32);
    ZcRxClass* marker = zcrxFindZcRxClass(L"Temp_PlotRec");
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->maintenanceVersion(), GetParam().maintenance_version);

    ASSERT_TRUE(linker->unloadModule(path.c_str()));
    EXPECT_EQ(Group_Size(), 0);
    EXPECT_EQ(zcrxFindZcRxClass(L"Temp_PlotRec"), nullptr);
    EXPECT_EQ(zcrxFindZcRxClass(L"Sign_Base"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothFlavours, Module_Flavour_Test,
                         ::testing::Values(Flavour{MODULE_2021_PATH, 0x07E50014, 55},
                                           Flavour{MODULE_2025_PATH, 0x07E90000, 248}));

}  // namespace
