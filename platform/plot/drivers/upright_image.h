// Images for devices that place them upright only (edges along the paper's axes).
#pragma once
#include <cstdint>

#include "plot/drivers/rect_clip.h"
#include "plot/render/plot_device.h"

namespace platform {

// The image resampled into its upright bounding box on the paper, at its own pixel size (at
// most max_side pixels a side), transparent outside the image. An upright image comes back as
// it is.
Plot_Image Upright_Image(const Plot_Image& image, int max_side = 4096);

// The whole pixels of an upright image that meet the rectangle (empty when none do).
Plot_Image Crop_Upright_Image(const Plot_Image& upright, const Clip_Rect& box);

// A premultiplied pixel laid over an opaque background colour: 0x00RRGGBB.
uint32_t Over_Background(uint32_t argb, uint32_t background_rgb);

bool Is_Opaque(const Plot_Image& image);

}  // namespace platform
