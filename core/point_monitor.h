// The input-point monitor, the one static g_Point_Monitor, and the document it is
// attached to.
// Filled in when the cursor overlays land: the host offers no input-point manager yet,
// so for now attaching only remembers the current document.
#pragma once

class MyInputPointMonitor {};

extern MyInputPointMonitor g_Point_Monitor;

// Attaches the monitor to the current document when it is not attached there yet.
void Attach_Point_Monitor();
// Removes the monitor from the documents it was added to and forgets the document.
void Detach_Point_Monitor();
