#include <cmath>
#include <cstdlib>

#include "db/dbhatch.h"
#include "db/geom_util.h"
#include "db/dbmain.h"
#include "db/gi.h"
#include "db/hatch_pattern_file.h"
#include "db/raw_groups.h"
#include "db_classes.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbHatch, ZcDbEntity, 0, 0, 0, HATCH, AutoCAD)

namespace {
const bool gHatchRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbHatch::rxInit();
    return true;
}();

// Points along a bulged segment (the end point excluded), in the loop's plane.
void Segment_Points(const ZcGePoint2d& a, const ZcGePoint2d& b, double bulge, std::vector<ZcGePoint2d>& out)
{
    out.push_back(a);
    if (bulge == 0.0) return;
    const double sweep = 4.0 * std::atan(bulge);
    const double chord = std::hypot(b.x - a.x, b.y - a.y);
    if (chord == 0.0) return;
    const double radius = chord / (2.0 * std::sin(std::fabs(sweep) / 2.0));
    const double mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
    const double h = radius * std::cos(sweep / 2.0);  // centre's distance from the chord
    const double nx = -(b.y - a.y) / chord, ny = (b.x - a.x) / chord;
    const double side = bulge > 0 ? 1.0 : -1.0;
    const double cx = mx + side * nx * h, cy = my + side * ny * h;
    const double start = std::atan2(a.y - cy, a.x - cx);
    const int steps = 16;
    for (int i = 1; i < steps; ++i) {
        const double t = start + sweep * i / steps;
        out.emplace_back(cx + radius * std::cos(t), cy + radius * std::sin(t));
    }
}
}  // namespace

