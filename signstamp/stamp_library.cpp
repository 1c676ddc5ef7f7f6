#include "signstamp/stamp_library.h"

Stamp_Library g_Stamp_Library;

void Stamp_Library::Load(Stamp_Library& /*library*/, const CString& /*path*/, bool /*offer_keep*/) {}
