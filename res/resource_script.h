// Where the module's resource script lies: the source tree's res folder, fixed when the module is built.
#pragma once

#include <filesystem>

std::filesystem::path Resource_Script_Path();
