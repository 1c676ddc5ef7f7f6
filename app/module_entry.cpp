#include "app/module_entry.h"

#include "app/module_load.h"
#include "core/host_adapter.h"
#include "mfc/afxdll.h"
#include "mfc/zcui.h"
#include "res/resource_script.h"
#include "rx/rxlinker.h"
#include "ui/module_resources.h"

namespace {

// The extension-module record: initialised flag, the resource handle current when the
// module was initialised, and the module instance.
AFX_EXTENSION_MODULE Extension_Module = {};

void Attach_Process(HINSTANCE instance)
{
    Set_Module_Instance(instance);
    if (!Extension_Module.bInitialized) {
        if (AfxInitExtensionModule(Extension_Module, instance)) {
            Extension_Module.hResource = AfxGetResourceHandle();
            Extension_Module.hModule = instance;
            new CDynLinkLibrary(Extension_Module);
        }
    }
    InitZcUiDLL();
    Register_Resource_Script(instance, Resource_Script_Path());
}

void Detach_Process()
{
    Unregister_Resource_Script(Get_Module_Instance());
    if (Extension_Module.bInitialized) {
        AfxTermExtensionModule(Extension_Module);
        Extension_Module.bInitialized = FALSE;
    }
}

}  // namespace

extern "C" __attribute__((visibility("default"))) BOOL DllMain(HINSTANCE instance, DWORD reason,
                                                               LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH)
        Attach_Process(instance);
    else if (reason == DLL_PROCESS_DETACH)
        Detach_Process();
    return TRUE;
}

extern "C" __attribute__((visibility("default"))) ZcRx::AppRetCode
zcrxEntryPoint(ZcRx::AppMsgCode message, void* app_id)
{
    switch (message) {
    case ZcRx::kInitAppMsg: {
        ZcRxDynamicLinker* linker =
            ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(L"DynamicLinker"));
        if (linker != nullptr) {
            linker->unlockApplication(app_id);
            linker->registerAppMDIAware(app_id);
        }
        Load_Module();
        break;
    }
    case ZcRx::kUnloadAppMsg:
        Unload_Module();
        break;
    default:
        break;
    }
    return ZcRx::kRetOK;
}
