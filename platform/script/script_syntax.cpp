// Parser of the input-script language: one step per line.
#include <cmath>
#include <cwchar>
#include <cwctype>

#include "script/script_input.h"
#include "script/utf8.h"

namespace platform {

namespace {

bool Is_Space(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && Is_Space(s.front())) s.remove_prefix(1);
    while (!s.empty() && Is_Space(s.back())) s.remove_suffix(1);
    return s;
}

std::wstring Upper_Ascii(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

std::wstring Lower_Ascii(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

std::vector<std::wstring_view> Split_Words(std::wstring_view s) {
    std::vector<std::wstring_view> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && Is_Space(s[i])) ++i;
        size_t start = i;
        while (i < s.size() && !Is_Space(s[i])) ++i;
        if (i > start) words.push_back(s.substr(start, i - start));
    }
    return words;
}

bool Parse_Number(std::wstring_view text, double& value) {
    std::wstring s(Trim(text));
    if (s.empty()) return false;
    wchar_t* end = nullptr;
    value = std::wcstod(s.c_str(), &end);
    return end == s.c_str() + s.size() && std::isfinite(value);
}

// "X,Y" or "X,Y,Z".
bool Parse_Point(std::wstring_view text, double (&pt)[3], bool& has_z) {
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == L',') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() < 2 || parts.size() > 3) return false;
    pt[2] = 0;
    for (size_t k = 0; k < parts.size(); ++k)
        if (!Parse_Number(parts[k], pt[k])) return false;
    has_z = parts.size() == 3;
    return true;
}

// Argument parsers: read the text after the keyword into the step, or give a reason.
using Arg_Parser = bool (*)(std::wstring_view args, Step& step, std::string& reason);

bool No_Args(std::wstring_view args, Step&, std::string& reason) {
    if (args.empty()) return true;
    reason = "takes no argument";
    return false;
}

bool One_Word(std::wstring_view args, Step& step, std::string& reason) {
    auto words = Split_Words(args);
    if (words.size() != 1) {
        reason = words.empty() ? "needs a name" : "takes one name without blanks";
        return false;
    }
    step.text = words[0];
    return true;
}

// "TEXT" with \" and \\ escapes, or the unquoted rest of the line.
bool Text_Arg(std::wstring_view args, Step& step, std::string& reason) {
    if (args.empty()) {
        reason = "needs a text (write \"\" for an empty one)";
        return false;
    }
    if (args.front() != L'"') {
        step.text = args;
        return true;
    }
    std::wstring text;
    size_t i = 1;
    for (; i < args.size(); ++i) {
        wchar_t c = args[i];
        if (c == L'\\') {
            if (i + 1 < args.size() && (args[i + 1] == L'"' || args[i + 1] == L'\\')) {
                text += args[++i];
                continue;
            }
            text += c;  // a lone backslash stands for itself (Windows paths)
            continue;
        }
        if (c == L'"') break;
        text += c;
    }
    if (i >= args.size()) {
        reason = "unterminated quoted text";
        return false;
    }
    if (!Trim(args.substr(i + 1)).empty()) {
        reason = "unexpected text after the closing quote";
        return false;
    }
    step.text = std::move(text);
    return true;
}

bool Non_Empty_Text_Arg(std::wstring_view args, Step& step, std::string& reason) {
    if (!Text_Arg(args, step, reason)) return false;
    if (!step.text.empty()) return true;
    reason = "needs a path";
    return false;
}

// One or more quoted paths ("A" "B"), or one unquoted path.
bool File_Arg(std::wstring_view args, Step& step, std::string& reason) {
    if (args.empty() || args.front() != L'"') {
        if (!Non_Empty_Text_Arg(args, step, reason)) return false;
        step.paths = {step.text};
        return true;
    }
    std::vector<std::wstring> paths;
    while (!args.empty()) {
        size_t close = 1;
        while (close < args.size() && args[close] != L'"') {
            const bool escape = args[close] == L'\\' && close + 1 < args.size() &&
                                (args[close + 1] == L'"' || args[close + 1] == L'\\');
            close += escape ? 2 : 1;
        }
        if (close >= args.size()) {
            reason = "unterminated quoted text";
            return false;
        }
        if (!Non_Empty_Text_Arg(args.substr(0, close + 1), step, reason)) return false;
        paths.push_back(step.text);
        args = Trim(args.substr(close + 1));
        if (!args.empty() && args.front() != L'"') {
            reason = "takes quoted paths separated by blanks";
            return false;
        }
    }
    step.text = paths.front();
    step.paths = std::move(paths);
    return true;
}

bool Point_Arg(std::wstring_view args, Step& step, std::string& reason) {
    if (Parse_Point(args, step.pt, step.has_z)) return true;
    reason = "needs X,Y or X,Y,Z";
    return false;
}

