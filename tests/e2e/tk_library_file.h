// A title-block library file for the sessions on the title-block fixture drawing: the
// fixture's A3 frames TK_ATTR, TK_LOOSE, TK_PLAIN and TK_DYN, named by "A_C".
#pragma once

#include <filesystem>

// Writes the library file (layout of version 20210101) at the path, folders made.
void Write_TK_Library(const std::filesystem::path& path);
// The library file of the per-user folder under a session's machine root.
std::filesystem::path TK_Library_Path(const std::filesystem::path& machine_root);
