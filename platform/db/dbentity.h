// ZcDbEntity: objects with graphics, owned by a block table record.
#pragma once
#include "db/color.h"
#include "db/dbobject.h"
#include "ge/ge.h"

class ZcGiWorldDraw;
class ZcGiViewportDraw;
typedef ZcArray<double> ZcGeDoubleArray;

class ZcDbEntity : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbEntity);
    ZcDbEntity() = default;
    ~ZcDbEntity() override = default;

    // The owning block table record.
    ZcDbObjectId blockId() const { return ownerId(); }

    // Layer: name (a copy in new wchar_t[], the caller deletes it) or id.
    wchar_t* layer() const;
    ZcDbObjectId layerId() const { return mLayerId; }
    // By name: looked up in the entity's database (the working database when not in one).
    Zcad::ErrorStatus setLayer(const wchar_t* newVal, bool doSubents = true, bool allowHiddenLayer = false);
    Zcad::ErrorStatus setLayer(ZcDbObjectId newVal, bool doSubents = true, bool allowHiddenLayer = false);

    ZcCmColor color() const { return mColor; }
    Zcad::ErrorStatus setColor(const ZcCmColor& color, bool doSubents = true);
    // 0 ByBlock, 1..255, 256 ByLayer.
    uint16_t colorIndex() const { return uint16_t(mColor.colorIndex()); }
    Zcad::ErrorStatus setColorIndex(uint16_t color, bool doSubents = true);
    ZcCmEntityColor entityColor() const { return mColor; }

    wchar_t* linetype() const;
    ZcDbObjectId linetypeId() const { return mLinetypeId; }
    Zcad::ErrorStatus setLinetype(const wchar_t* newVal, bool doSubents = true);
    Zcad::ErrorStatus setLinetype(ZcDbObjectId newVal, bool doSubents = true);
    double linetypeScale() const { return mLinetypeScale; }
    Zcad::ErrorStatus setLinetypeScale(double newVal, bool doSubents = true);

    ZcDb::LineWeight lineWeight() const { return mLineWeight; }
    Zcad::ErrorStatus setLineWeight(ZcDb::LineWeight newVal, bool doSubents = true);

    ZcDb::Visibility visibility() const { return mVisibility; }
    Zcad::ErrorStatus setVisibility(ZcDb::Visibility newVal, bool doSubents = true);

    // Layer, colour, linetype, linetype scale, lineweight and visibility of another entity.
    Zcad::ErrorStatus setPropertiesFrom(const ZcDbEntity* pEntity, bool doSubents = true);
    // Current layer, colour ByLayer... from the database's current settings.
    void setDatabaseDefaults(ZcDbDatabase* db = nullptr);

    // Geometry.
    Zcad::ErrorStatus transformBy(const ZcGeMatrix3d& xform);
    Zcad::ErrorStatus getTransformedCopy(const ZcGeMatrix3d& xform, ZcDbEntity*& pEnt) const;
    // Pieces (new entities not in a database, owned by the caller) appended to entitySet.
    Zcad::ErrorStatus explode(ZcDbVoidPtrArray& entitySet) const;
    Zcad::ErrorStatus getGeomExtents(ZcDbExtents& extents) const;
    bool worldDraw(ZcGiWorldDraw* mode);
    // Marks the graphics as changed (needs write access); the display picks the change up.
    void recordGraphicsModified(bool setModified = true);
    // Asks the display to show the entity now (there is no display: nothing to redraw).
    Zcad::ErrorStatus draw();
    void viewportDraw(ZcGiViewportDraw* mode);
    Zcad::ErrorStatus list() const { return Zcad::eOk; }
    bool isPlanar() const { return false; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus dxfInFields(ZcDbDxfFiler* filer) override;
    Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* filer) const override;

protected:
    // Overridden by each entity class. The defaults: no transform (eNotApplicable), a copy
    // transformed by transformBy, no explode (eNotApplicable), extents of what worldDraw draws.
    virtual Zcad::ErrorStatus subTransformBy(const ZcGeMatrix3d& xform);
    virtual Zcad::ErrorStatus subGetTransformedCopy(const ZcGeMatrix3d& xform, ZcDbEntity*& pEnt) const;
    virtual Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entitySet) const;
    virtual Zcad::ErrorStatus subGetGeomExtents(ZcDbExtents& extents) const;
    virtual bool subWorldDraw(ZcGiWorldDraw* mode);
    virtual void subViewportDraw(ZcGiViewportDraw* mode) {}
    // Ids of owned sub-entities (block attributes, polyline vertices): property changes with
    // doSubents reach them too.
    virtual void getSubentIds(ZcDbObjectIdArray& ids) const {}

private:
    friend class Zc_Subent_Apply;
    ZcDbObjectId mLayerId;
    ZcDbObjectId mLinetypeId;
    ZcCmColor mColor;
    double mLinetypeScale = 1.0;
    ZcDb::LineWeight mLineWeight = ZcDb::kLnWtByLayer;
    ZcDb::Visibility mVisibility = ZcDb::kVisible;
};