bool Select_Arg(std::wstring_view args, Step& step, std::string& reason) {
    auto words = Split_Words(args);
    std::wstring mode = words.empty() ? std::wstring() : Lower_Ascii(words[0]);
    step.text = mode;
    if (mode == L"all" && words.size() == 1) return true;
    if ((mode == L"window" || mode == L"crossing") && words.size() == 3) {
        bool z1 = false, z2 = false;
        if (Parse_Point(words[1], step.pt, z1) && Parse_Point(words[2], step.pt2, z2)) {
            step.has_z = z1 || z2;
            return true;
        }
        reason = "needs two corners X1,Y1 X2,Y2";
        return false;
    }
    reason = "needs 'all', 'window X1,Y1 X2,Y2' or 'crossing X1,Y1 X2,Y2'";
    return false;
}

bool Msgbox_Arg(std::wstring_view args, Step& step, std::string& reason) {
    static const wchar_t* const kAnswers[] = {L"YES", L"NO", L"OK", L"CANCEL", L"RETRY", L"IGNORE", L"ABORT"};
    std::wstring answer = Upper_Ascii(args);
    for (const wchar_t* a : kAnswers) {
        if (answer == a) {
            step.text = answer;
            return true;
        }
    }
    reason = "needs YES, NO, OK, CANCEL, RETRY, IGNORE or ABORT";
    return false;
}

bool Key_Arg(std::wstring_view args, Step& step, std::string& reason) {
    const auto words = Split_Words(args);
    const std::wstring action = words.size() == 2 ? Lower_Ascii(words[1]) : std::wstring();
    if (!words.empty() && words.size() <= 2 && Key_Code_From_Name(words[0]) >= 0 &&
        (words.size() == 1 || action == L"down" || action == L"up")) {
        step.text = Upper_Ascii(words[0]);
        step.key_action = action == L"down" ? KeyAction::Down : action == L"up" ? KeyAction::Up : KeyAction::Press;
        return true;
    }
    reason = "needs a key name (TAB, ESCAPE, RETURN, PAGEUP, LEFT, F1..F12, a letter or digit...), then "
             "optionally 'down' or 'up'";
    return false;
}

bool Parse_Int(std::wstring_view text, int& value) {
    double d = 0;
    if (!Parse_Number(text, d) || d != std::floor(d) || std::fabs(d) > 2147483647.0) return false;
    value = static_cast<int>(d);
    return true;
}

// A symbol: a letter or underscore, then letters, digits and underscores (IDC_BP1_LIST).
bool Is_Symbol(std::wstring_view word) {
    if (word.empty() || !(std::iswalpha(word[0]) || word[0] == L'_')) return false;
    for (wchar_t c : word)
        if (c > 0x7F || !(std::iswalnum(c) || c == L'_')) return false;
    return true;
}

// An id given as a number or as a symbol, resolved when the step is taken.
bool Parse_Id(std::wstring_view word, int& value, std::wstring& symbol) {
    if (Parse_Int(word, value)) return true;
    if (!Is_Symbol(word)) return false;
    symbol = word;
    return true;
}

// ID followed by `count` integers.
bool Id_And_Ints(std::wstring_view args, Step& step, std::string& reason, size_t count, size_t optional,
                 const char* usage) {
    auto words = Split_Words(args);
    bool ok = words.size() >= 1 + count - optional && words.size() <= 1 + count &&
              Parse_Id(words[0], step.control_id, step.control_symbol);
    for (size_t i = 1; ok && i < words.size(); ++i) ok = Parse_Int(words[i], step.values[i - 1]);
    if (ok) return true;
    reason = usage;
    return false;
}

bool Click_Arg(std::wstring_view a, Step& s, std::string& r) { return Id_And_Ints(a, s, r, 0, 0, "needs a control id or symbol"); }
bool Choose_Arg(std::wstring_view a, Step& s, std::string& r) { return Id_And_Ints(a, s, r, 1, 0, "needs ID N"); }
bool Cell_Arg(std::wstring_view a, Step& s, std::string& r) { return Id_And_Ints(a, s, r, 2, 0, "needs ID ROW COL"); }
bool DblClick_Arg(std::wstring_view a, Step& s, std::string& r) {
    return Id_And_Ints(a, s, r, 2, 2, "needs ID [ROW [COL]]");
}
bool Header_Arg(std::wstring_view a, Step& s, std::string& r) { return Id_And_Ints(a, s, r, 1, 0, "needs ID COL"); }
bool Menu_Arg(std::wstring_view a, Step& s, std::string& r) { return Id_And_Ints(a, s, r, 0, 0, "needs a menu item id or symbol"); }

bool Check_Arg(std::wstring_view a, Step& s, std::string& r) {
    if (Id_And_Ints(a, s, r, 1, 0, "needs ID 0|1") && (s.values[0] == 0 || s.values[0] == 1)) return true;
    r = "needs ID 0|1";
    return false;
}

