#include "titleblock/tk_text_extraction.h"

#include <vector>

#include "core/extents_checks.h"
#include "core/hidden_layers.h"
#include "core/selection_helpers.h"
#include "core/string_helpers.h"
#include "core/ucs_transform.h"
#include "db/dbblkref.h"
#include "db/dbents.h"
#include "db/dbtext.h"
#include "rx/rxclass.h"
#include "sheets/exact_extents.h"
#include "sheets/frame_cleanup.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheets.h"
#include "titleblock/tk_text_codes.h"
#include "titleblock/tk_text_joins.h"

namespace {

const wchar_t* const Loose_Text_Types = L"Text,MText,TCH_TEXT,TCH_MTEXT,IAEC_TEXT,IAEC_MTEXT";
constexpr int Fence_Intervals = 8;
constexpr int Title_Field = 3;

bool Centre_Text_Of(int field)
{
    return field >= 1 && field <= 6 && g_TK_Library.Centre_Text[field - 1] != 0;
}

ZcGePoint3d Centre_Of(const ZcDbExtents& box) { return Get_Extents_Centre(box); }

double Plane_Distance(const ZcGePoint3d& a, const ZcGePoint3d& b)
{
    return ZcGePoint2d(a.x, a.y).distanceTo(ZcGePoint2d(b.x, b.y));
}

// Moves the entity by a vector of the UCS of g_Ucs.
void Move_Entity(ZcDbObjectId id, ZcGeVector3d shift)
{
    shift.z = 0.0;
    if (shift.isZeroLength())
        return;
    g_Ucs.Ucs_To_World_Vector(shift);
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForWrite);
    if (entity.openStatus() == Zcad::eOk)
        entity->transformBy(ZcGeMatrix3d::translation(shift));
}

void Move_Entities(const ZcDbObjectIdArray& ids, const ZcGeVector3d& shift)
{
    for (int i = 0; i < ids.length(); ++i)
        Move_Entity(ids[i], shift);
}

bool Is_Custom_Text_Class(const ZcDbEntity* entity)
{
    const ZcRxClass* cls = entity->isA();
    const CString dxf_name = cls != nullptr && cls->dxfName() != nullptr ? cls->dxfName() : L"";
    for (const wchar_t* name : {L"TCH_TEXT", L"TCH_MTEXT", L"IAEC_TEXT", L"IAEC_MTEXT"})
        if (dxf_name.CompareNoCase(name) == 0)
            return true;
    return false;
}

bool Is_Readable_Text(const ZcDbEntity* entity)
{
    return entity->isKindOf(ZcDbText::desc()) || entity->isKindOf(ZcDbMText::desc()) || Is_Custom_Text_Class(entity);
}

// The shown attributes of the reference whose centre lies in the range and that have a text.
std::vector<TK_Found_Text> Attributes_In_Range(const ZcDbBlockReference* reference, const ZcDbExtents& range)
{
    std::vector<TK_Found_Text> found;
    ZcDbObjectIterator* iterator = reference->attributeIterator();
    for (; iterator != nullptr && !iterator->done(); iterator->step()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(iterator->objectId(), ZcDb::kForRead);
        if (attribute.openStatus() != Zcad::eOk || !Is_Entity_Shown(attribute.object()) ||
            attribute->isInvisible())
            continue;
        ZcDbExtents box;
        if (!Get_Attribute_Extents(attribute.object(), box) || !box.isValid() ||
            !Point_In_Extents(Centre_Of(box), range))
            continue;
        TK_Found_Text text;
        text.Text = Attribute_Field_Text(attribute.object());
        if (text.Text.IsEmpty())
            continue;
        text.Id = attribute->objectId();
        text.Box = box;
        text.Kind = 1;
        found.push_back(text);
    }
    delete iterator;
    return found;
}

CString Attribute_Text_All(std::vector<TK_Found_Text>& attributes, const ZcDbExtents& range, int field,
                           ZcDbObjectIdArray& ids, double angle)
{
    // Reading order and the combined box go by the attributes' exact extents.
    for (TK_Found_Text& attribute : attributes)
        attribute.Box = Get_Entity_Extents_By_Id(attribute.Id);
    ZcDbExtents combined;
    const CString text = Join_Attributes_In_Order(attributes, angle, combined, ids);
    if (Centre_Text_Of(field) && combined.isValid())
        Move_Entities(ids, Centre_Of(range) - Centre_Of(combined));
    return text;
}

