#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "db/dbmain.h"
#include "db/dbmline.h"
#include "db/dbproxy.h"
#include "db/dbsymtb.h"
#include "db/filer.h"
#include "db/geom_util.h"
#include "db/gi.h"
#include "db_classes.h"
#include "script/utf8.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbMline, ZcDbEntity, 0, 0, 0, MLINE, AutoCAD)

namespace {
const bool gMlineRegistered = [] {
    // The base classes first, whichever of the layer's sources is initialised first.
    platform::Register_Db_Classes();
    ZcDbMline::rxInit();
    return true;
}();

// What a multiline style says: its elements (offset, colour, linetype name), its flags
// (1 fill, 2 miters shown, 16 / 256 square start / end caps, 64 / 1024 round ones) and fill colour.
struct Mline_Style {
    struct Element {
        double offset = 0.0;
        int16_t color = 256;
        std::wstring linetype;
    };
    int flags = 0;
    int16_t fillColor = 256;
    std::vector<Element> elements;
};

// The style a multiline names, kept from the drawing file; STANDARD when it has none.
Mline_Style Style_Of(const ZcDbObjectId& id)
{
    Mline_Style style;
    ZcDbProxyObject* kept = nullptr;
    if (!id.isNull() && zcdbOpenObject(kept, id, ZcDb::kForRead) == Zcad::eOk) {
        if (std::wstring(kept->originalDxfName()) == L"MLINESTYLE") {
            bool inElements = false;
            for (const ZcDbRawGroup& g : kept->rawGroups()) {
                if (g.code == 71) {
                    inElements = true;
                } else if (!inElements) {
                    if (g.code == 70) style.flags = std::atoi(g.value.c_str());
                    if (g.code == 62) style.fillColor = int16_t(std::atoi(g.value.c_str()));
                } else if (g.code == 49) {
                    style.elements.push_back({std::atof(g.value.c_str()), 256, L""});
                } else if (!style.elements.empty() && g.code == 62) {
                    style.elements.back().color = int16_t(std::atoi(g.value.c_str()));
                } else if (!style.elements.empty() && g.code == 6) {
                    style.elements.back().linetype = platform::From_Utf8(g.value);
                }
            }
        }
        kept->close();
    }
    if (style.elements.empty()) style.elements = {{0.5, 256, L""}, {-0.5, 256, L""}};
    return style;
}

ZcGeVector3d Unit_Or(const ZcGeVector3d& v, const ZcGeVector3d& fallback)
{
    return v.isZeroLength() ? fallback : v.normal();
}
}  // namespace

Zcad::ErrorStatus ZcDbMline::setStyle(const ZcDbObjectId& id)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mStyle = id;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMline::setStyleName(const wchar_t* name)
{
    if (name == nullptr) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mStyleName = name;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMline::setScale(double scale)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mScale = scale;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMline::setJustification(Mline::MlineJustification just)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mJustification = just;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMline::setNormal(const ZcGeVector3d& normal)
{
    if (normal.isZeroLength()) return Zcad::eInvalidInput;
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mNormal = normal.normal();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMline::setClosedMline(bool closed)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mFlags = closed ? (mFlags | 2) : (mFlags & ~2);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMline::setFlags(int flags)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mFlags = flags;
    return Zcad::eOk;
}

ZcGePoint3d ZcDbMline::vertexAt(int index) const
{
    return index >= 0 && index < numVertices() ? mVertices[size_t(index)].position : ZcGePoint3d();
}

Zcad::ErrorStatus ZcDbMline::appendSeg(const ZcGePoint3d& point)
{
    Vertex v;
    v.position = point;
    return appendVertexData(v);
}

Zcad::ErrorStatus ZcDbMline::appendVertexData(const Vertex& vertex)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    mVertices.push_back(vertex);
    return Zcad::eOk;
}

namespace {

// The vertices with their directions, miters and element distances: as filed, or worked out
// from the path and the style's offsets when the file gave none.
std::vector<ZcDbMline::Vertex> Laid_Out(const std::vector<ZcDbMline::Vertex>& given, const Mline_Style& style,
                                        const ZcGeVector3d& normal, double scale, Mline::MlineJustification just,
                                        bool closed)
{
    std::vector<ZcDbMline::Vertex> out = given;
    const size_t n = out.size(), k = style.elements.size();
    double top = -1e300, bottom = 1e300;
    for (const auto& e : style.elements) top = std::max(top, e.offset), bottom = std::min(bottom, e.offset);
    const double shift = just == Mline::kTop ? top : just == Mline::kBottom ? bottom : 0.0;
    // The direction of the segment that starts at vertex j (at the end of an open path: the last one).
    auto segment = [&](size_t j) {
        size_t a = j, b = j + 1;
        if (b == n && closed) b = 0;
        if (b == n) a = n - 2, b = n - 1;
        return Unit_Or(out[b].position - out[a].position, ZcGeVector3d(1, 0, 0));
    };
    for (size_t j = 0; j < n && n >= 2; ++j) {
        ZcDbMline::Vertex& v = out[j];
        if (v.elementParams.size() == k) continue;
        v.direction = segment(j);
        ZcGeVector3d side = normal.crossProduct(v.direction);
        if (j > 0 || closed) side += normal.crossProduct(segment(j > 0 ? j - 1 : n - 1));
        v.miter = Unit_Or(side, normal.crossProduct(v.direction));
        const double along = v.miter.dotProduct(Unit_Or(normal.crossProduct(v.direction), v.miter));
        v.elementParams.assign(k, {});
        for (size_t i = 0; i < k; ++i)
            v.elementParams[i] = {(style.elements[i].offset - shift) * scale / (std::fabs(along) > 1e-9 ? along : 1.0)};
        v.fillParams.assign(k, {});
    }
    return out;
}

}  // namespace

