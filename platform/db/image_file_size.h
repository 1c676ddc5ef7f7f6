// The pixel size of a PNG, JPEG or BMP file, read from its header (the file is recognised
// by its bytes, not by its name).
#pragma once

#include <string>

namespace platform {

// False when the file cannot be read or is none of the three formats.
bool Image_File_Pixel_Size(const std::wstring& path, int& width, int& height);

}  // namespace platform
