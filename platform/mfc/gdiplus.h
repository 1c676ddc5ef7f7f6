// A small GDI+: start-up and shut-down, images decoded from files (PNG, BMP, JPEG by their
// bytes) and a Graphics over a device context that draws them scaled, blending through
// their alpha channel.
#pragma once

#include "mfc/afxdc.h"

namespace Gdiplus {

typedef float REAL;
typedef int INT;

enum Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};

enum InterpolationMode {
    InterpolationModeInvalid = -1,
    InterpolationModeDefault = 0,
    InterpolationModeLowQuality = 1,
    InterpolationModeHighQuality = 2,
    InterpolationModeBilinear = 3,
    InterpolationModeBicubic = 4,
    InterpolationModeNearestNeighbor = 5,
    InterpolationModeHighQualityBilinear = 6,
    InterpolationModeHighQualityBicubic = 7,
};

enum SmoothingMode {
    SmoothingModeInvalid = -1,
    SmoothingModeDefault = 0,
    SmoothingModeHighSpeed = 1,
    SmoothingModeHighQuality = 2,
    SmoothingModeNone = 3,
    SmoothingModeAntiAlias = 4,
};

struct GdiplusStartupInput {
    UINT32 GdiplusVersion = 1;
    void* DebugEventCallback = nullptr;
    BOOL SuppressBackgroundThread = FALSE;
    BOOL SuppressExternalCodecs = FALSE;
};

struct GdiplusStartupOutput {
    void* NotificationHook = nullptr;
    void* NotificationUnhook = nullptr;
};

// Counts start-ups; images and graphics work only between a start-up and its shut-down.
Status GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output);
void GdiplusShutdown(ULONG_PTR token);

struct Rect {
    INT X = 0, Y = 0, Width = 0, Height = 0;
    Rect() = default;
    Rect(INT x, INT y, INT w, INT h) : X(x), Y(y), Width(w), Height(h) {}
};

struct RectF {
    REAL X = 0, Y = 0, Width = 0, Height = 0;
    RectF() = default;
    RectF(REAL x, REAL y, REAL w, REAL h) : X(x), Y(y), Width(w), Height(h) {}
};

class Image {
public:
    // The image of a file (Windows or host path); check GetLastStatus.
    explicit Image(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
    virtual ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    static Image* FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);

    UINT GetWidth() const;
    UINT GetHeight() const;
    Status GetLastStatus() const { return m_status; }
    cairo_surface_t* Surface() const { return m_surface; }

protected:
    Image() = default;
    void Load(const WCHAR* filename);
    cairo_surface_t* m_surface = nullptr;
    mutable Status m_status = Ok;
};

class Bitmap : public Image {
public:
    explicit Bitmap(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
    static Bitmap* FromFile(const WCHAR* filename, BOOL useEmbeddedColorManagement = FALSE);
};

class Graphics {
public:
    explicit Graphics(HDC hdc);
    static Graphics* FromHDC(HDC hdc) { return new Graphics(hdc); }

    Status DrawImage(Image* image, INT x, INT y);
    Status DrawImage(Image* image, INT x, INT y, INT width, INT height);
    Status DrawImage(Image* image, REAL x, REAL y, REAL width, REAL height);
    Status DrawImage(Image* image, const Rect& rect) { return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height); }
    Status DrawImage(Image* image, const RectF& rect)
    {
        return DrawImage(image, rect.X, rect.Y, rect.Width, rect.Height);
    }
    Status SetInterpolationMode(InterpolationMode mode);
    Status SetSmoothingMode(SmoothingMode mode);
    InterpolationMode GetInterpolationMode() const { return m_interpolation; }
    SmoothingMode GetSmoothingMode() const { return m_smoothing; }
    Status GetLastStatus() const { return m_status; }

private:
    HDC m_hdc = nullptr;
    InterpolationMode m_interpolation = InterpolationModeDefault;
    SmoothingMode m_smoothing = SmoothingModeDefault;
    Status m_status = Ok;
};

}  // namespace Gdiplus
