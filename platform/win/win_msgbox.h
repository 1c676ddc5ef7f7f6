// Message boxes, answered by `msgbox` steps of the input script.
#pragma once

#include <string>
#include <vector>

#include "win/win_types.h"

// Takes the next script step, which must be a `msgbox` answer that one of the
// box's buttons gives (YES/NO for MB_YESNO, OK for MB_OK ...); anything else throws
// platform::UnansweredInput. After `quit` the box is cancelled (IDCANCEL, or IDNO /
// IDOK when there is no Cancel button). Each box is echoed to standard output as
// "[MessageBox] <caption> | <text> | <icon> -> <ANSWER>", the text with its line breaks, and logged.
int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
inline int MessageBox(HWND w, LPCWSTR t, LPCWSTR c, UINT u) { return MessageBoxW(w, t, c, u); }

namespace platform {

struct MessageBoxRecord {
    HWND owner;
    std::wstring caption;
    std::wstring text;
    UINT type;
    int answer;  // IDOK, IDYES ...
};

// Every message box shown, in order; tests read and clear it.
extern std::vector<MessageBoxRecord> MessageBoxLog;

// "OK", "YES", ... for an ID* result; "?" for others.
const wchar_t* Dialog_Result_Name(int result);

}  // namespace platform
