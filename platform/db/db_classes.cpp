#include "db/db_classes.h"

#include "db/copy_filer.h"
#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dblayout.h"
#include "db/dbspfilt.h"
#include "db/dbsymtb.h"
#include "db/dbtablestyle.h"

namespace platform {

void Register_Db_Classes()
{
    static bool done = false;
    if (done) return;
    done = true;
    ZcRxObject::rxInit();
    ZcDbDwgFiler::rxInit();
    ZcDbDxfFiler::rxInit();
    ZcDbCopyFiler::rxInit();
    ZcDbDatabase::rxInit();
    ZcDbDatabaseReactor::rxInit();
    ZcDbObject::rxInit();
    ZcDbSymbolTable::rxInit();
    ZcDbSymbolTableRecord::rxInit();
    ZcDbBlockTable::rxInit();
    ZcDbLayerTable::rxInit();
    ZcDbTextStyleTable::rxInit();
    ZcDbLinetypeTable::rxInit();
    ZcDbViewportTable::rxInit();
    ZcDbRegAppTable::rxInit();
    ZcDbDimStyleTable::rxInit();
    ZcDbBlockTableRecord::rxInit();
    ZcDbLayerTableRecord::rxInit();
    ZcDbTextStyleTableRecord::rxInit();
    ZcDbLinetypeTableRecord::rxInit();
    ZcDbViewportTableRecord::rxInit();
    ZcDbRegAppTableRecord::rxInit();
    ZcDbDimStyleTableRecord::rxInit();
    ZcDbTableStyle::rxInit();
    ZcDbDictionary::rxInit();
    ZcDbXrecord::rxInit();
    ZcDbFilter::rxInit();
    ZcDbSpatialFilter::rxInit();
    ZcDbPlotSettings::rxInit();
    ZcDbLayout::rxInit();
    ZcDbEntity::rxInit();
    ZcDbCurve::rxInit();
    ZcDbLine::rxInit();
    ZcDbCircle::rxInit();
    ZcDbArc::rxInit();
    ZcDbEllipse::rxInit();
    ZcDbPolyline::rxInit();
    ZcDbVertex::rxInit();
    ZcDb2dVertex::rxInit();
    ZcDb3dPolylineVertex::rxInit();
    ZcDb2dPolyline::rxInit();
    ZcDb3dPolyline::rxInit();
    ZcDbSpline::rxInit();
    ZcDbText::rxInit();
    ZcDbAttribute::rxInit();
    ZcDbAttributeDefinition::rxInit();
    ZcDbMText::rxInit();
    ZcDbBlockReference::rxInit();
    ZcDbMInsertBlock::rxInit();
    ZcDbViewport::rxInit();
}

namespace {
struct Db_Class_Registrar {
    Db_Class_Registrar() { Register_Db_Classes(); }
} gRegistrar;
}  // namespace

}  // namespace platform
