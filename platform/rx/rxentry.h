// What a loadable module exports, and the messages the runtime sends it.
#pragma once

namespace ZcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16
};
enum AppRetCode { kRetOK = 0, kRetError = 3 };
} // namespace ZcRx

typedef void (*ZcRxFunctionPtr)();

// The exports the dynamic linker looks for in a module:
//   extern "C" ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg, void* appId);
//   extern "C" int zcrxGetApiVersion();   (optional)
typedef ZcRx::AppRetCode (*ZcRxEntryPointFunc)(ZcRx::AppMsgCode msg, void* appId);
typedef int (*ZcRxGetApiVersionFunc)();
#define ZCRX_ENTRY_POINT_NAME "zcrxEntryPoint"
#define ZCRX_API_VERSION_NAME "zcrxGetApiVersion"
