// Both module flavours load through the host's dynamic linker, report their API version,
// register the command group and the custom classes, and take them away at unload.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include <ostream>
#include <string>

#include "ed/command_line.h"
#include "ed/command_stack.h"
#include "ed/docman.h"
#include "ed/host_session.h"
#include "mfc/afxdll.h"
#include "mfc/zcui.h"
#include "rx/rxclass.h"
#include "rx/rxlinker.h"
#include "script/utf8.h"
#include "win/machine.h"

namespace {

struct Flavour {
    const char* name;
    const char* path;
    int api_version;
    int maintenance_version;
};

void PrintTo(const Flavour& flavour, std::ostream* out) { *out << flavour.name; }

class Module_Flavour_Test : public ::testing::TestWithParam<Flavour> {
protected:
    void SetUp() override
    {
        platform::Reset_Host_For_Tests();
        platform::Machine::instance().set_root(m_Root);
        platform::CommandLine::instance().set_echo_to_stdout(false);
        ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    }
    void TearDown() override
    {
        platform::Reset_Host_For_Tests();
        std::error_code ignored;
        std::filesystem::remove_all(m_Root, ignored);
    }

    const std::filesystem::path m_Root =
        std::filesystem::temp_directory_path() / ("korvel_flavour_" + std::to_string(getpid()));

    // The extension-module libraries the module's attach created.
    static int Libraries_Of(void* module)
    {
        int count = 0;
        for (CDynLinkLibrary* library : platform::Dyn_Link_Libraries())
            if (static_cast<void*>(library->m_hModule) == module)
                ++count;
        return count;
    }

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

    const int ui_inits = platform::ZcUi_Init_Count();
    ASSERT_TRUE(linker->loadModule(path.c_str(), false));
    void* module = linker->appIdOf(path.c_str());
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Libraries_Of(module), 1);
    EXPECT_EQ(platform::ZcUi_Init_Count(), ui_inits + 1);
    EXPECT_FALSE(linker->isApplicationLocked(path.c_str()));
    EXPECT_TRUE(linker->isAppMDIAware(path.c_str()));
    EXPECT_EQ(Group_Size(), 32);
    ZcRxClass* marker = zcrxFindZcRxClass(L"Temp_PlotRec");
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->maintenanceVersion(), GetParam().maintenance_version);

    ASSERT_TRUE(linker->unloadModule(path.c_str()));
    EXPECT_EQ(Libraries_Of(module), 0);
    EXPECT_EQ(Group_Size(), 0);
    EXPECT_EQ(zcrxFindZcRxClass(L"Temp_PlotRec"), nullptr);
    EXPECT_EQ(zcrxFindZcRxClass(L"Sign_Base"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(BothFlavours, Module_Flavour_Test,
                         ::testing::Values(Flavour{"zw2021", MODULE_2021_PATH, 0x07E50014, 55},
                                           Flavour{"zw2025", MODULE_2025_PATH, 0x07E90000, 248}),
                         [](const ::testing::TestParamInfo<Flavour>& info) { return info.param.name; });

}  // namespace
