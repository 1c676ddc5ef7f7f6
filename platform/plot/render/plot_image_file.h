// Image files of raster image entities, read into plot images (PNG and JPEG).
#pragma once
#include <string>

#include "plot/render/plot_device.h"

namespace platform {

// Reads the pixels (placement left to the caller); fade 0..100 blends them towards white.
// False when the file is missing or not a PNG or JPEG image.
bool Load_Plot_Image(const std::wstring& path, int fade, Plot_Image& out);

}  // namespace platform
