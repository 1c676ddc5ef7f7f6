// ZcDbText, ZcDbAttribute, ZcDbAttributeDefinition.
#include <cmath>
#include <memory>
#include <vector>

#include "db/db_internal.h"
#include "db/dbtext.h"
#include "db/geom_util.h"
#include "db/gi.h"
#include "db/text_codes.h"
#include "db/text_metrics.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbText, ZcDbEntity, 0, 0, 0, TEXT, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbAttribute, ZcDbText, 0, 0, 0, ATTRIB, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbAttributeDefinition, ZcDbText, 0, 0, 0, ATTDEF, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

namespace {

struct Text_Segment {
    ZcGePoint3d from, to;
};

// The underlines and overlines of a laid-out text, leaning with its obliquing.
std::vector<Text_Segment> Text_Stroke_Segments(const ZcDbText::Layout& l, double oblique, const platform::Decoded_Text& d)
{
    std::vector<Text_Segment> out;
    const double shear = std::tan(oblique);
    for (const platform::Text_Stroke_Span& span : d.strokes) {
        const double x0 = platform::Measure_Text_Line(d.plain.substr(0, span.begin), l.height, l.widthFactor).width;
        const double x1 = platform::Measure_Text_Line(d.plain.substr(0, span.end), l.height, l.widthFactor).width;
        const double y = (span.overline ? platform::kOverlineRise : platform::kUnderlineRise) * l.height;
        out.push_back({l.origin + l.direction * (x0 + y * shear) + l.up * y, l.origin + l.direction * (x1 + y * shear) + l.up * y});
    }
    return out;
}

// A copy of an attribute's multiline text (nullptr for none).
std::unique_ptr<ZcDbMText> Copy_MText(const ZcDbMText* src)
{
    if (src == nullptr) return nullptr;
    return std::unique_ptr<ZcDbMText>(ZcDbMText::cast(src->clone()));
}

void File_Out_MText(ZcDbDwgFiler* f, const ZcDbMText* mtext)
{
    f->writeBool(mtext != nullptr);
    if (mtext) mtext->dwgOutFields(f);
}

void File_In_MText(ZcDbDwgFiler* f, std::unique_ptr<ZcDbMText>& mtext)
{
    bool present = false;
    f->readBool(&present);
    if (!present) {
        mtext.reset();
        return;
    }
    if (!mtext) mtext = std::make_unique<ZcDbMText>();
    mtext->dwgInFields(f);
}

// Keeps a copy of src (nullptr: none); false when it cannot be copied.
bool Keep_MText_Copy(std::unique_ptr<ZcDbMText>& kept, const ZcDbMText* src)
{
    std::unique_ptr<ZcDbMText> copy = Copy_MText(src);
    if (src && !copy) return false;
    kept = std::move(copy);
    return true;
}

}  // namespace

ZcDbText::ZcDbText(const ZcGePoint3d& position, const wchar_t* text, ZcDbObjectId style, double height,
                   double rotation)
    : mPosition(position), mAlignmentPoint(position), mRotation(rotation), mHeight(height), mText(text ? text : L""),
      mStyle(style)
{
}

