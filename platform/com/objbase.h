// Automation servers found by class name: CLSIDFromProgID and CoCreateInstance over the
// classes registered on the emulated machine. A server registers its class names with
// platform::Register_Automation_Class when its layer loads; a class can be removed from
// the machine (and put back), so that creating it fails as on a machine without the
// program.
#pragma once

#include <string>
#include <string_view>

#include "com/combase.h"

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_SERVER (CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER)
#define CLSCTX_ALL CLSCTX_SERVER

#define CO_E_CLASSSTRING ((HRESULT)0x800401F3L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)

// The class of a class name (without regard to case); CO_E_CLASSSTRING when the machine
// has no class of that name.
HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid);
// A new object of the class, asked for the interface; REGDB_E_CLASSNOTREG when the class
// is not on the machine, CLASS_E_NOAGGREGATION with an outer object.
HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);

namespace platform {

// Makes a new object with one reference, which the caller owns.
typedef IDispatch* (*Automation_Factory)(const std::wstring& prog_id);

// Adds a class under its name; a second registration of the name replaces the first.
void Register_Automation_Class(std::wstring_view prog_id, const CLSID& clsid, Automation_Factory factory);

// Whether the machine has the class. Every registered class is there unless removed; the
// removed names are kept in <root>/.removed-classes (one a line, UTF-8), so that every
// program on the same machine root sees them.
bool Automation_Class_Installed(std::wstring_view prog_id);
void Set_Automation_Class_Installed(std::wstring_view prog_id, bool installed);

}  // namespace platform
