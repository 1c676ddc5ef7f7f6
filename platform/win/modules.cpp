// Loadable modules over the dynamic loader, with DllMain notifications and
// Windows-style reference counting.
#include <dlfcn.h>
#include <link.h>

#include <map>
#include <mutex>

#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_error.h"
#include "win/win_files.h"
#include "win/win_modules.h"

namespace fs = std::filesystem;

namespace {

struct Loaded_Module {
    fs::path path;  // host path of the library as loaded
    int references = 0;
};

std::recursive_mutex g_mutex;
std::map<void*, Loaded_Module>& Modules() {
    static std::map<void*, Loaded_Module> modules;
    return modules;
}

void* Program_Handle() {
    static void* handle = dlopen(nullptr, RTLD_NOW);
    return handle;
}

std::wstring Loader_Error() {
    const char* text = dlerror();
    return text ? platform::From_Utf8(text) : std::wstring();
}

// The module's own DllMain (not one of a library it depends on).
DLLMAIN_PROC Own_Dll_Main(void* handle) {
    void* symbol = dlsym(handle, "DllMain");
    if (!symbol) return nullptr;
    link_map* map = nullptr;
    Dl_info info{};
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map || !dladdr(symbol, &info)) return nullptr;
    if (reinterpret_cast<ElfW(Addr)>(info.dli_fbase) != map->l_addr &&
        std::string(info.dli_fname ? info.dli_fname : "") != std::string(map->l_name ? map->l_name : ""))
        return nullptr;
    return reinterpret_cast<DLLMAIN_PROC>(symbol);
}

fs::path Library_Path(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name) return map->l_name;
    return {};
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) {
    if (!lpLibFileName || !*lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::wstring_view name(lpLibFileName);
    fs::path host = platform::To_Host_Path(name);
    std::error_code ec;
    const bool bare_name = name.find_first_of(L"\\/:") == std::wstring_view::npos;
    // A bare name that is not in the current directory is left to the loader's search.
    if (bare_name && (host.empty() || !fs::exists(host, ec))) host = platform::Host_Path_From_Text(name);
    else if (host.empty() || !fs::exists(host, ec)) {
        platform::Fail_With(ERROR_MOD_NOT_FOUND, L"module not found: " + std::wstring(name));
        return nullptr;
    }

    std::lock_guard lock(g_mutex);
    dlerror();
    void* handle = dlopen(host.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        platform::Fail_With(ERROR_MOD_NOT_FOUND, Loader_Error());
        return nullptr;
    }
    auto& modules = Modules();
    auto it = modules.find(handle);
    if (it != modules.end()) {
        ++it->second.references;
        return reinterpret_cast<HMODULE>(handle);
    }
    fs::path loaded_path = Library_Path(handle);
    if (loaded_path.empty()) loaded_path = fs::absolute(host, ec);
    modules[handle] = Loaded_Module{loaded_path, 1};
    HMODULE module = reinterpret_cast<HMODULE>(handle);
    if (DLLMAIN_PROC dll_main = Own_Dll_Main(handle)) {
        BOOL attached = FALSE;
        try {
            attached = dll_main(reinterpret_cast<HINSTANCE>(module), DLL_PROCESS_ATTACH, nullptr);
        } catch (...) {
            modules.erase(handle);
            dlclose(handle);
            throw;
        }
        if (!attached) {
            dll_main(reinterpret_cast<HINSTANCE>(module), DLL_PROCESS_DETACH, nullptr);
            modules.erase(handle);
            dlclose(handle);
            platform::Fail_With(ERROR_DLL_INIT_FAILED, L"DllMain of " + std::wstring(name) + L" refused to attach");
            return nullptr;
        }
    }
    return module;
}

BOOL FreeLibrary(HMODULE hLibModule) {
    std::lock_guard lock(g_mutex);
    void* handle = reinterpret_cast<void*>(hLibModule);
    auto& modules = Modules();
    auto it = modules.find(handle);
    if (!handle || it == modules.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--it->second.references == 0) {
        if (DLLMAIN_PROC dll_main = Own_Dll_Main(handle)) dll_main(reinterpret_cast<HINSTANCE>(hLibModule), DLL_PROCESS_DETACH, nullptr);
        modules.erase(handle);
    }
    dlclose(handle);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    if (!lpProcName || IS_INTRESOURCE(lpProcName)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    void* handle = hModule ? reinterpret_cast<void*>(hModule) : Program_Handle();
    {
        std::lock_guard lock(g_mutex);
        if (handle != Program_Handle() && !Modules().count(handle)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
    }
    dlerror();
    void* symbol = dlsym(handle, lpProcName);
    if (!symbol) {
        platform::Fail_With(ERROR_PROC_NOT_FOUND, Loader_Error());
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

HMODULE GetModuleHandleW(LPCWSTR lpModuleName) {
    if (!lpModuleName) return reinterpret_cast<HMODULE>(Program_Handle());
    const std::wstring_view name(lpModuleName);
    const bool has_folder = name.find_first_of(L"\\/") != std::wstring_view::npos;
    const fs::path wanted = has_folder ? platform::To_Host_Path(name) : fs::path();
    std::lock_guard lock(g_mutex);
    for (const auto& [handle, module] : Modules()) {
        if (has_folder) {
            if (platform::Equal_No_Case(platform::Text_From_Host_Path(module.path.lexically_normal()),
                                        platform::Text_From_Host_Path(fs::absolute(wanted).lexically_normal())))
                return reinterpret_cast<HMODULE>(handle);
            continue;
        }
        const std::wstring file = platform::Text_From_Host_Path(module.path.filename());
        const std::wstring stem = platform::Text_From_Host_Path(module.path.stem());
        if (platform::Equal_No_Case(file, name) || platform::Equal_No_Case(stem, name))
            return reinterpret_cast<HMODULE>(handle);
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    std::wstring path;
    void* handle = reinterpret_cast<void*>(hModule);
    if (!handle || handle == Program_Handle()) {
        path = platform::Machine::instance().program_path();
    } else {
        std::lock_guard lock(g_mutex);
        auto it = Modules().find(handle);
        if (it == Modules().end()) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return 0;
        }
        path = platform::To_Windows_Path(it->second.path);
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() + 1 > nSize) {
        std::wmemcpy(lpFilename, path.c_str(), nSize - 1);
        lpFilename[nSize - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::wmemcpy(lpFilename, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

namespace platform {

HMODULE Module_From_Address(const void* address) {
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fname) return nullptr;
    std::error_code ec;
    const fs::path file = fs::weakly_canonical(fs::path(info.dli_fname), ec);
    std::lock_guard lock(g_mutex);
    for (const auto& [handle, module] : Modules())
        if (fs::weakly_canonical(module.path, ec) == file) return reinterpret_cast<HMODULE>(handle);
    return nullptr;
}

}  // namespace platform
