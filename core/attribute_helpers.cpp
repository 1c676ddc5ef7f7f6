#include "core/attribute_helpers.h"

#include <memory>

#include "db/dbobjiter.h"
#include "db/dbtext.h"
#include "mfc/afxstr.h"

void Set_Attribute_Text_By_Tag(const ZcDbBlockReference* reference, const wchar_t* tag, const wchar_t* value)
{
    if (reference == nullptr || tag == nullptr)
        return;
    std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
    if (!it)
        return;
    for (it->start(); !it->done(); it->step()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(it->objectId(), ZcDb::kForWrite);
        if (attribute.openStatus() != Zcad::eOk)
            continue;
        if (CString(attribute->tagConst()).CompareNoCase(tag) == 0)
            attribute->setTextString(value != nullptr ? value : L"");
    }
}

void Set_Insert_Attribute(ZcDbObjectId entity_id, const wchar_t* tag, const wchar_t* value)
{
    ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForRead);
    if (entity.openStatus() != Zcad::eOk)
        return;
    if (const ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity.object()))
        Set_Attribute_Text_By_Tag(reference, tag, value);
}

void Set_Inserts_Attribute(ZcDbObjectIdArray& ids, const wchar_t* tag, const wchar_t* value)
{
    for (int i = 0; i < ids.length(); ++i)
        Set_Insert_Attribute(ids[i], tag, value);
    ids.removeAll();
}
