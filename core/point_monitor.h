// The input-point monitor, the one static g_Point_Monitor, and the document it is
// attached to.
#pragma once

#include "ed/input_point_monitor.h"

// Draws the overlays of the running tool next to the cursor (core/cursor_overlays.h).
class MyInputPointMonitor : public ZcEdInputPointMonitor {
public:
    ~MyInputPointMonitor() override = default;
    Zcad::ErrorStatus monitorInputPoint(const ZcEdInputPoint& input, ZcEdInputPointMonitorResult& output) override;
};

extern MyInputPointMonitor g_Point_Monitor;

// Adds the monitor to the current document's input-point manager when it is not attached
// there yet (never twice).
void Attach_Point_Monitor();
// Removes the monitor from every open document it was added to and forgets the document.
void Detach_Point_Monitor();
