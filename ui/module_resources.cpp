#include "ui/module_resources.h"

#include "mfc/afxdll.h"

namespace {

HINSTANCE Module_Instance = nullptr;

}  // namespace

void Set_Module_Instance(HINSTANCE instance) { Module_Instance = instance; }

HINSTANCE Get_Module_Instance() { return Module_Instance; }

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
