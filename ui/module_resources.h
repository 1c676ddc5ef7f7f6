// The module's own resources: the handle they are loaded from and a scope that makes
// them the framework's current resources.
#pragma once

#include "win/windows.h"

// The module instance remembered at attach: the resource handle every dialog of the
// plug-in is created under. Null in a test program.
void Set_Module_Instance(HINSTANCE instance);
HINSTANCE Get_Module_Instance();

// The module instance, or the framework's current resource handle when the module has
// none (code linked into a test program).
HINSTANCE Module_Resources();

// Makes this module's resources current and puts the previous handle back at the end.
class Module_Resource_Scope {
public:
    Module_Resource_Scope();
    ~Module_Resource_Scope();
    Module_Resource_Scope(const Module_Resource_Scope&) = delete;
    Module_Resource_Scope& operator=(const Module_Resource_Scope&) = delete;

private:
    HINSTANCE Previous;
};
