// Symbol tables (blocks, layers, text styles, linetypes, viewports, registered applications)
// and their records. Names are compared without regard to case, as the host does.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "db/dbentity.h"
#include "db/dbmain.h"
#include "ge/gevec2d.h"

class ZcDbSymbolTableRecord;
class ZcDbSymbolTableIterator;
class ZcDbBlockTableRecord;
class ZcDbBlockTableIterator;
class ZcDbSortentsTable;

class ZcDbSymbolTable : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSymbolTable);
    ZcDbSymbolTable() = default;
    ~ZcDbSymbolTable() override;

    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbObjectId& recordId, bool getErasedRecord = false) const;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbSymbolTableRecord*& pRec, ZcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
    bool has(const wchar_t* name) const;
    bool has(ZcDbObjectId id) const;
    // Adds a new record (it must have a valid, unused name and the right record class); the
    // record stays open for write for the caller to close.
    Zcad::ErrorStatus add(ZcDbSymbolTableRecord* pRecord);
    Zcad::ErrorStatus add(ZcDbObjectId& recordId, ZcDbSymbolTableRecord* pRecord);
    Zcad::ErrorStatus newIterator(ZcDbSymbolTableIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    int numEntries(bool includeErased = false) const;

    // The record class this table accepts.
    virtual ZcRxClass* recordClass() const = 0;

    const std::vector<ZcDbObjectId>& recordIds() const { return mRecords; }
    // Keeps the name index in step when one of the records is renamed.
    void recordRenamed(ZcDbObjectId id, const std::wstring& oldName, const std::wstring& newName);

private:
    std::vector<ZcDbObjectId> mRecords;
    // Upper-case name -> records of that name (erased ones included).
    std::unordered_multimap<std::wstring, ZcDbObjectId> mIndex;
};

class ZcDbSymbolTableIterator {
public:
    virtual ~ZcDbSymbolTableIterator() = default;
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Zcad::ErrorStatus getRecordId(ZcDbObjectId& id) const;
    Zcad::ErrorStatus getRecord(ZcDbSymbolTableRecord*& pRecord, ZcDb::OpenMode openMode = ZcDb::kForRead,
                                bool openErasedRec = false) const;
    Zcad::ErrorStatus seek(ZcDbObjectId id);

protected:
    friend class ZcDbSymbolTable;
    explicit ZcDbSymbolTableIterator(const ZcDbSymbolTable* table);
    void skip(bool forward, bool skipDeleted);
    std::vector<ZcDbObjectId> mIds;
    int mIndex = 0;
};

class ZcDbSymbolTableRecord : public ZcDbObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbSymbolTableRecord);
    ZcDbSymbolTableRecord() = default;

    // getName(wchar_t*&) gives a copy in new wchar_t[] (the caller deletes it).
    Zcad::ErrorStatus getName(wchar_t*& pName) const;
    Zcad::ErrorStatus getName(const wchar_t*& pName) const;
    Zcad::ErrorStatus getName(std::wstring& name) const;
    const wchar_t* name() const { return mName.c_str(); }
    // Refuses (eInvalidInput) an empty name or one with < > / \ " : ; ? * | , = `; a name used by
    // another record of the same table gives eDuplicateRecordName.
    Zcad::ErrorStatus setName(const wchar_t* pName);
    bool isDependent() const { return mName.find(L'|') != std::wstring::npos; }
    bool isResolved() const { return true; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

    // Names the host accepts for records (block names starting with "*" are the table's own).
    static bool isValidName(const wchar_t* name, bool allowStar);

private:
    std::wstring mName;
};

// Blocks.
class ZcDbBlockTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockTable);
    ZcRxClass* recordClass() const override;
    using ZcDbSymbolTable::getAt;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbBlockTableRecord*& pRec, ZcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
    Zcad::ErrorStatus newIterator(ZcDbBlockTableIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    using ZcDbSymbolTable::newIterator;
};

