#include "core/name_lookups.h"

#include "core/sysvar_helpers.h"
#include "db/dbdict.h"
#include "db/dbsymtb.h"
#include "ed/editor.h"

namespace {

template <class Record>
bool Record_Name(CString& name, ZcDbObjectId id)
{
    name.Empty();
    if (id.isNull())
        return false;
    ZcDbObject* object = nullptr;
    if (zcdbOpenObject(object, id, ZcDb::kForRead) != Zcad::eOk)
        return false;
    Record* record = Record::cast(object);
    if (record != nullptr) {
        std::wstring text;
        record->getName(text);
        name = text.c_str();
    }
    object->close();
    return record != nullptr;
}

}  // namespace

void Get_Linetype_Id(ZcDbObjectId& id, const wchar_t* name)
{
    id = ZcDbObjectId();
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbLinetypeTable* table = nullptr;
    if (db == nullptr || name == nullptr || db->getLinetypeTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    if (table->getAt(name, id) != Zcad::eOk)
        id = ZcDbObjectId();
    table->close();
}

bool Get_Linetype_Name(CString& name, ZcDbObjectId linetype_id)
{
    return Record_Name<ZcDbLinetypeTableRecord>(name, linetype_id);
}

bool Get_Text_Style_Name(CString& name, ZcDbObjectId style_id)
{
    return Record_Name<ZcDbTextStyleTableRecord>(name, style_id);
}

bool Get_Block_Name(CString& name, ZcDbObjectId block_id)
{
    CString found;
    if (!Record_Name<ZcDbBlockTableRecord>(found, block_id))
        return false;
    name = found;
    return true;
}

void Index_Color_To_RGB(int color_index, int& red, int& green, int& blue)
{
    const DWORD rgb = zcedGetRGB(color_index);
    red = static_cast<int>(rgb & 0xFF);
    green = static_cast<int>((rgb >> 8) & 0xFF);
    blue = static_cast<int>((rgb >> 16) & 0xFF);
}

CString Get_Dwg_Title()
{
    wchar_t name[260];
    Get_Var_String(L"DWGNAME", name);
    CString title = name;
    const int dot = title.ReverseFind(L'.');
    return dot > 0 ? title.Left(dot) : title;
}

void Remove_Image_Def(const wchar_t* name)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbDictionary* named = nullptr;
    if (db == nullptr || name == nullptr || db->getNamedObjectsDictionary(named, ZcDb::kForRead) != Zcad::eOk)
        return;
    ZcDbObjectId images_id;
    const bool has_images = named->getAt(L"ACAD_IMAGE_DICT", images_id) == Zcad::eOk;
    named->close();
    if (!has_images)
        return;
    ZcDbObjectPointer<ZcDbDictionary> images(images_id, ZcDb::kForWrite);
    if (images.openStatus() == Zcad::eOk && images->has(name))
        images->remove(name);
}
