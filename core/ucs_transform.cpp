#include "core/ucs_transform.h"

#include <cmath>

#include "core/space_helpers.h"
#include "core/sysvar_helpers.h"
#include "ed/editor.h"
#include "ge/ge.h"

Ucs_Transform g_Ucs;

namespace {

constexpr double Twist_Tolerance = 1e-8;

bool Read_Vector(const wchar_t* name, ZcGeVector3d& vector)
{
    resbuf rb{};
    if (zcedGetVar(name, &rb) != RTNORM)
        return false;
    vector.set(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    return true;
}

// Makes the matrix the current UCS with UCSFOLLOW 1 for the moment, so that the host
// shows its plan view; UCSFOLLOW gets its value back.
void Set_Ucs_With_Plan_View(const ZcGeMatrix3d& ucs)
{
    int16_t follow = 0;
    Get_Var_Int(L"UCSFOLLOW", follow);
    Set_Var_Int(L"UCSFOLLOW", 1);
    zcedSetCurrentUCS(ucs);
    Set_Var_Int(L"UCSFOLLOW", follow);
}

// True when the view shows the UCS X axis to the right and its Y axis up.
bool View_Shows_Ucs(double twist)
{
    ZcGeVector3d x, y;
    if (!Read_Vector(L"UCSXDIR", x) || !Read_Vector(L"UCSYDIR", y))
        return false;
    x.normalize();
    y.normalize();
    ZcGeVector3d n = x.crossProduct(y);
    n.normalize();
    n = -n;
    ZcGeVector3d p = n.perpVector();
    p.rotateBy(twist, n);
    p = -p;
    const ZcGeVector3d q = p.crossProduct(n);
    const ZcGeTol tolerance(1e-10, 0.00001);
    return x.isCodirectionalTo(p, tolerance) && y.isCodirectionalTo(q, tolerance);
}

// (x, y, 0) through the matrix; x and y kept.
void Transform_2d(ZcGePoint2d& point, const ZcGeMatrix3d& matrix)
{
    const ZcGePoint3d p = matrix * ZcGePoint3d(point.x, point.y, 0);
    point.set(p.x, p.y);
}

}  // namespace

void Ucs_Transform::Reset()
{
    Active = false;
    Ucs_To_World_Matrix.setToIdentity();
    World_To_Ucs_Matrix.setToIdentity();
}

void Ucs_Transform::Capture(bool align)
{
    if (Is_Paper_Space()) {
        Set_World();
        return;
    }
    Reset();
    int16_t world = 1;
    double twist = 0;
    Get_Var_Int(L"WORLDUCS", world);
    Get_Var_Real(L"VIEWTWIST", twist);
    if (world != 0) {
        if (align && std::fabs(twist) > Twist_Tolerance)
            Set_Ucs_With_Plan_View(ZcGeMatrix3d::kIdentity);
        return;
    }
    Active = true;
    zcedGetCurrentUCS(Ucs_To_World_Matrix);
    World_To_Ucs_Matrix = Ucs_To_World_Matrix.inverse();
    if (!align || View_Shows_Ucs(twist))
        return;
    Set_Ucs_With_Plan_View(Ucs_To_World_Matrix);
}

void Ucs_Transform::Set_World()
{
    Reset();
    int16_t world = 1;
    double twist = 0;
    Get_Var_Int(L"WORLDUCS", world);
    Get_Var_Real(L"VIEWTWIST", twist);
    if (world != 0 && std::fabs(twist) <= Twist_Tolerance)
        return;
    Set_Ucs_With_Plan_View(ZcGeMatrix3d::kIdentity);
}

void Ucs_Transform::World_To_Ucs(ZcGePoint3d& point) const
{
    if (Active)
        point.transformBy(World_To_Ucs_Matrix);
}

void Ucs_Transform::World_To_Ucs_2d(ZcGePoint2d& point) const
{
    if (Active)
        Transform_2d(point, World_To_Ucs_Matrix);
}

void Ucs_Transform::Ucs_To_World(ZcGePoint3d& point) const
{
    if (Active)
        point.transformBy(Ucs_To_World_Matrix);
}

void Ucs_Transform::Ucs_To_World_2d(ZcGePoint2d& point) const
{
    if (Active)
        Transform_2d(point, Ucs_To_World_Matrix);
}

void Ucs_Transform::Ucs_To_World_Vector(ZcGeVector3d& vector) const
{
    if (Active)
        vector.transformBy(Ucs_To_World_Matrix);
}

void Ucs_Points2d_To_World(ZcGePoint2dArray& points)
{
    for (int i = 0; i < points.length(); ++i)
        g_Ucs.Ucs_To_World_2d(points[i]);
}

void Ucs_Point2d_To_World(ZcGePoint2d& point) { g_Ucs.Ucs_To_World_2d(point); }

Ucs_Entity_Pair::Ucs_Entity_Pair(const ZcDbEntity* source) : Source(source)
{
    if (source != nullptr && g_Ucs.Active &&
        source->getTransformedCopy(g_Ucs.World_To_Ucs_Matrix, Copy) != Zcad::eOk)
        Copy = nullptr;
}

void Ucs_Entity_Pair::Release_Ucs_Copy()
{
    if (Copy != nullptr && Copy != Source)
        delete Copy;
    Copy = nullptr;
    Source = nullptr;
}
