// The batch over several drawing files is in the 2021 module only: its driver, list and
// dialog are defined there and nowhere in the 2025 module.
#include <gtest/gtest.h>

#include <string>

#include "session_output.h"

namespace {

int Defined(const char* module, const std::string& pattern)
{
    return std::stoi(Shell(std::string("nm -C --defined-only ") + module + " | grep -cE '" + pattern + "' || true"));
}

TEST(Multi_Drawing_Flavour, Only_The_2021_Module_Holds_The_Batch)
{
    const std::string symbols = " (Multi_Drawing_Batch\\(\\)|Dlg_MultiFiles::OnOK\\(\\)|Single_Dwg::Count_Sheets\\(\\)|"
                                "Save_Multi_Dwg_List\\(\\))$";
    EXPECT_EQ(Defined(MODULE_2021_PATH, symbols), 4);
    EXPECT_EQ(Defined(MODULE_2025_PATH, symbols), 0);
}

}  // namespace
