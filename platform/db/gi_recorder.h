// A drawing context that records what entities draw, for tests: every primitive with the
// sub-entity traits in force and the model transform applied.
#pragma once
#include <string>
#include <vector>

#include "db/gi.h"

namespace platform {

struct Gi_Record {
    enum Kind { kCircle, kArc, kPolyline, kPolygon, kPolyPolygon, kText, kImage, kPushClip, kPopClip };
    Kind kind = kPolyline;

    // World coordinates (model transform applied):
    // polyline / polygon: the vertices as given; poly-polygon: the loops' vertices one after
    // another (loopSizes tells where each ends); circle / arc: points along the curve (64 per
    // full turn, both ends included); text: the four corners of the text box (bottom left,
    // bottom right, top right, top left, measured like the extents); image: its four corners;
    // pushed clip boundary: its polygon.
    std::vector<ZcGePoint3d> points;

    // The primitive's own arguments, in the model coordinates it was given in.
    std::vector<uint32_t> loopSizes;    // poly-polygon
    ZcGePoint3d center;                 // circle, arc
    double radius = 0.0;
    ZcGeVector3d normal;                // circle, arc, text
    ZcGeVector3d startVector;           // arc
    double sweepAngle = 0.0;            // arc
    ZcGiArcType arcType = kZcGiArcSimple;
    ZcGePoint3d position;               // text: left end of the baseline
    ZcGeVector3d direction;             // text: baseline direction
    double height = 0.0;                // text
    double widthFactor = 1.0;           // text
    double oblique = 0.0;               // text
    std::wstring text;                  // text
    ZcGiImage image;                    // image
    bool inverted = false;              // pushed clip boundary

    // State in force.
    ZcGeMatrix3d transform;             // model to world
    uint16_t colorIndex = 256;          // as the traits report it
    ZcCmEntityColor color;              // true colour as set (may be ByLayer / ByBlock)
    ZcDbObjectId layerId;
    ZcDbObjectId linetypeId;
    ZcDb::LineWeight lineWeight = ZcDb::kLnWtByLayer;
    ZcGiFillType fillType = kZcGiFillNever;
    int depth = 0;                      // nesting of draw() calls: 0 for the outer entity's own
    const ZcDbEntity* entity = nullptr; // the entity drawing (nested ones included); valid while it lives
};

class GiRecorder : public ZcGiWorldDraw {
public:
    GiRecorder();
    ~GiRecorder() override;

    // Lets the entity draw itself into the recording (its worldDraw); returns its result.
    bool run(ZcDbEntity* entity);

    const std::vector<Gi_Record>& records() const { return mRecords; }
    void clear() { mRecords.clear(); }
    // The records of one kind, in order.
    std::vector<Gi_Record> ofKind(Gi_Record::Kind kind) const;
    // The box of every recorded point (clip records left out); invalid when nothing was drawn.
    ZcDbExtents extents() const;
    // Number of model transforms pushed and not yet popped (0 after a well-behaved draw).
    int transformDepth() const;
    // Number of clip boundaries pushed and not yet popped.
    int clipDepth() const { return mClipDepth; }

    // What regenType() reports (standard display unless set).
    void setRegenType(ZcGiRegenType type) { mRegenType = type; }
    // draw() of nested entities stops after this many nested levels (a cycle guard of its own).
    static constexpr int kMaxDepth = 64;

    ZcGiWorldGeometry& geometry() const override;
    ZcGiSubEntityTraits& subEntityTraits() const override;
    ZcGiRegenType regenType() const override { return mRegenType; }

private:
    class Geometry;
    class Traits;
    friend class Geometry;
    Gi_Record& add(Gi_Record::Kind kind);

    std::vector<Gi_Record> mRecords;
    Geometry* mGeometry;
    Traits* mTraits;
    int mClipDepth = 0;
    int mDepth = 0;
    const ZcDbEntity* mEntity = nullptr;
    ZcGiRegenType mRegenType = kZcGiStandardDisplay;
};

}  // namespace platform
