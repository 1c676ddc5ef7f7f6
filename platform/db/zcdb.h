// Enumerations of the drawing database (namespace ZcDb).
#pragma once
#include <cstdint>

namespace ZcDb {

enum OpenMode { kNotOpen = -1, kForRead = 0, kForWrite = 1, kForNotify = 2 };

enum Visibility { kVisible = 0, kInvisible = 1 };

enum LineWeight {
    kLnWt000 = 0, kLnWt005 = 5, kLnWt009 = 9, kLnWt013 = 13, kLnWt015 = 15, kLnWt018 = 18,
    kLnWt020 = 20, kLnWt025 = 25, kLnWt030 = 30, kLnWt035 = 35, kLnWt040 = 40, kLnWt050 = 50,
    kLnWt053 = 53, kLnWt060 = 60, kLnWt070 = 70, kLnWt080 = 80, kLnWt090 = 90, kLnWt100 = 100,
    kLnWt106 = 106, kLnWt120 = 120, kLnWt140 = 140, kLnWt158 = 158, kLnWt200 = 200, kLnWt211 = 211,
    kLnWtByLayer = -1, kLnWtByBlock = -2, kLnWtByLwDefault = -3
};

enum TextHorzMode { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };

enum Poly2dType { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
enum Poly3dType { k3dSimplePoly = 0, k3dQuadSplinePoly = 1, k3dCubicSplinePoly = 2 };
enum Vertex2dType { k2dVertex = 0, k2dSplineCtlVertex = 1, k2dSplineFitVertex = 2, k2dCurveFitVertex = 3 };
enum Vertex3dType { k3dSimpleVertex = 0, k3dControlVertex = 1, k3dFitVertex = 2 };

enum FilerType {
    kFileFiler = 0, kCopyFiler = 1, kUndoFiler = 2, kBagFiler = 3, kIdXlateFiler = 4, kPageFiler = 5,
    kDeepCloneFiler = 6, kIdFiler = 7, kPurgeFiler = 8, kWblockCloneFiler = 9
};

enum DuplicateRecordCloning {
    kDrcNotApplicable = 0, kDrcIgnore = 1, kDrcReplace = 2, kDrcXrefMangleName = 3, kDrcMangleName = 4,
    kDrcUnmangleName = 5
};

// Tables and their styles: row types (bits), cell alignments, grid lines (bits) and the
// direction rows flow in.
enum RowType { kUnknownRow = 0, kDataRow = 1, kTitleRow = 2, kHeaderRow = 4, kAllRows = 7 };
enum CellAlignment {
    kTopLeft = 1, kTopCenter = 2, kTopRight = 3, kMiddleLeft = 4, kMiddleCenter = 5, kMiddleRight = 6,
    kBottomLeft = 7, kBottomCenter = 8, kBottomRight = 9
};
enum GridLineType {
    kInvalidGridLine = 0, kHorzTop = 1, kHorzInside = 2, kHorzBottom = 4, kVertLeft = 8, kVertInside = 0x10,
    kVertRight = 0x20, kHorzGridLineTypes = 0x07, kVertGridLineTypes = 0x38, kOuterGridLineTypes = 0x2D,
    kInnerGridLineTypes = 0x12, kAllGridLineTypes = 0x3F
};
enum FlowDirection { kTtoB = 0, kBtoT = 1 };

enum MeasurementValue { kEnglish = 0, kMetric = 1 };

enum SaveType { kDwg = 0, kDxf = 1 };

// Drawing format versions (file format names AC1015 for 2000, AC1018 for 2004 ...).
enum ZcDbDwgVersion {
    kDHL_MC0_0 = 0, kDHL_CURRENT = 0, kDHL_1015 = 23, kDHL_1800a = 24, kDHL_1800 = 25, kDHL_2100a = 26,
    kDHL_1021 = 27, kDHL_1024 = 29, kDHL_1027 = 31, kDHL_1032 = 33
};
enum MaintenanceReleaseVersion { kMReleaseCurrent = 0 };

enum UnitsValue {
    kUnitsUndefined = 0, kUnitsInches = 1, kUnitsFeet = 2, kUnitsMiles = 3, kUnitsMillimeters = 4,
    kUnitsCentimeters = 5, kUnitsMeters = 6, kUnitsKilometers = 7
};

enum SegType { kLine = 0, kArc = 1, kCoincident = 2, kPoint = 3, kEmpty = 4 };

enum Planarity { kNonPlanar = 0, kPlanar = 1, kLinear = 2 };

}  // namespace ZcDb
