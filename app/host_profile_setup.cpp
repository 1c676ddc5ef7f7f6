#include "app/host_profile_setup.h"

#include "core/ini_lists.h"
#include "core/plot_config.h"
#include "titleblock/tk_library.h"

void Setup_Host_Profile()
{
    Plot_Config& config = g_Plot_Config;
    config.Set_Menubar = 0;
    Ini_Lists lists;
    lists.Load();
    if (lists.Profiles.IsEmpty()) {
        // A library file that could not be read whole is not written over.
        const bool whole = g_TK_Library.Load(0);
        for (int& flag : g_TK_Library.Centre_Text)
            flag = 0;
        if (whole)
            g_TK_Library.Save(true, false);
        config.Plot_Stamp = 0;
        config.Plot_Lineweights = 1;
        if (config.Vector_Res < 43)
            config.Vector_Res = 43;
        config.Option.Filter_Percent = 0.0;
        config.Line_Overlay = 1;
        config.Sign_Fill_Style = 0;
        config.Save(false);
    }
    if (Is_New_Host_Profile(lists))
        config.Set_Menubar = 1;
    lists.Save();
    lists.Clear();
}

namespace {

// Every load of the settings ends with the set-up, from the moment the module is loaded.
[[maybe_unused]] const bool Profile_Setup_Set = (Plot_Config::After_Load = Setup_Host_Profile, true);

}  // namespace
