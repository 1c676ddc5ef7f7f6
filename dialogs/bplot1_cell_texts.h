// Texts and numbers of the rows of the batch plot to files list: the drawing size, the
// plot scale a paper gives a sheet and the size remark of a paper.
#pragma once

#include "mfc/afxstr.h"
#include "sheets/sheet_records.h"

// The columns of the list.
enum Bplot1_Column { Col_No = 0, Col_Eye, Col_Name, Col_Del, Col_Paper, Col_Scale, Col_Size, Col_Remark };

// "420x297" for sides of 10 and more; more decimals for smaller sheets.
CString Drawing_Size_Text(double width, double height);
// The scale (drawing units per millimetre) at which the sheet just fits the paper.
double Scale_From_Paper(const MyPaper& paper, const Plot_Drawing1& sheet);
// "提示：纸张尺寸过大" / "提示：纸张尺寸过小" for a paper out of range of the output type
// (0 PDF .. 6 DWG); empty when it is in range.
CString Paper_Range_Remark(const MyPaper& paper, int output_type);
