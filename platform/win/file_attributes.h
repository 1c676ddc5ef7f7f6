// Windows attributes of host files (inside the win layer).
#pragma once

#include <filesystem>

#include "win/win_files.h"

namespace platform {

// FILE_ATTRIBUTE_* of an existing entry, or INVALID_FILE_ATTRIBUTES.
DWORD Attributes_Of(const std::filesystem::path& host_path);
bool Is_Read_Only(const std::filesystem::path& host_path);
// Sets the attributes (read-only mirrored in the write permission bits).
bool Apply_Attributes(const std::filesystem::path& host_path, DWORD attributes);
// FILETIME (100 ns since 1601) of a file time.
FILETIME File_Time_Of(std::filesystem::file_time_type time);
// Attributes, size and times of an existing entry (the modification time for all
// three times); attributes INVALID_FILE_ATTRIBUTES when there is none.
WIN32_FILE_ATTRIBUTE_DATA File_Data_Of(const std::filesystem::path& host_path);

}  // namespace platform