class ZcDbBlockTableIterator : public ZcDbSymbolTableIterator {
public:
    Zcad::ErrorStatus getRecord(ZcDbBlockTableRecord*& pRecord, ZcDb::OpenMode openMode = ZcDb::kForRead,
                                bool openErasedRec = false) const;
    using ZcDbSymbolTableIterator::getRecord;

private:
    friend class ZcDbBlockTable;
    using ZcDbSymbolTableIterator::ZcDbSymbolTableIterator;
};

class ZcDbBlockTableRecordIterator;

class ZcDbBlockTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbBlockTableRecord);
    ZcDbBlockTableRecord() = default;
    ~ZcDbBlockTableRecord() override;

    // Appends a new entity (it gets an id and stays open for write) or links an entity already
    // added to this database without an owner.
    Zcad::ErrorStatus appendZcDbEntity(ZcDbEntity* pEntity);
    Zcad::ErrorStatus appendZcDbEntity(ZcDbObjectId& pOutputId, ZcDbEntity* pEntity);
    Zcad::ErrorStatus newIterator(ZcDbBlockTableRecordIterator*& pIterator, bool atBeginning = true,
                                  bool skipDeleted = true) const;
    // Entity ids in order (erased included).
    const std::vector<ZcDbObjectId>& entityIds() const { return mEntities; }
    // The block's draw order table ("ACAD_SORTENTS" of its extension dictionary), made with
    // the dictionary when asked to; eKeyNotFound when there is none.
    Zcad::ErrorStatus getSortentsTable(ZcDbSortentsTable*& table, ZcDb::OpenMode mode, bool createIfNecessary = false);

    bool isLayout() const { return !mLayoutId.isNull(); }
    ZcDbObjectId getLayoutId() const { return mLayoutId; }
    Zcad::ErrorStatus setLayoutId(ZcDbObjectId layoutId);
    bool isAnonymous() const;
    bool isFromExternalReference() const { return !mPathName.empty(); }
    bool isFromOverlayReference() const { return false; }
    bool isDynamicBlock() const { return mDynamic; }
    void setDynamicBlock(bool dynamic) { mDynamic = dynamic; }
    bool hasAttributeDefinitions() const;
    bool hasPreviewIcon() const { return false; }
    ZcGePoint3d origin() const { return mOrigin; }
    Zcad::ErrorStatus setOrigin(const ZcGePoint3d& origin);
    Zcad::ErrorStatus getPathName(const wchar_t*& pPath) const;
    Zcad::ErrorStatus setPathName(const wchar_t* pathStr);
    Zcad::ErrorStatus comments(const wchar_t*& pComment) const;
    Zcad::ErrorStatus setComments(const wchar_t* pString);
    ZcDb::UnitsValue blockInsertUnits() const { return mInsertUnits; }
    Zcad::ErrorStatus setBlockInsertUnits(ZcDb::UnitsValue units);
    bool explodable() const { return mExplodable; }
    Zcad::ErrorStatus setExplodable(bool explodable);
    // The block references (and minserts) of this block that are not erased, in the order of
    // their creation.
    Zcad::ErrorStatus getBlockReferenceIds(ZcDbObjectIdArray& ids, bool bDirectOnly = true, bool bForceValidity = false) const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    std::vector<ZcDbObjectId> mEntities;
    ZcDbObjectId mLayoutId;
    ZcGePoint3d mOrigin;
    std::wstring mComments;
    std::wstring mPathName;
    ZcDb::UnitsValue mInsertUnits = ZcDb::kUnitsUndefined;
    bool mExplodable = true;
    bool mDynamic = false;
};

