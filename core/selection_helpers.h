// Selecting entities: with prompts, with filters, by fence, and as selection sets.
#pragma once

#include "db/dbmain.h"
#include "ge/gept3dar.h"
#include "rx/zcadstrc.h"

// Appends the id of every member in the set's order, then frees the set.
void SelSet_To_Ids(const ads_name set, ZcDbObjectIdArray& ids);
// A new selection set holding the entities of the array; empties the array. False when
// the set could not be made.
bool Add_Ids_To_Selection(ZcDbObjectIdArray& ids, ads_name set);
// Empties the array and asks the user to select (one pick or window when single). When
// the user ends without selecting anything and fall_back is set, the whole drawing is
// taken ("X"). True when any id was collected; false with the array empty on Escape.
// Prompts longer than 255 characters are cut.
bool Select_With_Prompt(const wchar_t* prompt, ZcDbObjectIdArray& ids, bool fall_back, bool single);
bool Select_With_Filter(const wchar_t* prompt, const resbuf* filter, ZcDbObjectIdArray& ids, bool fall_back,
                        bool single);
// Filter on the entity type (group 0): "insert", "LWPOLYLINE", "LINE,ARC"...
bool Select_By_Type(const wchar_t* prompt, const wchar_t* type_name, ZcDbObjectIdArray& ids, bool fall_back,
                    bool single);
// Selection_By_User 1: the user selected; Whole_Drawing 2: nothing selected, the whole
// drawing was taken; 0 on Escape or when nothing was collected.
enum Selection_Result { Selection_None = 0, Selection_By_User = 1, Selection_Whole_Drawing = 2 };
int Select_Or_Whole_Drawing(const wchar_t* prompt, ZcDbObjectIdArray& ids);
// Fence selection ("F") along the points: appends each id found that is not yet in the
// array; always empties the point array; true when the fence found entities.
bool Fence_Select(ZcDbObjectIdArray& ids, ZcGePoint3dArray& points);
bool Fence_Select_Filtered(const resbuf* filter, ZcDbObjectIdArray& ids, ZcGePoint3dArray& points);
bool Fence_Select_By_Type(const wchar_t* type_name, ZcDbObjectIdArray& ids, ZcGePoint3dArray& points);
// The chain of the points (type RT3DPOINT, one buffer each, in order); nullptr when a
// buffer cannot be made. The caller releases it with zcutRelRb.
resbuf* Build_Point_List(const ZcGePoint3dArray& points);
