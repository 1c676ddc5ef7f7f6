// Extension modules: the library entry of a module that uses the framework.
//
// At attach a module calls AfxInitExtensionModule with its instance and creates one
// CDynLinkLibrary (with new), which puts the module into the chain of resource
// modules (mfc/resource_modules.h). At detach AfxTermExtensionModule deletes the
// module's CDynLinkLibrary objects (all of them with bAll) and clears bInitialized;
// a CDynLinkLibrary destroyed earlier leaves the chain by itself.
#pragma once

#include "mfc/afxwin.h"
#include "mfc/resource_modules.h"

struct AFX_EXTENSION_MODULE {
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
    CRuntimeClass* pFirstSharedClass;   // classes are registered per process here: always null
    void* pFirstSharedFactory;          // no automation factories: always null
};

// Initialises state for the module hModule (its resources are its own). TRUE when
// initialised, also when it already was; FALSE for a null module.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the CDynLinkLibrary objects of the module (of every module with bAll).
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

class CDynLinkLibrary : public CCmdTarget {
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // System libraries are searched after the others.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule = nullptr;
    HMODULE m_hResource = nullptr;
    CRuntimeClass* m_pFirstSharedClass = nullptr;
    BOOL m_bSystem = FALSE;
};

// The module whose resources are searched first (the host's instance until changed).
HINSTANCE AfxGetResourceHandle();
// A null handle is refused (the current one stays).
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The host program's own instance.
HINSTANCE AfxGetInstanceHandle();

namespace platform {

// The extension modules in the resource chain, most recent first.
std::vector<CDynLinkLibrary*> Dyn_Link_Libraries();

}  // namespace platform
