// What the module does when the host loads and unloads it.
#pragma once

// Folders, settings, libraries, commands, menu, monitor, reactors, watcher, classes,
// FILEDIA, banner: in this order, each step whatever the earlier ones gave.
void Load_Module();
// Windows, settings, library, commands, monitor, reactors, watcher, classes: in this order.
void Unload_Module();
