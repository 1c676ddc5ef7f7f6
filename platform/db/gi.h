// Drawing interface: entities draw themselves through ZcGiWorldDraw (the plot engine and the
// extents of custom entities render through it).
#pragma once
#include <cstdint>

#include "db/color.h"
#include "db/dbid.h"
#include "db/zcdb.h"
#include "ge/ge.h"
#include "ge/gepnt3d.h"
#include "ge/gevec3d.h"

class ZcDbEntity;

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
};

class ZcGiWorldGeometry : public ZcGiGeometry {};

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
