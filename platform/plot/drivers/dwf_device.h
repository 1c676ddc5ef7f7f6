// DWF 6 packages: the "(DWF V06.00)" header, then a ZIP container with the manifest, the page's
// descriptor and its W2D graphics stream (ASCII opcodes, images as binary extended opcodes;
// coordinates in hundredths of a millimetre from the paper's lower-left corner).
#pragma once
#include <string>
#include <vector>

#include "plot/drivers/rect_clip.h"
#include "plot/render/plot_device.h"

namespace platform {

class Dwf_Device : public Plot_Device {
public:
    Dwf_Device(std::wstring path, std::wstring title) : mPath(std::move(path)), mTitle(std::move(title)) {}

    bool begin_page(double width_mm, double height_mm, uint32_t background_rgb) override;
    void set_pen(const Plot_Pen& pen) override;
    void polyline(const Paper_Point* points, size_t count) override;
    void fill(const std::vector<Paper_Ring>& rings) override;
    void text(const Plot_Text& text) override;
    void image(const Plot_Image& image) override;
    void push_clip(const Paper_Ring& polygon, bool inverted = false) override;
    void pop_clip() override;
    bool finish(std::wstring& error) override;
    std::vector<std::wstring> files() const override { return mFiles; }

    static constexpr double kUnitsPerMm = 100.0;

private:
    void emit_pen();
    void point(const Paper_Point& p);
    const Clip_Rect& clip() const { return mClips.back(); }

    std::wstring mPath, mTitle;
    std::string mW2d;
    double mPageW = 0.0, mPageH = 0.0;
    uint32_t mBackground = 0xFFFFFF;
    Plot_Pen mPen, mEmitted;
    bool mEmittedAny = false;
    std::vector<Clip_Rect> mClips;
    uint32_t mImages = 0;
    long mBinaryX = 0, mBinaryY = 0;  // the last point of a binary opcode
    std::vector<std::wstring> mFiles;
};

}  // namespace platform
