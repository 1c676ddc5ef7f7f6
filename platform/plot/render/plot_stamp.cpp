#include "plot/render/plot_stamp.h"

#include "db/text_metrics.h"

namespace platform {

std::wstring Plot_Stamp_Text(const PlotStamp& stamp)
{
    std::wstring text;
    for (const std::wstring& f : stamp.fields) {
        if (f.empty()) continue;
        if (!text.empty()) text += L", ";
        text += f;
    }
    return text;
}

void Draw_Plot_Stamp(Plot_Device& device, const Paper_Layout& layout, const PlotStamp& stamp)
{
    Plot_Text t;
    t.text = Plot_Stamp_Text(stamp);
    if (t.text.empty()) return;
    const double em = kPlotStampHeightMm / Cap_Height_Ratio();
    t.origin = {layout.printable_min.x + kPlotStampInsetMm, layout.printable_min.y + kPlotStampInsetMm};
    t.x_axis = {em, 0.0};
    t.y_axis = {0.0, em};
    device.set_pen({0x000000, 0.0});
    device.text(t);
}

}  // namespace platform
