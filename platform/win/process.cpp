// Host processes behind process handles.
#include "win/process.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include "win/machine.h"
#include "win/win_error.h"
#include "win/win_process.h"

extern char** environ;

namespace platform {

namespace {

struct Process_State {
    pid_t pid = 0;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    DWORD exit_code = STILL_ACTIVE;
};

// What a handle points at; it shares the state with the thread that reaps the process.
struct Process_Handle {
    std::shared_ptr<Process_State> state;
};

std::mutex g_handles_mutex;
std::set<Process_Handle*> g_handles;

std::shared_ptr<Process_State> State_Of(HANDLE handle) {
    std::lock_guard lock(g_handles_mutex);
    auto* process = static_cast<Process_Handle*>(handle);
    if (!g_handles.count(process)) return nullptr;
    return process->state;
}

void Reap(std::shared_ptr<Process_State> state) {
    int status = 0;
    while (waitpid(state->pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::lock_guard lock(state->mutex);
    state->exit_code = WIFEXITED(status) ? static_cast<DWORD>(WEXITSTATUS(status))
                                         : static_cast<DWORD>(128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0));
    state->done = true;
    state->ended.notify_all();
}

}  // namespace

HANDLE Start_Process(const std::vector<std::string>& argv, const std::filesystem::path& folder, int& errno_out) {
    errno_out = 0;
    if (argv.empty()) {
        errno_out = EINVAL;
        return nullptr;
    }
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    const std::string root_variable = "KORVEL_MACHINE_ROOT=" + Machine::instance().root().string();
    std::vector<char*> environment;
    for (char** e = environ; e && *e; ++e)
        if (std::string_view(*e).substr(0, 20) != "KORVEL_MACHINE_ROOT=") environment.push_back(*e);
    environment.push_back(const_cast<char*>(root_variable.c_str()));
    environment.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    auto state = std::make_shared<Process_State>();
    const int result = posix_spawnp(&state->pid, args[0], &actions, nullptr, args.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        errno_out = result;
        return nullptr;
    }
    std::thread(Reap, state).detach();
    auto* handle = new Process_Handle{state};
    std::lock_guard lock(g_handles_mutex);
    g_handles.insert(handle);
    return handle;
}

std::vector<std::wstring> Split_Command_Line(std::wstring_view text) {
    std::vector<std::wstring> args;
    std::wstring current;
    bool in_argument = false, in_quotes = false;
    for (size_t i = 0; i < text.size();) {
        const wchar_t c = text[i];
        if (c == L'\\') {
            size_t n = 0;
            while (i + n < text.size() && text[i + n] == L'\\') ++n;
            in_argument = true;
            if (i + n < text.size() && text[i + n] == L'"') {
                current.append(n / 2, L'\\');
                if (n % 2) current += L'"';
                i += n + (n % 2);  // an even run leaves the quote to be read as one
            } else {
                current.append(n, L'\\');
                i += n;
            }
        } else if (c == L'"') {
            in_argument = true;
            if (in_quotes && i + 1 < text.size() && text[i + 1] == L'"') {
                current += L'"';
                i += 2;
            } else {
                in_quotes = !in_quotes;
                ++i;
            }
        } else if ((c == L' ' || c == L'\t') && !in_quotes) {
            if (in_argument) args.push_back(current);
            current.clear();
            in_argument = false;
            ++i;
        } else {
            current += c;
            in_argument = true;
            ++i;
        }
    }
    if (in_argument) args.push_back(current);
    return args;
}

}  // namespace platform

using platform::State_Of;

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    const auto state = State_Of(hHandle);
    if (!state) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    std::unique_lock lock(state->mutex);
    if (dwMilliseconds == INFINITE) {
        state->ended.wait(lock, [&] { return state->done; });
        return WAIT_OBJECT_0;
    }
    const bool done = state->ended.wait_for(lock, std::chrono::milliseconds(dwMilliseconds), [&] { return state->done; });
    return done ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
    const auto state = State_Of(hProcess);
    if (!state || !lpExitCode) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(state->mutex);
    *lpExitCode = state->exit_code;
    return TRUE;
}

DWORD GetProcessId(HANDLE Process) {
    const auto state = State_Of(Process);
    if (!state) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(state->pid);
}

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

BOOL CloseHandle(HANDLE hObject) {
    std::lock_guard lock(platform::g_handles_mutex);
    auto* process = static_cast<platform::Process_Handle*>(hObject);
    if (!platform::g_handles.erase(process)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    delete process;
    return TRUE;
}
