// The one-time set-up of the program for a host profile, run at every load after the
// settings file was read.
#pragma once

// First run under any profile: resets the listed settings and saves them; first run
// under this profile: asks the menu to switch the host's menu bar on. Records the
// profile in the list file.
void Setup_Host_Profile();
