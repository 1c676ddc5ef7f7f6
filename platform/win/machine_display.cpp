// The machine's displays and mouse cursor.
#include "win/machine.h"

namespace platform {

void Machine::set_monitors(std::vector<MonitorSpec> monitors) {
    std::lock_guard lock(mutex_);
    if (monitors.empty()) monitors.push_back(MonitorSpec{RECT{0, 0, 1920, 1080}, RECT{0, 0, 1920, 1040}, true});
    bool primary_seen = false;
    for (auto& monitor : monitors) {
        monitor.primary = monitor.primary && !primary_seen;
        primary_seen = primary_seen || monitor.primary;
    }
    if (!primary_seen) monitors.front().primary = true;
    monitors_ = std::move(monitors);
}

std::vector<MonitorSpec> Machine::monitors() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    return monitors_;
}

void Machine::set_cursor_position(POINT position) {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    cursor_ = position;
}

POINT Machine::cursor_position() {
    std::lock_guard lock(mutex_);
    ensure_initialised();
    return cursor_;
}

}  // namespace platform
