#include "core/result_window.h"

Result_Window* (*g_Find_Result_Window)(Result_Window_Kind kind) = nullptr;

bool Result_Window::Take_Stop_Request()
{
    if (Stop_Flag == 0)
        return false;
    Stop_Flag = 0;
    return true;
}

int Result_Window::Find_Marker_Row(const ZcDbObjectId& marker)
{
    for (int row = 0;; ++row) {
        const ZcDbObjectId* row_marker = Row_Marker(row);
        if (row_marker == nullptr)
            return -1;
        if (*row_marker == marker)
            return row;
    }
}
