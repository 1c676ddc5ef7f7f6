// PDF, PNG and JPG output through cairo (JPG through libjpeg from the rendered image).
// The file is written through a temporary beside it and appears only when it was written
// whole.
#pragma once
#include <cairo.h>

#include <memory>
#include <string>

#include "plot/render/plot_device.h"
#include "win/safe_file_write.h"

namespace platform {

class Cairo_Device : public Plot_Device {
public:
    enum class Kind { Pdf, Png, Jpg };
    // copies > 1 (PDF only): the page is repeated that many times.
    Cairo_Device(Kind kind, std::wstring path, double dpi, int copies = 1);
    ~Cairo_Device() override;

    bool begin_page(double width_mm, double height_mm, uint32_t background_rgb) override;
    void set_pen(const Plot_Pen& pen) override;
    double thinnest_line_mm() const override { return mMinWidth; }
    void polyline(const Paper_Point* points, size_t count) override;
    void arc(const Paper_Point& center, const Paper_Point& u, const Paper_Point& v, double sweep,
             double tolerance_mm) override;
    void fill(const std::vector<Paper_Ring>& rings) override;
    void text(const Plot_Text& text) override;
    void image(const Plot_Image& image) override;
    void push_clip(const Paper_Ring& polygon, bool inverted = false) override;
    void pop_clip() override;
    bool finish(std::wstring& error) override;
    std::vector<std::wstring> files() const override { return mFiles; }

private:
    // Drops the page and the file's temporary; the file stays as it was.
    void abandon();
    bool fail_page(const std::wstring& why);
    void flush_strokes();
    void set_source(uint32_t rgb);
    bool raster() const { return mKind == Kind::Png || mKind == Kind::Jpg; }

    Kind mKind;
    std::wstring mPath;
    std::unique_ptr<Safe_File_Write> mFile;  // outlives the surfaces, which write into it
    double mDpi;
    int mCopies;
    double mPageW = 0.0, mPageH = 0.0;
    double mMinWidth = 0.1;
    cairo_surface_t* mSurface = nullptr;  // the output, or the recording of the page for copies
    cairo_surface_t* mTarget = nullptr;   // the PDF the recording is replayed onto
    cairo_t* mCr = nullptr;
    Plot_Pen mPen;
    bool mPenSet = false;
    size_t mPathPoints = 0;
    std::wstring mError;
    std::vector<std::wstring> mFiles;
};

}  // namespace platform
