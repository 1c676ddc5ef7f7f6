// Recognition by title block for callers without feedback of their own: the progress
// window, the pop-up choice list and a message box.
#include "titleblock/tk_find_sheets.h"
#include "ui/dialog_detection_feedback.h"

bool Find_TK_Sheets(TK_Sheet_List& list)
{
    Dialog_Detection_Feedback feedback;
    return Find_TK_Sheets(list, feedback);
}
