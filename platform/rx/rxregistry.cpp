// The runtime's process-wide state: system registry, class dictionary, root classes.
#include "rx/rxregistry.h"

#include "runtime.h"
#include "rx/rxlinker.h"

namespace zcrx_detail {

Runtime& runtime()
{
    // Built on first use (not a function-local static: registering the root classes below
    // comes back here).
    static Runtime* instance = nullptr;
    if (instance == nullptr) {
        instance = new Runtime;
        ZcRxClass* root = ClassRegistry::make(L"AcRxObject", nullptr, 0, 0, 0, nullptr, nullptr,
                                              nullptr);
        instance->classes.atPut(root->name(), root);
        instance->sysRegistry.atPut(ZCRX_CLASS_DICTIONARY, &instance->classes);
        ZcRxClass::rxInit();
        ZcRxDictionary::rxInit();
        ZcRxDynamicLinker::rxInit();
        instance->sysRegistry.atPut(ZCRX_DYNAMIC_LINKER, zcrxGetDynamicLinker());
    }
    return *instance;
}

} // namespace zcrx_detail

ZcRxDictionary* zcrxSysRegistry() { return &zcrx_detail::runtime().sysRegistry; }

ZcRxDictionary* zcrxGetClassDictionary() { return &zcrx_detail::runtime().classes; }

namespace {
// The root classes exist as soon as the library is loaded, so every layer can derive from them.
struct RegisterAtLoad {
    RegisterAtLoad() { zcrx_detail::runtime(); }
} gRegisterAtLoad;
} // namespace
