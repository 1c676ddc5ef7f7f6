// The output side of the plot engine: a page in paper millimetres (origin at the paper's
// lower-left corner, y up) onto which the renderer draws pens, fills, texts and images.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct Paper_Point {
    double x = 0.0, y = 0.0;
};

using Paper_Ring = std::vector<Paper_Point>;

struct Plot_Pen {
    uint32_t rgb = 0x000000;  // 0x00RRGGBB
    double width_mm = 0.0;    // 0 = the thinnest line the device draws
    bool operator==(const Plot_Pen& o) const { return rgb == o.rgb && width_mm == o.width_mm; }
    bool operator!=(const Plot_Pen& o) const { return !(*this == o); }
};

// One line of text. A point (X, Y) of the font's em square (X along the baseline, Y up, both in
// em) lands on the paper at origin + X * x_axis + Y * y_axis; the axes carry height, width
// factor, rotation, obliquing and mirroring.
struct Plot_Text {
    std::wstring text;
    Paper_Point origin;
    Paper_Point x_axis;
    Paper_Point y_axis;
};

// A raster image: rows from the top, 0xAARRGGBB pixels (premultiplied alpha), placed so that the
// image's lower-left corner is at origin, its bottom edge runs along u and its left edge along v
// (u and v are the whole image's width and height on paper).
struct Plot_Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    Paper_Point origin, u, v;
};

class Plot_Device {
public:
    virtual ~Plot_Device() = default;
    // Starts the page: the paper as it comes out of the device, in millimetres.
    virtual bool begin_page(double width_mm, double height_mm, uint32_t background_rgb) = 0;
    virtual void set_pen(const Plot_Pen& pen) = 0;
    // The width of the thinnest line the device draws (a pen of width 0), in millimetres; 0 when
    // it depends on who shows the page.
    virtual double thinnest_line_mm() const { return 0.0; }
    virtual void polyline(const Paper_Point* points, size_t count) = 0;
    // An elliptical arc: centre + u cos(t) + v sin(t) for t from 0 to sweep (radians, the sign
    // giving the direction). Devices without curves get it as a polyline within tolerance_mm.
    virtual void arc(const Paper_Point& center, const Paper_Point& u, const Paper_Point& v, double sweep,
                     double tolerance_mm);
    // Filled area of one or more rings, even-odd: inner rings are holes.
    virtual void fill(const std::vector<Paper_Ring>& rings) = 0;
    virtual void text(const Plot_Text& text) = 0;
    virtual void image(const Plot_Image& image) = 0;
    // Clip regions nest: each new one cuts the current one further (inverted: keeps what lies
    // outside the polygon; devices that clip to rectangles only ignore inverted clips).
    virtual void push_clip(const Paper_Ring& polygon, bool inverted = false) = 0;
    virtual void pop_clip() = 0;
    // Ends the page and writes the output; false with a message on failure.
    virtual bool finish(std::wstring& error) = 0;
    // Files the device has written (after finish).
    virtual std::vector<std::wstring> files() const = 0;
};

}  // namespace platform
