#include "signstamp/sign_base.h"

#include <vector>

#include "core/custom_entity_class.h"
#include "db/filer.h"
#include "db/gi.h"
#include "ge/extents.h"
#include "rx/zcadstrc.h"
#include "signstamp/sign_filing.h"
#include "signstamp/sign_plot_state.h"

KORVEL_DEFINE_CUSTOM_CLASS(Sign_Base, ZcDbEntity);

Sign_Base::Sign_Base(const ZcArray<int32_t>& loop_counts, const ZcGePoint3dArray& points)
    : m_Loop_Counts(loop_counts), m_Points(points)
{
}

void Sign_Base::Draw_Solid(ZcGiWorldDraw* mode) const
{
    std::vector<uint32_t> counts;
    std::vector<ZcGePoint3d> points;
    int next = 0;
    for (int i = 0; i < m_Loop_Counts.length(); ++i) {
        const int n = m_Loop_Counts[i] < 0 ? -m_Loop_Counts[i] : m_Loop_Counts[i];
        if (n == 0 || next + n > m_Points.length())
            break;
        counts.push_back(static_cast<uint32_t>(n));
        for (int j = next; j < next + n; ++j)
            points.push_back(ZcGePoint3d(m_Points[j].x, m_Points[j].y, 0.0));
        next += n;
    }
    if (counts.empty())
        return;
    mode->subEntityTraits().setFillType(kZcGiFillAlways);
    mode->geometry().polyPolygon(static_cast<uint32_t>(counts.size()), counts.data(), points.data());
}

bool Sign_Base::subWorldDraw(ZcGiWorldDraw* mode)
{
    if (g_Show_Signatures != 0 && Has_Loops())
        Draw_Solid(mode);
    return true;
}

Zcad::ErrorStatus Sign_Base::subTransformBy(const ZcGeMatrix3d& xform)
{
    assertWriteEnabled();
    for (int i = 0; i < m_Points.length(); ++i)
        m_Points[i].transformBy(xform);
    return Zcad::eOk;
}

Zcad::ErrorStatus Sign_Base::subGetGeomExtents(ZcDbExtents& extents) const
{
    for (int i = 0; i < m_Points.length(); ++i)
        extents.addPoint(m_Points[i]);
    return Zcad::eOk;
}

Zcad::ErrorStatus Sign_Base::dwgInFields(ZcDbDwgFiler* filer)
{
    assertWriteEnabled();
    const Zcad::ErrorStatus es = ZcDbEntity::dwgInFields(filer);
    if (es != Zcad::eOk)
        return es;
    m_Loop_Counts.removeAll();
    m_Points.removeAll();
    int16_t loops = 0;
    filer->readInt16(&loops);
    for (int16_t i = 0; i < loops && filer->filerStatus() == Zcad::eOk; ++i) {
        int16_t count = 0;
        filer->readInt16(&count);
        m_Loop_Counts.append(count);
    }
    int16_t points = 0;
    filer->readInt16(&points);
    for (int16_t i = 0; i < points && filer->filerStatus() == Zcad::eOk; ++i) {
        ZcGePoint3d point;
        filer->readPoint3d(&point);
        m_Points.append(point);
    }
    return filer->filerStatus();
}

Zcad::ErrorStatus Sign_Base::dwgOutFields(ZcDbDwgFiler* filer) const
{
    assertReadEnabled();
    const Zcad::ErrorStatus es = ZcDbEntity::dwgOutFields(filer);
    if (es != Zcad::eOk)
        return es;
    filer->writeInt16(static_cast<int16_t>(m_Loop_Counts.length()));
    for (int i = 0; i < m_Loop_Counts.length(); ++i)
        filer->writeInt16(static_cast<int16_t>(m_Loop_Counts[i]));
    filer->writeInt16(static_cast<int16_t>(m_Points.length()));
    for (int i = 0; i < m_Points.length(); ++i)
        filer->writePoint3d(m_Points[i]);
    return filer->filerStatus();
}

Zcad::ErrorStatus Sign_Base::dxfInFields(ZcDbDxfFiler* filer)
{
    assertWriteEnabled();
    Zcad::ErrorStatus es = ZcDbEntity::dxfInFields(filer);
    if (es != Zcad::eOk)
        return es;
    if (!filer->atSubclassData(L"Sign_Base"))
        return Zcad::eBadDxfSequence;
    m_Loop_Counts.removeAll();
    m_Points.removeAll();
    int32_t loops = 0;
    if (!Read_Dxf_Int(filer, 90, loops) || loops < 0 || loops > Max_Sign_Loops)
        return Zcad::eBadDxfSequence;
    for (int32_t i = 0; i < loops; ++i) {
        int32_t count = 0;
        if (!Read_Dxf_Int(filer, 91, count))
            return Zcad::eBadDxfSequence;
        m_Loop_Counts.append(count);
    }
    int32_t points = 0;
    if (!Read_Dxf_Int(filer, 92, points) || points < 0 || points > Max_Sign_Points)
        return Zcad::eBadDxfSequence;
    for (int32_t i = 0; i < points; ++i) {
        ZcGePoint3d point;
        if (!Read_Dxf_Point(filer, 10, point))
            return Zcad::eBadDxfSequence;
        m_Points.append(point);
    }
    return filer->filerStatus();
}

Zcad::ErrorStatus Sign_Base::dxfOutFields(ZcDbDxfFiler* filer) const
{
    assertReadEnabled();
    const Zcad::ErrorStatus es = ZcDbEntity::dxfOutFields(filer);
    if (es != Zcad::eOk)
        return es;
    filer->writeString(100, L"Sign_Base");
    filer->writeInt32(90, m_Loop_Counts.length());
    for (int i = 0; i < m_Loop_Counts.length(); ++i)
        filer->writeInt32(91, m_Loop_Counts[i]);
    filer->writeInt32(92, m_Points.length());
    for (int i = 0; i < m_Points.length(); ++i)
        filer->writePoint3d(10, m_Points[i]);
    return filer->filerStatus();
}
