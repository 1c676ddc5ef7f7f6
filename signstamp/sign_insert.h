// Placing a library signature: the first corner picked, the opposite corner dragged with the
// signature fitted into the rectangle (Tab turns it), the entity put on layer "KV_Sign".
#pragma once

#include <memory>

#include "db/dbid.h"
#include "ed/jig.h"
#include "signstamp/sign_library.h"
#include "signstamp/temp_sign.h"

// 1 while the signature drag runs; the window watcher then turns g_Sign_Jig_Rot on Tab.
extern int g_Sign_Jig_Active;

// Drags the second corner with the fitted outline following the cursor.
class Jig_Sign : public ZcEdJig {
public:
    Jig_Sign(const ZcGePoint3d& first_corner, const ZcArray<int32_t>& loop_counts, const ZcGePoint3dArray& points);

    const ZcGePoint3d& Current_Point() const { return m_Current; }
    DragStatus sampler() override;
    bool update() override;
    ZcDbEntity* entity() const override;

private:
    ZcGePoint3d m_Current = ZcGePoint3d::kOrigin;
    std::unique_ptr<Temp_Sign> m_Preview;
};

// True with the second corner (world coordinates) when the user picked one.
bool Drag_Signature_Corner(const ZcArray<int32_t>& loop_counts, const ZcGePoint3dArray& points,
                           const ZcGePoint3d& first_corner, ZcGePoint3d& second_corner);
// Places the signature; the new entity's id, or a null id when nothing was placed.
ZcDbObjectId Insert_Signature(const KV_Sign& sign);
// Columns beyond the first of the signature picker for n signatures: as many as keep every
// signature within Sign_Picker_Max_Rows rows.
constexpr int Sign_Picker_Max_Rows = 38;
int Sign_Picker_Extra_Columns(int n);
// The picker command: offers the enabled signatures of g_Sign_Library and places the chosen one.
void Run_Insert_Library_Signature();
