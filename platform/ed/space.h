// The current space of the current document: model tab, layouts, paper space and
// floating viewports (TILEMODE, CVPORT, CTAB).
#pragma once

#include <string>

class ZcDbObjectId;

namespace platform {

// 1 when the model tab is current, 0 in a layout; 1 without a document.
int Tilemode();
// 0: the last active layout (the first in tab order at first); 1: the model tab.
bool Set_Tilemode(int value);
// 1: paper space of the layout; >= 2: a viewport (the model tab always gives 2).
int Cvport();
bool Set_Cvport(int value);
// The current layout's name ("Model" on the model tab).
std::wstring Current_Layout_Name();
bool Set_Current_Layout(const std::wstring& name);
// The block table record whose entities the editor works on: model space unless paper
// space of a layout is current (CVPORT 1).
ZcDbObjectId Current_Space_Block();

}  // namespace platform
