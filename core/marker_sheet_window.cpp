#include "core/marker_sheet_window.h"

uint8_t g_Watch_Marker_Erase = 1;

namespace {

Marker_Sheet_Window* No_Result_Window() { return nullptr; }

}  // namespace

Marker_Sheet_Window* (*g_Open_Marker_Sheet_Window)() = No_Result_Window;