class ZcDbBlockTableRecordIterator {
public:
    void start(bool atBeginning = true, bool skipDeleted = true);
    bool done() const;
    void step(bool forward = true, bool skipDeleted = true);
    Zcad::ErrorStatus getEntityId(ZcDbObjectId& id) const;
    Zcad::ErrorStatus getEntity(ZcDbEntity*& pEntity, ZcDb::OpenMode openMode = ZcDb::kForRead,
                                bool openErasedEntity = false) const;
    Zcad::ErrorStatus seek(ZcDbObjectId id);
    ZcDbBlockTableRecord* blockTableRecord() const { return mRecord; }

private:
    friend class ZcDbBlockTableRecord;
    explicit ZcDbBlockTableRecordIterator(const ZcDbBlockTableRecord* record);
    void skip(bool forward, bool skipDeleted);
    ZcDbBlockTableRecord* mRecord;
    std::vector<ZcDbObjectId> mIds;
    int mIndex = 0;
};

// Layers.
class ZcDbLayerTableRecord;
class ZcDbLayerTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLayerTable);
    ZcRxClass* recordClass() const override;
    using ZcDbSymbolTable::getAt;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbLayerTableRecord*& pRec, ZcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
};

class ZcDbLayerTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLayerTableRecord);
    ZcDbLayerTableRecord();

    bool isFrozen() const { return mFrozen; }
    Zcad::ErrorStatus setIsFrozen(bool frozen);
    bool isOff() const { return mOff; }
    void setIsOff(bool off);
    bool isLocked() const { return mLocked; }
    void setIsLocked(bool locked);
    bool isPlottable() const { return mPlottable; }
    Zcad::ErrorStatus setIsPlottable(bool plottable);
    bool isHidden() const { return false; }
    bool VPDFLT() const { return mVpDefault; }
    void setVPDFLT(bool frozen);
    ZcCmColor color() const { return mColor; }
    void setColor(const ZcCmColor& color);
    ZcDbObjectId linetypeObjectId() const { return mLinetypeId; }
    Zcad::ErrorStatus setLinetypeObjectId(ZcDbObjectId id);
    ZcDb::LineWeight lineWeight() const { return mLineWeight; }
    Zcad::ErrorStatus setLineWeight(ZcDb::LineWeight weight);
    const wchar_t* description() const { return mDescription.c_str(); }
    Zcad::ErrorStatus setDescription(const wchar_t* description);
    // Plot style name ("Normal" by default).
    const wchar_t* plotStyleName() const { return mPlotStyle.c_str(); }
    Zcad::ErrorStatus setPlotStyleName(const wchar_t* newName);
    bool isInUse() const { return true; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    // Layer "0" and the current layer cannot be erased (eCannotBeErasedByCaller).
    Zcad::ErrorStatus subErase(bool erasing) override;

private:
    bool mFrozen = false;
    bool mOff = false;
    bool mLocked = false;
    bool mPlottable = true;
    bool mVpDefault = false;
    ZcCmColor mColor;
    ZcDbObjectId mLinetypeId;
    ZcDb::LineWeight mLineWeight = ZcDb::kLnWtByLwDefault;
    std::wstring mDescription;
    std::wstring mPlotStyle = L"Normal";
};

// Text styles.
class ZcDbTextStyleTableRecord;
class ZcDbTextStyleTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbTextStyleTable);
    ZcRxClass* recordClass() const override;
    using ZcDbSymbolTable::getAt;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbTextStyleTableRecord*& pRec, ZcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
};

class ZcDbTextStyleTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbTextStyleTableRecord);

    bool isShapeFile() const { return (mFlags & 1) != 0; }
    void setIsShapeFile(bool shape);
    bool isVertical() const { return (mFlags & 4) != 0; }
    void setIsVertical(bool vertical);
    double textSize() const { return mTextSize; }
    Zcad::ErrorStatus setTextSize(double size);
    double xScale() const { return mXScale; }
    Zcad::ErrorStatus setXScale(double xScale);
    double obliquingAngle() const { return mOblique; }
    Zcad::ErrorStatus setObliquingAngle(double obliquingAngle);
    // Bit 2 backwards, bit 4 upside down.
    uint8_t flagBits() const { return mGenerationFlags; }
    void setFlagBits(uint8_t flagBits);
    double priorSize() const { return mPriorSize; }
    Zcad::ErrorStatus setPriorSize(double priorSize);
    Zcad::ErrorStatus fileName(const wchar_t*& fileName) const;
    Zcad::ErrorStatus setFileName(const wchar_t* fileName);
    Zcad::ErrorStatus bigFontFileName(const wchar_t*& fileName) const;
    Zcad::ErrorStatus setBigFontFileName(const wchar_t* fileName);
    // TrueType face description; typeface "" means the style uses its font files.
    Zcad::ErrorStatus font(wchar_t*& pTypeface, bool& bold, bool& italic, int& charset, int& pitchAndFamily) const;
    Zcad::ErrorStatus setFont(const wchar_t* pTypeface, bool bold, bool italic, int charset, int pitchAndFamily,
                              bool bAllowMissingFont = false);
    const wchar_t* typeface() const { return mTypeface.c_str(); }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    int mFlags = 0;
    uint8_t mGenerationFlags = 0;
    double mTextSize = 0.0;
    double mXScale = 1.0;
    double mOblique = 0.0;
    double mPriorSize = 2.5;
    std::wstring mFileName;
    std::wstring mBigFontFileName;
    std::wstring mTypeface;
    bool mBold = false;
    bool mItalic = false;
    int mCharset = 0;
    int mPitchAndFamily = 0;
};

// Linetypes.
class ZcDbLinetypeTableRecord;
class ZcDbLinetypeTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLinetypeTable);
    ZcRxClass* recordClass() const override;
    using ZcDbSymbolTable::getAt;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbLinetypeTableRecord*& pRec, ZcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
};

class ZcDbLinetypeTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbLinetypeTableRecord);

    Zcad::ErrorStatus comments(const wchar_t*& pString) const;
    Zcad::ErrorStatus setComments(const wchar_t* pString);
    bool isScaledToFit() const { return mScaledToFit; }
    void setIsScaledToFit(bool scaledToFit);
    double patternLength() const { return mPatternLength; }
    void setPatternLength(double patternLength);
    int numDashes() const { return int(mDashes.size()); }
    void setNumDashes(int count);
    double dashLengthAt(int index) const;
    Zcad::ErrorStatus setDashLengthAt(int index, double value);
    // Complex linetypes: a shape (number > 0 of the shape file of the style) or a text (the
    // style's font) drawn where dash index ends, moved by the offset, scaled, and turned by
    // the rotation (radians) from the line's direction, or from the x axis when UCS oriented.
    ZcDbObjectId shapeStyleAt(int index) const;
    void setShapeStyleAt(int index, ZcDbObjectId id);
    int shapeNumberAt(int index) const;
    void setShapeNumberAt(int index, int shapeNumber);
    ZcGeVector2d shapeOffsetAt(int index) const;
    void setShapeOffsetAt(int index, const ZcGeVector2d& offset);
    double shapeScaleAt(int index) const;
    void setShapeScaleAt(int index, double scale);
    bool shapeIsUcsOrientedAt(int index) const;
    void setShapeIsUcsOrientedAt(int index, bool isUcsOriented);
    double shapeRotationAt(int index) const;
    void setShapeRotationAt(int index, double rotation);
    // The text of dash index (empty: none).
    Zcad::ErrorStatus textAt(int index, const wchar_t*& text) const;
    Zcad::ErrorStatus setTextAt(int index, const wchar_t* text);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    struct Dash {
        double length = 0.0;
        ZcDbObjectId style;
        int shape = 0;
        ZcGeVector2d offset;
        double scale = 1.0;
        bool ucsOriented = false;
        double rotation = 0.0;
        std::wstring text;
    };
    Dash* dashAt(int index);
    std::wstring mComments;
    bool mScaledToFit = false;
    double mPatternLength = 0.0;
    std::vector<Dash> mDashes;
};

// Viewport configurations ("*Active" holds the current model view).
class ZcDbViewportTableRecord;
class ZcDbViewportTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbViewportTable);
    ZcRxClass* recordClass() const override;
    using ZcDbSymbolTable::getAt;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbViewportTableRecord*& pRec, ZcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
};

class ZcDbViewportTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbViewportTableRecord);

    ZcGePoint2d centerPoint() const { return mCenter; }
    void setCenterPoint(const ZcGePoint2d& pt);
    double height() const { return mHeight; }
    void setHeight(double height);
    double width() const { return mWidth; }
    void setWidth(double width);
    ZcGePoint3d target() const { return mTarget; }
    void setTarget(const ZcGePoint3d& target);
    ZcGeVector3d viewDirection() const { return mViewDirection; }
    void setViewDirection(const ZcGeVector3d& direction);
    double viewTwist() const { return mTwist; }
    void setViewTwist(double angle);
    double lensLength() const { return mLensLength; }
    void setLensLength(double length);
    ZcGePoint2d lowerLeftCorner() const { return mLowerLeft; }
    void setLowerLeftCorner(const ZcGePoint2d& pt);
    ZcGePoint2d upperRightCorner() const { return mUpperRight; }
    void setUpperRightCorner(const ZcGePoint2d& pt);
    // UCS stored with the view.
    Zcad::ErrorStatus getUcs(ZcGePoint3d& origin, ZcGeVector3d& xAxis, ZcGeVector3d& yAxis) const;
    void setUcs(const ZcGePoint3d& origin, const ZcGeVector3d& xAxis, const ZcGeVector3d& yAxis);
    bool isUcsSavedWithViewport() const { return true; }

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    ZcGePoint2d mCenter;
    double mHeight = 1.0;
    double mWidth = 1.0;
    ZcGePoint3d mTarget;
    ZcGeVector3d mViewDirection{0.0, 0.0, 1.0};
    double mTwist = 0.0;
    double mLensLength = 50.0;
    ZcGePoint2d mLowerLeft{0.0, 0.0};
    ZcGePoint2d mUpperRight{1.0, 1.0};
    ZcGePoint3d mUcsOrigin;
    ZcGeVector3d mUcsX{1.0, 0.0, 0.0};
    ZcGeVector3d mUcsY{0.0, 1.0, 0.0};
};

// Registered applications (names of extended data sections).
class ZcDbRegAppTableRecord;
class ZcDbRegAppTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegAppTable);
    ZcRxClass* recordClass() const override;
    using ZcDbSymbolTable::getAt;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbRegAppTableRecord*& pRec, ZcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
};

class ZcDbRegAppTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbRegAppTableRecord);
};

// Dimension styles. The record models its name; every other value a drawing file gave it is
// kept as the file held it and written back, so that nothing is lost on the way through.
// A group that names another object (codes 340-349: text style, arrow blocks, linetypes)
// holds that object's id, so it follows the object when the drawing is copied.
struct ZcDbDimStyleGroup {
    int16_t code = 0;
    std::string value;  // UTF-8; unused for groups that name an object
    ZcDbObjectId id;
    static bool namesObject(int code) { return code >= 340 && code <= 349; }
};

class ZcDbDimStyleTableRecord;
class ZcDbDimStyleTable : public ZcDbSymbolTable {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDimStyleTable);
    ZcRxClass* recordClass() const override;
    using ZcDbSymbolTable::getAt;
    Zcad::ErrorStatus getAt(const wchar_t* entryName, ZcDbDimStyleTableRecord*& pRec, ZcDb::OpenMode openMode,
                            bool openErasedRec = false) const;
};

class ZcDbDimStyleTableRecord : public ZcDbSymbolTableRecord {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDimStyleTableRecord);

    // The dimension variables as groups, in the order the file gave them.
    const std::vector<ZcDbDimStyleGroup>& keptGroups() const { return mGroups; }
    Zcad::ErrorStatus setKeptGroups(std::vector<ZcDbDimStyleGroup> groups);

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;

private:
    std::vector<ZcDbDimStyleGroup> mGroups;
};
