// Dropped files: drop handles that tests make and the window layer hands on.
#include <cstring>
#include <mutex>
#include <set>

#include "win/win_shell.h"

namespace {

struct Drop {
    std::vector<std::wstring> files;
};

std::mutex g_drops_mutex;
std::set<HDROP> g_drops;

const Drop* Drop_Of(HDROP handle) {
    std::lock_guard lock(g_drops_mutex);
    return g_drops.count(handle) ? reinterpret_cast<const Drop*>(handle) : nullptr;
}

}  // namespace

namespace platform {

HDROP Make_Drop(const std::vector<std::wstring>& files) {
    HDROP handle = reinterpret_cast<HDROP>(new Drop{files});
    std::lock_guard lock(g_drops_mutex);
    g_drops.insert(handle);
    return handle;
}

size_t Open_Drop_Count() {
    std::lock_guard lock(g_drops_mutex);
    return g_drops.size();
}

}  // namespace platform

UINT DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch) {
    const Drop* drop = Drop_Of(hDrop);
    if (!drop) return 0;
    if (iFile == 0xFFFFFFFFu) return static_cast<UINT>(drop->files.size());
    if (iFile >= drop->files.size()) return 0;
    const std::wstring& file = drop->files[iFile];
    if (!lpszFile) return static_cast<UINT>(file.size());
    if (cch == 0) return 0;
    const size_t copied = std::min<size_t>(file.size(), cch - 1);
    std::wmemcpy(lpszFile, file.c_str(), copied);
    lpszFile[copied] = 0;
    return static_cast<UINT>(copied);
}

void DragFinish(HDROP hDrop) {
    std::lock_guard lock(g_drops_mutex);
    if (g_drops.erase(hDrop)) delete reinterpret_cast<Drop*>(hDrop);
}
