// Message boxes answered by the input script.
#include <mutex>

#include "script/console.h"
#include "script/script_input.h"
#include "script/utf8.h"
#include "win/win_messages.h"
#include "win/win_msgbox.h"

namespace platform {

std::vector<MessageBoxRecord> MessageBoxLog;

namespace {

std::mutex g_log_mutex;

struct Button {
    const wchar_t* answer;  // script answer
    int result;
};

// The buttons of a box type, the first being the one Esc gives when there is no Cancel.
std::vector<Button> Buttons_Of(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL: return {{L"OK", IDOK}, {L"CANCEL", IDCANCEL}};
        case MB_ABORTRETRYIGNORE: return {{L"ABORT", IDABORT}, {L"RETRY", IDRETRY}, {L"IGNORE", IDIGNORE}};
        case MB_YESNOCANCEL: return {{L"YES", IDYES}, {L"NO", IDNO}, {L"CANCEL", IDCANCEL}};
        case MB_YESNO: return {{L"YES", IDYES}, {L"NO", IDNO}};
        case MB_RETRYCANCEL: return {{L"RETRY", IDRETRY}, {L"CANCEL", IDCANCEL}};
        case MB_CANCELTRYCONTINUE: return {{L"CANCEL", IDCANCEL}, {L"RETRY", IDTRYAGAIN}, {L"IGNORE", IDCONTINUE}};
        default: return {{L"OK", IDOK}};
    }
}

// What a cancelled box returns: Cancel, else No, else its first button.
int Cancel_Result(const std::vector<Button>& buttons) {
    for (int wanted : {IDCANCEL, IDNO})
        for (const auto& b : buttons)
            if (b.result == wanted) return wanted;
    return buttons.front().result;
}

const wchar_t* Icon_Name(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND: return L"error";
        case MB_ICONQUESTION: return L"question";
        case MB_ICONEXCLAMATION: return L"warning";
        case MB_ICONASTERISK: return L"information";
        default: return L"none";
    }
}

std::wstring One_Line(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n') out += L"\\n";
        else if (c == L'\r') out += L"\\r";
        else out += c;
    }
    return out;
}

std::wstring Button_List(const std::vector<Button>& buttons) {
    std::wstring out;
    for (const auto& b : buttons) out += (out.empty() ? L"" : L"/") + std::wstring(b.answer);
    return out;
}

}  // namespace

const wchar_t* Dialog_Result_Name(int result) {
    switch (result) {
        case IDOK: return L"OK";
        case IDCANCEL: return L"CANCEL";
        case IDABORT: return L"ABORT";
        case IDRETRY: return L"RETRY";
        case IDIGNORE: return L"IGNORE";
        case IDYES: return L"YES";
        case IDNO: return L"NO";
        case IDTRYAGAIN: return L"TRYAGAIN";
        case IDCONTINUE: return L"CONTINUE";
        default: return L"?";
    }
}

}  // namespace platform

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    using namespace platform;
    const std::wstring text = lpText ? lpText : L"";
    const std::wstring caption = lpCaption ? lpCaption : L"Error";
    const std::vector<Button> buttons = Buttons_Of(uType);
    const std::wstring asked = L"message box '" + caption + L"': " + text;

    const Step step = ScriptInput::instance().expect({StepKind::MsgBox}, asked);
    int result = 0;
    if (step.kind == StepKind::Esc) {
        result = Cancel_Result(buttons);
    } else {
        for (const auto& b : buttons)
            if (step.text == b.answer) result = b.result;
        if (result == 0)
            throw UnansweredInput(To_Utf8(L"message box '" + caption + L"': " + One_Line(text) + L" (buttons " +
                                          Button_List(buttons) + L") not answered: step '" + step.describe() +
                                          L"' at line " + std::to_wstring(step.line) + L" is not one of its buttons"));
    }
    const std::wstring echo = L"[MessageBox] " + caption + L" | " + text + L" | " + Icon_Name(uType) +
                              L" -> " + Dialog_Result_Name(result);
    Console_Line(To_Utf8(echo));
    std::lock_guard lock(g_log_mutex);
    MessageBoxLog.push_back(MessageBoxRecord{hWnd, caption, text, uType, result});
    return result;
}
