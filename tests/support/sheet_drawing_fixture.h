// A host with one new empty drawing as the current document, the marker classes
// registered, g_Ucs inactive and no hidden layers; helpers that build entities, blocks and
// layers in that drawing.
#pragma once

#include <gtest/gtest.h>

#include "core/hidden_layers.h"
#include "core/ucs_transform.h"
#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "drawing_builders.h"
#include "expect_box.h"
#include "ge/extents.h"

class Sheet_Drawing_Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Appends the entity to the block (model space when null) and closes it.
    static ZcDbObjectId Add(ZcDbEntity* entity, ZcDbObjectId block_id = ZcDbObjectId::kNull);
    // A reference to the block at the point, uniformly scaled, appended to the owner block.
    static ZcDbObjectId Insert(ZcDbObjectId block_id, const ZcGePoint3d& at, double scale = 1.0,
                               ZcDbObjectId owner_id = ZcDbObjectId::kNull);
    // A closed rectangular polyline.
    static ZcDbObjectId Add_Rect(double x0, double y0, double x1, double y1,
                                 ZcDbObjectId block_id = ZcDbObjectId::kNull);
    static ZcDbObjectId Add_Line(const ZcGePoint3d& from, const ZcGePoint3d& to,
                                 ZcDbObjectId block_id = ZcDbObjectId::kNull);
    // A layer of that name (made when missing), frozen and/or off.
    static ZcDbObjectId Layer(const wchar_t* name, bool frozen = false, bool off = false);
    // Puts the entity on the layer.
    static void Set_Layer(ZcDbObjectId entity_id, ZcDbObjectId layer_id);
};
