// The system registry: the process-wide dictionary of the runtime's services.
#pragma once

#include "rx/rxdict.h"

// Keys of the system registry's own entries.
#define ZCRX_CLASS_DICTIONARY L"ClassDictionary"
#define ZCRX_DYNAMIC_LINKER L"DynamicLinker"

ZcRxDictionary* zcrxSysRegistry();
// The dictionary of registered classes, by class name.
ZcRxDictionary* zcrxGetClassDictionary();
#define zcrxClassDictionary (zcrxGetClassDictionary())