CString Attribute_Text_Nearest(const std::vector<TK_Found_Text>& attributes, const ZcDbExtents& range, int field,
                               ZcDbObjectIdArray& ids)
{
    const ZcGePoint3d centre = Centre_Of(range);
    const TK_Found_Text* nearest = nullptr;
    double best = 0.0;
    for (const TK_Found_Text& attribute : attributes) {
        const double distance = Plane_Distance(Centre_Of(attribute.Box), centre);
        if (nearest == nullptr || distance < best) {
            nearest = &attribute;
            best = distance;
        }
    }
    if (nearest == nullptr)
        return CString();
    if (Centre_Text_Of(field))
        Move_Entity(nearest->Id, centre - Centre_Of(nearest->Box));
    ids.append(nearest->Id);
    return nearest->Text;
}

// The inserts the range's fence crosses.
bool Fence_Inserts(const ZcDbExtents& range, ZcDbObjectIdArray& inserts)
{
    ZcGePoint3dArray fence;
    Build_Text_Fence(fence, range);
    return Fence_Select_By_Type(L"insert", inserts, fence);
}

// The first attribute text of the inserts other than the frame.
CString Other_Insert_Text(ZcDbObjectId frame_id, const ZcDbObjectIdArray& inserts, const ZcDbExtents& range,
                          int field, ZcDbObjectIdArray& ids, double angle)
{
    for (int i = 0; i < inserts.length(); ++i) {
        if (inserts[i] == frame_id)
            continue;
        ZcDbObjectIdArray found;
        const CString text = Get_Attribute_Text(inserts[i], range, field, found, angle);
        if (!text.IsEmpty()) {
            ids.append(found);
            return text;
        }
    }
    return CString();
}

// The texts of the first insert that gives text when exploded one level.
CString Exploded_Insert_Text(const ZcDbObjectIdArray& inserts, const ZcDbExtents& range, double angle)
{
    for (int i = 0; i < inserts.length(); ++i) {
        ZcDbVoidPtrArray pieces;
        {
            ZcDbObjectPointer<ZcDbBlockReference> reference(inserts[i], ZcDb::kForRead);
            if (reference.openStatus() != Zcad::eOk)
                continue;
            reference->explode(pieces);
        }
        std::vector<ZcDbEntity*> texts;
        for (int k = 0; k < pieces.length(); ++k) {
            ZcDbEntity* piece = static_cast<ZcDbEntity*>(pieces[k]);
            if (piece != nullptr && Is_Readable_Text(piece))
                texts.push_back(piece);
        }
        const CString text = texts.empty() ? CString() : Join_Overlapping_Texts(texts, range, angle);
        for (int k = 0; k < pieces.length(); ++k)
            delete static_cast<ZcDbEntity*>(pieces[k]);
        if (!text.IsEmpty())
            return text;
    }
    return CString();
}

}  // namespace

void Build_Text_Fence(ZcGePoint3dArray& points, const ZcDbExtents& range)
{
    Build_Range_Fence(points, range.minPoint(), range.maxPoint(), Fence_Intervals);
}

CString Get_Attribute_Text(ZcDbObjectId insert_id, const ZcDbExtents& range, int field, ZcDbObjectIdArray& ids,
                           double angle)
{
    std::vector<TK_Found_Text> attributes;
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(insert_id, ZcDb::kForRead);
        if (reference.openStatus() != Zcad::eOk)
            return CString();
        attributes = Attributes_In_Range(reference.object(), range);
    }
    if (field == Title_Field)
        return Attribute_Text_All(attributes, range, field, ids, angle);
    return Attribute_Text_Nearest(attributes, range, field, ids);
}

