// Filled in when the program folders land.
#include "core/program_folders.h"

void Init_Program_Folders() {}
