// Filers: the abstract interfaces through which objects write and read their fields
// (binary: ZcDbDwgFiler; group codes: ZcDbDxfFiler).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "db/dbid.h"
#include "db/zcdb.h"
#include "rx/rxobject.h"

class ZcGePoint2d;
class ZcGePoint3d;
class ZcGeVector2d;
class ZcGeVector3d;
class ZcGeScale3d;

class ZcDbDwgFiler : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDwgFiler);
    ~ZcDbDwgFiler() override = default;

    virtual Zcad::ErrorStatus filerStatus() const = 0;
    virtual ZcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Zcad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    virtual ZcDbDatabase* database() const { return nullptr; }

    virtual Zcad::ErrorStatus readHardOwnershipId(ZcDbHardOwnershipId* id) = 0;
    virtual Zcad::ErrorStatus writeHardOwnershipId(const ZcDbHardOwnershipId& id) = 0;
    virtual Zcad::ErrorStatus readSoftOwnershipId(ZcDbSoftOwnershipId* id) = 0;
    virtual Zcad::ErrorStatus writeSoftOwnershipId(const ZcDbSoftOwnershipId& id) = 0;
    virtual Zcad::ErrorStatus readHardPointerId(ZcDbHardPointerId* id) = 0;
    virtual Zcad::ErrorStatus writeHardPointerId(const ZcDbHardPointerId& id) = 0;
    virtual Zcad::ErrorStatus readSoftPointerId(ZcDbSoftPointerId* id) = 0;
    virtual Zcad::ErrorStatus writeSoftPointerId(const ZcDbSoftPointerId& id) = 0;

    // Strings: readString(wchar_t**) allocates with new wchar_t[] (the caller deletes it).
    virtual Zcad::ErrorStatus readString(wchar_t** value) = 0;
    virtual Zcad::ErrorStatus readString(std::wstring& value) = 0;
    virtual Zcad::ErrorStatus writeString(const wchar_t* value) = 0;
    virtual Zcad::ErrorStatus writeString(const std::wstring& value) { return writeString(value.c_str()); }
    virtual Zcad::ErrorStatus readBytes(void* buffer, size_t size) = 0;
    virtual Zcad::ErrorStatus writeBytes(const void* buffer, size_t size) = 0;

    virtual Zcad::ErrorStatus readBool(bool* value) = 0;
    virtual Zcad::ErrorStatus writeBool(bool value) = 0;
    virtual Zcad::ErrorStatus readInt8(int8_t* value) = 0;
    virtual Zcad::ErrorStatus writeInt8(int8_t value) = 0;
    virtual Zcad::ErrorStatus readUInt8(uint8_t* value) = 0;
    virtual Zcad::ErrorStatus writeUInt8(uint8_t value) = 0;
    virtual Zcad::ErrorStatus readInt16(int16_t* value) = 0;
    virtual Zcad::ErrorStatus writeInt16(int16_t value) = 0;
    virtual Zcad::ErrorStatus readUInt16(uint16_t* value) = 0;
    virtual Zcad::ErrorStatus writeUInt16(uint16_t value) = 0;
    virtual Zcad::ErrorStatus readInt32(int32_t* value) = 0;
    virtual Zcad::ErrorStatus writeInt32(int32_t value) = 0;
    virtual Zcad::ErrorStatus readUInt32(uint32_t* value) = 0;
    virtual Zcad::ErrorStatus writeUInt32(uint32_t value) = 0;
    virtual Zcad::ErrorStatus readInt64(int64_t* value) = 0;
    virtual Zcad::ErrorStatus writeInt64(int64_t value) = 0;
    virtual Zcad::ErrorStatus readUInt64(uint64_t* value) = 0;
    virtual Zcad::ErrorStatus writeUInt64(uint64_t value) = 0;
    virtual Zcad::ErrorStatus readDouble(double* value) = 0;
    virtual Zcad::ErrorStatus writeDouble(double value) = 0;
    virtual Zcad::ErrorStatus readHandle(ZcDbHandle* value) = 0;
    virtual Zcad::ErrorStatus writeHandle(const ZcDbHandle& value) = 0;

    virtual Zcad::ErrorStatus readPoint2d(ZcGePoint2d* value) = 0;
    virtual Zcad::ErrorStatus writePoint2d(const ZcGePoint2d& value) = 0;
    virtual Zcad::ErrorStatus readPoint3d(ZcGePoint3d* value) = 0;
    virtual Zcad::ErrorStatus writePoint3d(const ZcGePoint3d& value) = 0;
    virtual Zcad::ErrorStatus readVector2d(ZcGeVector2d* value) = 0;
    virtual Zcad::ErrorStatus writeVector2d(const ZcGeVector2d& value) = 0;
    virtual Zcad::ErrorStatus readVector3d(ZcGeVector3d* value) = 0;
    virtual Zcad::ErrorStatus writeVector3d(const ZcGeVector3d& value) = 0;
    virtual Zcad::ErrorStatus readScale3d(ZcGeScale3d* value) = 0;
    virtual Zcad::ErrorStatus writeScale3d(const ZcGeScale3d& value) = 0;

    // Overloads by type, as the SDK offers them.
    Zcad::ErrorStatus readItem(ZcDbHardOwnershipId* v) { return readHardOwnershipId(v); }
    Zcad::ErrorStatus writeItem(const ZcDbHardOwnershipId& v) { return writeHardOwnershipId(v); }
    Zcad::ErrorStatus readItem(ZcDbSoftOwnershipId* v) { return readSoftOwnershipId(v); }
    Zcad::ErrorStatus writeItem(const ZcDbSoftOwnershipId& v) { return writeSoftOwnershipId(v); }
    Zcad::ErrorStatus readItem(ZcDbHardPointerId* v) { return readHardPointerId(v); }
    Zcad::ErrorStatus writeItem(const ZcDbHardPointerId& v) { return writeHardPointerId(v); }
    Zcad::ErrorStatus readItem(ZcDbSoftPointerId* v) { return readSoftPointerId(v); }
    Zcad::ErrorStatus writeItem(const ZcDbSoftPointerId& v) { return writeSoftPointerId(v); }
    Zcad::ErrorStatus readItem(wchar_t** v) { return readString(v); }
    Zcad::ErrorStatus readItem(std::wstring& v) { return readString(v); }
    Zcad::ErrorStatus writeItem(const wchar_t* v) { return writeString(v); }
    Zcad::ErrorStatus readItem(bool* v) { return readBool(v); }
    Zcad::ErrorStatus writeItem(bool v) { return writeBool(v); }
    Zcad::ErrorStatus readItem(int8_t* v) { return readInt8(v); }
    Zcad::ErrorStatus writeItem(int8_t v) { return writeInt8(v); }
    Zcad::ErrorStatus readItem(uint8_t* v) { return readUInt8(v); }
    Zcad::ErrorStatus writeItem(uint8_t v) { return writeUInt8(v); }
    Zcad::ErrorStatus readItem(int16_t* v) { return readInt16(v); }
    Zcad::ErrorStatus writeItem(int16_t v) { return writeInt16(v); }
    Zcad::ErrorStatus readItem(uint16_t* v) { return readUInt16(v); }
    Zcad::ErrorStatus writeItem(uint16_t v) { return writeUInt16(v); }
    Zcad::ErrorStatus readItem(int32_t* v) { return readInt32(v); }
    Zcad::ErrorStatus writeItem(int32_t v) { return writeInt32(v); }
    Zcad::ErrorStatus readItem(uint32_t* v) { return readUInt32(v); }
    Zcad::ErrorStatus writeItem(uint32_t v) { return writeUInt32(v); }
    Zcad::ErrorStatus readItem(int64_t* v) { return readInt64(v); }
    Zcad::ErrorStatus writeItem(int64_t v) { return writeInt64(v); }
    Zcad::ErrorStatus readItem(uint64_t* v) { return readUInt64(v); }
    Zcad::ErrorStatus writeItem(uint64_t v) { return writeUInt64(v); }
    Zcad::ErrorStatus readItem(double* v) { return readDouble(v); }
    Zcad::ErrorStatus writeItem(double v) { return writeDouble(v); }
    Zcad::ErrorStatus readItem(ZcDbHandle* v) { return readHandle(v); }
    Zcad::ErrorStatus writeItem(const ZcDbHandle& v) { return writeHandle(v); }
    Zcad::ErrorStatus readItem(ZcGePoint2d* v) { return readPoint2d(v); }
    Zcad::ErrorStatus writeItem(const ZcGePoint2d& v) { return writePoint2d(v); }
    Zcad::ErrorStatus readItem(ZcGePoint3d* v) { return readPoint3d(v); }
    Zcad::ErrorStatus writeItem(const ZcGePoint3d& v) { return writePoint3d(v); }
    Zcad::ErrorStatus readItem(ZcGeVector2d* v) { return readVector2d(v); }
    Zcad::ErrorStatus writeItem(const ZcGeVector2d& v) { return writeVector2d(v); }
    Zcad::ErrorStatus readItem(ZcGeVector3d* v) { return readVector3d(v); }
    Zcad::ErrorStatus writeItem(const ZcGeVector3d& v) { return writeVector3d(v); }
    Zcad::ErrorStatus readItem(ZcGeScale3d* v) { return readScale3d(v); }
    Zcad::ErrorStatus writeItem(const ZcGeScale3d& v) { return writeScale3d(v); }
};

