// The frames of a per-frame record handed out to the rows of a result window: each stored
// frame serves one row, in the order the record was written, so sheets with the same corners
// (a layout's frame where a model-space frame lies) take the stored frames in turn.
#pragma once

#include "rx/zcarray.h"
#include "sheets/paper_records.h"

class Stored_Frame_Rows {
public:
    explicit Stored_Frame_Rows(const Sheet_Infor_List& stored);
    // Index in the stored list of the first frame with the sheet's corners that no row took
    // yet, now taken; -1 when none is left.
    int Take(const Plot_Drawing1& sheet);

private:
    Sheet_Infor_List Untaken;  // corners only
    ZcArray<int> Stored_Index;  // entry i of Untaken is entry Stored_Index[i] of the stored list
};
