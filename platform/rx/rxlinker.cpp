// The dynamic linker: application modules loaded through the Windows module functions.
#include "rx/rxlinker.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>

#include "rx/rxclass.h"
#include "script/utf8.h"
#include "win/win_error.h"
#include "win/win_modules.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcRxDynamicLinker, ZcRxObject)

struct ZcRxDynamicLinker::Module {
    std::wstring path;       // as loadModule was given it
    std::wstring modulePath; // as the module functions report it
    HMODULE handle = nullptr;
    ZcRxEntryPointFunc entry = nullptr;
    bool locked = true;
    bool mdiAware = false;
    bool unloading = false;
};

namespace {
// Lower case, forward slashes.
std::wstring normalized(const std::wstring& path)
{
    std::wstring result(path);
    for (wchar_t& c : result)
        c = c == L'\\' ? L'/' : static_cast<wchar_t>(std::towlower(c));
    return result;
}

std::wstring baseName(const std::wstring& normalizedPath)
{
    const size_t slash = normalizedPath.find_last_of(L'/');
    return slash == std::wstring::npos ? normalizedPath : normalizedPath.substr(slash + 1);
}

std::wstring withoutExtension(const std::wstring& name)
{
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

// True when name designates the module loaded from path: the full path, the file name, or
// the file name without extension.
bool designates(const std::wstring& name, const std::wstring& path)
{
    if (path.empty())
        return false;
    const std::wstring p = normalized(path);
    const std::wstring n = normalized(name);
    const std::wstring base = baseName(p);
    return n == p || n == base || n == withoutExtension(base);
}

std::wstring moduleFileName(HMODULE handle)
{
    wchar_t buffer[4096] = {};
    const DWORD n = GetModuleFileNameW(handle, buffer, sizeof(buffer) / sizeof(buffer[0]));
    return std::wstring(buffer, n);
}

void writeToStderr(const wchar_t* text)
{
    std::fprintf(stderr, "%s\n", platform::To_Utf8(text).c_str());
}

template <class F>
F exported(HMODULE handle, const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}
} // namespace

ZcRxDynamicLinker::ZcRxDynamicLinker() = default;

ZcRxDynamicLinker::~ZcRxDynamicLinker()
{
    for (Module* m : mModules)
        delete m;
}

ZcRxDynamicLinker* zcrxGetDynamicLinker()
{
    static ZcRxDynamicLinker* linker = new ZcRxDynamicLinker;
    return linker;
}

void ZcRxDynamicLinker::setMessageSink(MessageSink sink) { mSink = sink; }

void ZcRxDynamicLinker::report(bool printit, const std::wstring& text) const
{
    if (printit)
        (mSink != nullptr ? mSink : writeToStderr)(text.c_str());
}

ZcRxDynamicLinker::Module* ZcRxDynamicLinker::findModule(const wchar_t* appName) const
{
    if (appName == nullptr || *appName == L'\0')
        return nullptr;
    for (Module* m : mModules)
        if (designates(appName, m->path) || designates(appName, m->modulePath))
            return m;
    return nullptr;
}

ZcRxDynamicLinker::Module* ZcRxDynamicLinker::findModule(void* appId) const
{
    for (Module* m : mModules)
        if (static_cast<void*>(m->handle) == appId)
            return m;
    return nullptr;
}

bool ZcRxDynamicLinker::loadModule(const wchar_t* fileName, bool printit, bool)
{
    const std::wstring name = fileName != nullptr ? fileName : L"";
    if (name.empty()) {
        report(printit, L"Unable to load a module without a name.");
        return false;
    }
    HMODULE handle = LoadLibraryW(name.c_str());
    if (handle == nullptr) {
        // The loader's own reason (a missing file, a missing library it needs, a bad format).
        const std::wstring reason = platform::Last_Error_Text();
        report(printit, L"Unable to load " + name + (reason.empty() ? L"." : L": " + reason));
        return false;
    }
    if (findModule(static_cast<void*>(handle)) != nullptr) {
        FreeLibrary(handle);
        report(printit, L"Application " + name + L" is already loaded.");
        return false;
    }
    auto entry = exported<ZcRxEntryPointFunc>(handle, ZCRX_ENTRY_POINT_NAME);
    if (entry == nullptr) {
        FreeLibrary(handle);
        report(printit, L"Unable to load " + name + L": it has no entry point.");
        return false;
    }
    Module* module = new Module;
    module->path = name;
    module->modulePath = moduleFileName(handle);
    module->handle = handle;
    module->entry = entry;
    mModules.push_back(module);
    if (entry(ZcRx::kInitAppMsg, handle) == ZcRx::kRetError) {
        mModules.erase(std::find(mModules.begin(), mModules.end(), module));
        delete module;
        FreeLibrary(handle);
        report(printit, L"Application " + name + L" failed to initialise.");
        return false;
    }
    report(printit, L"Application " + name + L" loaded.");
    return true;
}

bool ZcRxDynamicLinker::unloadModule(const wchar_t* fileName, bool printit, bool)
{
    const std::wstring name = fileName != nullptr ? fileName : L"";
    Module* module = findModule(name.c_str());
    if (module == nullptr) {
        report(printit, L"Application " + name + L" is not loaded.");
        return false;
    }
    if (module->locked) {
        report(printit, L"Application " + name + L" is locked and cannot be unloaded.");
        return false;
    }
    if (module->unloading)
        return false;
    module->unloading = true;
    if (module->entry(ZcRx::kUnloadAppMsg, module->handle) == ZcRx::kRetError) {
        module->unloading = false;
        report(printit, L"Application " + name + L" refused to unload.");
        return false;
    }
    mModules.erase(std::find(mModules.begin(), mModules.end(), module));
    HMODULE handle = module->handle;
    delete module;
    FreeLibrary(handle);
    report(printit, L"Application " + name + L" unloaded.");
    return true;
}

bool ZcRxDynamicLinker::setModuleFlag(void* appId, bool Module::*flag, bool value)
{
    Module* module = findModule(appId);
    if (module == nullptr)
        return false;
    module->*flag = value;
    return true;
}

bool ZcRxDynamicLinker::lockApplication(void* appId)
{
    return setModuleFlag(appId, &Module::locked, true);
}

bool ZcRxDynamicLinker::unlockApplication(void* appId)
{
    return setModuleFlag(appId, &Module::locked, false);
}

bool ZcRxDynamicLinker::isApplicationLocked(const wchar_t* appName) const
{
    const Module* module = findModule(appName);
    return module != nullptr && module->locked;
}

bool ZcRxDynamicLinker::registerAppMDIAware(void* appId)
{
    return setModuleFlag(appId, &Module::mdiAware, true);
}

bool ZcRxDynamicLinker::isAppMDIAware(const wchar_t* appName) const
{
    const Module* module = findModule(appName);
    return module != nullptr && module->mdiAware;
}

bool ZcRxDynamicLinker::isModuleLoaded(const wchar_t* appName) const
{
    return findModule(appName) != nullptr;
}

int ZcRxDynamicLinker::getModuleApiVersion(const wchar_t* fileName) const
{
    const Module* module = findModule(fileName);
    HMODULE handle = module != nullptr ? module->handle
                                       : (fileName != nullptr ? LoadLibraryW(fileName) : nullptr);
    if (handle == nullptr)
        return 0;
    auto version = exported<ZcRxGetApiVersionFunc>(handle, ZCRX_API_VERSION_NAME);
    const int result = version != nullptr ? version() : 0;
    if (module == nullptr)
        FreeLibrary(handle);
    return result;
}

std::vector<std::wstring> ZcRxDynamicLinker::loadedModules() const
{
    std::vector<std::wstring> paths;
    for (const Module* m : mModules)
        paths.push_back(m->path);
    return paths;
}

void* ZcRxDynamicLinker::appIdOf(const wchar_t* appName) const
{
    const Module* module = findModule(appName);
    return module != nullptr ? static_cast<void*>(module->handle) : nullptr;
}
