// Plot files for the pen plotter device: HP-GL/2 inside a PJL job. Units are plotter units
// (40 to the millimetre) from the page's lower-left corner; eight pens of 0.25 mm whose colours
// are set as the plot needs them; texts are drawn as filled glyph outlines. Images go in as HP RTL
// raster (24-bit RGB rows, upright, scaled to their size on the paper) between HP-GL/2 parts of
// the job, with the raster's top-left corner at the pen's position.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "plot/render/plot_device.h"

namespace platform {

class Hpgl_Device : public Plot_Device {
public:
    explicit Hpgl_Device(std::wstring path) : mPath(std::move(path)) {}

    bool begin_page(double width_mm, double height_mm, uint32_t background_rgb) override;
    void set_pen(const Plot_Pen& pen) override;
    double thinnest_line_mm() const override { return kThinnestMm; }
    void polyline(const Paper_Point* points, size_t count) override;
    void fill(const std::vector<Paper_Ring>& rings) override;
    void text(const Plot_Text& text) override;
    void image(const Plot_Image& image) override;
    void push_clip(const Paper_Ring& polygon, bool inverted = false) override;
    void pop_clip() override;
    bool finish(std::wstring& error) override;
    std::vector<std::wstring> files() const override { return mFiles; }

    static constexpr int kPens = 8;
    static constexpr double kUnitsPerMm = 40.0;
    static constexpr double kThinnestMm = 0.05;  // the narrowest pen the job sets

private:
    struct Box {
        double x0, y0, x1, y1;
    };
    void select_pen();
    void point(const Paper_Point& p);
    void window(const Box& box);

    std::wstring mPath;
    std::string mOut;
    double mPageW = 0.0, mPageH = 0.0;
    Plot_Pen mPen;
    bool mPenChanged = true;
    uint32_t mPenColors[kPens] = {};
    int mPensUsed = 0;
    int mCurrentPen = 0;
    double mCurrentWidth = -1.0;
    std::vector<Box> mClips;
    uint32_t mBackground = 0xFFFFFF;
    std::vector<std::wstring> mFiles;
};

}  // namespace platform
