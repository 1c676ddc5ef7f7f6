// True colours to index colours: in selected entities, the block definitions they use at
// any depth, the layers of their ByLayer entities, and the colour codes of multiline texts.
#pragma once

#include <string>

#include "db/dbmain.h"

class ZcDbMText;

// The locked layers of the working drawing that the command unlocked. Relocks them
// when it goes, so that every way out of the command locks them again.
class Locked_Layer_List {
public:
    Locked_Layer_List() = default;
    ~Locked_Layer_List() { Relock_All(); }
    Locked_Layer_List(const Locked_Layer_List&) = delete;
    Locked_Layer_List& operator=(const Locked_Layer_List&) = delete;

    void Unlock_All();
    void Relock_All();

private:
    ZcDbObjectIdArray m_Layers;
};

// One selection and its conversion (pass from 0): 1 when the command should ask again,
// 0 or 2 when it should stop.
int Convert_Selection_Colors(int pass);
// Converts the definition's entities, nested definitions at once; adds the layers of
// ByLayer entities to the list.
void Convert_Block_Colors(ZcDbObjectId block_id, ZcDbObjectIdArray& layers);
// Removes the inline true-colour codes ("\c<number>;") of an MText open for write.
void Strip_MText_True_Colors(ZcDbMText* mtext);
// The same on a contents text; false (text unchanged) when nothing was removed.
bool Strip_True_Color_Codes(std::wstring& contents);
