#include "script/console.h"

#include <cstdio>
#include <mutex>

namespace platform {

namespace {

std::mutex g_console_mutex;
bool g_mid_line = false;

void Put(std::string_view utf8) {
    if (utf8.empty()) return;
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
    g_mid_line = utf8.back() != '\n';
}

}  // namespace

void Console_Write(std::string_view utf8) {
    std::lock_guard lock(g_console_mutex);
    Put(utf8);
}

void Console_Line(std::string_view utf8) {
    std::lock_guard lock(g_console_mutex);
    if (g_mid_line) Put("\n");
    Put(utf8);
    if (g_mid_line) Put("\n");
}

}  // namespace platform
