// Drawing interface: entities draw themselves through ZcGiWorldDraw (the plot engine and the
// extents of custom entities render through it).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "db/color.h"
#include "db/dbid.h"
#include "db/zcdb.h"
#include "ge/ge.h"
#include "ge/gepnt3d.h"
#include "ge/gevec3d.h"

class ZcDbEntity;

// A raster image placed in model coordinates. The drawing shows the image file scaled into the
// parallelogram origin, origin + u, origin + u + v, origin + v (u runs along the first pixel row
// from left to right, v from the bottom row up), cut to the clip polygon when it has points.
struct ZcGiImage {
    std::wstring sourceFile;           // as the image definition names it (relative: to the drawing's folder)
    uint32_t pixelWidth = 0;
    uint32_t pixelHeight = 0;
    ZcGePoint3d origin;                // lower-left corner of the image
    ZcGeVector3d u;                    // the image's whole width
    ZcGeVector3d v;                    // the image's whole height
    std::vector<ZcGePoint3d> clip;     // closed polygon (first point not repeated); empty: no clip
    int brightness = 50;               // 0..100
    int contrast = 50;                 // 0..100
    int fade = 0;                      // 0..100
    bool transparent = false;          // background pixels let what lies below show
};

// A clip boundary: what is drawn after pushClipBoundary and before the matching
// popClipBoundary shows only inside the polygon (outside it when inverted). The points are in
// the model coordinates in force when it is pushed; boundaries nest (each one cuts further).
struct ZcGiClipBoundary {
    std::vector<ZcGePoint3d> points;   // closed polygon (first point not repeated), three or more
    bool inverted = false;
};

enum ZcGiFillType { kZcGiFillAlways = 1, kZcGiFillNever = 2 };
enum ZcGiArcType { kZcGiArcSimple = 0, kZcGiArcSector = 1, kZcGiArcChord = 2 };
enum ZcGiRegenType { eZcGiRegenTypeInvalid = 0, kZcGiStandardDisplay = 2, kZcGiHideOrShadeCommand = 3, kZcGiForExplode = 5 };

class ZcGiSubEntityTraits {
public:
    virtual ~ZcGiSubEntityTraits() = default;
    virtual void setColor(uint16_t colorIndex) = 0;
    virtual void setTrueColor(const ZcCmEntityColor& color) = 0;
    virtual void setLayer(const ZcDbObjectId layerId) = 0;
    virtual void setLineType(const ZcDbObjectId linetypeId) = 0;
    virtual void setLineWeight(ZcDb::LineWeight lineWeight) = 0;
    virtual void setLineTypeScale(double scale) = 0;
    virtual void setFillType(ZcGiFillType fillType) = 0;
    virtual uint16_t color() const = 0;
    virtual ZcCmEntityColor trueColor() const = 0;
    virtual ZcDbObjectId layerId() const = 0;
    virtual ZcDbObjectId lineTypeId() const = 0;
    virtual ZcDb::LineWeight lineWeight() const = 0;
    virtual ZcGiFillType fillType() const = 0;
};

// Geometry primitives in the current model coordinates. Each returns true when the drawing
// should stop (abort), false to go on.
class ZcGiGeometry {
public:
    virtual ~ZcGiGeometry() = default;
    virtual bool circle(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal) = 0;
    virtual bool circularArc(const ZcGePoint3d& center, double radius, const ZcGeVector3d& normal,
                             const ZcGeVector3d& startVector, double sweepAngle,
                             ZcGiArcType arcType = kZcGiArcSimple) = 0;
    virtual bool polyline(uint32_t nbPoints, const ZcGePoint3d* pVertexList, const ZcGeVector3d* pNormal = nullptr,
                          intptr_t lBaseSubEntMarker = -1) = 0;
    // Filled when the fill type is kZcGiFillAlways, outlined otherwise.
    virtual bool polygon(uint32_t nbPoints, const ZcGePoint3d* pVertexList) = 0;
    // One line of text: position = left end of the baseline; direction = baseline direction;
    // height = cap height; width = width factor; oblique in radians.
    virtual bool text(const ZcGePoint3d& position, const ZcGeVector3d& normal, const ZcGeVector3d& direction,
                      double height, double width, double oblique, const wchar_t* pMsg) = 0;
    // Nested drawing of another entity (block contents).
    virtual bool draw(const ZcDbEntity* entity) = 0;
    virtual bool pushModelTransform(const ZcGeMatrix3d& xMat) = 0;
    virtual bool popModelTransform() = 0;
    // Several closed loops filled together as one area (the even-odd rule: a loop inside
    // another is a hole), outlined when the fill type is not kZcGiFillAlways. numVertices[i] is
    // the number of points of loop i; the loops' points follow one another in vertices.
    // Contexts without it draw each loop as a polygon.
    virtual bool polyPolygon(uint32_t numLoops, const uint32_t* numVertices, const ZcGePoint3d* vertices)
    {
        for (uint32_t i = 0; i < numLoops; vertices += numVertices[i], ++i)
            if (polygon(numVertices[i], vertices)) return true;
        return false;
    }
    // Lines without end: through both points (xline), or from base on through the second
    // point (ray). Contexts without a view to end them at (extents among them) ignore them.
    virtual bool xline(const ZcGePoint3d& /*first*/, const ZcGePoint3d& /*second*/) { return false; }
    virtual bool ray(const ZcGePoint3d& /*base*/, const ZcGePoint3d& /*through*/) { return false; }
    // A raster image (see ZcGiImage). Contexts that cannot show images ignore it.
    virtual bool image(const ZcGiImage& /*img*/) { return false; }
    // Clip boundaries (see ZcGiClipBoundary). Contexts that cannot clip ignore them.
    virtual bool pushClipBoundary(const ZcGiClipBoundary& /*boundary*/) { return false; }
    virtual bool popClipBoundary() { return false; }
};

class ZcDbPolyline;

class ZcGiWorldGeometry : public ZcGiGeometry {
public:
    // Segments fromIndex .. fromIndex + numSegs - 1 of a lightweight polyline without widths
    // (numSegs 0: to the end). Contexts that draw linetypes lay the pattern along it as its
    // linetype generation says; by default its lines and arcs go through polyline and circularArc.
    virtual bool pline(const ZcDbPolyline& polyline, uint32_t fromIndex = 0, uint32_t numSegs = 0);
};

class ZcGiCommonDraw {
public:
    virtual ~ZcGiCommonDraw() = default;
    virtual ZcGiGeometry* rawGeometry() const = 0;
    virtual ZcGiSubEntityTraits& subEntityTraits() const = 0;
    virtual bool regenAbort() const { return false; }
    virtual ZcGiRegenType regenType() const { return kZcGiStandardDisplay; }
    virtual bool isDragging() const { return false; }
    virtual double deviation(int type, const ZcGePoint3d& pt) const { return 0.0; }
};

class ZcGiWorldDraw : public ZcGiCommonDraw {
public:
    virtual ZcGiWorldGeometry& geometry() const = 0;
    ZcGiGeometry* rawGeometry() const override { return &geometry(); }
};

class ZcGiViewportDraw : public ZcGiCommonDraw {};
