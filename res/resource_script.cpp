#include "res/resource_script.h"

std::filesystem::path Resource_Script_Path() { return std::filesystem::path(__FILE__).parent_path() / "Brelmor.rc"; }
