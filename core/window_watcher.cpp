#include "core/window_watcher.h"

void Watch_Key_Message(const MSG* /*message*/) {}
