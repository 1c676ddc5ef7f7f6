#include "plot/standard_style_rename.h"

#include "core/file_operations.h"
#include "db/dbdict.h"
#include "db/dbmain.h"

namespace {

// Multileader and multiline styles: the entry `from` becomes `to`. (The drawing keeps no
// dimension style table of its own yet.)
void Rename_Styles(const wchar_t* from, const wchar_t* to)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    if (db == nullptr)
        return;
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
