// ZcDbMText: format codes, line layout and the single-line texts it explodes into.
#include <algorithm>
#include <cmath>

#include "db/db_internal.h"
#include "db/dbcurve.h"
#include "db/dbmtext.h"
#include "db/dbtext.h"
#include "db/geom_util.h"
#include "db/gi.h"
#include "db/mtext_format.h"
#include "db/text_codes.h"
#include "db/text_metrics.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbMText, ZcDbEntity, 0, 0, 0, MTEXT, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

namespace {

// Stacks are drawn at this part of the text height, the upper part's baseline and the lower
// part's top this far (in text heights) from the middle of the line.
constexpr double kStackScale = 0.7;
constexpr double kStackGap = 0.1;

// One unit of line layout: a character, or a whole stack.
struct MText_Atom {
    const platform::MText_Piece* piece = nullptr;
    wchar_t ch = 0;
    double width = 0.0;
    bool blank() const { return piece->stack == 0 && ch == L' '; }
};

std::vector<MText_Atom> MText_Atoms(const platform::MText_Paragraph& para, double height)
{
    std::vector<MText_Atom> atoms;
    for (const platform::MText_Piece& piece : para.pieces) {
        if (piece.stack == 0) {
            for (wchar_t ch : piece.text) atoms.push_back({&piece, ch, platform::Char_Advance(ch, height)});
            continue;
        }
        const double upper = platform::Measure_Text_Line(piece.text, height * kStackScale).width;
        const double lower = platform::Measure_Text_Line(piece.lower, height * kStackScale).width;
        atoms.push_back({&piece, 0, piece.stack == L'#' ? upper + lower : std::max(upper, lower)});
    }
    return atoms;
}

// Chinese, Japanese and Korean characters (and full-width forms): a line may break before or
// after any of them.
bool Breaks_Anywhere(const MText_Atom& atom)
{
    const wchar_t c = atom.piece->stack == 0 ? atom.ch : 0;
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool Break_Between(const MText_Atom& before, const MText_Atom& after)
{
    return before.blank() || after.blank() || Breaks_Anywhere(before) || Breaks_Anywhere(after);
}

void Drop_Trailing_Blanks(std::vector<MText_Atom>& line)
{
    while (!line.empty() && line.back().blank()) line.pop_back();
}

// Lines of at most width (0: no wrapping), broken after the last blank, or next to a Chinese
// character, that lets the line fit; a word wider than the column runs past it whole.
std::vector<std::vector<MText_Atom>> Wrap_Atoms(const std::vector<MText_Atom>& atoms, double width)
{
    std::vector<std::vector<MText_Atom>> lines(1);
    double used = 0.0;
    size_t lastBreak = 0;  // the line may break before lines.back()[lastBreak] (0: nowhere yet)
    for (const MText_Atom& atom : atoms) {
        std::vector<MText_Atom>& current = lines.back();
        const bool breakHere = !current.empty() && Break_Between(current.back(), atom);
        if (width <= 0.0 || current.empty() || used + atom.width <= width + 1e-9 || (!breakHere && lastBreak == 0)) {
            if (breakHere) lastBreak = current.size();
            current.push_back(atom);
            used += atom.width;
            continue;
        }
        const size_t k = breakHere ? current.size() : lastBreak;
        size_t from = k;
        while (from < current.size() && current[from].blank()) ++from;
        std::vector<MText_Atom> rest(current.begin() + std::ptrdiff_t(from), current.end());
        current.resize(k);
        Drop_Trailing_Blanks(current);
        // A blank that overflows ends the line and is dropped.
        if (!atom.blank() || !rest.empty()) rest.push_back(atom);
        used = 0.0;
        lastBreak = 0;
        for (size_t i = 0; i < rest.size(); ++i) {
            if (i > 0 && Break_Between(rest[i - 1], rest[i])) lastBreak = i;
            used += rest[i].width;
        }
        if (current.empty()) current = std::move(rest);  // nothing but blanks before: no empty line
        else lines.push_back(std::move(rest));
    }
    return lines;
}

// Draws one stack at x into the line.
void Place_Stack(const platform::MText_Piece& piece, double x, double width, double height, ZcDbMText::Line& line)
{
    const double small = height * kStackScale;
    const double upperY = height * (0.5 + kStackGap);
    const double lowerY = height * (0.5 - kStackGap) - small;
    const double upper = platform::Measure_Text_Line(piece.text, small).width;
    const double lower = platform::Measure_Text_Line(piece.lower, small).width;
    double upperX = x, lowerX = x;
    if (piece.stack == L'/') {
        upperX = x + (width - upper) / 2.0;
        lowerX = x + (width - lower) / 2.0;
        line.strokes.push_back({x, height * 0.5, x + width, height * 0.5});
    } else if (piece.stack == L'#') {
        lowerX = x + upper;
        line.strokes.push_back({lowerX - 0.15 * height, lowerY + small * 0.5, lowerX + 0.15 * height, upperY + small * 0.5});
    }
    if (!piece.text.empty()) line.runs.push_back({piece.text, upperX, upperY, small});
    if (!piece.lower.empty()) line.runs.push_back({piece.lower, lowerX, lowerY, small});
    line.text += piece.text + L"/" + piece.lower;
}

ZcDbMText::Line Build_MText_Line(const std::vector<MText_Atom>& atoms, double height)
{
    ZcDbMText::Line line;
    double x = 0.0;
    double underFrom = -1.0, overFrom = -1.0;
    auto stroke = [&](double& from, bool on, double rise) {
        if (on && from < 0.0) from = x;
        if (!on && from >= 0.0) {
            line.strokes.push_back({from, rise * height, x, rise * height});
            from = -1.0;
        }
    };
    bool plainOpen = false;
    for (const MText_Atom& atom : atoms) {
        stroke(underFrom, atom.piece->underline, platform::kUnderlineRise);
        stroke(overFrom, atom.piece->overline, platform::kOverlineRise);
        if (atom.piece->stack == 0) {
            if (!plainOpen) line.runs.push_back({L"", x, 0.0, height});
            line.runs.back().text.push_back(atom.ch);
            line.text.push_back(atom.ch);
            plainOpen = true;
        } else {
            Place_Stack(*atom.piece, x, atom.width, height, line);
            plainOpen = false;
        }
        x += atom.width;
    }
    stroke(underFrom, false, platform::kUnderlineRise);
    stroke(overFrom, false, platform::kOverlineRise);
    line.width = x;
    return line;
}

}  // namespace

namespace platform {

std::vector<std::wstring> MText_Plain_Paragraphs(const std::wstring& s)
{
    std::vector<std::wstring> paragraphs;
    for (const MText_Paragraph& para : MText_Parse(s)) {
        std::wstring& text = paragraphs.emplace_back();
        for (const MText_Piece& piece : para.pieces) text += piece.stack == 0 ? piece.text : piece.text + L"/" + piece.lower;
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
    std::vector<platform::MText_Alignment> alignments;
    const std::vector<platform::MText_Paragraph> paragraphs = platform::MText_Parse(mContents);
    for (const platform::MText_Paragraph& para : paragraphs) {
        for (const std::vector<MText_Atom>& atoms : Wrap_Atoms(MText_Atoms(para, mTextHeight), mWidth)) {
            lines.push_back(Build_MText_Line(atoms, mTextHeight));
            alignments.push_back(para.alignment);
        }
    }
    double spacing = lineSpacing();
    double total = mTextHeight + spacing * double(lines.empty() ? 0 : lines.size() - 1);
    int col = (int(mAttachment) - 1) % 3;  // 0 left, 1 centre, 2 right
    int row = (int(mAttachment) - 1) / 3;  // 0 top, 1 middle, 2 bottom
    double top = row == 0 ? 0.0 : (row == 1 ? total / 2.0 : total);
    // Paragraphs align within the column, or within the widest line without one.
    double box = mWidth;
    if (box <= 0.0)
        for (const Line& l : lines) box = std::max(box, l.width);
    const double boxLeft = col == 0 ? 0.0 : (col == 1 ? -box / 2.0 : -box);
    for (size_t k = 0; k < lines.size(); ++k) {
        Line& l = lines[k];
        l.baseline = top - mTextHeight - spacing * double(k);
        int align = col;
        switch (alignments[k]) {
        case platform::MText_Alignment::Left: align = 0; break;
        case platform::MText_Alignment::Center: align = 1; break;
        case platform::MText_Alignment::Right: align = 2; break;
        case platform::MText_Alignment::ByAttachment: break;
        }
        l.x = boxLeft + (align == 0 ? 0.0 : (align == 1 ? (box - l.width) / 2.0 : box - l.width));
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
        auto at = [&](double x, double y) { return mLocation + mDirection * (l.x + x) + up * (l.baseline + y); };
        for (const Run& run : l.runs) {
            auto* t = new ZcDbText(at(run.x, run.y), run.text.c_str(), mStyle, run.height, rot);
            t->setNormal(mNormal);
            t->setPropertiesFrom(this);
            entitySet.append(t);
        }
        for (const Stroke& s : l.strokes) {
            auto* line = new ZcDbLine(at(s.x0, s.y0), at(s.x1, s.y1));
            line->setPropertiesFrom(this);
            entitySet.append(line);
        }
    }
    return Zcad::eOk;
}

void ZcDbMText::getBoundingPoints(ZcGePoint3dArray& points) const
{
    points.setLogicalLength(0);
    if (layoutLines().empty()) return;
    double w = std::max(mWidth, actualWidth());
    double h = actualHeight();
    int col = (int(mAttachment) - 1) % 3;
    int row = (int(mAttachment) - 1) / 3;
    double x0 = col == 0 ? 0.0 : (col == 1 ? -w / 2.0 : -w);
    double top = row == 0 ? 0.0 : (row == 1 ? h / 2.0 : h);
    ZcGeVector3d up = mNormal.crossProduct(mDirection).normal();
    for (double y : {top, top - h})
        for (double x : {x0, x0 + w}) points.append(mLocation + mDirection * x + up * y);
}

Zcad::ErrorStatus ZcDbMText::subGetGeomExtents(ZcDbExtents& extents) const
{
    std::vector<Line> lines = layoutLines();
    if (lines.empty()) return Zcad::eInvalidExtents;
    ZcGePoint3dArray corners;
    getBoundingPoints(corners);
    extents.addPoints(corners);
    ZcGeVector3d up = mNormal.crossProduct(mDirection).normal();
    // Stacks and lines that reach out of the box.
    for (const Line& l : lines) {
        auto add = [&](double x, double y) { extents.addPoint(mLocation + mDirection * (l.x + x) + up * (l.baseline + y)); };
        for (const Run& run : l.runs) {
            if (run.y == 0.0) continue;
            const double width = platform::Measure_Text_Line(run.text, run.height).width;
            add(run.x, run.y);
            add(run.x + width, run.y + run.height);
        }
        for (const Stroke& s : l.strokes) {
            add(s.x0, s.y0);
            add(s.x1, s.y1);
        }
    }
    return Zcad::eOk;
}

bool ZcDbMText::subWorldDraw(ZcGiWorldDraw* mode)
{
    ZcGeVector3d up = mNormal.crossProduct(mDirection).normal();
    for (const Line& l : layoutLines()) {
        auto at = [&](double x, double y) { return mLocation + mDirection * (l.x + x) + up * (l.baseline + y); };
        for (const Run& run : l.runs)
            mode->geometry().text(at(run.x, run.y), mNormal, mDirection, run.height, 1.0, 0.0, run.text.c_str());
        for (const Stroke& s : l.strokes) {
            const ZcGePoint3d points[2] = {at(s.x0, s.y0), at(s.x1, s.y1)};
            mode->geometry().polyline(2, points);
        }
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
