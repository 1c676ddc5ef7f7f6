// ZcRxDynamicLinker: loads and unloads application modules (the system-registry entry
// "DynamicLinker"). An application is identified by its appId, the module handle that
// loadModule passes with kInitAppMsg, or by its name: the path it was loaded with, or its
// file name with or without extension (compared without regard to case).
//
// Applications are locked when they load: a module that may be unloaded unlocks itself
// (unlockApplication(appId)) while it handles kInitAppMsg.
#pragma once

#include <string>
#include <vector>

#include "rx/rxentry.h"
#include "rx/rxregistry.h"

class ZcRxDynamicLinker : public ZcRxObject {
    ZCRX_DECLARE_MEMBERS(ZcRxDynamicLinker);

public:
    // Loads the module, finds its zcrxEntryPoint and sends it kInitAppMsg. A module without
    // the entry point, or whose entry answers kRetError, is unloaded again and refused (false).
    // A module that is already loaded is refused. printit reports the outcome on the message
    // sink; asCmd is accepted for compatibility.
    bool loadModule(const wchar_t* fileName, bool printit, bool asCmd = false);
    // Sends kUnloadAppMsg and unloads the module. Refused (false) for an unknown or locked
    // application, and when the module answers kRetError (it stays loaded).
    bool unloadModule(const wchar_t* fileName, bool printit = false, bool asCmd = false);

    bool lockApplication(void* appId);
    bool unlockApplication(void* appId);
    bool isApplicationLocked(const wchar_t* appName) const;
    bool registerAppMDIAware(void* appId);
    bool isAppMDIAware(const wchar_t* appName) const;
    bool isModuleLoaded(const wchar_t* appName) const;

    // The value the module's zcrxGetApiVersion returns; 0 when the module cannot be loaded or
    // does not export it. A module that is not loaded is loaded for the question only.
    int getModuleApiVersion(const wchar_t* fileName) const;

    // The paths of the loaded applications, in load order.
    std::vector<std::wstring> loadedModules() const;
    // The appId of a loaded application, or nullptr.
    void* appIdOf(const wchar_t* appName) const;

    // Where printit reports go; the default writes to standard error. nullptr restores it.
    typedef void (*MessageSink)(const wchar_t* text);
    void setMessageSink(MessageSink sink);

    struct Module;

private:
    friend ZcRxDynamicLinker* zcrxGetDynamicLinker();
    ZcRxDynamicLinker();
    ~ZcRxDynamicLinker() override;
    Module* findModule(const wchar_t* appName) const;
    Module* findModule(void* appId) const;
    bool setModuleFlag(void* appId, bool Module::*flag, bool value);
    void report(bool printit, const std::wstring& text) const;

    std::vector<Module*> mModules;
    MessageSink mSink = nullptr;
};

// The one dynamic linker, as the system registry holds it.
ZcRxDynamicLinker* zcrxGetDynamicLinker();
#define zcrxDynamicLinker (ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER)))
