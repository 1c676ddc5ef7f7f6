// A host with one new empty drawing as the current document, quiet on standard output,
// and the plug-in unloaded again after each test. The emulated machine is a temporary
// folder of the test process (korvel_test_machine).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/module_load.h"
#include "core/plot_config.h"
#include "ed/command_line.h"
#include "ed/docman.h"
#include "ed/editor.h"
#include "ed/host_session.h"
#include "rx/rxregistry.h"
#include "script/utf8.h"

class Core_Test : public ::testing::Test {
public:
    void SetUp() override
    {
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(false);
        g_Plot_Config.Shortcuts.Clear();
        ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
    }
    void TearDown() override
    {
        Unload_Module();
        g_Plot_Config.Shortcuts.Clear();
        platform::Reset_Host_For_Tests();
    }

    // Global names of the commands in the plug-in's group, in the order they were added.
    static std::vector<std::wstring> Group_Commands()
    {
        std::vector<std::wstring> names;
        ZcEdCommandIterator* it = zcedRegCmds->iterator();
        for (; !it->done(); it->next())
            if (std::wstring(it->commandGroup()) == Command_Group_Name)
                names.push_back(it->command()->globalName());
        delete it;
        return names;
    }

    static std::wstring Printed() { return platform::CommandLine::instance().text(); }

    // Short value of a system variable; -1 when it cannot be read.
    static int Var_Int(const wchar_t* name)
    {
        resbuf rb{};
        return zcedGetVar(name, &rb) == RTNORM ? rb.resval.rint : -1;
    }
    static void Set_Var(const wchar_t* name, int value)
    {
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(value);
        ASSERT_EQ(zcedSetVar(name, &rb), RTNORM) << "setting " << platform::To_Utf8(name);
    }
};
