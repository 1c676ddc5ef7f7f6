// What the preview engines were asked to do, one line per call ("create 6", "beginPlot",
// "beginDocument plan.dxf copies=1 file=0", "beginPage last=1", "endPage next", "destroy",
// ...), for tests of code that drives a preview.
#pragma once

#include <string>
#include <vector>

namespace platform {

std::vector<std::wstring>& Preview_Log();

}  // namespace platform