Zcad::ErrorStatus ZcDbHatch::setPattern(HatchPatternType patType, const wchar_t* patName)
{
    if (patName == nullptr) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPatternType = patType;
    mPatternName = patName;
    mSolid = mPatternName == L"SOLID";
    mRaw.clear();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setPatternAngle(double angle)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPatternAngle = angle;
    mRaw.clear();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setPatternScale(double scale)
{
    if (scale <= 0.0) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mPatternScale = scale;
    mRaw.clear();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setAssociative(bool isAssociative)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mAssociative = isAssociative;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setElevation(double elevation)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mElevation = elevation;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::setNormal(const ZcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mNormal = normal.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::getLoopAt(int loopIndex, int& loopType, ZcGePoint2dArray& vertices,
                                       ZcGeDoubleArray& bulges) const
{
    if (loopIndex < 0 || loopIndex >= numLoops()) return Zcad::eInvalidIndex;
    const Loop& loop = mLoops[size_t(loopIndex)];
    loopType = loop.type;
    vertices.setLogicalLength(0);
    bulges.setLogicalLength(0);
    for (const ZcGePoint2d& p : loop.vertices) vertices.append(p);
    for (double b : loop.bulges) bulges.append(b);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::appendLoop(int loopType, const ZcGePoint2dArray& vertices, const ZcGeDoubleArray& bulges)
{
    if (vertices.length() < 2) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    Loop loop;
    loop.type = loopType | kPolyline;
    for (int i = 0; i < vertices.length(); ++i) {
        loop.vertices.push_back(vertices[i]);
        loop.bulges.push_back(i < bulges.length() ? bulges[i] : 0.0);
    }
    mLoops.push_back(std::move(loop));
    mRaw.clear();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::removeLoopAt(int loopIndex)
{
    if (loopIndex < 0 || loopIndex >= numLoops()) return Zcad::eInvalidIndex;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mLoops.erase(mLoops.begin() + loopIndex);
    mRaw.clear();
    return Zcad::eOk;
}

void ZcDbHatch::setRawGroups(ZcDbPackedRawGroups groups)
{
    if (assertWriteEnabled()) mRaw = std::move(groups);
}

std::vector<std::vector<ZcGePoint2d>> ZcDbHatch::flatLoops() const
{
    std::vector<std::vector<ZcGePoint2d>> loops;
    for (const Loop& loop : mLoops) {
        std::vector<ZcGePoint2d> flat;
        for (size_t i = 0; i < loop.vertices.size(); ++i)
            Segment_Points(loop.vertices[i], loop.vertices[(i + 1) % loop.vertices.size()], loop.bulges[i], flat);
        if (flat.size() >= 2) loops.push_back(std::move(flat));
    }
    return loops;
}

std::vector<platform::Hatch_Pattern_Line> ZcDbHatch::patternLines() const
{
    std::vector<platform::Hatch_Pattern_Line> lines;
    if (mSolid) return lines;
    // From the drawing file: 78 count, then per line 53 angle, 43/44 base, 45/46 offset, 79 and 49 dashes.
    bool inPattern = false;
    for (const ZcDbPackedRawGroups::Group g : mRaw) {
        const double value = std::atof(std::string(g.value).c_str());
        if (g.code == 78) {
            inPattern = true;
            continue;
        }
        if (!inPattern) continue;
        if (g.code == 53) {
            lines.emplace_back();
            lines.back().angle = value * platform::kPi / 180.0;
        } else if (lines.empty()) {
            continue;
        } else if (g.code == 43) {
            lines.back().base.x = value;
        } else if (g.code == 44) {
            lines.back().base.y = value;
        } else if (g.code == 45) {
            lines.back().offset.x = value;
        } else if (g.code == 46) {
            lines.back().offset.y = value;
        } else if (g.code == 49) {
            lines.back().dashes.push_back(value);
        } else if (g.code != 79) {
            break;
        }
    }
    if (!lines.empty()) return lines;
    if (mPatternType == kPreDefined) {
        // The host's definition: in millimetres for a metric drawing, else in inches.
        const bool metric = database() && database()->measurement() == ZcDb::kMetric;
        const double turn = mPatternAngle, cosT = std::cos(turn), sinT = std::sin(turn);
        auto turned = [&](double x, double y) { return ZcGeVector2d(x * cosT - y * sinT, x * sinT + y * cosT); };
        for (const platform::Pat_Family& f : platform::Read_Hatch_Pattern(metric ? L"acadiso.pat" : L"acad.pat", mPatternName)) {
            platform::Hatch_Pattern_Line line;
            const double a = f.angle * platform::kPi / 180.0;
            line.angle = a + turn;
            line.base = ZcGePoint2d::kOrigin + turned(f.x, f.y) * mPatternScale;
            // The offset runs along the family's own lines, then across them.
            line.offset = turned(f.dx * std::cos(a) - f.dy * std::sin(a), f.dx * std::sin(a) + f.dy * std::cos(a)) * mPatternScale;
            for (double dash : f.dashes) line.dashes.push_back(dash * mPatternScale);
            lines.push_back(std::move(line));
        }
        if (!lines.empty()) return lines;
    }
    platform::Hatch_Pattern_Line line;
    double spacing = mPatternScale;
    line.angle = mPatternAngle;
    if (mPatternType != kUserDefined) {
        line.angle += platform::kPi / 4.0;
        spacing *= 3.175;
    }
    line.offset = ZcGeVector2d(-std::sin(line.angle), std::cos(line.angle)) * spacing;
    lines.push_back(line);
    return lines;
}

int ZcDbHatch::numPatternDefinitions() const { return int(patternLines().size()); }

Zcad::ErrorStatus ZcDbHatch::getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY,
                                                    double& offsetX, double& offsetY, ZcGeDoubleArray& dashes) const
{
    std::vector<platform::Hatch_Pattern_Line> lines = patternLines();
    if (index < 0 || index >= int(lines.size())) return Zcad::eInvalidIndex;
    const platform::Hatch_Pattern_Line& l = lines[size_t(index)];
    angle = l.angle;
    baseX = l.base.x;
    baseY = l.base.y;
    offsetX = l.offset.x;
    offsetY = l.offset.y;
    dashes.setLogicalLength(0);
    for (double d : l.dashes) dashes.append(d);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbHatch::subGetGeomExtents(ZcDbExtents& extents) const
{
    const ZcGeMatrix3d toWorld = ZcGeMatrix3d::planeToWorld(mNormal);
    bool any = false;
    for (const std::vector<ZcGePoint2d>& loop : flatLoops())
        for (const ZcGePoint2d& p : loop) {
            extents.addPoint(toWorld * ZcGePoint3d(p.x, p.y, mElevation));
            any = true;
        }
    return any ? Zcad::eOk : Zcad::eInvalidExtents;
}

bool ZcDbHatch::subWorldDraw(ZcGiWorldDraw* mode)
{
    const ZcGeMatrix3d toWorld = ZcGeMatrix3d::planeToWorld(mNormal);
    auto world = [&](const ZcGePoint2d& p) { return toWorld * ZcGePoint3d(p.x, p.y, mElevation); };
    const std::vector<std::vector<ZcGePoint2d>> loops = flatLoops();
    if (loops.empty()) return true;
    if (mSolid) {
        // One area: inner loops are holes.
        std::vector<uint32_t> counts;
        std::vector<ZcGePoint3d> points;
        for (const std::vector<ZcGePoint2d>& loop : loops) {
            counts.push_back(uint32_t(loop.size()));
            for (const ZcGePoint2d& p : loop) points.push_back(world(p));
        }
        mode->subEntityTraits().setFillType(kZcGiFillAlways);
        mode->geometry().polyPolygon(uint32_t(counts.size()), counts.data(), points.data());
        return true;
    }
    mode->subEntityTraits().setFillType(kZcGiFillNever);
    for (const platform::Hatch_Segment& seg : platform::Hatch_Pattern_Segments(loops, patternLines())) {
        ZcGePoint3d pts[2] = {world(seg.first), world(seg.second)};
        if (mode->geometry().polyline(2, pts)) break;
    }
    return true;
}

Zcad::ErrorStatus ZcDbHatch::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writeString(mPatternName);
    f->writeInt32(int32_t(mPatternType));
    f->writeBool(mSolid);
    f->writeDouble(mPatternAngle);
    f->writeDouble(mPatternScale);
    f->writeBool(mAssociative);
    f->writeDouble(mElevation);
    f->writeVector3d(mNormal);
    f->writeUInt64(mLoops.size());
    for (const Loop& loop : mLoops) {
        f->writeInt32(loop.type);
        f->writeUInt64(loop.vertices.size());
        for (size_t i = 0; i < loop.vertices.size(); ++i) {
            f->writePoint2d(loop.vertices[i]);
            f->writeDouble(loop.bulges[i]);
        }
    }
    platform::Bytes_Out(f, mRaw.bytes());
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbHatch::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    int32_t type = 0;
    uint64_t loops = 0;
    f->readString(mPatternName);
    f->readInt32(&type);
    mPatternType = HatchPatternType(type);
    f->readBool(&mSolid);
    f->readDouble(&mPatternAngle);
    f->readDouble(&mPatternScale);
    f->readBool(&mAssociative);
    f->readDouble(&mElevation);
    f->readVector3d(&mNormal);
    f->readUInt64(&loops);
    mLoops.clear();
    for (uint64_t l = 0; l < loops && f->filerStatus() == Zcad::eOk; ++l) {
        Loop loop;
        uint64_t count = 0;
        f->readInt32(&loop.type);
        f->readUInt64(&count);
        for (uint64_t i = 0; i < count && f->filerStatus() == Zcad::eOk; ++i) {
            ZcGePoint2d p;
            double b = 0;
            f->readPoint2d(&p);
            f->readDouble(&b);
            loop.vertices.push_back(p);
            loop.bulges.push_back(b);
        }
        mLoops.push_back(std::move(loop));
    }
    std::string raw;
    es = platform::Bytes_In(f, raw);
    mRaw.setBytes(std::move(raw));
    return es;
}
