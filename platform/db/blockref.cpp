// Block references and their attributes; MINSERT arrays.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "db/block_walk.h"
#include "db/db_internal.h"
#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include "db/dbsymtb.h"
#include "db/geom_util.h"
#include "db/gi.h"
#include "db/gi_extents.h"

ZCRX_DXF_DEFINE_MEMBERS(ZcDbBlockReference, ZcDbEntity, 0, 0, 0, INSERT, AutoCAD)
ZCRX_DXF_DEFINE_MEMBERS(ZcDbMInsertBlock, ZcDbBlockReference, 0, 0, 0, INSERT, AutoCAD)

#define ZC_WRITE_OR_FAIL() \
    if (!assertWriteEnabled()) return Zcad::eNotOpenForWrite

namespace {

// Copies of a piece of a block definition placed by xform. Under non-uniform scaling circles
// and arcs become ellipses, and polylines with arcs go in pieces; empty when the piece cannot
// be placed.
std::vector<ZcDbEntity*> Placed_Copies(const ZcDbEntity* ent, const ZcGeMatrix3d& xform)
{
    ZcDbEntity* copy = nullptr;
    if (ent->getTransformedCopy(xform, copy) == Zcad::eOk) return {copy};
    ZcDbEllipse* ellipse = nullptr;
    if (auto* circle = ZcDbCircle::cast(ent)) {
        ZcGeVector3d x, y;
        platform::Plane_Axes(circle->normal(), x, y);
        ellipse = new ZcDbEllipse(circle->center(), circle->normal(), x * circle->radius(), 1.0);
    } else if (auto* arc = ZcDbArc::cast(ent)) {
        ZcGeVector3d x, y;
        platform::Plane_Axes(arc->normal(), x, y);
        double s = arc->startAngle();
        ellipse = new ZcDbEllipse(arc->center(), arc->normal(), x * arc->radius(), 1.0, s, s + arc->totalAngle());
    }
    if (ellipse != nullptr) {
        ellipse->setPropertiesFrom(ent);
        if (ellipse->transformBy(xform) == Zcad::eOk) return {ellipse};
        delete ellipse;
        return {};
    }
    std::vector<ZcDbEntity*> placed;
    ZcDbVoidPtrArray pieces;
    if (!ZcDbCurve::cast(ent) || ent->explode(pieces) != Zcad::eOk) return {};
    for (int i = 0; i < pieces.length(); ++i) {
        auto* piece = static_cast<ZcDbEntity*>(pieces[i]);
        std::vector<ZcDbEntity*> more = Placed_Copies(piece, xform);
        placed.insert(placed.end(), more.begin(), more.end());
        delete piece;
    }
    return placed;
}

// What an attribute or a constant definition shows, as an entity of its own: its multiline
// text, or a single-line text with its value.
ZcDbEntity* Text_Of(const ZcDbText* src)
{
    ZcDbMText* mtext = nullptr;
    if (auto* a = ZcDbAttribute::cast(src)) mtext = a->getMTextAttribute();
    else if (auto* def = ZcDbAttributeDefinition::cast(src)) mtext = def->getMTextAttributeDefinition();
    if (mtext) {
        mtext->setPropertiesFrom(src);
        return mtext;
    }
    auto* text = new ZcDbText();
    text->setPropertiesFrom(src);
    text->setPosition(src->position());
    text->setAlignmentPoint(src->alignmentPoint());
    text->setNormal(src->normal());
    text->setThickness(src->thickness());
    text->setOblique(src->oblique());
    text->setRotation(src->rotation());
    if (src->height() > 0.0) text->setHeight(src->height());
    if (src->widthFactor() > 0.0) text->setWidthFactor(src->widthFactor());
    text->mirrorInX(src->isMirroredInX());
    text->mirrorInY(src->isMirroredInY());
    text->setHorizontalMode(src->horizontalMode());
    text->setVerticalMode(src->verticalMode());
    text->setTextStyle(src->textStyle());
    text->setTextString(src->textStringConst());
    return text;
}
}  // namespace

ZcDbBlockReference::ZcDbBlockReference(const ZcGePoint3d& position, ZcDbObjectId blockTableRec)
    : mBlockId(blockTableRec), mPosition(position)
{
}

