// A host with one new empty drawing and a machine of the test process's own
// (companion_fixture.cpp); the companion module is unloaded after each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "db/dbdatabase.h"
#include "ed/command_line.h"
#include "ed/command_runner.h"
#include "ed/docman.h"
#include "ed/host_session.h"
#include "rx/rxlinker.h"
#include "rx/zcadstrc.h"
#include "script/utf8.h"
#include "win/machine.h"
#include "win/win_files.h"

class Companion_Test : public ::testing::Test {
public:
    void SetUp() override
    {
        platform::Reset_Host_For_Tests();
        platform::CommandLine::instance().set_echo_to_stdout(false);
        ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
        m_Folder = platform::Machine::instance().root() / "work" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(m_Folder);
        std::filesystem::create_directories(m_Folder);
    }
    void TearDown() override
    {
        if (zcrxDynamicLinker->isModuleLoaded(L"Pelorin.dll"))
            zcrxDynamicLinker->unloadModule(L"Pelorin.dll");
        platform::Reset_Host_For_Tests();
    }

    static std::wstring Printed() { return platform::CommandLine::instance().text(); }
    static ZcDbDatabase* Working() { return zcdbHostApplicationServices()->workingDatabase(); }
    static std::wstring Text(const std::filesystem::path& path) { return platform::From_Utf8(path.string()); }

    std::filesystem::path m_Folder;
};

// Replaces the handed-over job `key` in the drawing by an XRecord holding the chain
// (the test frees it).
void Write_Record(ZcDbDatabase* db, const wchar_t* key, resbuf* chain);
