// Ranges of a title-block definition mapped onto a frame reference in the drawing: rotated
// and scaled with the reference and moved to its centre, stretched dynamic frames corrected.
#pragma once

#include "db/dbmain.h"
#include "ge/extents.h"
#include "ge/gevec3d.h"
#include "titleblock/tk_customization.h"

class ZcDbBlockReference;

// A frame reference as the mapping measures it.
struct TK_Frame_Ref {
    ZcDbObjectId Id;
    double Rotation = 0.0;        // in the UCS of g_Ucs while it is active
    double World_Rotation = 0.0;  // the reference's own rotation
    double Scale = 0.0;           // absolute X scale
    ZcDbExtents Extents;          // exact extents, texts left out (UCS of g_Ucs while active)
};

// Measures the reference (through its UCS copy while g_Ucs is active); false when it does
// not open or is no block reference.
bool Measure_TK_Frame(ZcDbObjectId reference_id, TK_Frame_Ref& frame);
bool Measure_TK_Frame(const ZcDbBlockReference* reference, TK_Frame_Ref& frame);

// The range of the type (see TK_Range_Type) mapped onto the reference as an axis-parallel
// box; angle receives the reference's rotation. Stamp ranges come out in world coordinates
// (and the world rotation) while g_Ucs is active. False without a definition, when the
// stored range is not set or the reference cannot be measured.
bool Get_TK_Range(const TK_Customization* tk, ZcDbObjectId reference_id, int range_type, ZcDbExtents& box,
                  double& angle);
// The same on a reference already measured.
bool Map_TK_Range(const TK_Customization* tk, const TK_Frame_Ref& frame, int range_type, ZcDbExtents& box,
                  double& angle);
// Corrects a range of a dynamic definition (already turned back by the definition's angle)
// for the stretch of the reference: a text or stamp range keeps its distance from the
// frame's lower-right corner, the plot range (type 0) takes the stretched size.
// frame_box is the definition's Frame_Ext turned back the same way.
void Adjust_Dynamic_Range(ZcDbExtents& box, double tk_scale, const ZcDbExtents& frame_box, const TK_Frame_Ref& frame,
                          const ZcGeVector3d& min_offset, const ZcGeVector3d& max_offset, int range_type);
// The box around the corners of box turned by angle about the origin.
void Rotate_Box(ZcDbExtents& box, double angle);
