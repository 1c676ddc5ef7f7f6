// The picture a preview window shows: the page drawn by the plot engine as a raster image.
#pragma once
#include <filesystem>
#include <string>

#include "plot/plot_job.h"

namespace platform {

class Preview_Image {
public:
    // Pixels per inch of paper in the preview window.
    static constexpr double kDpi = 100.0;

    // Draws the job's page; false with a message when it cannot be drawn (the picture is
    // then empty).
    bool Render(const PlotJob& job, std::wstring& error);
    bool Empty() const { return mPng.empty(); }
    void Clear() { mPng.clear(); }
    // Saves the picture as a PNG file; false when empty or not written.
    bool Save_Png(const std::filesystem::path& path) const;

private:
    std::string mPng;
};

}  // namespace platform
