// The drawing's copy of the plot options: the XRecord "DWG_PLOT_SETTING" in a
// dictionary of the same name in the named-object dictionary.
#include "core/option_fields.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/plot_option_fields.h"
#include "core/version_stamp.h"
#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "db/dbobject.h"

namespace {

ZcDbDatabase* Working_Database()
{
    ZcDbHostApplicationServices* services = zcdbHostApplicationServices();
    return services != nullptr ? services->workingDatabase() : nullptr;
}

// The record's chain (the caller frees it), or null when the drawing has none.
resbuf* Read_Record_Chain(ZcDbDatabase* db, bool& found)
{
    found = false;
    ZcDbObject* object = nullptr;
    if (zcdbOpenObject(object, db->namedObjectsDictionaryId(), ZcDb::kForRead) != Zcad::eOk)
        return nullptr;
    ZcDbDictionary* named = ZcDbDictionary::cast(object);
    resbuf* chain = nullptr;
    ZcDbObject* entry = nullptr;
    if (named != nullptr && named->getAt(Dwg_Plot_Setting_Name, entry, ZcDb::kForRead) == Zcad::eOk) {
        ZcDbDictionary* ours = ZcDbDictionary::cast(entry);
        ZcDbObject* record = nullptr;
        if (ours != nullptr && ours->getAt(Dwg_Plot_Setting_Name, record, ZcDb::kForRead) == Zcad::eOk) {
            if (ZcDbXrecord* xrecord = ZcDbXrecord::cast(record)) {
                found = true;
                xrecord->rbChain(&chain);
            }
            record->close();
        }
        entry->close();
    }
    object->close();
    return chain;
}

// The dictionary "DWG_PLOT_SETTING" of the named-object dictionary, open for write;
// created when missing.
ZcDbDictionary* Open_Record_Dictionary(ZcDbDictionary* named)
{
    ZcDbObject* entry = nullptr;
    if (named->getAt(Dwg_Plot_Setting_Name, entry, ZcDb::kForWrite) == Zcad::eOk) {
        if (ZcDbDictionary* ours = ZcDbDictionary::cast(entry))
            return ours;
        entry->close();
        return nullptr;
    }
    ZcDbDictionary* ours = new ZcDbDictionary;
    ZcDbObjectId id;
    if (named->setAt(Dwg_Plot_Setting_Name, ours, id) != Zcad::eOk) {
        delete ours;
        return nullptr;
    }
    return ours;
}

// Removes the record's old XRecord from its dictionary and erases it.
void Erase_Old_Record(ZcDbDictionary* ours)
{
    ZcDbObjectId old_id;
    if (ours->remove(Dwg_Plot_Setting_Name, old_id) != Zcad::eOk)
        return;
    ZcDbObject* old = nullptr;
    if (zcdbOpenObject(old, old_id, ZcDb::kForWrite) == Zcad::eOk) {
        old->erase();
        old->close();
    }
}

}  // namespace

void Plot_Option::Read_Dwg_Setting()
{
    Set_Defaults();
    ZcDbDatabase* db = Working_Database();
    if (db == nullptr)
        return;
    bool found = false;
    resbuf* chain = Read_Record_Chain(db, found);
    if (!found) {
        Copy_Common(g_Plot_Config.Option);
        return;
    }
    if (chain != nullptr && chain->restype == 90) {
        Chain_Field_Reader reader(chain->rbnext, chain->resval.rlong);
        Visit_Plot_Option_Fields(reader, *this);
        Repair();
    }
    if (chain != nullptr)
        zcutRelRb(chain);
}

void Plot_Option::Write_Dwg_Setting() const
{
    ZcDbDatabase* db = Working_Database();
    if (db == nullptr)
        return;
    ZcDbObject* object = nullptr;
    if (zcdbOpenObject(object, db->namedObjectsDictionaryId(), ZcDb::kForWrite) != Zcad::eOk)
        return;
    ZcDbDictionary* named = ZcDbDictionary::cast(object);
    ZcDbDictionary* ours = named != nullptr ? Open_Record_Dictionary(named) : nullptr;
    bool stored = false;
    if (ours != nullptr) {
        Erase_Old_Record(ours);
        Chain_Field_Writer chain;
        chain.Int(Program_Version_Stamp, 0);
        Visit_Plot_Option_Fields(chain, *this);
        ZcDbXrecord* xrecord = new ZcDbXrecord;
        ZcDbObjectId id;
        if (ours->setAt(Dwg_Plot_Setting_Name, xrecord, id) == Zcad::eOk) {
            stored = xrecord->setFromRbChain(*chain.Chain()) == Zcad::eOk;
            xrecord->close();
        } else {
            delete xrecord;
        }
        ours->close();
    }
    object->close();
    if (stored)
        g_Plot_Config.Option.Copy_Common(*this);
}
