// Shared set-up of the editor tests: a clean host with one new drawing, and test commands
// whose bodies are lambdas.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "db/dbmain.h"
#include "ed/command_stack.h"
#include "ed/docman.h"
#include "ed/editor.h"
#include "ed/host_session.h"
#include "script/script_input.h"
#include "win/win_messages.h"

namespace ed_test {

inline const wchar_t* kGroup = L"ED_TEST_GROUP";

// Adds a command to the test group whose handler runs body. Returns the add status.
Zcad::ErrorStatus Add_Command(const wchar_t* name, std::function<void()> body,
                              const wchar_t* group = kGroup, const wchar_t* localName = nullptr);
// A function pointer that runs body (for addCommand calls made by the test itself).
ZcRxFunctionPtr Function_For(std::function<void()> body);

// Records editor notifications as "willStart:NAME", "ended:NAME", "cancelled:NAME",
// "failed:NAME", "unknown:NAME", "varWill:NAME", "varChanged:NAME:0|1".
class RecordingReactor : public ZcEditorReactor {
public:
    std::vector<std::wstring> log;
    void commandWillStart(const wchar_t* c) override { log.push_back(L"willStart:" + std::wstring(c)); }
    void commandEnded(const wchar_t* c) override { log.push_back(L"ended:" + std::wstring(c)); }
    void commandCancelled(const wchar_t* c) override { log.push_back(L"cancelled:" + std::wstring(c)); }
    void commandFailed(const wchar_t* c) override { log.push_back(L"failed:" + std::wstring(c)); }
    void unknownCommand(const wchar_t* c, void*) override { log.push_back(L"unknown:" + std::wstring(c)); }
    void sysVarWillChange(const wchar_t* v) override { log.push_back(L"varWill:" + std::wstring(v)); }
    void sysVarChanged(const wchar_t* v, bool ok) override
    {
        log.push_back(L"varChanged:" + std::wstring(v) + (ok ? L":1" : L":0"));
    }
};

class EdTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void Script(const char* text) { platform::ScriptInput::instance().push_text(std::string_view(text)); }
    std::wstring Output() const;
    ZcDbDatabase* Db() const { return doc->database(); }
    // Appends an entity to a block table record (model space by default); returns its id.
    ZcDbObjectId Append(ZcDbEntity* entity, ZcDbObjectId block = ZcDbObjectId());

    ZcApDocument* doc = nullptr;
};

// An EdTest with a recording editor reactor added.
class ReactorTest : public EdTest {
protected:
    void SetUp() override
    {
        EdTest::SetUp();
        zcedEditor->addReactor(&reactor);
    }
    void TearDown() override
    {
        zcedEditor->removeReactor(&reactor);
        EdTest::TearDown();
    }
    RecordingReactor reactor;
};

}  // namespace ed_test
