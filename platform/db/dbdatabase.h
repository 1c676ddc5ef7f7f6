// ZcDbDatabase: one drawing in memory.
#pragma once
#include <memory>
#include <string>

#include "db/color.h"
#include "db/dbid.h"
#include "db/zcdb.h"
#include "ge/ge.h"
#include "rx/rxobject.h"

class ZcDbObject;
class ZcDbEntity;
class ZcDbDatabaseReactor;
class ZcDbSymbolTable;
class ZcDbBlockTable;
class ZcDbLayerTable;
class ZcDbTextStyleTable;
class ZcDbLinetypeTable;
class ZcDbViewportTable;
class ZcDbRegAppTable;
class ZcDbDimStyleTable;
class ZcDbDictionary;
class ZcDbIdMapping;

namespace platform {
struct Db_Data;
}

class ZcDbDatabase : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDatabase);
    // buildDefaultDrawing: block table with "*Model_Space" and two paper spaces, layer "0",
    // linetypes, "Standard" text, dimension and table styles, named-objects dictionary with layouts. Without it the
    // database is empty (for reading a drawing file into it).
    explicit ZcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~ZcDbDatabase() override;
    ZcDbDatabase(const ZcDbDatabase&) = delete;
    ZcDbDatabase& operator=(const ZcDbDatabase&) = delete;

    // Objects.
    Zcad::ErrorStatus addZcDbObject(ZcDbObjectId& objId, ZcDbObject* pObj);
    Zcad::ErrorStatus addZcDbObject(ZcDbObject* pObj);
    // The id of a handle; with createIfNotFound a placeholder id is made for a handle not yet
    // used (an object added later with that handle takes it).
    Zcad::ErrorStatus getZcDbObjectId(ZcDbObjectId& retId, bool createIfNotFound, const ZcDbHandle& objHandle,
                                      uint32_t xRefId = 0);

    // Root objects.
    ZcDbObjectId blockTableId() const;
    ZcDbObjectId layerTableId() const;
    ZcDbObjectId textStyleTableId() const;
    ZcDbObjectId linetypeTableId() const;
    ZcDbObjectId viewportTableId() const;
    ZcDbObjectId regAppTableId() const;
    ZcDbObjectId dimStyleTableId() const;
    ZcDbObjectId namedObjectsDictionaryId() const;
    ZcDbObjectId layoutDictionaryId() const;
    ZcDbObjectId groupDictionaryId() const;
    ZcDbObjectId plotSettingsDictionaryId() const;
    ZcDbObjectId tableStyleDictionaryId() const;

    Zcad::ErrorStatus getBlockTable(ZcDbBlockTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead);
    Zcad::ErrorStatus getLayerTable(ZcDbLayerTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead);
    Zcad::ErrorStatus getTextStyleTable(ZcDbTextStyleTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead);
    Zcad::ErrorStatus getLinetypeTable(ZcDbLinetypeTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead);
    Zcad::ErrorStatus getViewportTable(ZcDbViewportTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead);
    Zcad::ErrorStatus getRegAppTable(ZcDbRegAppTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead);
    Zcad::ErrorStatus getDimStyleTable(ZcDbDimStyleTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead);
    Zcad::ErrorStatus getSymbolTable(ZcDbBlockTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead) { return getBlockTable(pTable, mode); }
    Zcad::ErrorStatus getSymbolTable(ZcDbLayerTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead) { return getLayerTable(pTable, mode); }
    Zcad::ErrorStatus getSymbolTable(ZcDbTextStyleTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead) { return getTextStyleTable(pTable, mode); }
    Zcad::ErrorStatus getSymbolTable(ZcDbLinetypeTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead) { return getLinetypeTable(pTable, mode); }
    Zcad::ErrorStatus getSymbolTable(ZcDbViewportTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead) { return getViewportTable(pTable, mode); }
    Zcad::ErrorStatus getSymbolTable(ZcDbRegAppTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead) { return getRegAppTable(pTable, mode); }
    Zcad::ErrorStatus getSymbolTable(ZcDbDimStyleTable*& pTable, ZcDb::OpenMode mode = ZcDb::kForRead) { return getDimStyleTable(pTable, mode); }
    Zcad::ErrorStatus getNamedObjectsDictionary(ZcDbDictionary*& pDict, ZcDb::OpenMode mode = ZcDb::kForRead);
    Zcad::ErrorStatus getLayoutDictionary(ZcDbDictionary*& pDict, ZcDb::OpenMode mode = ZcDb::kForRead);

    // Current space: model space when TILEMODE is 1 or a model-space viewport is active in the
    // layout (CVPORT > 1), otherwise the current layout's paper space block.
    ZcDbObjectId currentSpaceId() const;
    ZcDbObjectId modelSpaceId() const;
    ZcDbObjectId paperSpaceId() const;

    // Header variables.
    ZcDbObjectId clayer() const;
    Zcad::ErrorStatus setClayer(ZcDbObjectId layerId);
    ZcDbObjectId textstyle() const;
    Zcad::ErrorStatus setTextstyle(ZcDbObjectId styleId);
    ZcDbObjectId celtype() const;
    Zcad::ErrorStatus setCeltype(ZcDbObjectId linetypeId);
    ZcCmColor cecolor() const;
    Zcad::ErrorStatus setCecolor(const ZcCmColor& color);
    ZcDb::LineWeight celweight() const;
    Zcad::ErrorStatus setCelweight(ZcDb::LineWeight weight);
    bool tilemode() const;
    Zcad::ErrorStatus setTilemode(bool mode);
    int16_t cvport() const;
    Zcad::ErrorStatus setCvport(int16_t vport);
    ZcDb::UnitsValue insunits() const;
    Zcad::ErrorStatus setInsunits(ZcDb::UnitsValue units);
    double ltscale() const;
    Zcad::ErrorStatus setLtscale(double scale);
    double celtscale() const;
    Zcad::ErrorStatus setCeltscale(double scale);
    bool psltscale() const;
    Zcad::ErrorStatus setPsltscale(bool value);
    double textsize() const;
    Zcad::ErrorStatus setTextsize(double size);
    int16_t pdmode() const;
    Zcad::ErrorStatus setPdmode(int16_t mode);
    double pdsize() const;
    Zcad::ErrorStatus setPdsize(double size);
    bool lineWeightDisplay() const;
    Zcad::ErrorStatus setLineWeightDisplay(bool display);
    ZcDb::MeasurementValue measurement() const;
    Zcad::ErrorStatus setMeasurement(ZcDb::MeasurementValue type);
    ZcGePoint3d insbase() const;
    Zcad::ErrorStatus setInsbase(const ZcGePoint3d& base);
    ZcGePoint3d extmin() const;
    ZcGePoint3d extmax() const;
    Zcad::ErrorStatus setExtmin(const ZcGePoint3d& pt);
    Zcad::ErrorStatus setExtmax(const ZcGePoint3d& pt);
    ZcGePoint3d pextmin() const;
    ZcGePoint3d pextmax() const;
    Zcad::ErrorStatus setPextmin(const ZcGePoint3d& pt);
    Zcad::ErrorStatus setPextmax(const ZcGePoint3d& pt);
    ZcGePoint2d limmin() const;
    ZcGePoint2d limmax() const;
    Zcad::ErrorStatus setLimmin(const ZcGePoint2d& pt);
    Zcad::ErrorStatus setLimmax(const ZcGePoint2d& pt);
    // Recomputes EXTMIN/EXTMAX (and PEXTMIN/PEXTMAX) from the entities of the spaces.
    Zcad::ErrorStatus updateExt(bool doBestFit = false);
    // Code page name such as "ANSI_936".
    const wchar_t* dwgcodepage() const;
    Zcad::ErrorStatus setDwgcodepage(const wchar_t* name);
    ZcDbHandle handseed() const;
    Zcad::ErrorStatus setHandseed(const ZcDbHandle& handle);

    // Reactors (not owned).
    void addReactor(ZcDbDatabaseReactor* pReactor) const;
    void removeReactor(ZcDbDatabaseReactor* pReactor) const;

    // Cloning between and within databases.
    Zcad::ErrorStatus deepCloneObjects(const ZcDbObjectIdArray& objectIds, const ZcDbObjectId& owner,
                                       ZcDbIdMapping& idMap, bool deferXlation = false);
    Zcad::ErrorStatus wblockCloneObjects(const ZcDbObjectIdArray& objectIds, const ZcDbObjectId& owner,
                                         ZcDbIdMapping& idMap, ZcDb::DuplicateRecordCloning drc,
                                         bool deferXlation = false);
    // A new database (the caller deletes it) whose model space holds copies of the entities,
    // with INSBASE = base.
    Zcad::ErrorStatus wblock(ZcDbDatabase*& pOutputDb, const ZcDbObjectIdArray& outObjIds, const ZcGePoint3d& basePoint);
    // A new database whose model space holds copies of the block's entities.
    Zcad::ErrorStatus wblock(ZcDbDatabase*& pOutputDb, ZcDbObjectId blockId);
    // A new database holding the whole drawing.
    Zcad::ErrorStatus wblock(ZcDbDatabase*& pOutputDb);
    // Makes a new block named blockName of the source's model space (origin = its INSBASE).
    Zcad::ErrorStatus insert(ZcDbObjectId& blockId, const wchar_t* pBlockName, ZcDbDatabase* pDb,
                             bool preserveSourceDatabase = true);
    // Copies the source's model space entities into this database's model space, transformed.
    Zcad::ErrorStatus insert(const ZcGeMatrix3d& xform, ZcDbDatabase* pDb, bool preserveSourceDatabase = true);

    // Drawing files, through the reader and writer the drawing-file layer registers
    // (eNotImplemented without them). A read that fails leaves the drawing as it was.
    Zcad::ErrorStatus readDwgFile(const wchar_t* fileName, int shareMode = 0, bool bAllowCPConversion = false,
                                  const wchar_t* wszPassword = nullptr);
    Zcad::ErrorStatus saveAs(const wchar_t* fileName, ZcDb::ZcDbDwgVersion version = ZcDb::kDHL_CURRENT);
    Zcad::ErrorStatus dxfOut(const wchar_t* fileName, int precision = 16, ZcDb::ZcDbDwgVersion version = ZcDb::kDHL_CURRENT);
    Zcad::ErrorStatus dxfIn(const wchar_t* fileName);
    // The file this database was read from or last saved as ("" for a new drawing).
    const wchar_t* filename() const;
    Zcad::ErrorStatus getFilename(const wchar_t*& pOutput) const;
    void setFilename(const wchar_t* name);
    bool isPartiallyOpened() const { return false; }

    platform::Db_Data& data() const { return *mData; }

private:
    std::unique_ptr<platform::Db_Data> mData;
};

// The host's services: the working database and the layout manager.
class ZcDbLayoutManager;
class ZcDbPlotSettingsValidator;
class ZcDbHostApplicationServices {
public:
    virtual ~ZcDbHostApplicationServices() = default;
    virtual ZcDbDatabase* workingDatabase() const;
    virtual void setWorkingDatabase(ZcDbDatabase* pDatabase);
    virtual ZcDbLayoutManager* layoutManager() const;
    // The plot layer's validator (nullptr when the plot layer is not loaded).
    virtual ZcDbPlotSettingsValidator* plotSettingsValidator() const;
    // A placeholder folder for temporary files.
    virtual const wchar_t* getTempPath() const { return L"/tmp/"; }

private:
    ZcDbDatabase* mWorkingDatabase = nullptr;
};

ZcDbHostApplicationServices* zcdbHostApplicationServices();
// Installs other services (the editor does); nullptr restores the default ones.
void zcdbSetHostApplicationServices(ZcDbHostApplicationServices* services);