bool ZcDbMline::subWorldDraw(ZcGiWorldDraw* mode)
{
    if (mVertices.size() < 2) return true;
    const Mline_Style style = Style_Of(mStyle);
    const bool closed = closedMline();
    const std::vector<Vertex> vertices = Laid_Out(mVertices, style, mNormal, mScale, mJustification, closed);
    const size_t n = vertices.size(), k = style.elements.size();
    // Each element's points, vertex by vertex.
    std::vector<std::vector<ZcGePoint3d>> lines(k);
    for (const Vertex& v : vertices)
        for (size_t i = 0; i < k; ++i) {
            const double along = i < v.elementParams.size() && !v.elementParams[i].empty() ? v.elementParams[i][0] : 0.0;
            lines[i].push_back(v.position + v.miter * along);
        }
    size_t top = 0, bottom = 0;
    for (size_t i = 0; i < k; ++i) {
        if (style.elements[i].offset > style.elements[top].offset) top = i;
        if (style.elements[i].offset < style.elements[bottom].offset) bottom = i;
    }
    ZcGiWorldGeometry& geometry = mode->geometry();
    ZcGiSubEntityTraits& traits = mode->subEntityTraits();
    const uint16_t ownColor = colorIndex();
    const ZcDbObjectId ownLinetype = linetypeId();
    if (style.flags & 1) {
        std::vector<ZcGePoint3d> area = lines[bottom];
        area.insert(area.end(), lines[top].rbegin(), lines[top].rend());
        traits.setColor(uint16_t(style.fillColor));
        traits.setFillType(kZcGiFillAlways);
        geometry.polygon(uint32_t(area.size()), area.data());
        traits.setFillType(kZcGiFillNever);
    }
    for (size_t i = 0; i < k; ++i) {
        std::vector<ZcGePoint3d>& pts = lines[i];
        if (closed) pts.push_back(pts.front());
        traits.setColor(uint16_t(style.elements[i].color));
        ZcDbObjectId linetype = ownLinetype;
        ZcDbLinetypeTable* table = nullptr;
        if (!style.elements[i].linetype.empty() && database() &&
            database()->getLinetypeTable(table, ZcDb::kForRead) == Zcad::eOk) {
            ZcDbObjectId found;
            if (table->getAt(style.elements[i].linetype.c_str(), found) == Zcad::eOk) linetype = found;
            table->close();
        }
        traits.setLineType(linetype);
        if (geometry.polyline(uint32_t(pts.size()), pts.data())) return true;
    }
    traits.setLineType(ownLinetype);
    traits.setColor(ownColor);
    // Across the lines: miters at the inner vertices, caps at the ends.
    auto across = [&](size_t j) {
        const ZcGePoint3d pts[2] = {lines[top][j], lines[bottom][j]};
        geometry.polyline(2, pts);
    };
    auto round = [&](size_t j, const ZcGeVector3d& outward) {
        const ZcGePoint3d a = lines[top][j], b = lines[bottom][j];
        const ZcGePoint3d center = a + (b - a) * 0.5;
        const ZcGeVector3d start = a - center;
        if (start.isZeroLength()) return;
        const double sweep = mNormal.crossProduct(start).dotProduct(outward) >= 0 ? platform::kPi : -platform::kPi;
        geometry.circularArc(center, start.length(), mNormal, start, sweep);
    };
    if (style.flags & 2)
        for (size_t j = closed ? 0 : 1; j + (closed ? 0 : 1) < n; ++j) across(j);
    if (!closed) {
        if (!(mFlags & 4) && (style.flags & 16)) across(0);
        if (!(mFlags & 4) && (style.flags & 64)) round(0, -vertices.front().direction);
        if (!(mFlags & 8) && (style.flags & 256)) across(n - 1);
        if (!(mFlags & 8) && (style.flags & 1024)) round(n - 1, vertices[n - 2].direction);
    }
    return true;
}

