// An edited title-block text written back into the entities it was read from.
#include <memory>

#include "core/ucs_transform.h"
#include "db/dbents.h"
#include "db/dbmtext.h"
#include "sheets/exact_extents.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_sheets.h"
#include "titleblock/tk_text_codes.h"

namespace {

// The extents a text entity is centred by: geometric for attribute definitions and
// attributes, exact for texts and multiline texts.
ZcDbExtents Centring_Extents(const ZcDbEntity* entity)
{
    ZcDbExtents extents;
    if (entity->isKindOf(ZcDbAttributeDefinition::desc()))
        Get_Geom_Extents(entity, extents);
    else if (const ZcDbAttribute* attribute = ZcDbAttribute::cast(entity))
        Get_Attribute_Extents(attribute, extents);
    else
        extents = Get_Entity_Extents(entity);
    return extents;
}

// A multi-line attribute shows, saves and reads back its multiline text: the text goes
// there, as it stands, as well as into its single line.
bool Set_Attribute_Text(ZcDbAttribute* attribute, const CString& text)
{
    if (attribute->setTextString(text.GetString()) != Zcad::eOk)
        return false;
    if (!attribute->isMTextAttribute())
        return true;
    const std::unique_ptr<ZcDbMText> mtext(attribute->getMTextAttribute());
    return mtext != nullptr && mtext->setContents(MText_Literal_Contents(text).GetString()) == Zcad::eOk &&
           attribute->setMTextAttribute(mtext.get()) == Zcad::eOk;
}

bool Set_Entity_Text(ZcDbEntity* entity, const CString& text)
{
    if (ZcDbAttributeDefinition* definition = ZcDbAttributeDefinition::cast(entity))
        return definition->setTag(text.GetString()) == Zcad::eOk;
    if (ZcDbAttribute* attribute = ZcDbAttribute::cast(entity))
        return Set_Attribute_Text(attribute, text);
    if (ZcDbText* single_line = ZcDbText::cast(entity))
        return single_line->setTextString(text.GetString()) == Zcad::eOk;
    if (ZcDbMText* multi_line = ZcDbMText::cast(entity))
        return multi_line->setContents(MText_Literal_Contents(text).GetString()) == Zcad::eOk;
    return false;
}

// Writes the text into one source entity and keeps its centre when the field is centred.
bool Write_Source_Text(ZcDbObjectId text_id, int field, const CString& text)
{
    ZcDbExtents old_extents;
    {
        ZcDbObjectPointer<ZcDbEntity> entity(text_id, ZcDb::kForWrite);
        if (entity.openStatus() != Zcad::eOk)
            return false;
        old_extents = Centring_Extents(entity.object());
        if (!Set_Entity_Text(entity.object(), text))
            return false;
    }
    if (g_TK_Library.Centre_Text[field - 1] == 0)
        return true;
    ZcDbObjectPointer<ZcDbEntity> entity(text_id, ZcDb::kForWrite);
    if (entity.openStatus() != Zcad::eOk)
        return true;
    const ZcDbExtents new_extents = Centring_Extents(entity.object());
    ZcGeVector3d shift = Get_Extents_Centre(old_extents) - Get_Extents_Centre(new_extents);
    g_Ucs.Ucs_To_World_Vector(shift);  // the extents are in the UCS of g_Ucs
    entity->transformBy(ZcGeMatrix3d::translation(shift));
    return true;
}

// An attribute definition keeps its tag: a tag cannot be empty.
void Empty_Source_Text(ZcDbObjectId text_id)
{
    ZcDbObjectPointer<ZcDbEntity> entity(text_id, ZcDb::kForWrite);
    if (entity.openStatus() == Zcad::eOk)
        Set_Entity_Text(entity.object(), CString());
}

}  // namespace

bool Plot_Drawing2::Write_Text(int field, const CString& text)
{
    if (field < 1 || field > 6)
        return false;
    // The whole text goes into the first source that takes it and the other sources are
    // emptied, so that joining them again reads the text as it was given.
    bool written = false;
    for (const ZcDbObjectId& text_id : Text_Ids[field - 1]) {
        if (!written)
            written = Write_Source_Text(text_id, field, text);
        else
            Empty_Source_Text(text_id);
    }
    return written;
}
