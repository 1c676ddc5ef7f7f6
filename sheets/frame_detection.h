// Frame detection: finds the sheet frames of the current drawing (in a selection, or in
// model space and/or the layouts), marks each with a Temp_PlotRec on "Temp_PlotLayer" and
// collects them in a sheet set. Steered by the frame switches of g_Plot_Config.
#pragma once

#include "db/dbmain.h"
#include "sheets/sheet_records.h"

class Detection_Feedback;

// Results of Select_Frame_Entities.
enum Frame_Selection { Frame_Selection_None = 0, Frame_Selection_Made = 1, Frame_Selection_Enter = 2 };

// The whole detection into the set (cleared first, its papers kept), its progress and the
// chooser of spaces through the feedback. True when at least one sheet was found; prints
// why not otherwise (nothing when the user cancelled).
bool Find_Plot_Frames(Plot_Sheet_Set& set, Detection_Feedback& feedback);
// Asks for entities of the four types: Frame_Selection_Made with their ids,
// Frame_Selection_Enter when the user ended without selecting, Frame_Selection_None on
// cancel or when nothing was selected.
int Select_Frame_Entities(const wchar_t* prompt, const wchar_t* type_1, const wchar_t* type_2, const wchar_t* type_3,
                          const wchar_t* type_4, ZcDbObjectIdArray& ids);
// The detection over the entities of one space (or of a selection, with a null space id);
// appends the sheets found to the set's all-sheets list.
void Detect_Frames_In_Space(Plot_Sheet_Set& set, ZcDbObjectIdArray& ids, ZcDbObjectId space_id,
                            Detection_Feedback& feedback);
// The frame search over the entities of one space: candidates from polylines and block
// references (the frame switches decide which blocks count), loose lines, then small and
// inner frames removed. Sheets get a marker on the layer when one is given. The lists of
// block definitions judged before are used and extended. Appends to result; steps the
// feedback's progress between the stages.
void Search_Frames_In_Ids(const ZcDbObjectIdArray& ids, ZcDbObjectId space_id, ZcDbObjectId layer_id,
                          ZcDbObjectIdArray& frame_blocks, ZcDbObjectIdArray& non_frame_blocks, Sheet_Array& result,
                          Detection_Feedback& feedback);
// Sorts the entities into frame candidates (polylines, block references) and line
// candidates; entities that do not open are skipped.
void Classify_Frame_Candidates(const ZcDbObjectIdArray& ids, Temp_Id_Array& candidates, Temp_Id_Array& lines);
// Appends a candidate of the kind for the entity, measured by its exact extents; a LINE
// that is not axis-parallel gives none.
void Make_Candidate(int kind, ZcDbObjectId entity_id, Temp_Id_Array& list);
// The same for an entity already open.
void Make_Candidate(int kind, const ZcDbEntity* entity, Temp_Id_Array& list);
