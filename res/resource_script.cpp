#include "res/resource_script.h"

// An absolute path whatever path the compiler was given for this source.
std::filesystem::path Resource_Script_Path() { return std::filesystem::path(KORVEL_RESOURCE_DIR) / "Brelmor.rc"; }
