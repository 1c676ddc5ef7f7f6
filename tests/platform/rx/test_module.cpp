// A loadable module for the dynamic-linker tests: records every message, registers a custom
// class at load and removes it at unload.
#include "rx/rxclass.h"
#include "rx/rxlinker.h"
#include "test_module_log.h"

class KvTestEntity : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(KvTestEntity);
};

ZCRX_DXF_DEFINE_MEMBERS(KvTestEntity, ZcRxObject, 33, 55, 0xBFF, KV_TEST_ENTITY, "Korvel_Test_App")

extern "C" ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg, void* appId)
{
    TestModuleLog* log = testModuleLog();
    if (log != nullptr) {
        log->messages.push_back(msg);
        log->appIds.push_back(appId);
    }
    if (msg == ZcRx::kInitAppMsg) {
        if (log == nullptr || log->unlockOnInit)
            zcrxDynamicLinker->unlockApplication(appId);
        if (log == nullptr || log->mdiAwareOnInit)
            zcrxDynamicLinker->registerAppMDIAware(appId);
        if (log == nullptr || log->registerClass)
            KvTestEntity::rxInit();
        return log != nullptr ? log->initResult : ZcRx::kRetOK;
    }
    if (msg == ZcRx::kUnloadAppMsg) {
        if (log != nullptr && log->unloadResult == ZcRx::kRetError)
            return ZcRx::kRetError;
        deleteZcRxClass(KvTestEntity::desc());
    }
    return ZcRx::kRetOK;
}

extern "C" int zcrxGetApiVersion() { return 0x07E50014; }
