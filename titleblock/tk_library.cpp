#include "titleblock/tk_library.h"

TK_Library g_TK_Library;

void TK_Library::Load(int /*mode*/) {}

void TK_Library::Resave() {}
