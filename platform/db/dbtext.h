// Single-line text (ZcDbText) and the block attributes built on it.
#pragma once
#include <memory>
#include <string>

#include "db/dbentity.h"
#include "db/dbmtext.h"

// Position and alignment point are world points; rotation is measured in the plane of the
// normal. With the default alignment (left, baseline) the position is the reference point,
// otherwise the alignment point is, and adjustAlignment() recomputes the position.
class ZcDbText : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbText);
    ZcDbText() = default;
    ZcDbText(const ZcGePoint3d& position, const wchar_t* text, ZcDbObjectId style = ZcDbObjectId::kNull,
             double height = 0.0, double rotation = 0.0);

    ZcGePoint3d position() const { return mPosition; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& pt);
    ZcGePoint3d alignmentPoint() const { return mAlignmentPoint; }
    Zcad::ErrorStatus setAlignmentPoint(const ZcGePoint3d& pt);
    bool isDefaultAlignment() const { return mHorizontal == ZcDb::kTextLeft && mVertical == ZcDb::kTextBase; }
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& n);
    double thickness() const { return mThickness; }
    Zcad::ErrorStatus setThickness(double t);
    double oblique() const { return mOblique; }
    Zcad::ErrorStatus setOblique(double angle);
    double rotation() const { return mRotation; }
    Zcad::ErrorStatus setRotation(double angle);
    double height() const { return mHeight; }
    Zcad::ErrorStatus setHeight(double h);
    double widthFactor() const { return mWidthFactor; }
    Zcad::ErrorStatus setWidthFactor(double w);
    bool isMirroredInX() const { return (mGeneration & 2) != 0; }
    Zcad::ErrorStatus mirrorInX(bool mirror);
    bool isMirroredInY() const { return (mGeneration & 4) != 0; }
    Zcad::ErrorStatus mirrorInY(bool mirror);
    ZcDb::TextHorzMode horizontalMode() const { return mHorizontal; }
    Zcad::ErrorStatus setHorizontalMode(ZcDb::TextHorzMode mode);
    ZcDb::TextVertMode verticalMode() const { return mVertical; }
    Zcad::ErrorStatus setVerticalMode(ZcDb::TextVertMode mode);
    // The text (copy in new wchar_t[], the caller deletes it) or a pointer valid while open.
    wchar_t* textString() const;
    const wchar_t* textStringConst() const { return mText.c_str(); }
    Zcad::ErrorStatus setTextString(const wchar_t* text);
    ZcDbObjectId textStyle() const { return mStyle; }
    Zcad::ErrorStatus setTextStyle(ZcDbObjectId id);
    // Recomputes the position from the alignment point (and the width factor of fitted, the
    // height of aligned texts).
    Zcad::ErrorStatus adjustAlignment(const ZcDbDatabase* pDb = nullptr);
    int correctSpelling() { return 0; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

    // Geometry of the text as laid out: baseline start, direction, up vector (height included).
    struct Layout {
        ZcGePoint3d origin;
        ZcGeVector3d direction;  // unit
        ZcGeVector3d up;         // unit, oblique not applied
        double height = 0.0;
        double widthFactor = 1.0;
        double width = 0.0;      // advance width
        double bottom = 0.0;     // ink below the baseline (<= 0)
    };
    Layout layout() const;

protected:
    // The string shown, before its "%%" codes are decoded (attribute definitions show their tag).
    virtual std::wstring displayString() const { return mText; }
    // The multiline text an attribute shows instead of its single line (nullptr: none). It is
    // drawn, measured and transformed with the text.
    virtual ZcDbMText* embeddedMText() const { return nullptr; }
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    ZcGePoint3d mPosition;
    ZcGePoint3d mAlignmentPoint;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
    double mThickness = 0.0;
    double mOblique = 0.0;
    double mRotation = 0.0;
    double mHeight = 0.0;
    double mWidthFactor = 1.0;
    int mGeneration = 0;
    ZcDb::TextHorzMode mHorizontal = ZcDb::kTextLeft;
    ZcDb::TextVertMode mVertical = ZcDb::kTextBase;
    std::wstring mText;
    ZcDbObjectId mStyle;
};

class ZcDbAttributeDefinition;