Zcad::ErrorStatus ZcDbText::setPosition(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mPosition = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setAlignmentPoint(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mAlignmentPoint = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setNormal(const ZcGeVector3d& n)
{
    if (n.isZeroLength()) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mNormal = n.normal();
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbText::setThickness(double t) { ZC_WRITE_OR_FAIL(); mThickness = t; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setOblique(double a)
{
    if (std::fabs(a) > 85.0 * platform::kPi / 180.0 + 1e-12) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mOblique = a;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbText::setRotation(double a) { ZC_WRITE_OR_FAIL(); mRotation = a; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setHeight(double h)
{
    if (!(h > 0.0)) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mHeight = h;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbText::setWidthFactor(double w)
{
    if (!(w > 0.0)) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mWidthFactor = w;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbText::mirrorInX(bool m) { ZC_WRITE_OR_FAIL(); mGeneration = m ? (mGeneration | 2) : (mGeneration & ~2); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::mirrorInY(bool m) { ZC_WRITE_OR_FAIL(); mGeneration = m ? (mGeneration | 4) : (mGeneration & ~4); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbText::setHorizontalMode(ZcDb::TextHorzMode m)
{
    if (m < ZcDb::kTextLeft || m > ZcDb::kTextFit) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mHorizontal = m;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbText::setVerticalMode(ZcDb::TextVertMode m)
{
    if (m < ZcDb::kTextBase || m > ZcDb::kTextTop) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mVertical = m;
    return Zcad::eOk;
}
wchar_t* ZcDbText::textString() const { return platform::Dup_String(mText.c_str()); }
Zcad::ErrorStatus ZcDbText::setTextString(const wchar_t* text)
{
    if (text == nullptr) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mText = text;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbText::setTextStyle(ZcDbObjectId id) { ZC_WRITE_OR_FAIL(); mStyle = id; return Zcad::eOk; }

ZcDbText::Layout ZcDbText::layout() const
{
    Layout l;
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    ZcGeVector3d rotDir = x * std::cos(mRotation) + y * std::sin(mRotation);
    l.height = mHeight;
    l.widthFactor = mWidthFactor;
    std::wstring s = platform::Decode_Text_Codes(displayString()).plain;
    bool fitted = mHorizontal == ZcDb::kTextAlign || mHorizontal == ZcDb::kTextFit;
    if (fitted) {
        ZcGeVector3d span = mAlignmentPoint - mPosition;
        double target = span.length();
        if (target > 0.0) rotDir = span / target;
        platform::Text_Line_Box natural = platform::Measure_Text_Line(s, l.height, l.widthFactor);
        if (natural.width > 0.0 && target > 0.0) {
            if (mHorizontal == ZcDb::kTextFit) l.widthFactor *= target / natural.width;
            else l.height *= target / natural.width;
        }
    }
    l.direction = isMirroredInX() ? -rotDir : rotDir;
    l.up = mNormal.crossProduct(rotDir).normal();
    if (isMirroredInY()) l.up = -l.up;
    platform::Text_Line_Box box = platform::Measure_Text_Line(s, l.height, l.widthFactor);
    l.width = box.width;
    l.bottom = box.bottom;
    if (isDefaultAlignment() || fitted) {
        l.origin = mPosition;
        return l;
    }
    double dx = 0.0, dy = 0.0;
    switch (mHorizontal) {
    case ZcDb::kTextCenter:
    case ZcDb::kTextMid: dx = -l.width / 2.0; break;
    case ZcDb::kTextRight: dx = -l.width; break;
    default: break;
    }
    if (mHorizontal == ZcDb::kTextMid) {
        dy = -(l.bottom + l.height) / 2.0;
    } else {
        switch (mVertical) {
        case ZcDb::kTextBottom: dy = -l.bottom; break;
        case ZcDb::kTextVertMid: dy = -l.height / 2.0; break;
        case ZcDb::kTextTop: dy = -l.height; break;
        default: break;
        }
    }
    l.origin = mAlignmentPoint + l.direction * dx + l.up * dy;
    return l;
}

Zcad::ErrorStatus ZcDbText::adjustAlignment(const ZcDbDatabase*)
{
    ZC_WRITE_OR_FAIL();
    if (mHorizontal == ZcDb::kTextAlign || mHorizontal == ZcDb::kTextFit) {
        ZcGeVector3d span = mAlignmentPoint - mPosition;
        if (!span.isZeroLength()) {
            ZcGeVector3d x, y;
            platform::Plane_Axes(mNormal, x, y);
            mRotation = platform::Angle_In_Plane(span, x, y);
        }
        return Zcad::eOk;
    }
    if (!isDefaultAlignment()) mPosition = layout().origin;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::subTransformBy(const ZcGeMatrix3d& xform)
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    ZcGeVector3d rotDir = x * std::cos(mRotation) + y * std::sin(mRotation);
    ZcGeVector3d up = mNormal.crossProduct(rotDir);
    ZcGeVector3d ld = platform::Xform_Vector(xform, rotDir), lu = platform::Xform_Vector(xform, up);
    ZcGeVector3d n = platform::Xform_Vector(xform, mNormal);
    if (n.isZeroLength() || ld.isZeroLength() || lu.isZeroLength()) return Zcad::eDegenerateGeometry;
    n = n.normal();
    bool mirrored = ld.crossProduct(lu).dotProduct(n) < 0.0;
    mPosition.transformBy(xform);
    mAlignmentPoint.transformBy(xform);
    mNormal = n;
    ZcGeVector3d nx, ny;
    platform::Plane_Axes(mNormal, nx, ny);
    mRotation = platform::Angle_In_Plane(mirrored ? -ld : ld, nx, ny);
    if (mirrored) mGeneration ^= 2;
    double hs = lu.length();
    mWidthFactor *= ld.length() / hs;
    mHeight *= hs;
    if (ZcDbMText* mtext = embeddedMText()) return mtext->transformBy(xform);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbText::subGetGeomExtents(ZcDbExtents& extents) const
{
    if (const ZcDbMText* mtext = embeddedMText()) {
        ZcDbExtents own;
        Zcad::ErrorStatus es = mtext->getGeomExtents(own);
        if (es == Zcad::eOk) extents.addExt(own);
        return es;
    }
    Layout l = layout();
    platform::Decoded_Text d = platform::Decode_Text_Codes(displayString());
    platform::Add_Text_Line_Extents(extents, l.origin, l.direction, l.up, l.height, l.widthFactor, mOblique, d.plain);
    for (const Text_Segment& seg : Text_Stroke_Segments(l, mOblique, d)) {
        extents.addPoint(seg.from);
        extents.addPoint(seg.to);
    }
    return Zcad::eOk;
}

bool ZcDbText::subWorldDraw(ZcGiWorldDraw* mode)
{
    if (ZcDbMText* mtext = embeddedMText()) {
        mtext->setPropertiesFrom(this);
        return mtext->worldDraw(mode);
    }
    Layout l = layout();
    ZcGeVector3d normal = l.direction.crossProduct(l.up).normal();
    platform::Decoded_Text d = platform::Decode_Text_Codes(displayString());
    mode->geometry().text(l.origin, normal, l.direction, l.height, l.widthFactor, mOblique, d.plain.c_str());
    for (const Text_Segment& seg : Text_Stroke_Segments(l, mOblique, d)) {
        const ZcGePoint3d points[2] = {seg.from, seg.to};
        mode->geometry().polyline(2, points);
    }
    return true;
}

Zcad::ErrorStatus ZcDbText::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mPosition);
    f->readPoint3d(&mAlignmentPoint);
    f->readVector3d(&mNormal);
    f->readDouble(&mThickness);
    f->readDouble(&mOblique);
    f->readDouble(&mRotation);
    f->readDouble(&mHeight);
    f->readDouble(&mWidthFactor);
    int32_t gen = 0, h = 0, v = 0;
    f->readInt32(&gen);
    f->readInt32(&h);
    f->readInt32(&v);
    mGeneration = gen;
    mHorizontal = ZcDb::TextHorzMode(h);
    mVertical = ZcDb::TextVertMode(v);
    f->readString(mText);
    ZcDbHardPointerId style;
    f->readHardPointerId(&style);
    mStyle = style;
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbText::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writePoint3d(mPosition);
    f->writePoint3d(mAlignmentPoint);
    f->writeVector3d(mNormal);
    f->writeDouble(mThickness);
    f->writeDouble(mOblique);
    f->writeDouble(mRotation);
    f->writeDouble(mHeight);
    f->writeDouble(mWidthFactor);
    f->writeInt32(mGeneration);
    f->writeInt32(int32_t(mHorizontal));
    f->writeInt32(int32_t(mVertical));
    f->writeString(mText.c_str());
    f->writeHardPointerId(mStyle);
    return f->filerStatus();
}

// Attributes.

ZcDbAttribute::ZcDbAttribute(const ZcGePoint3d& position, const wchar_t* text, const wchar_t* tag, ZcDbObjectId style)
    : ZcDbText(position, text, style), mTag(tag ? tag : L"")
{
}

wchar_t* ZcDbAttribute::tag() const { return platform::Dup_String(mTag.c_str()); }

Zcad::ErrorStatus ZcDbAttribute::setTag(const wchar_t* tag)
{
    if (tag == nullptr || *tag == 0 || std::wcschr(tag, L' ')) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mTag = tag;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbAttribute::setInvisible(bool v) { ZC_WRITE_OR_FAIL(); mFlags = v ? (mFlags | 1) : (mFlags & ~1); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttribute::setLockPositionInBlock(bool v) { ZC_WRITE_OR_FAIL(); mLockPosition = v; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttribute::setFieldLength(uint16_t n) { ZC_WRITE_OR_FAIL(); mFieldLength = n; return Zcad::eOk; }

Zcad::ErrorStatus ZcDbAttribute::setAttributeFromBlock(const ZcDbAttributeDefinition* def, const ZcGeMatrix3d& xform)
{
    if (def == nullptr) return Zcad::eNullObjectPointer;
    ZC_WRITE_OR_FAIL();
    // The definition's text geometry and properties, then its placement in the reference.
    ZcDbEntity::setPropertiesFrom(def);
    setPosition(def->position());
    setAlignmentPoint(def->alignmentPoint());
    setNormal(def->normal());
    setThickness(def->thickness());
    setOblique(def->oblique());
    setRotation(def->rotation());
    if (def->height() > 0.0) setHeight(def->height());
    if (def->widthFactor() > 0.0) setWidthFactor(def->widthFactor());
    mirrorInX(def->isMirroredInX());
    mirrorInY(def->isMirroredInY());
    setHorizontalMode(def->horizontalMode());
    setVerticalMode(def->verticalMode());
    setTextStyle(def->textStyle());
    setTextString(def->textStringConst());
    mTag = def->mTag;
    mFlags = def->mFlags;
    mLockPosition = def->mLockPosition;
    mFieldLength = def->mFieldLength;
    if (!Keep_MText_Copy(mMText, def->mMText.get())) return Zcad::eInvalidInput;
    return transformBy(xform);
}

ZcDbMText* ZcDbAttribute::getMTextAttribute() const { return Copy_MText(mMText.get()).release(); }

Zcad::ErrorStatus ZcDbAttribute::setMTextAttribute(const ZcDbMText* mtext)
{
    ZC_WRITE_OR_FAIL();
    return Keep_MText_Copy(mMText, mtext) ? Zcad::eOk : Zcad::eInvalidInput;
}

Zcad::ErrorStatus ZcDbAttribute::setAttributeFromBlock(const ZcGeMatrix3d& xform) { return transformBy(xform); }

Zcad::ErrorStatus ZcDbAttribute::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbText::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readString(mTag);
    int32_t flags = 0;
    f->readInt32(&flags);
    mFlags = flags;
    f->readBool(&mLockPosition);
    f->readUInt16(&mFieldLength);
    File_In_MText(f, mMText);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbAttribute::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbText::dwgOutFields(f);
    f->writeString(mTag.c_str());
    f->writeInt32(mFlags);
    f->writeBool(mLockPosition);
    f->writeUInt16(mFieldLength);
    File_Out_MText(f, mMText.get());
    return f->filerStatus();
}

ZcDbAttributeDefinition::ZcDbAttributeDefinition(const ZcGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                                                 const wchar_t* prompt, ZcDbObjectId style)
    : ZcDbText(position, text, style), mTag(tag ? tag : L""), mPrompt(prompt ? prompt : L"")
{
}

wchar_t* ZcDbAttributeDefinition::prompt() const { return platform::Dup_String(mPrompt.c_str()); }
Zcad::ErrorStatus ZcDbAttributeDefinition::setPrompt(const wchar_t* p) { ZC_WRITE_OR_FAIL(); mPrompt = p ? p : L""; return Zcad::eOk; }
wchar_t* ZcDbAttributeDefinition::tag() const { return platform::Dup_String(mTag.c_str()); }
Zcad::ErrorStatus ZcDbAttributeDefinition::setTag(const wchar_t* tag)
{
    if (tag == nullptr || *tag == 0 || std::wcschr(tag, L' ')) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mTag = tag;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbAttributeDefinition::setInvisible(bool v) { ZC_WRITE_OR_FAIL(); mFlags = v ? (mFlags | 1) : (mFlags & ~1); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttributeDefinition::setConstant(bool v) { ZC_WRITE_OR_FAIL(); mFlags = v ? (mFlags | 2) : (mFlags & ~2); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttributeDefinition::setVerifiable(bool v) { ZC_WRITE_OR_FAIL(); mFlags = v ? (mFlags | 4) : (mFlags & ~4); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttributeDefinition::setPreset(bool v) { ZC_WRITE_OR_FAIL(); mFlags = v ? (mFlags | 8) : (mFlags & ~8); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttributeDefinition::setLockPositionInBlock(bool v) { ZC_WRITE_OR_FAIL(); mLockPosition = v; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbAttributeDefinition::setFieldLength(uint16_t n) { ZC_WRITE_OR_FAIL(); mFieldLength = n; return Zcad::eOk; }

ZcDbMText* ZcDbAttributeDefinition::getMTextAttributeDefinition() const { return Copy_MText(mMText.get()).release(); }

Zcad::ErrorStatus ZcDbAttributeDefinition::setMTextAttributeDefinition(const ZcDbMText* mtext)
{
    ZC_WRITE_OR_FAIL();
    return Keep_MText_Copy(mMText, mtext) ? Zcad::eOk : Zcad::eInvalidInput;
}

Zcad::ErrorStatus ZcDbAttributeDefinition::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbText::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readString(mTag);
    f->readString(mPrompt);
    int32_t flags = 0;
    f->readInt32(&flags);
    mFlags = flags;
    f->readBool(&mLockPosition);
    f->readUInt16(&mFieldLength);
    File_In_MText(f, mMText);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbAttributeDefinition::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbText::dwgOutFields(f);
    f->writeString(mTag.c_str());
    f->writeString(mPrompt.c_str());
    f->writeInt32(mFlags);
    f->writeBool(mLockPosition);
    f->writeUInt16(mFieldLength);
    File_Out_MText(f, mMText.get());
    return f->filerStatus();
}
