// The UCS in force when a command began, and the conversions between it and the world.
#pragma once

#include "db/dbmain.h"
#include "ge/gemat3d.h"
#include "ge/gept2dar.h"

struct Ucs_Transform {
    bool Active = false;        // a user UCS is remembered
    ZcGeMatrix3d Ucs_To_World_Matrix;  // the UCS as the host reports it
    ZcGeMatrix3d World_To_Ucs_Matrix;  // its inverse

    // Inactive, both matrices the identity.
    void Reset();
    // Records the current UCS (in paper space: Set_World). With align, also makes sure the
    // view is the plan view of that UCS, right way up.
    void Capture(bool align);
    // Resets and makes the world the current UCS with an untwisted plan view, unless it
    // already is.
    void Set_World();

    // Conversions; each leaves its input as it is while inactive. The 2D forms convert
    // (x, y, 0) and keep x and y.
    void World_To_Ucs(ZcGePoint3d& point) const;
    void World_To_Ucs_2d(ZcGePoint2d& point) const;
    void Ucs_To_World(ZcGePoint3d& point) const;
    void Ucs_To_World_2d(ZcGePoint2d& point) const;
    void Ucs_To_World_Vector(ZcGeVector3d& vector) const;
};

// The one instance: reset at module start, captured by the commands.
extern Ucs_Transform g_Ucs;

// UCS-to-world of g_Ucs on every point, or on one point, in place.
void Ucs_Points2d_To_World(ZcGePoint2dArray& points);
void Ucs_Point2d_To_World(ZcGePoint2d& point);

// An entity as measured in the UCS: its copy transformed into the UCS of g_Ucs while
// g_Ucs is active, otherwise the entity itself.
struct Ucs_Entity_Pair {
    const ZcDbEntity* Source = nullptr;  // not owned
    ZcDbEntity* Copy = nullptr;          // owned, or null

    explicit Ucs_Entity_Pair(const ZcDbEntity* source);
    ~Ucs_Entity_Pair() { Release_Ucs_Copy(); }
    Ucs_Entity_Pair(const Ucs_Entity_Pair&) = delete;
    Ucs_Entity_Pair& operator=(const Ucs_Entity_Pair&) = delete;

    // The entity to measure: the copy when there is one.
    const ZcDbEntity* Entity() const { return Copy != nullptr ? Copy : Source; }
    // Deletes the copy (never the source) and clears both fields.
    void Release_Ucs_Copy();
};
