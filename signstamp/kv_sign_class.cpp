#include "signstamp/kv_sign_class.h"

#include "core/custom_entity_class.h"
#include "core/text_tokens.h"
#include "core/version_stamp.h"
#include "db/filer.h"
#include "db/gi.h"
#include "ed/command_line.h"
#include "signstamp/sign_dates.h"
#include "signstamp/sign_filing.h"
#include "signstamp/sign_library.h"
#include "signstamp/sign_plot_state.h"

KORVEL_DEFINE_CUSTOM_CLASS(KV_Sign_Class, Sign_Base);

namespace {

// Longest filed name, after escaping.
constexpr int Max_Filed_Name = 99;

CString Filed_Name(const CString& name)
{
    CString escaped = Escape_Cfg_String(name);
    if (escaped.GetLength() > Max_Filed_Name)
        escaped = escaped.Left(Max_Filed_Name);
    return escaped;
}

}  // namespace

KV_Sign_Class::KV_Sign_Class() : m_Generation(g_Sign_Lib_Generation) {}

KV_Sign_Class::KV_Sign_Class(int32_t person_no, const CString& name, const ZcArray<int32_t>& loop_counts,
                             const ZcGePoint3dArray& points)
    : Sign_Base(loop_counts, points), m_Person_No(person_no), m_Name(name), m_Generation(g_Sign_Lib_Generation)
{
}

void KV_Sign_Class::Set_Authorisation(int32_t code, int32_t start_date, int32_t end_date)
{
    assertWriteEnabled();
    m_Code = code;
    m_Start_Date = start_date;
    m_End_Date = end_date;
}

bool KV_Sign_Class::Validate()
{
    m_Generation = g_Sign_Lib_Generation;
    const KV_Sign* sign = g_Sign_Library.Find(m_Person_No);
    if (sign != nullptr && sign->Code < 1) {
        m_Code_Ok = m_Date_Ok = true;
        return true;
    }
    if (sign != nullptr && m_Code > 0 && m_Code == sign->Code) {
        m_Code_Ok = true;
        m_Date_Ok = Days_Left() > 0;
        return m_Date_Ok;
    }
    m_Code_Ok = false;
    return false;
}

int32_t KV_Sign_Class::Days_Left() const
{
    if (!m_Code_Ok)
        return 0;
    const int32_t today = Today_Date_Stamp();
    if (today < m_Start_Date || m_End_Date < today)
        return 0;
    int64_t days = 0;
    if (!Days_Between_Stamps(today, m_End_Date, days) || days < 0)
        return 0;
    return static_cast<int32_t>(days + 1);
}

void KV_Sign_Class::subList() const
{
    assertReadEnabled();
    zcutPrintf(L"\n签名：\n");
    zcutPrintf(L"人员编号 %d\n", m_Person_No);
    zcutPrintf(L"人员姓名 %s\n", m_Name.GetString());
    zcutPrintf(L"授权开始期限 %d\n", m_Start_Date);
    zcutPrintf(L"授权终止期限 %d\n", m_End_Date);
    zcutPrintf(L"是否通过授权码认证 %d\n", m_Code_Ok ? 1 : 0);
    zcutPrintf(L"是否通过有效期限认证 %d\n", m_Date_Ok ? 1 : 0);
}

bool KV_Sign_Class::subWorldDraw(ZcGiWorldDraw* mode)
{
    if (g_Show_Signatures == 0 || !Has_Loops())
        return true;
    if (m_Generation != g_Sign_Lib_Generation)
        Validate();
    if (m_Code_Ok && m_Date_Ok)
        Draw_Solid(mode);
    else if (g_Plot_Running != 1)
        Draw_Dashed(mode);
    return true;
}

void KV_Sign_Class::Draw_Dashed(ZcGiWorldDraw* mode) const
{
    int start = 0;
    for (int i = 0; i < m_Loop_Counts.length(); ++i) {
        const int n = m_Loop_Counts[i] < 0 ? -m_Loop_Counts[i] : m_Loop_Counts[i];
        const int end = start + n;
        if (end > m_Points.length())
            return;
        for (int j = start; j < end - 1; j += 3) {
            const ZcGePoint3d segment[2] = {m_Points[j], m_Points[j + 1]};
            if (mode->geometry().polyline(2, segment))
                return;
        }
        start = end;
    }
}

Zcad::ErrorStatus KV_Sign_Class::dwgInFields(ZcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Zcad::ErrorStatus es = Sign_Base::dwgInFields(filer);
    if (es != Zcad::eOk)
        return es;
    int32_t stamp = 0;
    filer->readInt32(&stamp);
    filer->readInt32(&m_Person_No);
    std::wstring name;
    filer->readString(name);
    m_Name = name.c_str();
    Unescape_Cfg_String(m_Name);
    filer->readInt32(&m_Code);
    filer->readInt32(&m_Start_Date);
    filer->readInt32(&m_End_Date);
    filer->readBool(&m_Code_Ok);
    filer->readBool(&m_Date_Ok);
    Validate();
    return filer->filerStatus();
}

Zcad::ErrorStatus KV_Sign_Class::dwgOutFields(ZcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Zcad::ErrorStatus es = Sign_Base::dwgOutFields(filer);
    if (es != Zcad::eOk)
        return es;
    filer->writeInt32(Program_Version_Stamp);
    filer->writeInt32(m_Person_No);
    filer->writeString(Filed_Name(m_Name).GetString());
    filer->writeInt32(m_Code);
    filer->writeInt32(m_Start_Date);
    filer->writeInt32(m_End_Date);
    filer->writeBool(m_Code_Ok);
    filer->writeBool(m_Date_Ok);
    return filer->filerStatus();
}

Zcad::ErrorStatus KV_Sign_Class::dxfInFields(ZcDbDxfFiler* filer)
{
    assertWriteEnabled();
    const Zcad::ErrorStatus es = Sign_Base::dxfInFields(filer);
    if (es != Zcad::eOk)
        return es;
    if (!filer->atSubclassData(L"KV_Sign_Class"))
        return Zcad::eBadDxfSequence;
    int32_t stamp = 0, code_ok = 1, date_ok = 1;
    CString name;
    if (!Read_Dxf_Int(filer, 90, stamp) || !Read_Dxf_Int(filer, 91, m_Person_No) || !Read_Dxf_String(filer, 1, name) ||
        !Read_Dxf_Int(filer, 92, m_Code) || !Read_Dxf_Int(filer, 93, m_Start_Date) ||
        !Read_Dxf_Int(filer, 94, m_End_Date) || !Read_Dxf_Int(filer, 290, code_ok) ||
        !Read_Dxf_Int(filer, 291, date_ok))
        return Zcad::eBadDxfSequence;
    Unescape_Cfg_String(name);
    m_Name = name;
    m_Code_Ok = code_ok != 0;
    m_Date_Ok = date_ok != 0;
    Validate();
    return filer->filerStatus();
}

Zcad::ErrorStatus KV_Sign_Class::dxfOutFields(ZcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Zcad::ErrorStatus es = Sign_Base::dxfOutFields(filer);
    if (es != Zcad::eOk)
        return es;
    filer->writeString(100, L"KV_Sign_Class");
    filer->writeInt32(90, Program_Version_Stamp);
    filer->writeInt32(91, m_Person_No);
    filer->writeString(1, Filed_Name(m_Name).GetString());
    filer->writeInt32(92, m_Code);
    filer->writeInt32(93, m_Start_Date);
    filer->writeInt32(94, m_End_Date);
    filer->writeBool(290, m_Code_Ok);
    filer->writeBool(291, m_Date_Ok);
    return filer->filerStatus();
}
