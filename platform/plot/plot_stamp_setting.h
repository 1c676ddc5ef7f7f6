// The host's plot stamp switch ("-plotstamp"): when on, every plot carries the stamp.
#pragma once

#include <string>
#include <vector>

namespace platform {

bool Plot_Stamp_On();
void Set_Plot_Stamp_On(bool on);

// The texts the stamp prints, in order: drawing name, layout name, date and time, login
// name, device name, paper size, plot scale.
struct Plot_Stamp_Values {
    std::wstring drawing, layout, date_time, login, device, paper, scale;
};
std::vector<std::wstring> Plot_Stamp_Fields(const Plot_Stamp_Values& values);

}  // namespace platform
