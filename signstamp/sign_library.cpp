#include "signstamp/sign_library.h"

Sign_Library g_Sign_Library;

void Sign_Library::Load(Sign_Library& /*library*/, const CString& /*path*/, bool /*offer_keep*/) {}
