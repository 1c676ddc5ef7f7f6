// The drawing's copy of the plot options: the XRecord "DWG_PLOT_SETTING" in a
// dictionary of the same name in the named-object dictionary.
#include "core/named_records.h"
#include "core/option_fields.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/plot_option_fields.h"
#include "core/version_stamp.h"

void Plot_Option::Read_Dwg_Setting()
{
    Set_Defaults();
    bool found = false;
    resbuf* chain = Read_Named_Record(Dwg_Plot_Setting_Name, &found);
    if (!found) {
        Copy_Common(g_Plot_Config.Option);
        return;
    }
    if (chain != nullptr && chain->restype == 90) {
        Chain_Field_Reader reader(chain->rbnext, chain->resval.rlong);
        Visit_Plot_Option_Fields(reader, *this);
        Repair();
    }
    if (chain != nullptr)
        zcutRelRb(chain);
}

void Plot_Option::Write_Dwg_Setting() const
{
    Chain_Field_Writer chain;
    chain.Int(Program_Version_Stamp, 0);
    Visit_Plot_Option_Fields(chain, *this);
    if (Write_Named_Record(Dwg_Plot_Setting_Name, chain.Chain()))
        g_Plot_Config.Option.Copy_Common(*this);
}
