// The spaces a search walks when the user answers the selection with Enter: the chooser of
// model space and layouts, the layouts in tab order, and the ids of the spaces.
#pragma once

#include "db/dbmain.h"

class Detection_Feedback;

// The chooser "自动遍历", asked through the feedback: the chosen item, or -1 when cancelled.
// In paper space the items are model space, all layouts, model and layouts, current layout
// (preselected); otherwise current model (preselected), all layouts, model and layouts.
int Choose_Spaces(Detection_Feedback& feedback);
// The block table records of the layouts, in tab order (equal orders keep dictionary order).
void Layout_Spaces_In_Tab_Order(ZcDbObjectIdArray& spaces);
// The spaces of a chooser item (0 model space, 1 the layouts, 2 model space and the layouts,
// 3 the current space), in the order they are searched.
void Spaces_Of_Choice(int choice, ZcDbObjectId current_space, ZcDbObjectIdArray& spaces);
// "*Model_Space" of the working drawing.
ZcDbObjectId Model_Space_Id();
// The record of the current space of the working drawing.
ZcDbObjectId Current_Space_Id();
