// ZcDbMText: format codes, line layout and the single-line texts it explodes into.
#include <cmath>

#include "db/db_internal.h"
#include "db/dbmtext.h"
#include "db/dbtext.h"
#include "db/geom_util.h"
#include "db/gi.h"
#include "db/text_metrics.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbMText, ZcDbEntity, 0, 0, 0, MTEXT, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

namespace platform {

std::vector<std::wstring> MText_Plain_Paragraphs(const std::wstring& s)
{
    std::vector<std::wstring> paragraphs(1);
    auto out = [&](wchar_t c) { paragraphs.back().push_back(c); };
    size_t i = 0, n = s.size();
    while (i < n) {
        wchar_t c = s[i];
        if (c == L'{' || c == L'}') {
            ++i;
            continue;
        }
        if (c == L'\n') {
            paragraphs.emplace_back();
            ++i;
            continue;
        }
        if (c == L'%' && i + 2 < n && s[i + 1] == L'%') {
            wchar_t k = wchar_t(std::towlower(s[i + 2]));
            if (k == L'c') { out(L'\u00D8'); i += 3; continue; }
            if (k == L'd') { out(L'\u00B0'); i += 3; continue; }
            if (k == L'p') { out(L'\u00B1'); i += 3; continue; }
            if (k == L'%') { out(L'%'); i += 3; continue; }
        }
        if (c != L'\\' || i + 1 >= n) {
            out(c);
            ++i;
            continue;
        }
        wchar_t code = s[i + 1];
        switch (code) {
        case L'P':
        case L'N':
            paragraphs.emplace_back();
            i += 2;
            break;
        case L'~':
            out(L' ');
            i += 2;
            break;
        case L'\\':
        case L'{':
        case L'}':
            out(code);
            i += 2;
            break;
        case L'L': case L'l': case L'O': case L'o': case L'K': case L'k':
            i += 2;
            break;
        case L'S': {
            // Stacked text "\Sa^b;" shows as "a/b".
            size_t end = s.find(L';', i + 2);
            std::wstring body = s.substr(i + 2, (end == std::wstring::npos ? n : end) - (i + 2));
            for (wchar_t& ch : body)
                if (ch == L'^' || ch == L'#') ch = L'/';
            for (wchar_t ch : body) out(ch);
            i = end == std::wstring::npos ? n : end + 1;
            break;
        }
        case L'f': case L'F': case L'H': case L'h': case L'W': case L'w': case L'Q': case L'q': case L'T':
        case L't': case L'A': case L'a': case L'C': case L'c': case L'p': {
            size_t end = s.find(L';', i + 2);
            i = end == std::wstring::npos ? n : end + 1;
            break;
        }
        default:
            out(code);
            i += 2;
            break;
        }
    }
    return paragraphs;
}

}  // namespace platform

