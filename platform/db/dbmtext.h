// ZcDbMText: paragraph text with format codes, laid out in lines of single-line text.
#pragma once
#include <string>
#include <vector>

#include "db/dbentity.h"
#include "ge/gept3dar.h"

class ZcDbMText : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbMText);
    ZcDbMText() = default;

    enum AttachmentPoint {
        kTopLeft = 1, kTopCenter = 2, kTopRight = 3, kMiddleLeft = 4, kMiddleCenter = 5, kMiddleRight = 6,
        kBottomLeft = 7, kBottomCenter = 8, kBottomRight = 9
    };
    enum FlowDirection { kLtoR = 1, kRtoL = 2, kTtoB = 3, kBtoT = 4, kByStyle = 5 };
    enum LineSpacingStyle { kAtLeast = 1, kExactly = 2 };

    ZcGePoint3d location() const { return mLocation; }
    Zcad::ErrorStatus setLocation(const ZcGePoint3d& pt);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& n);
    // Unit direction of the text lines (world).
    ZcGeVector3d direction() const { return mDirection; }
    Zcad::ErrorStatus setDirection(const ZcGeVector3d& dir);
    double rotation() const;
    Zcad::ErrorStatus setRotation(double angle);
    // Column width; 0 = no wrapping.
    double width() const { return mWidth; }
    Zcad::ErrorStatus setWidth(double w);
    double height() const { return mRectHeight; }
    Zcad::ErrorStatus setHeight(double h);
    double textHeight() const { return mTextHeight; }
    Zcad::ErrorStatus setTextHeight(double h);
    AttachmentPoint attachment() const { return mAttachment; }
    Zcad::ErrorStatus setAttachment(AttachmentPoint type);
    FlowDirection flowDirection() const { return kLtoR; }
    ZcDbObjectId textStyle() const { return mStyle; }
    Zcad::ErrorStatus setTextStyle(ZcDbObjectId style);
    double lineSpacingFactor() const { return mLineSpacingFactor; }
    Zcad::ErrorStatus setLineSpacingFactor(double factor);
    LineSpacingStyle lineSpacingStyle() const { return mLineSpacingStyle; }
    Zcad::ErrorStatus setLineSpacingStyle(LineSpacingStyle style);
    // Contents with format codes (copy in new wchar_t[], the caller deletes it).
    wchar_t* contents() const;
    const wchar_t* contentsConst() const { return mContents.c_str(); }
    Zcad::ErrorStatus setContents(const wchar_t* text);
    // The text without format codes, paragraphs separated by "\r\n" (new wchar_t[]).
    wchar_t* text() const;
    // Size of the laid-out text.
    double actualHeight() const;
    double actualWidth() const;
    // The corners of the text boundary (the column width, or the widest line when wider, by
    // the laid-out height): top left, top right, bottom left, bottom right. Empty contents
    // give no points.
    void getBoundingPoints(ZcGePoint3dArray& points) const;
    // Base line spacing of one line: 5/3 of the text height times the factor.
    double lineSpacing() const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

    // Characters drawn in one go, in the line's frame (x from the line's start, y up from its
    // baseline).
    struct Run {
        std::wstring text;
        double x = 0.0;
        double y = 0.0;
        double height = 0.0;
    };
    // A line drawn with the text (underline, overline, fraction bar), in the line's frame.
    struct Stroke {
        double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    };
    // One laid-out line: its plain text (stacks as "a/b") and baseline start in the text's own
    // frame (x along the direction from the location, y up from it), with what it draws.
    struct Line {
        std::wstring text;
        double x = 0.0;
        double baseline = 0.0;
        double width = 0.0;
        std::vector<Run> runs;
        std::vector<Stroke> strokes;
    };
    std::vector<Line> layoutLines() const;

protected:
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    ZcGePoint3d mLocation;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    ZcGeVector3d mDirection{1.0, 0.0, 0.0};
    double mWidth = 0.0;
    double mRectHeight = 0.0;
    double mTextHeight = 2.5;
    AttachmentPoint mAttachment = kTopLeft;
    double mLineSpacingFactor = 1.0;
    LineSpacingStyle mLineSpacingStyle = kAtLeast;
    std::wstring mContents;
    ZcDbObjectId mStyle;
};

namespace platform {
// The plain paragraphs of MText contents: format codes removed (see MText_Parse), stacks as "a/b".
std::vector<std::wstring> MText_Plain_Paragraphs(const std::wstring& contents);
}  // namespace platform
