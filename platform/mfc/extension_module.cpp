#include <algorithm>
#include <vector>

#include "mfc/afxdll.h"

namespace {

struct Module_State {
    HINSTANCE resource_handle = nullptr;  // null: the host's instance
    std::vector<CDynLinkLibrary*> libraries;  // most recent first
    platform::String_Resource_Loader string_loader;
};

Module_State& State() {
    static Module_State state;
    return state;
}

}  // namespace

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule) {
    if (state.bInitialized) return TRUE;
    if (!hModule) return FALSE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.pFirstSharedClass = nullptr;
    state.pFirstSharedFactory = nullptr;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll) {
    if (!state.bInitialized) return;
    std::vector<CDynLinkLibrary*> doomed;
    for (CDynLinkLibrary* library : State().libraries)
        if (bAll || library->m_hModule == state.hModule) doomed.push_back(library);
    for (CDynLinkLibrary* library : doomed) delete library;
    state.bInitialized = FALSE;
}

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule),
      m_hResource(state.hResource),
      m_pFirstSharedClass(state.pFirstSharedClass),
      m_bSystem(bSystem) {
    auto& libraries = State().libraries;
    libraries.insert(libraries.begin(), this);
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource) : m_hModule(hModule), m_hResource(hResource) {
    auto& libraries = State().libraries;
    libraries.insert(libraries.begin(), this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    auto& libraries = State().libraries;
    libraries.erase(std::remove(libraries.begin(), libraries.end(), this), libraries.end());
}

HINSTANCE AfxGetResourceHandle() {
    const HINSTANCE current = State().resource_handle;
    return current ? current : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource) {
    if (hInstResource) State().resource_handle = hInstResource;
}

HINSTANCE AfxGetInstanceHandle() {
    return GetModuleHandleW(nullptr);
}

namespace platform {

std::vector<CDynLinkLibrary*> Dyn_Link_Libraries() {
    return State().libraries;
}

std::vector<HINSTANCE> Resource_Module_Chain() {
    std::vector<HINSTANCE> chain;
    auto add = [&chain](HINSTANCE module) {
        if (module && std::find(chain.begin(), chain.end(), module) == chain.end()) chain.push_back(module);
    };
    add(AfxGetResourceHandle());
    for (CDynLinkLibrary* library : State().libraries)
        if (!library->m_bSystem) add(library->m_hResource);
    for (CDynLinkLibrary* library : State().libraries)
        if (library->m_bSystem) add(library->m_hResource);
    add(AfxGetInstanceHandle());
    return chain;
}

void Set_String_Resource_Loader(String_Resource_Loader loader) {
    State().string_loader = std::move(loader);
}

bool Load_String_Resource(HINSTANCE module, UINT nID, std::wstring& text) {
    const auto& loader = State().string_loader;
    if (!loader) return false;
    if (module) return loader(module, nID, text);
    for (HINSTANCE m : Resource_Module_Chain())
        if (loader(m, nID, text)) return true;
    return false;
}

}  // namespace platform