namespace ZcDb {
// DXF group codes as the filers take them (plain ints, so literal codes work too).
typedef int DxfCode;
enum : int {
    kDxfInvalid = -9999, kDxfXDictionary = -6, kDxfPReactors = -5, kDxfOperator = -4, kDxfXDataStart = -3,
    kDxfHeaderId = -2, kDxfEnd = -1, kDxfStart = 0, kDxfText = 1, kDxfXRefPath = 1, kDxfShapeName = 2,
    kDxfBlockName = 2, kDxfAttributeTag = 2, kDxfSymbolTableName = 2, kDxfMstyleName = 2,
    kDxfSymTableRecName = 2, kDxfAttributePrompt = 3, kDxfDimStyleName = 3, kDxfLinetypeProse = 3,
    kDxfTextFontFile = 3, kDxfDescription = 3, kDxfDimPostStr = 3, kDxfTextBigFontFile = 4,
    kDxfDimAPostStr = 4, kDxfCLShapeName = 4, kDxfSymTableRecComments = 4, kDxfHandle = 5,
    kDxfDimBlk = 5, kDxfLinetypeName = 6, kDxfTextStyleName = 7, kDxfLayerName = 8, kDxfCLShapeText = 9,
    kDxfXCoord = 10, kDxfYCoord = 20, kDxfZCoord = 30, kDxfElevation = 38, kDxfThickness = 39,
    kDxfReal = 40, kDxfViewportHeight = 40, kDxfTxtSize = 40, kDxfTxtStyleXScale = 41,
    kDxfViewWidth = 41, kDxfViewportAspect = 41, kDxfTxtStylePSize = 42, kDxfViewLensLength = 42,
    kDxfViewFrontClip = 43, kDxfViewBackClip = 44, kDxfShapeXOffset = 44, kDxfShapeYOffset = 45,
    kDxfViewHeight = 45, kDxfShapeScale = 46, kDxfPixelScale = 47, kDxfLinetypeScale = 48,
    kDxfDashLength = 49, kDxfMlineOffset = 49, kDxfLinetypeElement = 49, kDxfAngle = 50,
    kDxfViewportSnapAngle = 50, kDxfViewportTwist = 51, kDxfVisibility = 60, kDxfViewportGridDisplay = 60,
    kDxfLayerLinetype = 61, kDxfColor = 62, kDxfHasSubentities = 66, kDxfViewportVisibility = 67,
    kDxfViewportActive = 68, kDxfViewportNumber = 69, kDxfInt16 = 70, kDxfViewMode = 71,
    kDxfCircleSides = 72, kDxfViewportZoom = 73, kDxfViewportIcon = 74, kDxfViewportSnap = 75,
    kDxfViewportGrid = 76, kDxfViewportSnapStyle = 77, kDxfViewportSnapPair = 78, kDxfRegAppFlags = 71,
    kDxfTxtStyleFlags = 71, kDxfLinetypeAlign = 72, kDxfLinetypePDC = 73, kDxfInt32 = 90,
    kDxfVertexIdentifier = 91, kDxfSubclass = 100, kDxfEmbeddedObjectStart = 101,
    kDxfControlString = 102, kDxfDimVarHandle = 105, kDxfUCSOrg = 110, kDxfUCSOriX = 111,
    kDxfUCSOriY = 112, kDxfXReal = 140, kDxfViewBrightness = 141, kDxfViewContrast = 142,
    kDxfInt64 = 160, kDxfXInt16 = 170, kDxfNormalX = 210, kDxfNormalY = 220, kDxfNormalZ = 230,
    kDxfXXInt16 = 270, kDxfInt8 = 280, kDxfRenderMode = 281, kDxfDefaultLightingType = 282,
    kDxfShadowFlags = 284, kDxfBool = 290, kDxfDefaultLightingOn = 292, kDxfXTextString = 300,
    kDxfBinaryChunk = 310, kDxfArbHandle = 320, kDxfSoftPointerId = 330, kDxfHardPointerId = 340,
    kDxfSoftOwnershipId = 350, kDxfHardOwnershipId = 360, kDxfLineWeight = 370, kDxfPlotStyleNameType = 380,
    kDxfPlotStyleNameId = 390, kDxfXXXInt16 = 400, kDxfLayoutName = 410, kDxfColorRGB = 420,
    kDxfColorName = 430, kDxfAlpha = 440, kDxfGradientObjType = 450, kDxfGradientPatType = 451,
    kDxfGradientTintType = 452, kDxfGradientColCount = 453, kDxfGradientAngle = 460,
    kDxfGradientShift = 461, kDxfGradientTintVal = 462, kDxfGradientColVal = 463, kDxfGradientName = 470,
    kDxfFaceStyleId = 390, kDxfEdgeStyleId = 391, kDxfComment = 999, kDxfXdAsciiString = 1000,
    kDxfRegAppName = 1001, kDxfXdControlString = 1002, kDxfXdLayerName = 1003, kDxfXdBinaryChunk = 1004,
    kDxfXdHandle = 1005, kDxfXdXCoord = 1010, kDxfXdYCoord = 1020, kDxfXdZCoord = 1030,
    kDxfXdWorldXCoord = 1011, kDxfXdWorldYCoord = 1021, kDxfXdWorldZCoord = 1031,
    kDxfXdWorldXDisp = 1012, kDxfXdWorldYDisp = 1022, kDxfXdWorldZDisp = 1032,
    kDxfXdWorldXDir = 1013, kDxfXdWorldYDir = 1023, kDxfXdWorldZDir = 1033, kDxfXdReal = 1040,
    kDxfXdDist = 1041, kDxfXdScale = 1042, kDxfXdInteger16 = 1070, kDxfXdInteger32 = 1071, kDxfXdMax = 1071
};
}  // namespace ZcDb

