// Shared by test_rx and its test modules: the modules record the messages they get in this
// object, which the test puts in the system registry, and read from it how to behave.
#pragma once

#include <vector>

#include "rx/rxentry.h"
#include "rx/rxregistry.h"

struct TestModuleLog : public ZcRxObject {
    std::vector<int> messages;
    std::vector<void*> appIds;
    bool unlockOnInit = true;
    bool mdiAwareOnInit = true;
    bool registerClass = true;
    ZcRx::AppRetCode initResult = ZcRx::kRetOK;
    ZcRx::AppRetCode unloadResult = ZcRx::kRetOK;
};

#define TEST_MODULE_LOG_KEY L"KorvelTestModuleLog"

inline TestModuleLog* testModuleLog()
{
    return static_cast<TestModuleLog*>(zcrxSysRegistry()->at(TEST_MODULE_LOG_KEY));
}
