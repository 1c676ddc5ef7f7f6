// Selection sets and entity names.
#pragma once

#include <cstdint>

#include "rx/zcadstrc.h"

class ZcDbObjectId;

// Selects entities. Modes (an optional leading "_" is ignored):
//   nullptr / ""  ask: a `select all|window|crossing` step, a point step (one pick), or
//                 Enter (ends: RTERROR when nothing was selected); one select step ends the
//                 selection
//   ":S"          single selection: the first pick or select step ends it
//   ":$"          pt1 is an array of two prompts (select, remove); combines with ":S"
//   ":E"          accepted and ignored
//   "X"           every entity of the drawing (model space and every layout), filtered
// The other modes take shown entities of the current space (visible, on a layer that is on
// and thawed), never a layout's overall viewport.
//   "W" / "C"     window / crossing with the corners pt1 and pt2 (UCS), current space
//   "F"           fence: pt1 is a resbuf chain of points (RTPOINT/RT3DPOINT)
//   "I"           the pick-first set; "P" the previous selection; "L" the last entity
// Filters: groups -4 ("<AND" "AND>" "<OR" "OR>" "<NOT" "NOT>" "<XOR" "XOR>", and the
// relational "=" "!=" "<" "<=" ">" ">=" "&" "&=" "*" before an item), 0 (or RTDXF0) entity
// type, 8 layer, 2 block name (wildcards * ? # @ . [..] and ',' alternatives, without
// regard to case), 62 colour, 67 space (0 model, 1 paper), 410 layout name, 6 linetype.
// Returns RTNORM with a new set, RTERROR when nothing was selected, RTCAN on Esc.
int zcedSSGet(const wchar_t* str, const void* pt1, const void* pt2, const resbuf* filter,
              ads_name ss);
int zcedSSFree(const ads_name sname);
int zcedSSLength(const ads_name sname, int32_t* len);
// The entity at index i; RTERROR when out of range.
int zcedSSName(const ads_name ss, int32_t i, ads_name entres);
// Adds an entity to a set; with a null entity makes an empty set; with a null set makes a
// new one holding the entity (result in result).
int zcedSSAdd(const ads_name ename, const ads_name sname, ads_name result);
int zcedSSDel(const ads_name ename, const ads_name ss);
// RTNORM when the entity is in the set, RTERROR otherwise.
int zcedSSMemb(const ads_name ename, const ads_name ss);
// The pick-first set of the current document (RTERROR when it is empty) and setting it.
int zcedSSGetFirst(resbuf** gset, resbuf** pset);
int zcedSSSetFirst(const ads_name pset, const ads_name unused);
// Empties the current pick-first set.
int zcedSSFreeFirst();

// Entity names and object ids.
Zcad::ErrorStatus zcdbGetObjectId(ZcDbObjectId& objId, const ads_name objName);
Zcad::ErrorStatus zcdbGetAdsName(ads_name& objName, ZcDbObjectId objId);

namespace platform {
// The topmost shown entity of the current space under the pick box at the point (UCS);
// null when there is none.
ZcDbObjectId Entity_Under_Cursor(const double* ucs_point);
}  // namespace platform
