// A module with a DllMain: records each notification in the file named by the
// process environment variable KORVEL_TEST_MODULE_LOG, and refuses to attach when
// KORVEL_TEST_MODULE_REFUSE is set.
#include <cstdio>
#include <cstdlib>

#include "win/windows.h"

namespace {

void Log(const char* event) {
    const char* path = std::getenv("KORVEL_TEST_MODULE_LOG");
    if (!path) return;
    if (FILE* f = std::fopen(path, "a")) {
        std::fprintf(f, "%s\n", event);
        std::fclose(f);
    }
}

HINSTANCE g_instance = nullptr;

}  // namespace

extern "C" BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        Log("attach");
        return std::getenv("KORVEL_TEST_MODULE_REFUSE") ? FALSE : TRUE;
    }
    if (reason == DLL_PROCESS_DETACH) Log("detach");
    return TRUE;
}

extern "C" int Test_Module_Answer() { return 42; }

// The instance DllMain was given, and the module found from one of its own addresses.
extern "C" HINSTANCE Test_Module_Instance() { return g_instance; }
extern "C" HMODULE Test_Module_From_Address() { return platform::Module_From_Address(reinterpret_cast<const void*>(&Test_Module_Answer)); }
