// Frame detection for callers without feedback of their own: the progress window and the
// pop-up choice list.
#include "sheets/frame_detection.h"
#include "sheets/loose_line_frames.h"
#include "ui/dialog_detection_feedback.h"

bool Find_Plot_Frames(Plot_Sheet_Set& set)
{
    Dialog_Detection_Feedback feedback;
    return Find_Plot_Frames(set, feedback);
}

void Build_Rects_From_Lines(Temp_Line_Array& horizontals, Temp_Line_Array& verticals, ZcDbObjectId space_id,
                            ZcDbObjectId layer_id, Sheet_Array& sheets)
{
    Dialog_Detection_Feedback feedback;
    Build_Rects_From_Lines(horizontals, verticals, space_id, layer_id, sheets, feedback);
}
