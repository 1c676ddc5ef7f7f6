#include "dialogs/bplot1_cell_texts.h"

#include <algorithm>

#include "core/plot_option.h"

CString Drawing_Size_Text(double width, double height)
{
    const double shorter = std::min(width, height);
    CString text;
    if (shorter >= 10.0)
        text.Format(L"%dx%d", static_cast<int>(width + 0.5), static_cast<int>(height + 0.5));
    else if (shorter >= 1.0)
        text.Format(L"%.1fx%.1f", width, height);
    else if (shorter >= 0.1)
        text.Format(L"%.2fx%.2f", width, height);
    else if (shorter >= 0.01)
        text.Format(L"%.3fx%.3f", width, height);
    else
        text.Format(L"%.4fx%.4f", width, height);
    return text;
}

double Scale_From_Paper(const MyPaper& paper, const Plot_Drawing1& sheet)
{
    const double long_side = paper.Long_Side, short_side = paper.Short_Side;
    if (long_side <= 0.0 || short_side <= 0.0)
        return sheet.Plot_Scale;
    if (sheet.Portrait)
        return std::max(sheet.Width / short_side, sheet.Height / long_side);
    return std::max(sheet.Width / long_side, sheet.Height / short_side);
}

CString Paper_Range_Remark(const MyPaper& paper, int output_type)
{
    const int longer = std::max(paper.Long_Side, paper.Short_Side);
    const int shorter = std::min(paper.Long_Side, paper.Short_Side);
    if (output_type != Output_Dwf && output_type != Output_Dwg && longer > 5080)
        return L"提示：纸张尺寸过大";
    if (output_type != Output_Dwg && shorter < 50)
        return L"提示：纸张尺寸过小";
    return L"";
}