struct resbuf;

class ZcDbDxfFiler : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcDbDxfFiler);
    ~ZcDbDxfFiler() override = default;

    enum { kDfltPrec = -1, kMaxPrec = 16 };

    virtual Zcad::ErrorStatus filerStatus() const = 0;
    virtual ZcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Zcad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    virtual ZcDbDatabase* database() const { return nullptr; }

    // Reading: the next group into rb (string values allocated with new wchar_t[]; the caller
    // frees them, e.g. with zcutRelRb on a heap resbuf or delete[] on rb->resval.rstring).
    virtual Zcad::ErrorStatus readResBuf(resbuf* rb) = 0;
    Zcad::ErrorStatus readItem(resbuf* rb) { return readResBuf(rb); }
    // Makes the next read return the group just read again.
    virtual void pushBackItem() = 0;
    virtual bool atEOF() = 0;
    virtual bool atEndOfObject() = 0;
    virtual bool atExtendedData() = 0;
    // True (and the subclass marker consumed) when the next group is 100 with that name.
    virtual bool atSubclassData(const wchar_t* subClassName) = 0;

    // Writing.
    virtual Zcad::ErrorStatus writeResBuf(const resbuf& rb) = 0;
    Zcad::ErrorStatus writeItem(const resbuf& rb) { return writeResBuf(rb); }
    virtual Zcad::ErrorStatus writeObjectId(ZcDb::DxfCode code, const ZcDbObjectId& id) = 0;
    virtual Zcad::ErrorStatus writeString(ZcDb::DxfCode code, const wchar_t* value) = 0;
    virtual Zcad::ErrorStatus writeString(ZcDb::DxfCode code, const std::wstring& value)
    {
        return writeString(code, value.c_str());
    }
    virtual Zcad::ErrorStatus writeBool(ZcDb::DxfCode code, bool value) = 0;
    virtual Zcad::ErrorStatus writeInt8(ZcDb::DxfCode code, int8_t value) = 0;
    virtual Zcad::ErrorStatus writeInt16(ZcDb::DxfCode code, int16_t value) = 0;
    virtual Zcad::ErrorStatus writeUInt16(ZcDb::DxfCode code, uint16_t value) = 0;
    virtual Zcad::ErrorStatus writeInt32(ZcDb::DxfCode code, int32_t value) = 0;
    virtual Zcad::ErrorStatus writeUInt32(ZcDb::DxfCode code, uint32_t value) = 0;
    virtual Zcad::ErrorStatus writeInt64(ZcDb::DxfCode code, int64_t value) = 0;
    virtual Zcad::ErrorStatus writeDouble(ZcDb::DxfCode code, double value, int precision = kDfltPrec) = 0;
    virtual Zcad::ErrorStatus writeHandle(ZcDb::DxfCode code, const ZcDbHandle& value) = 0;
    virtual Zcad::ErrorStatus writeBytes(ZcDb::DxfCode code, const void* data, size_t size) = 0;
    virtual Zcad::ErrorStatus writePoint2d(ZcDb::DxfCode code, const ZcGePoint2d& value, int precision = kDfltPrec) = 0;
    virtual Zcad::ErrorStatus writePoint3d(ZcDb::DxfCode code, const ZcGePoint3d& value, int precision = kDfltPrec) = 0;
    virtual Zcad::ErrorStatus writeVector2d(ZcDb::DxfCode code, const ZcGeVector2d& value, int precision = kDfltPrec) = 0;
    virtual Zcad::ErrorStatus writeVector3d(ZcDb::DxfCode code, const ZcGeVector3d& value, int precision = kDfltPrec) = 0;
    virtual Zcad::ErrorStatus writeScale3d(ZcDb::DxfCode code, const ZcGeScale3d& value, int precision = kDfltPrec) = 0;

    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, const wchar_t* v) { return writeString(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, bool v) { return writeBool(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, int8_t v) { return writeInt8(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, int16_t v) { return writeInt16(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, uint16_t v) { return writeUInt16(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, int32_t v) { return writeInt32(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, uint32_t v) { return writeUInt32(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, int64_t v) { return writeInt64(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, double v, int prec = kDfltPrec) { return writeDouble(code, v, prec); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, const ZcDbObjectId& v) { return writeObjectId(code, v); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, const ZcGePoint2d& v, int prec = kDfltPrec) { return writePoint2d(code, v, prec); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, const ZcGePoint3d& v, int prec = kDfltPrec) { return writePoint3d(code, v, prec); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, const ZcGeVector2d& v, int prec = kDfltPrec) { return writeVector2d(code, v, prec); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, const ZcGeVector3d& v, int prec = kDfltPrec) { return writeVector3d(code, v, prec); }
    Zcad::ErrorStatus writeItem(ZcDb::DxfCode code, const ZcGeScale3d& v, int prec = kDfltPrec) { return writeScale3d(code, v, prec); }
};