bool Pick_Arg(std::wstring_view a, Step& s, std::string& r) {
    auto words = Split_Words(a);
    if (words.size() == 1 && Parse_Int(words[0], s.values[0])) return true;
    r = "needs a number";
    return false;
}

bool Text_Step_Arg(std::wstring_view args, Step& step, std::string& reason) {
    size_t i = 0;
    while (i < args.size() && !Is_Space(args[i])) ++i;
    if (!Parse_Id(args.substr(0, i), step.control_id, step.control_symbol)) {
        reason = "needs ID \"TEXT\"";
        return false;
    }
    const std::wstring_view rest = Trim(args.substr(i));
    if (rest.empty() || rest.front() != L'"') {
        reason = "needs ID \"TEXT\"";
        return false;
    }
    return Text_Arg(rest, step, reason);
}

bool Color_Arg(std::wstring_view args, Step& step, std::string& reason) {
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= args.size(); ++i)
        if (i == args.size() || args[i] == L',') parts.push_back(Trim(args.substr(start, i - start))), start = i + 1;
    bool ok = parts.size() == 3;
    for (size_t k = 0; ok && k < 3; ++k) ok = Parse_Int(parts[k], step.values[k]) && step.values[k] >= 0 && step.values[k] <= 255;
    if (ok) return true;
    reason = "needs R,G,B (0..255 each)";
    return false;
}

bool Wait_Arg(std::wstring_view args, Step& step, std::string& reason) {
    auto words = Split_Words(args);
    const std::wstring mode = words.empty() ? std::wstring() : Lower_Ascii(words[0]);
    if (mode == L"pumps" && words.size() == 2 && Parse_Int(words[1], step.values[0]) && step.values[0] >= 0) return true;
    if (mode == L"file") {
        const std::wstring_view rest = Trim(args.substr(args.find(words[0]) + words[0].size()));
        if (Non_Empty_Text_Arg(rest, step, reason)) return true;
    }
    reason = "needs 'pumps N' or 'file \"PATH\"'";
    return false;
}

bool Drag_Arg(std::wstring_view args, Step& step, std::string& reason) {
    double offset[3] = {0, 0, 0};
    bool has_z = false;
    if (Parse_Point(args, offset, has_z) && !has_z && offset[0] == std::floor(offset[0]) &&
        offset[1] == std::floor(offset[1]) && std::fabs(offset[0]) < 1e6 && std::fabs(offset[1]) < 1e6) {
        step.values[0] = static_cast<int>(offset[0]);
        step.values[1] = static_cast<int>(offset[1]);
        return true;
    }
    reason = "needs DX,DY in whole pixels";
    return false;
}

struct Step_Syntax {
    const wchar_t* keyword;
    StepKind kind;
    Arg_Parser parse;
};

// The language: one entry per step kind.
const Step_Syntax kSyntax[] = {
    {L"command", StepKind::Command, One_Word},
    {L"answer", StepKind::Answer, Text_Arg},
    {L"point", StepKind::Point, Point_Arg},
    {L"enter", StepKind::Enter, No_Args},
    {L"esc", StepKind::Esc, No_Args},
    {L"select", StepKind::Select, Select_Arg},
    {L"msgbox", StepKind::MsgBox, Msgbox_Arg},
    {L"file", StepKind::File, File_Arg},
    {L"key", StepKind::Key, Key_Arg},
    {L"save", StepKind::Save, Non_Empty_Text_Arg},
    {L"quit", StepKind::Quit, No_Args},
    {L"menubar", StepKind::Menubar, No_Args},
    {L"click", StepKind::Click, Click_Arg},
    {L"text", StepKind::Text, Text_Step_Arg},
    {L"choose", StepKind::Choose, Choose_Arg},
    {L"check", StepKind::Check, Check_Arg},
    {L"cell", StepKind::Cell, Cell_Arg},
    {L"rclick", StepKind::RClick, Cell_Arg},
    {L"dblclick", StepKind::DblClick, DblClick_Arg},
    {L"header", StepKind::Header, Header_Arg},
    {L"menu", StepKind::Menu, Menu_Arg},
    {L"pick", StepKind::Pick, Pick_Arg},
    {L"color", StepKind::Color, Color_Arg},
    {L"snapshot", StepKind::Snapshot, Non_Empty_Text_Arg},
    {L"rows", StepKind::Rows, Click_Arg},
    {L"wait", StepKind::Wait, Wait_Arg},
    {L"drag", StepKind::Drag, Drag_Arg},
};

struct Key_Name {
    const wchar_t* name;
    int code;
};

