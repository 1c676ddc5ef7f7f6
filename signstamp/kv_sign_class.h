// A signature placed in a drawing: the outlines in drawing coordinates, the signer and
// the authorisation granted for this drawing (code and date window). It validates
// itself against g_Sign_Library: authorised it draws filled; otherwise dashed on screen
// and not at all while a plot runs.
#pragma once

#include <cstdint>

#include "mfc/afxstr.h"
#include "signstamp/sign_base.h"

class KV_Sign_Class : public Sign_Base {
public:
    ZCRX_DECLARE_MEMBERS(KV_Sign_Class);
    KV_Sign_Class();
    KV_Sign_Class(int32_t person_no, const CString& name, const ZcArray<int32_t>& loop_counts,
                  const ZcGePoint3dArray& points);

    int32_t Person_No() const { return m_Person_No; }
    const CString& Name() const { return m_Name; }
    int32_t Code() const { return m_Code; }
    int32_t Start_Date() const { return m_Start_Date; }
    int32_t End_Date() const { return m_End_Date; }
    bool Code_Ok() const { return m_Code_Ok; }
    bool Date_Ok() const { return m_Date_Ok; }
    // Writes the authorisation (all 0 withdraws it); the entity must be open for write.
    void Set_Authorisation(int32_t code, int32_t start_date, int32_t end_date);

    // Looks the signer up in the library; true when the signature is authorised.
    bool Validate();
    // Authorised days left: 0 without a valid code or outside the window; 1 on its last day.
    int32_t Days_Left() const;
    // Prints the signature's fields on the command line (never the code).
    void subList() const;

    Zcad::ErrorStatus dwgInFields(ZcDbDwgFiler* filer) override;
    Zcad::ErrorStatus dwgOutFields(ZcDbDwgFiler* filer) const override;
    Zcad::ErrorStatus dxfInFields(ZcDbDxfFiler* filer) override;
    Zcad::ErrorStatus dxfOutFields(ZcDbDxfFiler* filer) const override;

protected:
    bool subWorldDraw(ZcGiWorldDraw* mode) override;

private:
    // Every third segment of each loop, so the outline shows dashed.
    void Draw_Dashed(ZcGiWorldDraw* mode) const;

    int32_t m_Person_No = 0;
    CString m_Name = L"A";
    int32_t m_Code = 0;
    int32_t m_Start_Date = -1;
    int32_t m_End_Date = -1;
    bool m_Code_Ok = true;
    bool m_Date_Ok = true;
    int32_t m_Generation = 0;
};