// An attribute of a block reference.
class ZcDbAttribute : public ZcDbText {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbAttribute);
    ZcDbAttribute() = default;
    ZcDbAttribute(const ZcGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                  ZcDbObjectId style = ZcDbObjectId::kNull);

    wchar_t* tag() const;
    const wchar_t* tagConst() const { return mTag.c_str(); }
    Zcad::ErrorStatus setTag(const wchar_t* tag);
    bool isInvisible() const { return (mFlags & 1) != 0; }
    Zcad::ErrorStatus setInvisible(bool value);
    bool isConstant() const { return (mFlags & 2) != 0; }
    bool isVerifiable() const { return (mFlags & 4) != 0; }
    bool isPreset() const { return (mFlags & 8) != 0; }
    bool lockPositionInBlock() const { return mLockPosition; }
    Zcad::ErrorStatus setLockPositionInBlock(bool lock);
    uint16_t fieldLength() const { return mFieldLength; }
    Zcad::ErrorStatus setFieldLength(uint16_t length);
    // A multi-line attribute shows its multiline text instead of the single-line one.
    bool isMTextAttribute() const { return mMText != nullptr; }
    // A copy of the multiline text (the caller deletes it), nullptr for a single-line attribute.
    ZcDbMText* getMTextAttribute() const;
    // Keeps a copy of the text (nullptr makes the attribute single-line again).
    Zcad::ErrorStatus setMTextAttribute(const ZcDbMText* pMText);
    // Takes text properties, tag, flags, multiline text and the transformed geometry of the definition.
    Zcad::ErrorStatus setAttributeFromBlock(const ZcDbAttributeDefinition* pAttdef, const ZcGeMatrix3d& blkXform);
    Zcad::ErrorStatus setAttributeFromBlock(const ZcGeMatrix3d& blkXform);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    ZcDbMText* embeddedMText() const override { return mMText.get(); }

private:
    std::wstring mTag;
    int mFlags = 0;
    bool mLockPosition = false;
    uint16_t mFieldLength = 0;
    std::unique_ptr<ZcDbMText> mMText;
};

// An attribute definition inside a block; its text string is the default value.
class ZcDbAttributeDefinition : public ZcDbText {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbAttributeDefinition);
    ZcDbAttributeDefinition() = default;
    ZcDbAttributeDefinition(const ZcGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                            const wchar_t* prompt, ZcDbObjectId style = ZcDbObjectId::kNull);

    wchar_t* prompt() const;
    const wchar_t* promptConst() const { return mPrompt.c_str(); }
    Zcad::ErrorStatus setPrompt(const wchar_t* prompt);
    wchar_t* tag() const;
    const wchar_t* tagConst() const { return mTag.c_str(); }
    Zcad::ErrorStatus setTag(const wchar_t* tag);
    bool isInvisible() const { return (mFlags & 1) != 0; }
    Zcad::ErrorStatus setInvisible(bool value);
    bool isConstant() const { return (mFlags & 2) != 0; }
    Zcad::ErrorStatus setConstant(bool value);
    bool isVerifiable() const { return (mFlags & 4) != 0; }
    Zcad::ErrorStatus setVerifiable(bool value);
    bool isPreset() const { return (mFlags & 8) != 0; }
    Zcad::ErrorStatus setPreset(bool value);
    bool lockPositionInBlock() const { return mLockPosition; }
    Zcad::ErrorStatus setLockPositionInBlock(bool lock);
    uint16_t fieldLength() const { return mFieldLength; }
    Zcad::ErrorStatus setFieldLength(uint16_t length);
    bool isMTextAttributeDefinition() const { return mMText != nullptr; }
    // A copy of the multiline text (the caller deletes it), nullptr for a single-line definition.
    ZcDbMText* getMTextAttributeDefinition() const;
    // Keeps a copy of the text (nullptr makes the definition single-line again).
    Zcad::ErrorStatus setMTextAttributeDefinition(const ZcDbMText* pMText);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    std::wstring displayString() const override { return mTag; }
    ZcDbMText* embeddedMText() const override { return mMText.get(); }

private:
    friend class ZcDbAttribute;
    std::wstring mTag;
    std::wstring mPrompt;
    int mFlags = 0;
    bool mLockPosition = false;
    uint16_t mFieldLength = 0;
    std::unique_ptr<ZcDbMText> mMText;
};
