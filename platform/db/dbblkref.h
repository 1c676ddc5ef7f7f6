// Block references (INSERT), with their attributes, and arrays of them (MINSERT).
#pragma once
#include <vector>

#include "db/dbobjiter.h"
#include "db/dbtext.h"

class ZcDbBlockReference : public ZcDbEntity {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockReference);
    ZcDbBlockReference() = default;
    ZcDbBlockReference(const ZcGePoint3d& position, ZcDbObjectId blockTableRec);
    ~ZcDbBlockReference() override;

    ZcDbObjectId blockTableRecord() const { return mBlockId; }
    Zcad::ErrorStatus setBlockTableRecord(ZcDbObjectId id);
    ZcGePoint3d position() const { return mPosition; }
    Zcad::ErrorStatus setPosition(const ZcGePoint3d& pt);
    ZcGeScale3d scaleFactors() const { return mScale; }
    Zcad::ErrorStatus setScaleFactors(const ZcGeScale3d& scale);
    double rotation() const { return mRotation; }
    Zcad::ErrorStatus setRotation(double angle);
    ZcGeVector3d normal() const { return mNormal; }
    Zcad::ErrorStatus setNormal(const ZcGeVector3d& n);
    // Block coordinates -> world: translate(-origin), scale, rotate in the normal's plane, move to position.
    ZcGeMatrix3d blockTransform() const;
    Zcad::ErrorStatus setBlockTransform(const ZcGeMatrix3d& xform);

    // Attributes: the reference must be in a database; the attribute gets an id and stays
    // open for write.
    Zcad::ErrorStatus appendAttribute(ZcDbAttribute* pAttr);
    Zcad::ErrorStatus appendAttribute(ZcDbObjectId& id, ZcDbAttribute* pAttr);
    // The caller deletes the iterator.
    ZcDbObjectIterator* attributeIterator() const;
    // Explodes into the owner's block: the pieces are appended there; the reference stays.
    Zcad::ErrorStatus explodeToOwnerSpace() const;
    bool treatAsZcDbBlockRefForExplode() const { return false; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus subErase(bool erasing) override;
    // The copy carries copies of the attributes.
    ZcRxObject* clone() const override;

    // The attribute objects (not opened), erased ones left out.
    std::vector<ZcDbAttribute*> attributes() const;

protected:
    void addedToDatabase(ZcDbDatabase* db) override;
    void getSubentIds(ZcDbObjectIdArray& ids) const override;
    Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform) override;
    // One level: the definition's entities transformed (constant attribute definitions become
    // texts, other attribute definitions are left out; nested references stay references),
    // then the reference's visible attributes as texts.
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

    // Attribute objects held before the reference joins a database.
    std::vector<ZcDbAttribute*> mPendingAttributes;
    std::vector<ZcDbObjectId> mAttributeIds;

private:
    ZcDbObjectId mBlockId;
    ZcGePoint3d mPosition;
    ZcGeScale3d mScale;
    double mRotation = 0.0;
    ZcGeVector3d mNormal{0.0, 0.0, 1.0};
};

class ZcDbMInsertBlock : public ZcDbBlockReference {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbMInsertBlock);
    ZcDbMInsertBlock() = default;
    ZcDbMInsertBlock(const ZcGePoint3d& position, ZcDbObjectId blockTableRec, uint16_t columns, uint16_t rows,
                     double colSpacing, double rowSpacing);

    uint16_t columns() const { return mColumns; }
    Zcad::ErrorStatus setColumns(uint16_t n);
    uint16_t rows() const { return mRows; }
    Zcad::ErrorStatus setRows(uint16_t n);
    double columnSpacing() const { return mColumnSpacing; }
    Zcad::ErrorStatus setColumnSpacing(double d);
    double rowSpacing() const { return mRowSpacing; }
    Zcad::ErrorStatus setRowSpacing(double d);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

protected:
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const override;
    Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const override;
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    // Offsets of the array cells (at most the first 100000, row by row), in the reference's
    // rotated plane.
    std::vector<ZcGeVector3d> cellOffsets() const;
    uint16_t mColumns = 1;
    uint16_t mRows = 1;
    double mColumnSpacing = 0.0;
    double mRowSpacing = 0.0;
};
