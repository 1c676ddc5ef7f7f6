// ShellExecuteW / ShellExecuteExW: documents and folders are recorded, programs of
// ours are started.
#include <sys/stat.h>

#include <cerrno>
#include <mutex>

#include "script/console.h"
#include "script/utf8.h"
#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/process.h"
#include "win/win_error.h"
#include "win/win_files.h"
#include "win/win_messages.h"
#include "win/win_msgbox.h"
#include "win/win_shell.h"

namespace fs = std::filesystem;

namespace platform {

std::vector<ShellRecord> ShellLog;

namespace {

std::mutex g_log_mutex;

// What ShellExecuteW returns on success: any value above 32.
HINSTANCE const kShellSuccess = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(42));

bool Is_Url(std::wstring_view file) {
    const size_t colon = file.find(L':');
    if (colon == std::wstring_view::npos || colon < 2) return false;  // "C:" is a drive
    for (size_t i = 0; i < colon; ++i) {
        const wchar_t c = file[i];
        if (!((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'+' ||
              c == L'-' || c == L'.'))
            return false;
    }
    return true;
}

bool Is_Relative(std::wstring_view path) {
    if (path.empty()) return true;
    if (path[0] == L'\\' || path[0] == L'/') return false;
    return !(path.size() >= 2 && path[1] == L':');
}

bool Has_Program_Extension(const fs::path& host) {
    const std::wstring extension = Text_From_Host_Path(host.extension());
    for (const wchar_t* program : {L".exe", L".com", L".bat", L".cmd"})
        if (Equal_No_Case(extension, program)) return true;
    return false;
}

bool Is_Host_Executable(const fs::path& host) {
    struct stat info {};
    return ::stat(host.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR);
}

const wchar_t* Outcome_Name(ShellOutcome outcome) {
    switch (outcome) {
        case ShellOutcome::Opened: return L"opened";
        case ShellOutcome::Started: return L"started";
        default: return L"failed";
    }
}

void Record(ShellRecord record) {
    std::wstring echo = L"[Shell] " + (record.verb.empty() ? std::wstring(L"(default)") : record.verb) + L" | " +
                        record.file + L" | " + record.parameters + L" | " + record.directory + L" -> " +
                        Outcome_Name(record.outcome);
    if (record.outcome == ShellOutcome::Failed) echo += L" (" + std::to_wstring(record.error) + L")";
    Console_Line(To_Utf8(echo));
    std::lock_guard lock(g_log_mutex);
    ShellLog.push_back(std::move(record));
}

struct Execute_Result {
    DWORD error = 0;        // 0, or the SE_ERR_ / Windows error code
    HANDLE process = nullptr;
};

// The shell's message for a file it cannot run.
void Show_Failure(HWND owner, const std::wstring& file, DWORD error) {
    std::wstring text;
    if (error == ERROR_BAD_FORMAT) text = file + L" 不是有效的 Win32 应用程序。";
    else if (error == ERROR_DIRECTORY) text = L"目录名称无效。";
    else text = L"Windows 找不到文件 '" + file + L"'。请确定文件名是否正确后，再试一次。";
    MessageBoxW(owner, text.c_str(), file.c_str(), MB_OK | MB_ICONERROR);
}

Execute_Result Execute(const SHELLEXECUTEINFOW& info) {
    ShellRecord record;
    record.verb = info.lpVerb ? info.lpVerb : L"";
    record.file = info.lpFile ? info.lpFile : L"";
    record.parameters = info.lpParameters ? info.lpParameters : L"";
    record.directory = info.lpDirectory ? info.lpDirectory : L"";
    record.show = info.nShow;
    const bool show_ui = !(info.fMask & SEE_MASK_FLAG_NO_UI);
    const auto fail = [&](DWORD error) {
        record.outcome = ShellOutcome::Failed;
        record.error = error;
        Record(record);
        if (show_ui) Show_Failure(info.hwnd, record.file, error);
        return Execute_Result{error, nullptr};
    };

    if (record.file.empty()) return fail(SE_ERR_FNF);
    if (Is_Url(record.file)) {
        Record(record);
        return {};
    }
    const std::wstring machine_folder = Machine::instance().current_directory();
    const std::wstring base = record.directory.empty() ? machine_folder : record.directory;
    fs::path host = To_Host_Path(Is_Relative(record.file) ? base + L"\\" + record.file : record.file);
    std::error_code ec;
    if (host.empty() || !fs::exists(host, ec)) {
        const bool folder_there = !host.empty() && fs::is_directory(host.parent_path(), ec);
        return fail(folder_there ? SE_ERR_FNF : SE_ERR_PNF);
    }
    if (fs::is_directory(host, ec)) {
        Record(record);
        return {};
    }

    std::vector<std::string> argv;
    if (auto command = Machine::instance().program_command(host)) argv = *command;
    else if (Is_Host_Executable(host)) argv = {host.string()};
    else if (Has_Program_Extension(host)) return fail(ERROR_BAD_FORMAT);
    else {
        Record(record);
        return {};
    }
    for (const auto& parameter : Split_Command_Line(record.parameters)) argv.push_back(To_Utf8(parameter));
    const fs::path working = To_Host_Path(record.directory.empty() ? machine_folder : record.directory);
    if (working.empty() || !fs::is_directory(working, ec)) return fail(ERROR_DIRECTORY);
    int spawn_error = 0;
    HANDLE process = Start_Process(argv, working, spawn_error);
    if (!process) return fail(spawn_error == ENOENT ? SE_ERR_FNF : SE_ERR_ACCESSDENIED);
    record.outcome = ShellOutcome::Started;
    Record(record);
    return Execute_Result{0, process};
}

}  // namespace

}  // namespace platform

HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory,
                        INT nShowCmd) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = hwnd;
    info.lpVerb = lpOperation;
    info.lpFile = lpFile;
    info.lpParameters = lpParameters;
    info.lpDirectory = lpDirectory;
    info.nShow = nShowCmd;
    const auto result = platform::Execute(info);
    if (result.process) CloseHandle(result.process);
    if (result.error) {
        // Only the SE_ERR_ codes fit in the result.
        SetLastError(result.error == SE_ERR_PNF ? ERROR_PATH_NOT_FOUND : result.error);
        return reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(result.error <= 32 ? result.error : SE_ERR_ACCESSDENIED));
    }
    return platform::kShellSuccess;
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* pExecInfo) {
    if (!pExecInfo || pExecInfo->cbSize != sizeof(SHELLEXECUTEINFOW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    pExecInfo->hProcess = nullptr;
    const auto result = platform::Execute(*pExecInfo);
    if (result.error) {
        SetLastError(result.error == SE_ERR_PNF ? ERROR_PATH_NOT_FOUND : result.error);
        pExecInfo->hInstApp =
            reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(result.error <= 32 ? result.error : SE_ERR_ACCESSDENIED));
        return FALSE;
    }
    pExecInfo->hInstApp = platform::kShellSuccess;
    if (result.process && (pExecInfo->fMask & SEE_MASK_NOCLOSEPROCESS)) pExecInfo->hProcess = result.process;
    else if (result.process) CloseHandle(result.process);
    return TRUE;
}