Zcad::ErrorStatus ZcDbMline::subTransformBy(const ZcGeMatrix3d& xform)
{
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite;
    double factor = 1.0;
    const bool uniform = platform::Is_Uniform(xform, factor);
    for (Vertex& v : mVertices) {
        v.position = xform * v.position;
        v.direction = Unit_Or(platform::Xform_Vector(xform, v.direction), v.direction);
        v.miter = Unit_Or(platform::Xform_Vector(xform, v.miter), v.miter);
        if (!uniform) {
            v.elementParams.clear();  // worked out again from the style
            v.fillParams.clear();
            continue;
        }
        for (auto& params : v.elementParams)
            for (double& d : params) d *= factor;
        for (auto& params : v.fillParams)
            for (double& d : params) d *= factor;
    }
    if (uniform) mScale *= factor;
    mNormal = Unit_Or(platform::Xform_Vector(xform, mNormal), mNormal);
    return Zcad::eOk;
}

namespace {

void Write_Lists(ZcDbDwgFiler* f, const std::vector<std::vector<double>>& lists)
{
    f->writeUInt64(lists.size());
    for (const auto& list : lists) {
        f->writeUInt64(list.size());
        for (double d : list) f->writeDouble(d);
    }
}

void Read_Lists(ZcDbDwgFiler* f, std::vector<std::vector<double>>& lists)
{
    uint64_t count = 0;
    f->readUInt64(&count);
    lists.clear();
    for (uint64_t i = 0; i < count && f->filerStatus() == Zcad::eOk; ++i) {
        uint64_t size = 0;
        f->readUInt64(&size);
        std::vector<double> list;
        for (uint64_t j = 0; j < size && f->filerStatus() == Zcad::eOk; ++j) {
            double d = 0;
            f->readDouble(&d);
            list.push_back(d);
        }
        lists.push_back(std::move(list));
    }
}

}  // namespace

Zcad::ErrorStatus ZcDbMline::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    ZcDbHardPointerId style;
    int32_t just = 0, flags = 0;
    uint64_t count = 0;
    f->readHardPointerId(&style);
    mStyle = style;
    f->readString(mStyleName);
    f->readDouble(&mScale);
    f->readInt32(&just);
    mJustification = Mline::MlineJustification(just);
    f->readInt32(&flags);
    mFlags = flags;
    f->readVector3d(&mNormal);
    f->readUInt64(&count);
    mVertices.clear();
    for (uint64_t i = 0; i < count && f->filerStatus() == Zcad::eOk; ++i) {
        Vertex v;
        f->readPoint3d(&v.position);
        f->readVector3d(&v.direction);
        f->readVector3d(&v.miter);
        Read_Lists(f, v.elementParams);
        Read_Lists(f, v.fillParams);
        mVertices.push_back(std::move(v));
    }
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbMline::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writeHardPointerId(mStyle);
    f->writeString(mStyleName);
    f->writeDouble(mScale);
    f->writeInt32(int32_t(mJustification));
    f->writeInt32(int32_t(mFlags));
    f->writeVector3d(mNormal);
    f->writeUInt64(mVertices.size());
    for (const Vertex& v : mVertices) {
        f->writePoint3d(v.position);
        f->writeVector3d(v.direction);
        f->writeVector3d(v.miter);
        Write_Lists(f, v.elementParams);
        Write_Lists(f, v.fillParams);
    }
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbMline::dxfOutFields(ZcDbDxfFiler* f) const
{
    ZcDbEntity::dxfOutFields(f);
    const Mline_Style style = Style_Of(mStyle);
    const std::vector<Vertex> vertices = Laid_Out(mVertices, style, mNormal, mScale, mJustification, closedMline());
    f->writeString(ZcDb::kDxfSubclass, L"AcDbMline");
    f->writeString(ZcDb::DxfCode(2), mStyleName);
    if (!mStyle.isNull()) f->writeObjectId(ZcDb::DxfCode(340), mStyle);
    f->writeDouble(ZcDb::DxfCode(40), mScale);
    f->writeInt16(ZcDb::DxfCode(70), int16_t(mJustification));
    f->writeInt16(ZcDb::DxfCode(71), int16_t(mFlags));
    f->writeInt16(ZcDb::DxfCode(72), int16_t(vertices.size()));
    f->writeInt16(ZcDb::DxfCode(73), int16_t(vertices.empty() ? style.elements.size() : vertices[0].elementParams.size()));
    f->writePoint3d(ZcDb::DxfCode(10), vertices.empty() ? ZcGePoint3d() : vertices[0].position);
    f->writeVector3d(ZcDb::DxfCode(210), mNormal);
    for (const Vertex& v : vertices) {
        f->writePoint3d(ZcDb::DxfCode(11), v.position);
        f->writeVector3d(ZcDb::DxfCode(12), v.direction);
        f->writeVector3d(ZcDb::DxfCode(13), v.miter);
        for (size_t i = 0; i < v.elementParams.size(); ++i) {
            f->writeInt16(ZcDb::DxfCode(74), int16_t(v.elementParams[i].size()));
            for (double d : v.elementParams[i]) f->writeDouble(ZcDb::DxfCode(41), d);
            const std::vector<double> none;
            const std::vector<double>& fill = i < v.fillParams.size() ? v.fillParams[i] : none;
            f->writeInt16(ZcDb::DxfCode(75), int16_t(fill.size()));
            for (double d : fill) f->writeDouble(ZcDb::DxfCode(42), d);
        }
    }
    return f->filerStatus();
}
