// Where the module's resource script lies: beside this source, fixed when the module is built.
#pragma once

#include <filesystem>

std::filesystem::path Resource_Script_Path();
