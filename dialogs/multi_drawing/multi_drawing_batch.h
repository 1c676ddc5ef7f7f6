// The batch over several drawing files.
#pragma once

// The driver: the dialog over the remembered list; OK stores the list, the options and
// the settings. No command starts it.
void Multi_Drawing_Batch();
