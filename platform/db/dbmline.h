// ZcDbMline: parallel lines along a path of vertices, their offsets, colours, caps and fill
// from its MLINESTYLE (STANDARD: two lines half a unit either side when it has none).
#pragma once
#include <string>
#include <vector>

#include "db/dbentity.h"

namespace Mline {
enum MlineJustification { kTop = 0, kZero = 1, kBottom = 2 };
}

class ZcDbMline : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbMline);
    ZcDbMline() = default;

    // One vertex as the drawing file keeps it: where it is, the direction of the segment that
    // starts there, the miter direction, and per element its distances along the miter (the
    // first: from the vertex to the element) and its area fill distances.
    struct Vertex {
        ZcGePoint3d position;
        ZcGeVector3d direction{1.0, 0.0, 0.0};
        ZcGeVector3d miter{0.0, 1.0, 0.0};
        std::vector<std::vector<double>> elementParams;
        std::vector<std::vector<double>> fillParams;
    };

    ZcDbObjectId style() const { return mStyle; }
    Zcad::ErrorStatus setStyle(const ZcDbObjectId& id);
    // The style's name as filed with the multiline.
    const wchar_t* styleName() const { return mStyleName.c_str(); }
    Zcad::ErrorStatus setStyleName(const wchar_t* name);
    double scale() const { return mScale; }
    Zcad::ErrorStatus setScale(double scale);
    Mline::MlineJustification justification() const { return mJustification; }
    Zcad::ErrorStatus setJustification(Mline::MlineJustification just);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& normal);
    bool closedMline() const { return (mFlags & 2) != 0; }
    Zcad::ErrorStatus setClosedMline(bool closed);
    // Flags as filed: 1 has vertices, 2 closed, 4 no start caps, 8 no end caps.
    int flags() const { return mFlags; }
    Zcad::ErrorStatus setFlags(int flags);

    int numVertices() const { return int(mVertices.size()); }
    ZcGePoint3d vertexAt(int index) const;
    const Vertex& vertexDataAt(int index) const { return mVertices[size_t(index)]; }
    // A vertex at the end of the path (directions and element distances follow from the style).
    Zcad::ErrorStatus appendSeg(const ZcGePoint3d& point);
    // A vertex with its filed data.
    Zcad::ErrorStatus appendVertexData(const Vertex& vertex);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;

private:
    ZcDbObjectId mStyle;
    std::wstring mStyleName = L"STANDARD";
    double mScale = 1.0;
    Mline::MlineJustification mJustification = Mline::kTop;
    int mFlags = 1;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    std::vector<Vertex> mVertices;
};
