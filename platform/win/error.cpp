#include "win/win_error.h"

namespace {
thread_local DWORD t_last_error = ERROR_SUCCESS;
thread_local std::wstring t_last_error_text;
}  // namespace

DWORD GetLastError() { return t_last_error; }

void SetLastError(DWORD code) {
    t_last_error = code;
    t_last_error_text.clear();
}

namespace platform {

std::wstring Last_Error_Text() { return t_last_error_text; }
void Set_Last_Error_Text(std::wstring text) { t_last_error_text = std::move(text); }

void Fail_With(DWORD code, std::wstring text) {
    t_last_error = code;
    t_last_error_text = std::move(text);
}

}  // namespace platform
