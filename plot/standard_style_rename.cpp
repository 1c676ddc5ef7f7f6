#include "plot/standard_style_rename.h"

#include "core/file_operations.h"
#include "db/dbdict.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"

namespace {

void Rename_Dimension_Style(ZcDbDatabase* db, const wchar_t* from, const wchar_t* to)
{
    ZcDbDimStyleTable* table = nullptr;
    if (db->getDimStyleTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    ZcDbObjectId style_id;
    table->getAt(from, style_id);
    table->close();
    ZcDbObjectPointer<ZcDbDimStyleTableRecord> style(style_id, ZcDb::kForWrite);
    if (style.openStatus() == Zcad::eOk)
        style->setName(to);
}

// The dimension style, multileader style and multiline style `from` become `to`.
void Rename_Styles(const wchar_t* from, const wchar_t* to)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (db == nullptr)
        return;
    Rename_Dimension_Style(db, from, to);
    ZcDbObjectPointer<ZcDbDictionary> named(db->namedObjectsDictionaryId(), ZcDb::kForRead);
    if (named.openStatus() != Zcad::eOk)
        return;
    for (const wchar_t* key : {L"ACAD_MLEADERSTYLE", L"ACAD_MLINESTYLE"}) {
        ZcDbObjectId dictionary_id;
        if (named->getAt(key, dictionary_id) != Zcad::eOk)
            continue;
        ZcDbObjectPointer<ZcDbDictionary> styles(dictionary_id, ZcDb::kForWrite);
        if (styles.openStatus() == Zcad::eOk && styles->has(from) && !styles->has(to))
            styles->setName(from, to);
    }
}

}  // namespace

void Restore_Standard_Styles(const CString& name)
{
    if (!name.IsEmpty())
        Rename_Styles(name, L"Standard");
}

Standard_Style_Rename::~Standard_Style_Rename()
{
    Restore();
}

void Standard_Style_Rename::Rename()
{
    Temp_Name = Make_Time_Stamp(L"KV");
    Rename_Styles(L"Standard", Temp_Name);
}

void Standard_Style_Rename::Restore()
{
    Restore_Standard_Styles(Temp_Name);
    Temp_Name.Empty();
}
