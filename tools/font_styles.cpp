#include "tools/font_styles.h"

#include "db/dbsymtb.h"
#include "tools/font_inventory.h"

CString Normalize_Font_File_Name(const CString& name)
{
    if (name.IsEmpty())
        return name;
    // A collection (".ttc") keeps its name like a single TrueType file.
    if (name.GetLength() <= 3 || (!Has_Font_Extension(name, L".ttf") && !Has_Font_Extension(name, L".ttc") &&
                                  !Has_Font_Extension(name, L".shx")))
        return name + L".shx";
    return name;
}

void Collect_Text_Styles(CStringArray& names, CStringArray& standard_files, CStringArray& big_files,
                         CStringArray& typefaces, ZcDbObjectIdArray& ids)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbTextStyleTable* table = nullptr;
    if (db == nullptr || db->getTextStyleTable(table, ZcDb::kForRead) != Zcad::eOk)
        return;
    ZcDbSymbolTableIterator* it = nullptr;
    if (table->newIterator(it) == Zcad::eOk) {
        for (it->start(); !it->done(); it->step()) {
            ZcDbSymbolTableRecord* record = nullptr;
            if (it->getRecord(record, ZcDb::kForRead) != Zcad::eOk)
                continue;
            ZcDbTextStyleTableRecord* style = ZcDbTextStyleTableRecord::cast(record);
            const wchar_t* name = nullptr;
            if (style != nullptr && style->getName(name) == Zcad::eOk && name != nullptr && *name != 0) {
                const wchar_t* file = nullptr;
                const wchar_t* big = nullptr;
                style->fileName(file);
                style->bigFontFileName(big);
                wchar_t* typeface = nullptr;
                bool bold = false, italic = false;
                int charset = 0, pitch = 0;
                style->font(typeface, bold, italic, charset, pitch);
                names.Add(name);
                standard_files.Add(Normalize_Font_File_Name(file != nullptr ? file : L""));
                big_files.Add(Normalize_Font_File_Name(big != nullptr ? big : L""));
                typefaces.Add(typeface != nullptr ? typeface : L"");
                ids.append(style->objectId());
                delete[] typeface;
            }
            record->close();
        }
        delete it;
    }
    table->close();
}

bool Is_Font_Present(const Font_Inventory& inventory, const CString& file_name)
{
    return file_name.IsEmpty() || inventory.Find(file_name) != nullptr;
}