const Key_Name kKeyNames[] = {
    {L"BACKSPACE", 0x08}, {L"BACK", 0x08},     {L"TAB", 0x09},      {L"RETURN", 0x0D},
    {L"ENTER", 0x0D},     {L"SHIFT", 0x10},    {L"CONTROL", 0x11},  {L"CTRL", 0x11},
    {L"ALT", 0x12},       {L"PAUSE", 0x13},    {L"ESCAPE", 0x1B},   {L"ESC", 0x1B},
    {L"SPACE", 0x20},     {L"PAGEUP", 0x21},   {L"PRIOR", 0x21},    {L"PAGEDOWN", 0x22},
    {L"NEXT", 0x22},      {L"END", 0x23},      {L"HOME", 0x24},     {L"LEFT", 0x25},
    {L"UP", 0x26},        {L"RIGHT", 0x27},    {L"DOWN", 0x28},     {L"INSERT", 0x2D},
    {L"DELETE", 0x2E},
};

}  // namespace

const wchar_t* Step_Kind_Name(StepKind kind) {
    for (const auto& s : kSyntax)
        if (s.kind == kind) return s.keyword;
    return L"?";
}

bool Is_Window_Step(StepKind kind) {
    switch (kind) {
    case StepKind::Click:
    case StepKind::Text:
    case StepKind::Choose:
    case StepKind::Check:
    case StepKind::Cell:
    case StepKind::RClick:
    case StepKind::DblClick:
    case StepKind::Header:
    case StepKind::Snapshot:
    case StepKind::Rows: return true;
    default: return false;
    }
}

int Key_Code_From_Name(std::wstring_view name) {
    std::wstring upper = Upper_Ascii(Trim(name));
    if (upper.size() == 1 && ((upper[0] >= L'A' && upper[0] <= L'Z') || (upper[0] >= L'0' && upper[0] <= L'9')))
        return upper[0];
    if (upper.size() >= 2 && upper.size() <= 3 && upper[0] == L'F' && std::iswdigit(upper[1]) &&
        (upper.size() == 2 || std::iswdigit(upper[2]))) {
        const int n = std::stoi(upper.substr(1));
        if (n >= 1 && n <= 24) return 0x70 + n - 1;
    }
    for (const auto& k : kKeyNames)
        if (upper == k.name) return k.code;
    return -1;
}

bool Parse_Script(std::wstring_view text, std::wstring_view source_name, std::vector<Step>& steps,
                  std::string& error) {
    steps.clear();
    std::vector<Step> parsed;
    const std::string source = source_name.empty() ? std::string("script") : To_Utf8(source_name);
    int line_number = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find(L'\n', pos);
        if (end == std::wstring_view::npos) end = text.size();
        std::wstring_view line = Trim(text.substr(pos, end - pos));
        ++line_number;
        pos = end + 1;
        if (line_number == 1 && !line.empty() && line.front() == 0xFEFF) line = Trim(line.substr(1));
        if (line.empty() || line.front() == L'#') continue;

        auto fail = [&](const std::string& reason) {
            error = source + ":" + std::to_string(line_number) + ": " + reason + ": " + To_Utf8(line);
            return false;
        };
        const std::wstring_view whole_line = line;
        int target = 0;
        std::wstring target_symbol;
        if (line.front() == L'@') {
            size_t end = 1;
            while (end < line.size() && !Is_Space(line[end])) ++end;
            if (!Parse_Id(line.substr(1, end - 1), target, target_symbol) || (target_symbol.empty() && target <= 0))
                return fail("'@' needs a dialog template id or symbol");
            line = Trim(line.substr(end));
        }
        size_t word_end = 0;
        while (word_end < line.size() && !Is_Space(line[word_end])) ++word_end;
        const std::wstring keyword = Lower_Ascii(line.substr(0, word_end));
        const std::wstring_view args = Trim(line.substr(word_end));
        const Step_Syntax* syntax = nullptr;
        for (const auto& s : kSyntax)
            if (keyword == s.keyword) syntax = &s;
        if (!syntax) return fail("unknown step '" + To_Utf8(line.substr(0, word_end)) + "'");
        Step step;
        step.kind = syntax->kind;
        step.line = line_number;
        step.source_line = whole_line;
        step.target = target;
        step.target_symbol = target_symbol;
        std::string reason;
        if (!syntax->parse(args, step, reason)) return fail("'" + To_Utf8(syntax->keyword) + "' " + reason);
        if ((target || !target_symbol.empty()) && !Is_Window_Step(step.kind) && step.kind != StepKind::Key)
            return fail("'@' names the window of a dialog step, not of '" + To_Utf8(syntax->keyword) + "'");
        parsed.push_back(std::move(step));
    }
    steps = std::move(parsed);
    return true;
}

std::wstring Step::describe() const {
    if (!source_line.empty()) return source_line;
    std::wstring out = Step_Kind_Name(kind);
    if (!text.empty()) out += L" " + text;
    return out;
}

}  // namespace platform
