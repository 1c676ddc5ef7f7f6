#include "ui/module_resources.h"

#include "app/module_entry.h"
#include "mfc/afxdll.h"

HINSTANCE Module_Resources()
{
    HINSTANCE module = Get_Module_Instance();
    return module != nullptr ? module : AfxGetResourceHandle();
}

Module_Resource_Scope::Module_Resource_Scope() : Previous(AfxGetResourceHandle())
{
    AfxSetResourceHandle(Module_Resources());
}

Module_Resource_Scope::~Module_Resource_Scope() { AfxSetResourceHandle(Previous); }
