// SVG output written as SVG elements: strokes and fills as paths, texts as text elements in the
// pinned font (searchable, stretched to the width the drawing measures them at), images as
// embedded PNG, clips as clip paths. The file appears only when it was written whole.
#pragma once
#include <string>
#include <vector>

#include "plot/render/plot_device.h"

namespace platform {

class Svg_Device : public Plot_Device {
public:
    explicit Svg_Device(std::wstring path) : mPath(std::move(path)) {}

    bool begin_page(double width_mm, double height_mm, uint32_t background_rgb) override;
    void set_pen(const Plot_Pen& pen) override;
    double thinnest_line_mm() const override;
    void polyline(const Paper_Point* points, size_t count) override;
    void fill(const std::vector<Paper_Ring>& rings) override;
    void text(const Plot_Text& text) override;
    void image(const Plot_Image& image) override;
    void push_clip(const Paper_Ring& polygon, bool inverted = false) override;
    void pop_clip() override;
    bool finish(std::wstring& error) override;
    std::vector<std::wstring> files() const override { return mFiles; }

private:
    void flush_strokes();
    void ring_path(const Paper_Ring& ring);

    std::wstring mPath;
    std::string mOut;
    std::string mStrokes;  // path data of the strokes drawn with the current pen
    double mPageW = 0.0, mPageH = 0.0;
    Plot_Pen mPen;
    int mClipCount = 0;
    int mOpenClips = 0;
    std::vector<std::wstring> mFiles;
};

}  // namespace platform
