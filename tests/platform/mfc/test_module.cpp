// An extension module with the library entry of a plug-in: loaded by the tests with LoadLibraryW.
#include "mfc/stdafx_mfc.h"

namespace {

AFX_EXTENSION_MODULE g_extension = {};

class Module_Record : public CObject {
    DECLARE_DYNCREATE(Module_Record)
};

}  // namespace

IMPLEMENT_DYNCREATE(Module_Record, CObject)

extern "C" BOOL DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!g_extension.bInitialized && AfxInitExtensionModule(g_extension, hInstance)) new CDynLinkLibrary(g_extension);
        InitZcUiDLL();
    } else if (dwReason == DLL_PROCESS_DETACH) {
        if (g_extension.bInitialized) AfxTermExtensionModule(g_extension);
    }
    return TRUE;
}
