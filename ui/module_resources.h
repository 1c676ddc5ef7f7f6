// The module's own resources: the handle they are loaded from and a scope that makes
// them the framework's current resources.
#pragma once

#include "win/windows.h"

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