Zcad::ErrorStatus ZcDbMText::setLocation(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mLocation = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbMText::setNormal(const ZcGeVector3d& n)
{
    if (n.isZeroLength()) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    double rot = rotation();
    mNormal = n.normal();
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    mDirection = x * std::cos(rot) + y * std::sin(rot);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbMText::setDirection(const ZcGeVector3d& dir)
{
    ZcGeVector3d inPlane = dir - mNormal * dir.dotProduct(mNormal);
    if (inPlane.isZeroLength()) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mDirection = inPlane.normal();
    return Zcad::eOk;
}
double ZcDbMText::rotation() const
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    return platform::Angle_In_Plane(mDirection, x, y);
}
Zcad::ErrorStatus ZcDbMText::setRotation(double angle)
{
    ZC_WRITE_OR_FAIL();
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    mDirection = x * std::cos(angle) + y * std::sin(angle);
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbMText::setWidth(double w)
{
    if (w < 0.0) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mWidth = w;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbMText::setHeight(double h)
{
    if (h < 0.0) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mRectHeight = h;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbMText::setTextHeight(double h)
{
    if (!(h > 0.0)) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mTextHeight = h;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbMText::setAttachment(AttachmentPoint a)
{
    if (a < kTopLeft || a > kBottomRight) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mAttachment = a;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbMText::setTextStyle(ZcDbObjectId style) { ZC_WRITE_OR_FAIL(); mStyle = style; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbMText::setLineSpacingFactor(double f)
{
    if (f < 0.25 || f > 4.0) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mLineSpacingFactor = f;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbMText::setLineSpacingStyle(LineSpacingStyle s) { ZC_WRITE_OR_FAIL(); mLineSpacingStyle = s; return Zcad::eOk; }
wchar_t* ZcDbMText::contents() const { return platform::Dup_String(mContents.c_str()); }
Zcad::ErrorStatus ZcDbMText::setContents(const wchar_t* text)
{
    if (text == nullptr) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mContents = text;
    return Zcad::eOk;
}
wchar_t* ZcDbMText::text() const
{
    std::wstring joined;
    std::vector<std::wstring> paragraphs = platform::MText_Plain_Paragraphs(mContents);
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (i) joined += L"\r\n";
        joined += paragraphs[i];
    }
    return platform::Dup_String(joined.c_str());
}
double ZcDbMText::lineSpacing() const { return mTextHeight * 5.0 / 3.0 * mLineSpacingFactor; }

std::vector<ZcDbMText::Line> ZcDbMText::layoutLines() const
{
    std::vector<Line> lines;
    for (const std::wstring& para : platform::MText_Plain_Paragraphs(mContents)) {
        std::wstring current;
        auto push = [&](const std::wstring& text) {
            Line l;
            l.text = text;
            l.width = platform::Measure_Text_Line(text, mTextHeight).width;
            lines.push_back(l);
        };
        if (mWidth <= 0.0) {
            push(para);
            continue;
        }
        for (wchar_t ch : para) {
            std::wstring trial = current + ch;
            if (!current.empty() && platform::Measure_Text_Line(trial, mTextHeight).width > mWidth + 1e-9) {
                // Break at the last blank when there is one, else before this character.
                size_t blank = current.find_last_of(L' ');
                if (ch != L' ' && blank != std::wstring::npos && blank > 0) {
                    push(current.substr(0, blank));
                    current = current.substr(blank + 1) + ch;
                } else {
                    push(current);
                    current = ch == L' ' ? std::wstring() : std::wstring(1, ch);
                }
            } else {
                current = trial;
            }
        }
        push(current);
    }
    double spacing = lineSpacing();
    double total = mTextHeight + spacing * double(lines.empty() ? 0 : lines.size() - 1);
    int col = (int(mAttachment) - 1) % 3;  // 0 left, 1 centre, 2 right
    int row = (int(mAttachment) - 1) / 3;  // 0 top, 1 middle, 2 bottom
    double top = row == 0 ? 0.0 : (row == 1 ? total / 2.0 : total);
    for (size_t k = 0; k < lines.size(); ++k) {
        Line& l = lines[k];
        l.baseline = top - mTextHeight - spacing * double(k);
        l.x = col == 0 ? 0.0 : (col == 1 ? -l.width / 2.0 : -l.width);
    }
    return lines;
}

double ZcDbMText::actualHeight() const
{
    size_t n = layoutLines().size();
    return n == 0 ? 0.0 : mTextHeight + lineSpacing() * double(n - 1);
}

double ZcDbMText::actualWidth() const
{
    double w = 0.0;
    for (const Line& l : layoutLines()) w = std::max(w, l.width);
    return w;
}

Zcad::ErrorStatus ZcDbMText::subTransformBy(const ZcGeMatrix3d& xform)
{
    ZcGeVector3d up = mNormal.crossProduct(mDirection);
    ZcGeVector3d ld = platform::Xform_Vector(xform, mDirection), lu = platform::Xform_Vector(xform, up);
    ZcGeVector3d n = platform::Xform_Vector(xform, mNormal);
    if (ld.isZeroLength() || lu.isZeroLength() || n.isZeroLength()) return Zcad::eDegenerateGeometry;
    mLocation.transformBy(xform);
    mNormal = ld.crossProduct(lu).normal();
    mDirection = ld.normal();
    mTextHeight *= lu.length();
    mWidth *= ld.length();
    mRectHeight *= lu.length();
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::subExplode(ZcDbVoidPtrArray& entitySet) const
{
    ZcGeVector3d up = mNormal.crossProduct(mDirection).normal();
    double rot = rotation();
    for (const Line& l : layoutLines()) {
        if (l.text.empty()) continue;
        auto* t = new ZcDbText(mLocation + mDirection * l.x + up * l.baseline, l.text.c_str(), mStyle, mTextHeight, rot);
        t->setNormal(mNormal);
        t->setPropertiesFrom(this);
        entitySet.append(t);
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMText::subGetGeomExtents(ZcDbExtents& extents) const
{
    std::vector<Line> lines = layoutLines();
    if (lines.empty()) return Zcad::eInvalidExtents;
    double w = std::max(mWidth, actualWidth());
    double h = actualHeight();
    int col = (int(mAttachment) - 1) % 3;
    int row = (int(mAttachment) - 1) / 3;
    double x0 = col == 0 ? 0.0 : (col == 1 ? -w / 2.0 : -w);
    double top = row == 0 ? 0.0 : (row == 1 ? h / 2.0 : h);
    ZcGeVector3d up = mNormal.crossProduct(mDirection).normal();
    for (double x : {x0, x0 + w})
        for (double y : {top, top - h}) extents.addPoint(mLocation + mDirection * x + up * y);
    return Zcad::eOk;
}

bool ZcDbMText::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGeVector3d up = mNormal.crossProduct(mDirection).normal();
    for (const Line& l : layoutLines()) {
        if (l.text.empty()) continue;
        mode->geometry().text(mLocation + mDirection * l.x + up * l.baseline, mNormal, mDirection, mTextHeight, 1.0,
                              0.0, l.text.c_str());
    }
    return true;
}

Zcad::ErrorStatus ZcDbMText::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readPoint3d(&mLocation);
    f->readVector3d(&mNormal);
    f->readVector3d(&mDirection);
    f->readDouble(&mWidth);
    f->readDouble(&mRectHeight);
    f->readDouble(&mTextHeight);
    int32_t a = 1, ls = 1;
    f->readInt32(&a);
    mAttachment = AttachmentPoint(a);
    f->readDouble(&mLineSpacingFactor);
    f->readInt32(&ls);
    mLineSpacingStyle = LineSpacingStyle(ls);
    f->readString(mContents);
    ZcDbHardPointerId style;
    f->readHardPointerId(&style);
    mStyle = style;
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbMText::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writePoint3d(mLocation);
    f->writeVector3d(mNormal);
    f->writeVector3d(mDirection);
    f->writeDouble(mWidth);
    f->writeDouble(mRectHeight);
    f->writeDouble(mTextHeight);
    f->writeInt32(int32_t(mAttachment));
    f->writeDouble(mLineSpacingFactor);
    f->writeInt32(int32_t(mLineSpacingStyle));
    f->writeString(mContents.c_str());
    f->writeHardPointerId(mStyle);
    return f->filerStatus();
}
