// One title-block definition of the library (TK_Customization) and the catalogue's text
// style, text and layer (TK_Text_Settings). Geometry is in the drawing units of the sample
// frame, relative to Centre and unrotated (the sample's rotation is kept in Angle).
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>

#include "db/dbmain.h"
#include "ge/extents.h"
#include "ge/gepnt3d.h"
#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"

// Range types of Get_TK_Range: 0 the adjusted plot range, 1..6 the texts A..F, 11..14 the
// four stamps. Any other number selects the plot range.
enum TK_Range_Type {
    TK_Range_Plot = 0,
    TK_Range_A = 1, TK_Range_B = 2, TK_Range_C = 3, TK_Range_D = 4, TK_Range_E = 5, TK_Range_F = 6,
    TK_Range_Stamp_1 = 11, TK_Range_Stamp_2 = 12, TK_Range_Stamp_3 = 13, TK_Range_Stamp_4 = 14,
};

// The all-zero box of a range that was never picked (not set: Check_Extents is false).
inline ZcDbExtents Zero_Extents() { return ZcDbExtents(ZcGePoint3d(0.0, 0.0, 0.0), ZcGePoint3d(0.0, 0.0, 0.0)); }

class TK_Customization : public CObject {
public:
    TK_Customization() = default;
    ~TK_Customization() override = default;

    // One record in the layout of the library file; fields newer than `file_version`
    // are not read and keep their values. False when the stream ran out or broke.
    bool Read(std::istream& in, int32_t file_version);
    void Write(std::ostream& out) const;

    // The stored range of a range type (see TK_Range_Type).
    const ZcDbExtents& Range_Of_Type(int range_type) const;
    ZcDbExtents& Range_Of_Type(int range_type);

    ZcGePoint3d Centre{0.0, 0.0, 0.0};   // not stored in the library file
    CString Title;
    CString Block_Name;                  // key of the library, compared without regard to case
    double Angle = 0.0;
    double Scale = 1.0;
    CString Name_Rule;
    MyPaper Paper{297, 210};
    ZcDbExtents Frame_Ext = Zero_Extents();
    ZcDbExtents Range_A = Zero_Extents();  // 图号
    ZcDbExtents Range_B = Zero_Extents();  // 版次
    ZcDbExtents Range_C = Zero_Extents();  // 图名
    ZcDbExtents Range_D = Zero_Extents();  // 日期
    ZcDbExtents Range_E = Zero_Extents();  // 信息1
    ZcDbExtents Range_F = Zero_Extents();  // 信息2
    ZcDbExtents Plot_Range = Zero_Extents();  // adjusted plot range
    ZcDbExtents Stamp_Range_1 = Zero_Extents();  // 注册章
    ZcDbExtents Stamp_Range_2 = Zero_Extents();  // 出图章
    ZcDbExtents Stamp_Range_3 = Zero_Extents();  // 项目章
    ZcDbExtents Stamp_Range_4 = Zero_Extents();  // 竣工章
    int Seq_Digits = 2;
    int Priority = 1;                    // 0..8, shown as 1..9
    int Is_Dynamic = 0;
};

class TK_Text_Settings {
public:
    bool Read(std::istream& in);
    void Write(std::ostream& out) const;

    CString Style_Name = L"Standard";
    CString Font_File = L"Korvel_EN.shx";
    CString Big_Font_File = L"Korvel_HZ.shx";
    double Style_Height = 300.0;
    double Style_Width = 0.8;
    int Style_Is_Shx = 1;
    double Text_Height = 300.0;
    double Text_Width = 0.8;
    int Text_Color = 256;
    CString Layer_Name = L"0";
    int Layer_Color = 1;
    CString Layer_Linetype = L"Continuous";
    int Layer_Lineweight = -3;
};

typedef CTypedPtrArray<CObArray, TK_Customization*> TK_Customization_Array;
