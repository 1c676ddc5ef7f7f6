// The plug-in's records in a drawing: an XRecord keyed by the record's name inside a
// dictionary of the same name in the working drawing's named-object dictionary.
#pragma once

#include "rx/zcadstrc.h"

// The record's chain (the caller frees it with zcutRelRb); null when the drawing has no
// such record or an empty one. `found` tells whether the XRecord exists.
resbuf* Read_Named_Record(const wchar_t* name, bool* found = nullptr);
// Replaces the record by one holding the chain (an empty one for a null chain); the
// dictionary is added when missing. True when the record was stored.
bool Write_Named_Record(const wchar_t* name, const resbuf* chain);
