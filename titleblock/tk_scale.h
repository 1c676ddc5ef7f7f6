// Frame scales snapped to the scale step of the insertion settings, and their labels.
#pragma once

#include "mfc/afxstr.h"

// The step of TK_Scale_Step as a fraction of the mantissa; 0 means no rounding.
double Get_Scale_Step();
// The decade that brings x to a mantissa in [1, 10) (x of 1 and more) or [0.1, 1) (below 1).
double Power_Of_Ten(double x);
// Rounds the mantissa to the scale step: up in the wrap mode, to the nearest otherwise,
// never past the next integer and never to 0.
void Round_Mantissa(double& mantissa);
// Rounds the scale by its mantissa; returns the decade.
double Round_TK_Scale(double& scale);
// The scale as a percentage with the decimals its decade and the step call for ("37.5%").
CString Format_Scale_Percent(double scale, double decade);