ZcDbBlockReference::~ZcDbBlockReference()
{
    for (ZcDbAttribute* a : mPendingAttributes) delete a;
}

Zcad::ErrorStatus ZcDbBlockReference::setBlockTableRecord(ZcDbObjectId id)
{
    // A record read later from a file may still be a placeholder id: only other objects are refused.
    if (id.isNull() || (platform::Peek_Object(id) && !platform::Peek<ZcDbBlockTableRecord>(id)))
        return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mBlockId = id;
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::setPosition(const ZcGePoint3d& pt) { ZC_WRITE_OR_FAIL(); mPosition = pt; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbBlockReference::setScaleFactors(const ZcGeScale3d& s)
{
    if (s.sx == 0.0 || s.sy == 0.0 || s.sz == 0.0) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mScale = s;
    return Zcad::eOk;
}
Zcad::ErrorStatus ZcDbBlockReference::setRotation(double a) { ZC_WRITE_OR_FAIL(); mRotation = platform::Normalize_Angle(a); return Zcad::eOk; }
Zcad::ErrorStatus ZcDbBlockReference::setNormal(const ZcGeVector3d& n)
{
    if (n.isZeroLength()) return Zcad::eInvalidInput;
    ZC_WRITE_OR_FAIL();
    mNormal = n.normal();
    return Zcad::eOk;
}

ZcGeMatrix3d ZcDbBlockReference::blockTransform() const
{
    ZcGePoint3d origin;
    if (auto* btr = platform::Peek<ZcDbBlockTableRecord>(mBlockId)) origin = btr->origin();
    ZcGeVector3d x, y;
    platform::Plane_Axes(mNormal, x, y);
    ZcGeVector3d rx = x * std::cos(mRotation) + y * std::sin(mRotation);
    ZcGeVector3d ry = mNormal.crossProduct(rx);
    ZcGeMatrix3d m;
    m.setCoordSystem(mPosition, rx * mScale.sx, ry * mScale.sy, mNormal * mScale.sz);
    return m * ZcGeMatrix3d::translation(ZcGePoint3d::kOrigin - origin);
}

Zcad::ErrorStatus ZcDbBlockReference::setBlockTransform(const ZcGeMatrix3d& xform)
{
    ZcGePoint3d origin;
    if (auto* btr = platform::Peek<ZcDbBlockTableRecord>(mBlockId)) origin = btr->origin();
    ZcGeVector3d cx = platform::Xform_Vector(xform, ZcGeVector3d::kXAxis);
    ZcGeVector3d cy = platform::Xform_Vector(xform, ZcGeVector3d::kYAxis);
    ZcGeVector3d cz = platform::Xform_Vector(xform, ZcGeVector3d::kZAxis);
    if (cx.isZeroLength() || cy.isZeroLength() || cz.isZeroLength()) return Zcad::eDegenerateGeometry;
    if (std::fabs(cx.normal().dotProduct(cy.normal())) > 1e-9) return Zcad::eNotApplicable;
    ZC_WRITE_OR_FAIL();
    ZcGeVector3d n = cz.normal();
    bool mirrored = cx.crossProduct(cy).dotProduct(n) < 0.0;
    ZcGeVector3d px, py;
    platform::Plane_Axes(n, px, py);
    mNormal = n;
    mRotation = platform::Angle_In_Plane(mirrored ? -cx : cx, px, py);
    mScale.set(mirrored ? -cx.length() : cx.length(), cy.length(), cz.length());
    mPosition = xform * origin;
    return Zcad::eOk;
}

std::vector<ZcDbAttribute*> ZcDbBlockReference::attributes() const
{
    std::vector<ZcDbAttribute*> out;
    for (ZcDbObjectId id : mAttributeIds)
        if (!id.isErased())
            if (auto* a = platform::Peek<ZcDbAttribute>(id)) out.push_back(a);
    for (ZcDbAttribute* a : mPendingAttributes) out.push_back(a);
    return out;
}

Zcad::ErrorStatus ZcDbBlockReference::appendAttribute(ZcDbAttribute* pAttr)
{
    ZcDbObjectId id;
    return appendAttribute(id, pAttr);
}

Zcad::ErrorStatus ZcDbBlockReference::appendAttribute(ZcDbObjectId& id, ZcDbAttribute* pAttr)
{
    id.setNull();
    if (pAttr == nullptr) return Zcad::eNullObjectPointer;
    if (pAttr->isDatabaseResident()) return Zcad::eAlreadyInDb;
    ZC_WRITE_OR_FAIL();
    if (!isDatabaseResident()) {
        mPendingAttributes.push_back(pAttr);
        return Zcad::eOk;
    }
    if (pAttr->layerId().isNull()) pAttr->setPropertiesFrom(this);
    Zcad::ErrorStatus es = platform::Add_Object(database(), pAttr, objectId(), id);
    if (es != Zcad::eOk) return es;
    mAttributeIds.push_back(id);
    return Zcad::eOk;
}

ZcDbObjectIterator* ZcDbBlockReference::attributeIterator() const
{
    return platform::New_Subent_Iterator(mAttributeIds, mPendingAttributes);
}

void ZcDbBlockReference::addedToDatabase(ZcDbDatabase* db)
{
    std::vector<ZcDbAttribute*> pending;
    pending.swap(mPendingAttributes);
    for (ZcDbAttribute* a : pending) {
        if (a->layerId().isNull()) a->setPropertiesFrom(this);
        ZcDbObjectId id;
        if (platform::Add_Object(db, a, objectId(), id) == Zcad::eOk) {
            a->close();
            mAttributeIds.push_back(id);
        } else {
            delete a;
        }
    }
}

void ZcDbBlockReference::getSubentIds(ZcDbObjectIdArray& ids) const
{
    for (ZcDbObjectId id : mAttributeIds) ids.append(id);
}

Zcad::ErrorStatus ZcDbBlockReference::subErase(bool erasing)
{
    for (ZcDbObjectId id : mAttributeIds) {
        ZcDbObject* a = nullptr;
        if (zcdbOpenObject(a, id, ZcDb::kForWrite, true, true) == Zcad::eOk) {
            a->erase(erasing);
            a->close();
        }
    }
    return Zcad::eOk;
}

ZcRxObject* ZcDbBlockReference::clone() const
{
    auto* copy = ZcDbBlockReference::cast(ZcDbEntity::clone());
    if (copy == nullptr) return nullptr;
    for (ZcDbAttribute* a : attributes())
        if (auto* ac = ZcDbAttribute::cast(a->clone())) copy->mPendingAttributes.push_back(ac);
    return copy;
}

Zcad::ErrorStatus ZcDbBlockReference::subTransformBy(const ZcGeMatrix3d& xform)
{
    ZcGeMatrix3d combined = xform * blockTransform();
    ZcGeVector3d cx = platform::Xform_Vector(combined, ZcGeVector3d::kXAxis);
    ZcGeVector3d cy = platform::Xform_Vector(combined, ZcGeVector3d::kYAxis);
    if (std::fabs(cx.normal().dotProduct(cy.normal())) > 1e-9) return Zcad::eNotApplicable;
    Zcad::ErrorStatus es = setBlockTransform(combined);
    if (es != Zcad::eOk) return es;
    for (ZcDbAttribute* a : attributes()) {
        platform::Internal_Write_Scope scope(a);
        a->transformBy(xform);
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::subExplode(ZcDbVoidPtrArray& entitySet) const
{
    auto* btr = platform::Peek<ZcDbBlockTableRecord>(mBlockId);
    if (btr == nullptr) return Zcad::eInvalidInput;
    if (!btr->explodable()) return Zcad::eNotApplicable;
    ZcGeMatrix3d xform = blockTransform();
    ZcDbVoidPtrArray pieces;
    for (ZcDbObjectId id : btr->entityIds()) {
        if (id.isErased()) continue;
        auto* ent = platform::Peek<ZcDbEntity>(id);
        if (ent == nullptr) continue;
        if (auto* def = ZcDbAttributeDefinition::cast(ent)) {
            if (!def->isConstant()) continue;
            ZcDbEntity* text = Text_Of(def);
            if (text->transformBy(xform) != Zcad::eOk) {
                delete text;
                continue;
            }
            pieces.append(text);
            continue;
        }
        std::vector<ZcDbEntity*> copies = Placed_Copies(ent, xform);
        if (copies.empty()) {
            for (int i = 0; i < pieces.length(); ++i) delete static_cast<ZcDbEntity*>(pieces[i]);
            return Zcad::eNotApplicable;
        }
        for (ZcDbEntity* copy : copies) pieces.append(copy);
    }
    for (ZcDbAttribute* a : attributes()) {
        if (a->isInvisible()) continue;
        pieces.append(Text_Of(a));
    }
    entitySet.append(pieces);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbBlockReference::explodeToOwnerSpace() const
{
    auto* owner = platform::Peek<ZcDbBlockTableRecord>(ownerId());
    if (owner == nullptr) return Zcad::eNotInDatabase;
    ZcDbVoidPtrArray pieces;
    Zcad::ErrorStatus es = explode(pieces);
    if (es != Zcad::eOk) return es;
    platform::Internal_Write_Scope scope(owner);
    for (int i = 0; i < pieces.length(); ++i) {
        auto* ent = static_cast<ZcDbEntity*>(pieces[i]);
        if (owner->appendZcDbEntity(ent) == Zcad::eOk) ent->close();
        else delete ent;
    }
    return Zcad::eOk;
}

namespace {
// Adds the extents of the reference placed by outer (the transform of the space it lies in),
// cut by its clip boundary; false when nothing of it could be measured. Nested references
// are walked with their combined transform, so that rotated and mirrored nestings stay tight.
bool Add_Reference_Extents(const ZcDbBlockReference* ref, const ZcGeMatrix3d& outer, ZcDbExtents& extents)
{
    ZcGiClipBoundary clip;
    if (platform::Block_Clip_Boundary(ref, clip) && !clip.inverted) {
        // Clipped: what is drawn inside the boundary (an inverted boundary measures whole).
        platform::Extents_Draw draw;
        draw.setDrawNested(true);
        draw.pushModelTransform(outer);
        draw.draw(ref);
        if (!draw.any()) return false;
        extents.addExt(draw.extents());
        return true;
    }
    platform::Block_Walk_Guard guard(ref->blockTableRecord());
    if (guard.refused()) return false;
    auto* btr = platform::Peek<ZcDbBlockTableRecord>(ref->blockTableRecord());
    const ZcGeMatrix3d xform = outer * ref->blockTransform();
    ZcDbExtents own;
    if (btr) {
        for (ZcDbObjectId id : btr->entityIds()) {
            if (id.isErased()) continue;
            auto* ent = platform::Peek<ZcDbEntity>(id);
            if (ent == nullptr || ent->visibility() == ZcDb::kInvisible) continue;
            if (auto* nested = ZcDbBlockReference::cast(ent)) {
                if (ZcDbMInsertBlock::cast(nested) == nullptr) {
                    Add_Reference_Extents(nested, xform, own);
                    continue;
                }
            }
            std::unique_ptr<ZcDbEntity> text;
            if (auto* def = ZcDbAttributeDefinition::cast(ent)) {
                if (!def->isConstant() || def->isInvisible()) continue;
                text.reset(Text_Of(def));
                ent = text.get();
            }
            if (ZcDbText::cast(ent)) {
                // The corners of the text's box placed as drawn (texts cannot take every transform).
                platform::Extents_Draw draw;
                draw.setDrawNested(true);
                draw.pushModelTransform(xform);
                draw.draw(ent);
                if (draw.any()) own.addExt(draw.extents());
                continue;
            }
            ZcDbExtents e;
            std::vector<ZcDbEntity*> copies = Placed_Copies(ent, xform);
            for (ZcDbEntity* copy : copies) {
                if (copy->getGeomExtents(e) == Zcad::eOk) own.addExt(e);
                delete copy;
            }
            if (copies.empty() && ent->getGeomExtents(e) == Zcad::eOk) {
                e.transformBy(xform);
                own.addExt(e);
            }
        }
    }
    const bool placed = outer != ZcGeMatrix3d();
    for (ZcDbAttribute* a : ref->attributes()) {
        if (a->isInvisible() || a->visibility() == ZcDb::kInvisible) continue;
        ZcDbExtents e;
        if (!placed) {
            if (a->getGeomExtents(e) == Zcad::eOk) own.addExt(e);
            continue;
        }
        platform::Extents_Draw draw;
        draw.setDrawNested(true);
        draw.pushModelTransform(outer);
        draw.draw(a);
        if (draw.any()) own.addExt(draw.extents());
    }
    if (!own.isValid()) return false;
    extents.addExt(own);
    return true;
}
}  // namespace

Zcad::ErrorStatus ZcDbBlockReference::subGetGeomExtents(ZcDbExtents& extents) const
{
    return Add_Reference_Extents(this, ZcGeMatrix3d(), extents) ? Zcad::eOk : Zcad::eInvalidExtents;
}

bool ZcDbBlockReference::subWorldDraw(ZcGiWorldDraw* mode)
{
    platform::Block_Walk_Guard guard(mBlockId);
    if (guard.refused()) return true;
    ZcGiWorldGeometry& geometry = mode->geometry();
    ZcGiClipBoundary clip;
    const bool clipped = platform::Block_Clip_Boundary(this, clip);
    if (clipped) geometry.pushClipBoundary(clip);
    bool stop = false;
    if (auto* btr = platform::Peek<ZcDbBlockTableRecord>(mBlockId)) {
        geometry.pushModelTransform(blockTransform());
        for (ZcDbObjectId id : btr->entityIds()) {
            if (id.isErased()) continue;
            auto* ent = platform::Peek<ZcDbEntity>(id);
            if (ent == nullptr) continue;
            if (auto* def = ZcDbAttributeDefinition::cast(ent)) {
                // Constant attributes show their value; the others come with the reference.
                if (!def->isConstant() || def->isInvisible()) continue;
                std::unique_ptr<ZcDbEntity> text(Text_Of(def));
                stop = geometry.draw(text.get());
            } else {
                stop = geometry.draw(ent);
            }
            if (stop) break;
        }
        geometry.popModelTransform();
    }
    for (ZcDbAttribute* a : attributes())
        if (!stop && !a->isInvisible()) stop = geometry.draw(a);
    if (clipped) geometry.popClipBoundary();
    return true;
}

Zcad::ErrorStatus ZcDbBlockReference::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    ZcDbHardPointerId block;
    f->readHardPointerId(&block);
    mBlockId = block;
    f->readPoint3d(&mPosition);
    f->readScale3d(&mScale);
    f->readDouble(&mRotation);
    f->readVector3d(&mNormal);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbBlockReference::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbEntity::dwgOutFields(f);
    f->writeHardPointerId(mBlockId);
    f->writePoint3d(mPosition);
    f->writeScale3d(mScale);
    f->writeDouble(mRotation);
    f->writeVector3d(mNormal);
    return f->filerStatus();
}

// MINSERT.

ZcDbMInsertBlock::ZcDbMInsertBlock(const ZcGePoint3d& position, ZcDbObjectId blockTableRec, uint16_t columns,
                                   uint16_t rows, double colSpacing, double rowSpacing)
    : ZcDbBlockReference(position, blockTableRec), mColumns(columns), mRows(rows), mColumnSpacing(colSpacing),
      mRowSpacing(rowSpacing)
{
}

Zcad::ErrorStatus ZcDbMInsertBlock::setColumns(uint16_t n) { if (n == 0) return Zcad::eInvalidInput; ZC_WRITE_OR_FAIL(); mColumns = n; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbMInsertBlock::setRows(uint16_t n) { if (n == 0) return Zcad::eInvalidInput; ZC_WRITE_OR_FAIL(); mRows = n; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbMInsertBlock::setColumnSpacing(double d) { ZC_WRITE_OR_FAIL(); mColumnSpacing = d; return Zcad::eOk; }
Zcad::ErrorStatus ZcDbMInsertBlock::setRowSpacing(double d) { ZC_WRITE_OR_FAIL(); mRowSpacing = d; return Zcad::eOk; }

namespace {
// An array of more cells is drawn only in part (its first cells, row by row) and not exploded:
// 32767 x 32767 cells would cost hours and gigabytes.
constexpr size_t kMaxArrayCells = 100000;

size_t Cell_Count(const ZcDbMInsertBlock* m) { return size_t{m->rows()} * m->columns(); }

// The directions columns and rows advance in: the reference's plane, rotated.
void Array_Axes(const ZcDbMInsertBlock* m, ZcGeVector3d& along_row, ZcGeVector3d& along_column)
{
    ZcGeVector3d x, y;
    platform::Plane_Axes(m->normal(), x, y);
    along_row = x * std::cos(m->rotation()) + y * std::sin(m->rotation());
    along_column = m->normal().crossProduct(along_row);
}
}  // namespace

std::vector<ZcGeVector3d> ZcDbMInsertBlock::cellOffsets() const
{
    ZcGeVector3d rx, ry;
    Array_Axes(this, rx, ry);
    std::vector<ZcGeVector3d> out;
    out.reserve(std::min(Cell_Count(this), kMaxArrayCells));
    for (uint16_t r = 0; r < mRows; ++r)
        for (uint16_t c = 0; c < mColumns && out.size() < kMaxArrayCells; ++c)
            out.push_back(rx * (c * mColumnSpacing) + ry * (r * mRowSpacing));
    return out;
}

Zcad::ErrorStatus ZcDbMInsertBlock::subExplode(ZcDbVoidPtrArray& entitySet) const
{
    if (Cell_Count(this) > kMaxArrayCells) return Zcad::eOutOfRange;
    for (const ZcGeVector3d& off : cellOffsets()) {
        auto* ref = new ZcDbBlockReference(position() + off, blockTableRecord());
        ref->setPropertiesFrom(this);
        ref->setScaleFactors(scaleFactors());
        ref->setRotation(rotation());
        ref->setNormal(normal());
        entitySet.append(ref);
    }
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcDbMInsertBlock::subGetGeomExtents(ZcDbExtents& extents) const
{
    // A clipped array is measured by what every cell shows inside the boundary.
    ZcGiClipBoundary clip;
    if (platform::Block_Clip_Boundary(this, clip) && !clip.inverted) return ZcDbBlockReference::subGetGeomExtents(extents);
    ZcDbExtents cell;
    Zcad::ErrorStatus es = ZcDbBlockReference::subGetGeomExtents(cell);
    if (es != Zcad::eOk) return es;
    // The offsets grow linearly along rows and columns: the corner cells bound all others.
    ZcGeVector3d along_row, along_column;
    Array_Axes(this, along_row, along_column);
    for (int r : {0, mRows - 1}) {
        for (int c : {0, mColumns - 1}) {
            const ZcGeVector3d off = along_row * (c * mColumnSpacing) + along_column * (r * mRowSpacing);
            extents.addPoint(cell.minPoint() + off);
            extents.addPoint(cell.maxPoint() + off);
        }
    }
    return Zcad::eOk;
}

bool ZcDbMInsertBlock::subWorldDraw(ZcGiWorldDraw* mode)
{
    for (const ZcGeVector3d& off : cellOffsets()) {
        mode->geometry().pushModelTransform(ZcGeMatrix3d::translation(off));
        ZcDbBlockReference::subWorldDraw(mode);
        mode->geometry().popModelTransform();
    }
    return true;
}

Zcad::ErrorStatus ZcDbMInsertBlock::dwgInFields(ZcDbDwgFiler* f)
{
    Zcad::ErrorStatus es = ZcDbBlockReference::dwgInFields(f);
    if (es != Zcad::eOk) return es;
    f->readUInt16(&mColumns);
    f->readUInt16(&mRows);
    f->readDouble(&mColumnSpacing);
    f->readDouble(&mRowSpacing);
    return f->filerStatus();
}

Zcad::ErrorStatus ZcDbMInsertBlock::dwgOutFields(ZcDbDwgFiler* f) const
{
    ZcDbBlockReference::dwgOutFields(f);
    f->writeUInt16(mColumns);
    f->writeUInt16(mRows);
    f->writeDouble(mColumnSpacing);
    f->writeDouble(mRowSpacing);
    return f->filerStatus();
}