CString Get_Fence_Text(const ZcDbExtents& range, double angle, int field, ZcDbObjectIdArray& ids)
{
    ZcGePoint3dArray fence;
    Build_Text_Fence(fence, range);
    ZcDbObjectIdArray found;
    if (!Fence_Select_By_Type(Loose_Text_Types, found, fence))
        return CString();
    ZcDbExtents combined;
    const CString text = Join_Texts_In_Order(found, angle, combined);
    if (Centre_Text_Of(field) && combined.isValid())
        Move_Entities(found, Centre_Of(range) - Centre_Of(combined));
    if (!text.IsEmpty())
        ids.append(found);
    return text;
}

CString Get_Attdef_Tag_Text(const ZcDbExtents& range, int field, ZcDbObjectIdArray& ids)
{
    ZcGePoint3dArray fence;
    Build_Text_Fence(fence, range);
    ZcDbObjectIdArray found;
    if (!Fence_Select_By_Type(L"ATTDEF", found, fence))
        return CString();
    const ZcGePoint3d centre = Centre_Of(range);
    ZcDbObjectId kept;
    CString kept_tag;
    ZcDbExtents kept_box;
    double best = 0.0;
    for (int i = 0; i < found.length(); ++i) {
        ZcDbObjectPointer<ZcDbAttributeDefinition> definition(found[i], ZcDb::kForRead);
        if (definition.openStatus() != Zcad::eOk)
            continue;
        ZcDbExtents box;
        if (!Get_Geom_Extents(definition.object(), box) || !box.isValid() || !Point_In_Extents(Centre_Of(box), range))
            continue;
        CString tag = definition->tagConst();
        Trim_Blanks(tag);
        if (tag.IsEmpty())
            continue;
        const double distance = Plane_Distance(Centre_Of(box), centre);
        if (kept.isNull() || distance < best) {
            kept = found[i];
            kept_tag = tag;
            kept_box = box;
            best = distance;
        }
    }
    if (kept.isNull())
        return CString();
    if (Centre_Text_Of(field))
        Move_Entity(kept, centre - Centre_Of(kept_box));
    ids.append(kept);
    return kept_tag;
}

CString Get_Other_Insert_Text(ZcDbObjectId frame_id, const ZcDbExtents& range, int field, ZcDbObjectIdArray& ids,
                              double angle)
{
    ZcDbObjectIdArray inserts;
    return Fence_Inserts(range, inserts) ? Other_Insert_Text(frame_id, inserts, range, field, ids, angle) : CString();
}

CString Get_Exploded_Insert_Text(const ZcDbExtents& range, double angle)
{
    ZcDbObjectIdArray inserts;
    return Fence_Inserts(range, inserts) ? Exploded_Insert_Text(inserts, range, angle) : CString();
}

CString Read_Range_Text(const TK_Customization* tk, const TK_Frame_Ref& frame, int field, ZcDbObjectIdArray& ids)
{
    ids.removeAll();
    ZcDbExtents range;
    double angle = 0.0;
    if (tk == nullptr || !Map_TK_Range(tk, frame, field, range, angle))
        return CString();
    CString text = Get_Attribute_Text(frame.Id, range, field, ids, angle);
    if (text.IsEmpty())
        text = Get_Fence_Text(range, angle, field, ids);
    if (text.IsEmpty())
        text = Get_Attdef_Tag_Text(range, field, ids);
    if (text.IsEmpty()) {
        // The other inserts and the exploded ones come from the same fence.
        ZcDbObjectIdArray inserts;
        if (Fence_Inserts(range, inserts)) {
            text = Other_Insert_Text(frame.Id, inserts, range, field, ids, angle);
            if (text.IsEmpty())
                text = Exploded_Insert_Text(inserts, range, angle);
        }
    }
    if (field == TK_Range_A || field == TK_Range_B || field == TK_Range_D)
        text.Replace(Line_Break_Marker, L"");
    return text;
}

CString Get_Range_Text(const TK_Customization* tk, ZcDbObjectId insert_id, int field, ZcDbObjectIdArray& ids)
{
    ids.removeAll();
    TK_Frame_Ref frame;
    if (tk == nullptr || !Measure_TK_Frame(insert_id, frame))
        return CString();
    return Read_Range_Text(tk, frame, field, ids);
}
