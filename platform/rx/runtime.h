// Internal: the runtime's process-wide state (system registry and class dictionary).
#pragma once

#include "rx/rxclass.h"
#include "rx/rxdict.h"

namespace zcrx_detail {

struct Runtime {
    ZcRxDictionary sysRegistry;
    ZcRxDictionary classes;
    unsigned generation = 1;
};

// Created on first use, with the root classes registered; never destroyed, so that
// libraries unloading at exit can still reach it.
Runtime& runtime();

// The host name of a class: "Zc" followed by an upper-case letter becomes "Ac".
std::wstring hostClassName(const wchar_t* name);

struct ClassRegistry {
    static ZcRxClass* make(const wchar_t* name, ZcRxClass* parent, int dwgVersion,
                           int maintenanceVersion, int proxyFlags, PseudoConstructor constructor,
                           const wchar_t* dxfName, const wchar_t* appName)
    {
        return new ZcRxClass(name, parent, dwgVersion, maintenanceVersion, proxyFlags,
                             constructor, dxfName, appName);
    }
    static void setParent(ZcRxClass* pClass, ZcRxClass* parent) { pClass->mpParent = parent; }
    static PseudoConstructor constructor(const ZcRxClass* pClass) { return pClass->mConstructor; }
};

} // namespace zcrx_detail
