#include "titleblock/tk_scale.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "core/plot_config.h"

double Get_Scale_Step()
{
    static const double Steps[] = {0.0, 0.0, 0.01, 0.05, 0.1, 0.15, 0.2, 0.25};
    const int step = g_Plot_Config.TK_Scale_Step;
    if (step < 0)
        return 0.0;
    if (step < 8)
        return Steps[step];
    const int custom = g_Plot_Config.TK_Scale_Custom;
    return custom >= 1 && custom <= 100 ? custom / 100.0 : 0.0;
}

double Power_Of_Ten(double x)
{
    if (x < 0.0001)
        return 1.0;
    if (x < 1.0) {
        for (double decade : {0.001, 0.01, 0.1})
            if (x < decade)
                return decade;
        return 1.0;
    }
    for (double decade : {100000.0, 10000.0, 1000.0, 100.0, 10.0})
        if (x >= decade)
            return decade;
    return 1.0;
}

void Round_Mantissa(double& mantissa)
{
    const double step = Get_Scale_Step();
    if (step <= 0.0 || mantissa == 1.0)
        return;
    const double whole = std::trunc(mantissa);
    const double k = g_Plot_Config.TK_Insert_Mode == 2 ? 0.99 : 0.5;
    double rounded = std::trunc((mantissa - whole) / step + k) * step + whole;
    rounded = std::min(rounded, whole + 1.0);
    mantissa = rounded == 0.0 ? step : rounded;
}

double Round_TK_Scale(double& scale)
{
    const double decade = Power_Of_Ten(scale);
    double mantissa = scale / decade;
    Round_Mantissa(mantissa);
    scale = mantissa * decade;
    return decade;
}

CString Format_Scale_Percent(double scale, double decade)
{
    // Decimals for decades 1 and more, 0.1, 0.01 and 0.001; one more with the free step.
    int decimals = decade >= 1.0 ? 0 : decade >= 0.1 ? 1 : decade >= 0.01 ? 2 : 3;
    if (g_Plot_Config.TK_Scale_Step == 1)
        ++decimals;
    CString format, text;
    format.Format(L"%%.%df%%%%", decimals);
    text.Format(format, scale * 100.0);
    return text;
}
