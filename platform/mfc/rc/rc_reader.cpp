// Reader of resource scripts: preprocessor lines, tokens and the resource statements.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

#include "mfc/rc/resource_script.h"
#include "mfc/winuser.h"
#include "script/utf8.h"

namespace platform::rc {

namespace {

struct Token {
    enum Kind { Ident, Number, String, Punct, End } kind = End;
    std::string text;
    long value = 0;
    int line = 0;
    std::string file;
};

struct Failure {
    std::string message;
};

std::string Upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

class Reader {
public:
    explicit Reader(Script& script) : script_(script) {}

    void Lex(const std::string& text, const std::filesystem::path& path, int depth) {
        if (depth > 16) throw Failure{path.string() + ":1: includes nested too deeply"};
        const std::string file = path.string();
        std::vector<std::pair<bool, bool>> conditions;  // active, a branch was taken
        auto active = [&] {
            for (auto& c : conditions)
                if (!c.first) return false;
            return true;
        };
        size_t i = 0;
        int line = 1;
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
        bool line_start = true;
        auto fail = [&](const std::string& why) { throw Failure{file + ":" + std::to_string(line) + ": " + why}; };
        while (i < text.size()) {
            const char c = text[i];
            if (c == '\n') {
                ++line, ++i, line_start = true;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                ++i;
                continue;
            }
            if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
                while (i < text.size() && text[i] != '\n') ++i;
                continue;
            }
            if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
                const size_t end = text.find("*/", i + 2);
                if (end == std::string::npos) fail("unterminated comment");
                line += static_cast<int>(std::count(text.begin() + static_cast<long>(i), text.begin() + static_cast<long>(end), '\n'));
                i = end + 2;
                continue;
            }
            if (c == '#' && line_start) {
                std::string directive;
                const int directive_line = line;
                while (i < text.size() && text[i] != '\n') {
                    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r')) {
                        while (i < text.size() && text[i] != '\n') ++i;
                        ++i, ++line;
                        continue;
                    }
                    directive += text[i++];
                }
                Directive(directive, path, directive_line, depth, conditions, active());
                continue;
            }
            line_start = false;
            if (!active()) {
                while (i < text.size() && text[i] != '\n') ++i;
                continue;
            }
            Token t;
            t.line = line;
            t.file = file;
            if (c == '"') {
                std::string s;
                ++i;
                for (;;) {
                    if (i >= text.size() || text[i] == '\n') fail("unterminated string");
                    const char d = text[i];
                    if (d == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            s += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (d == '\\' && i + 1 < text.size()) {
                        const char e = text[i + 1];
                        if (e == 'n') s += '\n';
                        else if (e == 't') s += '\t';
                        else if (e == 'r') s += '\r';
                        else if (e == '\\') s += '\\';
                        else if (e == '"') s += '"';
                        else if (e == 'a') s += '\b';
                        else s += '\\', s += e;
                        i += 2;
                        continue;
                    }
                    s += d;
                    ++i;
                }
                t.kind = Token::String;
                t.text = s;
            } else if (std::isdigit(static_cast<unsigned char>(c))) {
                size_t end = i;
                while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) ++end;
                t.text = text.substr(i, end - i);
                std::string digits = t.text;
                while (!digits.empty() && (std::toupper(static_cast<unsigned char>(digits.back())) == 'L' ||
                                           std::toupper(static_cast<unsigned char>(digits.back())) == 'U'))
                    digits.pop_back();
                try {
                    size_t used = 0;
                    t.value = static_cast<long>(std::stoul(digits, &used, 0));
                    if (used != digits.size()) fail("bad number '" + t.text + "'");
                } catch (const std::logic_error&) {
                    fail("bad number '" + t.text + "'");
                }
                t.kind = Token::Number;
                i = end;
            } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                size_t end = i;
                while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) ++end;
                t.text = text.substr(i, end - i);
                t.kind = Token::Ident;
                i = end;
            } else if (std::string("{},|()+-~&").find(c) != std::string::npos) {
                t.kind = Token::Punct;
                t.text = std::string(1, c);
                ++i;
            } else {
                fail(std::string("unexpected character '") + c + "'");
            }
            tokens_.push_back(t);
        }
        if (!conditions.empty()) throw Failure{file + ":" + std::to_string(line) + ": #if without #endif"};
    }

    void Parse() {
        pos_ = 0;
        Token end;
        end.kind = Token::End;
        end.line = tokens_.empty() ? 1 : tokens_.back().line;
        end.file = tokens_.empty() ? script_.path.string() : tokens_.back().file;
        tokens_.push_back(end);
        while (Peek().kind != Token::End) Statement();
    }

private:
    // ---- preprocessor ---------------------------------------------------------

    void Directive(const std::string& line_text, const std::filesystem::path& path, int line, int depth,
                   std::vector<std::pair<bool, bool>>& conditions, bool active) {
        std::istringstream in(line_text.substr(1));
        std::string word;
        in >> word;
        std::string rest;
        std::getline(in, rest);
        rest.erase(0, rest.find_first_not_of(" \t"));
        while (!rest.empty() && (rest.back() == '\r' || rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
        const std::string where = path.string() + ":" + std::to_string(line) + ": ";
        if (word == "ifdef" || word == "ifndef") {
            std::string name = rest.substr(0, rest.find_first_of(" \t/"));
            const bool defined = defined_.count(name) > 0;
            const bool value = word == "ifdef" ? defined : !defined;
            conditions.push_back({value, value});
        } else if (word == "if") {
            const bool value = Condition(rest);
            conditions.push_back({value, value});
        } else if (word == "elif") {
            if (conditions.empty()) throw Failure{where + "#elif without #if"};
            auto& c = conditions.back();
            c.first = !c.second && Condition(rest);
            c.second = c.second || c.first;
        } else if (word == "else") {
            if (conditions.empty()) throw Failure{where + "#else without #if"};
            auto& c = conditions.back();
            c.first = !c.second;
            c.second = true;
        } else if (word == "endif") {
            if (conditions.empty()) throw Failure{where + "#endif without #if"};
            conditions.pop_back();
        } else if (!active) {
            return;
        } else if (word == "define") {
            std::istringstream def(rest);
            std::string name;
            def >> name;
            std::string value;
            std::getline(def, value);
            if (name.empty()) throw Failure{where + "#define without a name"};
            defined_.insert(name);
            long number = 0;
            if (Evaluate_Text(value, number)) script_.defines[name] = number;
        } else if (word == "undef") {
            defined_.erase(rest);
            script_.defines.erase(rest);
        } else if (word == "include") {
            Include(rest, path, line, depth);
        } else if (word == "pragma" || word == "error" || word == "line" || word.empty()) {
            // code_page and the like: nothing to do
        } else {
            throw Failure{where + "unknown directive #" + word};
        }
    }

    // defined(X) / !defined(X) joined by || and &&; anything else counts as true.
    bool Condition(const std::string& text) {
        bool result = false, have = false;
        std::string op;
        size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
            if (i >= text.size()) break;
            if (text.compare(i, 2, "||") == 0 || text.compare(i, 2, "&&") == 0) {
                op = text.substr(i, 2);
                i += 2;
                continue;
            }
            bool negate = false;
            while (i < text.size() && text[i] == '!') negate = !negate, ++i;
            bool value = true;
            if (text.compare(i, 7, "defined") == 0) {
                i += 7;
                std::string name;
                while (i < text.size() && (text[i] == '(' || text[i] == ' ')) ++i;
                while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_')) name += text[i++];
                while (i < text.size() && (text[i] == ')' || text[i] == ' ')) ++i;
                value = defined_.count(name) > 0;
            } else {
                std::string term;
                while (i < text.size() && text.compare(i, 2, "||") != 0 && text.compare(i, 2, "&&") != 0) term += text[i++];
                long number = 1;
                if (Evaluate_Text(term, number)) value = number != 0;
            }
            if (negate) value = !value;
            result = !have ? value : (op == "&&" ? (result && value) : (result || value));
            have = true;
        }
        return have ? result : true;
    }

    bool Evaluate_Text(const std::string& text, long& value) {
        Script scratch;
        Reader sub(scratch);
        sub.defined_ = defined_;
        sub.script_.defines = script_.defines;
        try {
            sub.Lex(text, "define", 0);
            if (sub.tokens_.empty()) return false;
            sub.Parse_Prepare();
            Style s = sub.Expression();
            if (sub.Peek().kind != Token::End) return false;
            value = s.value;
            return true;
        } catch (const Failure&) {
            return false;
        }
    }

    void Include(const std::string& target, const std::filesystem::path& from, int line, int depth) {
        if (target.size() < 2) throw Failure{from.string() + ":" + std::to_string(line) + ": bad #include"};
        const bool system = target.front() == '<';
        const std::string name = target.substr(1, target.find(system ? '>' : '"', 1) - 1);
        std::filesystem::path file = from.parent_path() / name;
        std::string lower = name;
        for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            // The SDK's own headers carry nothing a script of ours needs.
            if (system || lower == "afxres.h" || lower == "winres.h" || lower == "windows.h" || lower == "winresrc.h" ||
                lower.find(".rc2") != std::string::npos || lower.rfind("afx", 0) == 0 || lower.rfind("l.", 0) == 0)
                return;
            throw Failure{from.string() + ":" + std::to_string(line) + ": cannot open include file \"" + name + "\""};
        }
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string ext = Upper(file.extension().string());
        if (ext == ".H" || ext == ".HPP") {
            // Headers give only preprocessor lines.
            Script scratch;
            Reader sub(scratch);
            sub.defined_ = defined_;
            sub.script_.defines = script_.defines;
            sub.Lex(bytes.str(), file, depth + 1);
            defined_ = sub.defined_;
            for (auto& d : sub.script_.defines) script_.defines[d.first] = d.second;
            return;
        }
        Lex(bytes.str(), file, depth + 1);
    }

    // ---- tokens ----------------------------------------------------------------

    void Parse_Prepare() {
        Token end;
        end.kind = Token::End;
        tokens_.push_back(end);
        pos_ = 0;
    }

    const Token& Peek(size_t ahead = 0) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }
    const Token& Next() {
        const Token& t = Peek();
        if (pos_ < tokens_.size() - 1) ++pos_;
        return t;
    }
    [[noreturn]] void Fail(const Token& at, const std::string& why) {
        throw Failure{at.file + ":" + std::to_string(at.line) + ": " + why};
    }
    std::string Show(const Token& t) { return t.kind == Token::End ? std::string("end of file") : "'" + t.text + "'"; }

    bool Is_Word(const Token& t, const char* word) { return t.kind == Token::Ident && Upper(t.text) == word; }
    bool Is_Begin(const Token& t) { return (t.kind == Token::Punct && t.text == "{") || Is_Word(t, "BEGIN"); }
    bool Is_End(const Token& t) { return (t.kind == Token::Punct && t.text == "}") || Is_Word(t, "END"); }
    bool Is_Punct(const Token& t, const char* p) { return t.kind == Token::Punct && t.text == p; }

    void Expect_Comma(const char* after) {
        if (!Is_Punct(Peek(), ",")) Fail(Peek(), std::string("expected ',' after ") + after + ", found " + Show(Peek()));
        Next();
    }
    bool Optional_Comma() {
        if (!Is_Punct(Peek(), ",")) return false;
        Next();
        return true;
    }
    void Expect_Begin(const char* what) {
        if (!Is_Begin(Peek())) Fail(Peek(), std::string("expected BEGIN of ") + what + ", found " + Show(Peek()));
        Next();
    }

    // A style expression as the resource compiler reads it: `NOT X` takes X out of what
    // stands before it and, on a control, out of the statement's default style; a style
    // written after it adds X again.
    struct Style {
        long value = 0;
        long not_mask = 0;
        // The style over a statement's default style.
        long Over(long base) const { return (base & ~not_mask) | value; }
    };

    Style Primary() {
        const Token& t = Next();
        if (Is_Word(t, "NOT")) {
            Style s = Primary();
            return Style{0, s.value};
        }
        if (Is_Punct(t, "~")) {
            Style s = Primary();
            return Style{~s.value, 0};
        }
        if (Is_Punct(t, "-")) {
            Style s = Primary();
            return Style{-s.value, 0};
        }
        if (Is_Punct(t, "(")) {
            Style s = Expression();
            if (!Is_Punct(Peek(), ")")) Fail(Peek(), "expected ')'");
            Next();
            return s;
        }
        if (t.kind == Token::Number) return Style{t.value, 0};
        if (t.kind == Token::Ident) {
            auto it = script_.defines.find(t.text);
            if (it != script_.defines.end()) return Style{it->second, 0};
            long value = 0;
            if (Style_Constant(t.text, value)) return Style{value, 0};
            Fail(t, "unknown name '" + t.text + "'");
        }
        Fail(t, "expected a number, found " + Show(t));
    }

    Style Expression() {
        Style s = Primary();
        for (;;) {
            const Token& t = Peek();
            if (!Is_Punct(t, "|") && !Is_Punct(t, "+") && !Is_Punct(t, "&") && !Is_Punct(t, "-")) return s;
            const std::string op = t.text;
            Next();
            const Style r = Primary();
            s.value &= ~r.not_mask;
            s.not_mask |= r.not_mask;
            if (op == "|") s.value |= r.value;
            else if (op == "+") s.value += r.value;
            else if (op == "&") s.value &= r.value;
            else s.value -= r.value;
        }
    }

    long Number(const char* what) {
        const Token& at = Peek();
        if (at.kind == Token::End || Is_Punct(at, ",")) Fail(at, std::string("expected ") + what + ", found " + Show(at));
        return Expression().value;
    }

    std::wstring String(const char* what) {
        const Token& t = Next();
        if (t.kind != Token::String) Fail(t, std::string("expected the text of ") + what + ", found " + Show(t));
        return From_Utf8(t.text);
    }

    // ---- statements --------------------------------------------------------------

    void Skip_Memory_Options() {
        static const std::set<std::string> kOptions = {"PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE",
                                                       "PURE", "IMPURE", "SHARED", "NONSHARED"};
        while (Peek().kind == Token::Ident && kOptions.count(Upper(Peek().text))) Next();
    }

    void Skip_Block() {
        while (!Is_Begin(Peek())) {
            if (Peek().kind == Token::End) Fail(Peek(), "expected BEGIN, found end of file");
            Next();
        }
        Next();
        int depth = 1;
        while (depth > 0) {
            const Token& t = Next();
            if (t.kind == Token::End) Fail(t, "BEGIN without END");
            if (Is_Begin(t)) ++depth;
            if (Is_End(t)) --depth;
        }
    }

    void Statement() {
        const Token& first = Next();
        if (Is_Word(first, "STRINGTABLE")) return String_Table();
        if (Is_Word(first, "LANGUAGE")) {
            Number("a language");
            Expect_Comma("the language");
            Number("a sub-language");
            return;
        }
        if (first.kind != Token::Ident && first.kind != Token::Number && first.kind != Token::String)
            Fail(first, "expected a resource name, found " + Show(first));
        int id = 0;
        std::wstring name;
        if (first.kind == Token::Number) {
            id = static_cast<int>(first.value);
        } else if (first.kind == Token::Ident && script_.defines.count(first.text)) {
            id = static_cast<int>(script_.defines[first.text]);
        } else {
            name = From_Utf8(first.text);
        }
        const Token& type_token = Next();
        if (type_token.kind != Token::Ident) Fail(type_token, "expected a resource type after " + Show(first));
        const std::string type = Upper(type_token.text);
        Skip_Memory_Options();
        if (type == "DIALOG" || type == "DIALOGEX") return Dialog_Template(id, name, type == "DIALOGEX", first);
        if (type == "MENU" || type == "MENUEX") return Menu_Template(id, type == "MENUEX");
        if (type == "BITMAP" || type == "ICON" || type == "CURSOR" || type == "PNG") {
            const Token& file = Next();
            if (file.kind != Token::String) Fail(file, "expected the quoted file name of " + type);
            Image image;
            image.id = id;
            image.name = name;
            image.kind = type == "BITMAP" ? Image_Kind::Bitmap
                         : type == "ICON" ? Image_Kind::Icon
                         : type == "CURSOR" ? Image_Kind::Cursor
                                            : Image_Kind::Png;
            std::string relative = file.text;
            std::replace(relative.begin(), relative.end(), '\\', '/');
            image.path = std::filesystem::path(file.file).parent_path() / relative;
            script_.images.push_back(image);
            return;
        }
        // Version information, design data, accelerators and the like are not used.
        if (type == "VERSIONINFO") {
            while (!Is_Begin(Peek()) && Peek().kind != Token::End) Next();
        }
        if (Peek().kind == Token::String) {
            Next();
            return;
        }
        Skip_Block();
    }

    void String_Table() {
        Skip_Memory_Options();
        while (!Is_Begin(Peek())) {
            if (Peek().kind == Token::End) Fail(Peek(), "expected BEGIN of STRINGTABLE");
            Next();  // LANGUAGE, CHARACTERISTICS ... before the block
        }
        Next();
        while (!Is_End(Peek())) {
            if (Peek().kind == Token::End) Fail(Peek(), "STRINGTABLE without END");
            const long id = Number("a string id");
            Optional_Comma();
            script_.strings[static_cast<UINT>(id)] = String("a string");
        }
        Next();
    }

    void Dialog_Template(int id, const std::wstring& name, bool extended, const Token& at) {
        Dialog d;
        d.id = id;
        d.name = name;
        d.extended = extended;
        d.line = at.line;
        d.file = at.file;
        d.x = Number("x");
        Expect_Comma("x");
        d.y = Number("y");
        Expect_Comma("y");
        d.cx = Number("width");
        Expect_Comma("width");
        d.cy = Number("height");
        if (Optional_Comma()) Number("a help id");
        bool have_style = false;
        d.style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        while (!Is_Begin(Peek())) {
            const Token& option = Next();
            const std::string word = Upper(option.text);
            if (option.kind != Token::Ident) Fail(option, "expected BEGIN of the dialog, found " + Show(option));
            if (word == "STYLE") {
                d.style = static_cast<DWORD>(Expression().value);
                have_style = true;
            } else if (word == "EXSTYLE") {
                d.ex_style = static_cast<DWORD>(Number("an extended style"));
            } else if (word == "CAPTION") {
                d.caption = String("the caption");
            } else if (word == "FONT") {
                d.font_size = Number("a font size");
                Expect_Comma("the font size");
                d.font_face = String("the font");
                if (Optional_Comma()) {
                    d.font_weight = Number("a font weight");
                    if (Optional_Comma()) {
                        d.font_italic = Number("an italic flag") != 0;
                        if (Optional_Comma()) Number("a character set");
                    }
                }
            } else if (word == "MENU" || word == "CLASS") {
                Next();
            } else if (word == "LANGUAGE") {
                Number("a language");
                Expect_Comma("the language");
                Number("a sub-language");
            } else if (word == "VERSION" || word == "CHARACTERISTICS") {
                Number("a number");
            } else {
                Fail(option, "unknown dialog option '" + option.text + "'");
            }
        }
        if (!have_style && !d.caption.empty()) d.style |= WS_CAPTION;
        if (!d.font_face.empty()) d.style |= DS_SETFONT;
        Next();
        while (!Is_End(Peek())) {
            if (Peek().kind == Token::End) Fail(Peek(), "dialog without END");
            d.controls.push_back(Control_Statement(extended));
        }
        Next();
        if (id) script_.dialogs[id] = d;
        else script_.named_dialogs[name] = d;
    }

    void Control_Text(Control& c) {
        const Token& t = Peek();
        long constant = 0;
        if (t.kind == Token::String ||
            (t.kind == Token::Ident && !script_.defines.count(t.text) && !Style_Constant(t.text, constant))) {
            c.text = From_Utf8(Next().text);
            return;
        }
        c.text_id = static_cast<int>(Number("the control's text"));
    }

    Control Control_Statement(bool extended) {
        const Token& keyword = Next();
        if (keyword.kind != Token::Ident) Fail(keyword, "expected a control, found " + Show(keyword));
        const std::string kw = Upper(keyword.text);
        Control c;
        c.statement = From_Utf8(kw);
        c.line = keyword.line;
        // The default style is combined with the statement's style (NOT takes bits out of
        // it), except where it stands only for a statement without a style: a combo box
        // keeps the kind its style gives (CBS_DROPDOWN stays a drop-down with an edit).
        struct Short_Form {
            const char* keyword;
            const wchar_t* class_name;
            DWORD style;
            int form;  // 0 text-first, 1 id-first, 2 icon
            bool only_without_style = false;
        };
        static const Short_Form kForms[] = {
            {"PUSHBUTTON", L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0},
            {"DEFPUSHBUTTON", L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
            {"CHECKBOX", L"Button", BS_CHECKBOX | WS_TABSTOP, 0},
            {"AUTOCHECKBOX", L"Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0},
            {"RADIOBUTTON", L"Button", BS_RADIOBUTTON, 0},
            {"AUTORADIOBUTTON", L"Button", BS_AUTORADIOBUTTON, 0},
            {"STATE3", L"Button", BS_3STATE | WS_TABSTOP, 0},
            {"AUTO3STATE", L"Button", BS_AUTO3STATE | WS_TABSTOP, 0},
            {"PUSHBOX", L"Button", BS_PUSHBOX | WS_TABSTOP, 0},
            {"GROUPBOX", L"Button", BS_GROUPBOX, 0},
            {"LTEXT", L"Static", SS_LEFT | WS_GROUP, 0},
            {"RTEXT", L"Static", SS_RIGHT | WS_GROUP, 0},
            {"CTEXT", L"Static", SS_CENTER | WS_GROUP, 0},
            {"EDITTEXT", L"Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, 1},
            {"COMBOBOX", L"ComboBox", CBS_SIMPLE | WS_TABSTOP, 1, true},
            {"LISTBOX", L"ListBox", LBS_NOTIFY | WS_BORDER, 1},
            {"SCROLLBAR", L"ScrollBar", 0, 1},
            {"ICON", L"Static", SS_ICON, 2},
        };
        auto finish_style = [&](const Short_Form& form) {
            c.style = WS_CHILD | WS_VISIBLE | form.style;
            if (Optional_Comma()) {
                const long base = WS_CHILD | WS_VISIBLE | (form.only_without_style ? 0 : form.style);
                c.style = static_cast<DWORD>(Expression().Over(base));
                if (Optional_Comma()) {
                    c.ex_style = static_cast<DWORD>(Number("an extended style"));
                    if (extended && Optional_Comma()) Number("a help id");
                }
            }
        };
        auto position = [&](bool size) {
            c.x = Number("x");
            Expect_Comma("x");
            c.y = Number("y");
            if (!size) return;
            Expect_Comma("y");
            c.cx = Number("width");
            Expect_Comma("width");
            c.cy = Number("height");
        };
        if (kw == "CONTROL") {
            Control_Text(c);
            Expect_Comma("the control's text");
            c.id = static_cast<int>(Number("a control id"));
            Expect_Comma("the control id");
            const Token& cls = Next();
            if (cls.kind != Token::String && cls.kind != Token::Ident) Fail(cls, "expected the control's class");
            c.class_name = From_Utf8(cls.text);
            if (Upper(cls.text) == "BUTTON") c.class_name = L"Button";
            if (Upper(cls.text) == "STATIC") c.class_name = L"Static";
            if (Upper(cls.text) == "EDIT") c.class_name = L"Edit";
            if (Upper(cls.text) == "COMBOBOX") c.class_name = L"ComboBox";
            if (Upper(cls.text) == "LISTBOX") c.class_name = L"ListBox";
            Expect_Comma("the class");
            c.style = static_cast<DWORD>(Expression().Over(WS_CHILD | WS_VISIBLE));
            Expect_Comma("the style");
            position(true);
            if (Optional_Comma()) {
                c.ex_style = static_cast<DWORD>(Number("an extended style"));
                if (extended && Optional_Comma()) Number("a help id");
            }
        } else {
            const Short_Form* form = nullptr;
            for (const auto& f : kForms)
                if (kw == f.keyword) form = &f;
            if (!form) Fail(keyword, "unknown control '" + keyword.text + "'");
            c.class_name = form->class_name;
            if (form->form == 1) {
                c.id = static_cast<int>(Number("a control id"));
                Expect_Comma("the control id");
                position(true);
                finish_style(*form);
            } else {
                Control_Text(c);
                Expect_Comma("the control's text");
                c.id = static_cast<int>(Number("a control id"));
                Expect_Comma("the control id");
                if (form->form == 2) {
                    position(false);
                    if (Optional_Comma()) {
                        c.cx = Number("width");
                        Expect_Comma("width");
                        c.cy = Number("height");
                        finish_style(*form);
                    } else {
                        c.style = WS_CHILD | WS_VISIBLE | form->style;
                    }
                } else {
                    position(true);
                    finish_style(*form);
                }
            }
        }
        if (Is_Begin(Peek())) Skip_Block();  // control data of DIALOGEX
        return c;
    }

    void Menu_Items(std::vector<Menu_Item>& items, bool extended) {
        Expect_Begin("a menu");
        while (!Is_End(Peek())) {
            const Token& t = Next();
            if (t.kind == Token::End) Fail(t, "menu without END");
            const std::string word = Upper(t.text);
            Menu_Item item;
            if (word == "MENUITEM") {
                if (Is_Word(Peek(), "SEPARATOR")) {
                    Next();
                    item.flags = MF_SEPARATOR;
                } else {
                    item.text = String("a menu item");
                    if (Optional_Comma()) {
                        if (!Is_Punct(Peek(), ",")) item.id = static_cast<int>(Number("a menu item id"));
                        while (Optional_Comma()) {
                            if (Is_Punct(Peek(), ",")) continue;
                            if (extended) {
                                item.flags |= static_cast<UINT>(Number("a menu flag"));
                                continue;
                            }
                            const Token& f = Next();
                            const std::string flag = Upper(f.text);
                            if (flag == "GRAYED") item.flags |= MF_GRAYED;
                            else if (flag == "INACTIVE") item.flags |= MF_DISABLED;
                            else if (flag == "CHECKED") item.flags |= MF_CHECKED;
                            else if (flag == "MENUBREAK") item.flags |= MF_MENUBREAK;
                            else if (flag == "MENUBARBREAK") item.flags |= MF_MENUBARBREAK;
                            else if (flag == "HELP") ;
                            else Fail(f, "unknown menu item option " + Show(f));
                        }
                    }
                }
            } else if (word == "POPUP") {
                item.text = String("a pop-up menu");
                item.flags = MF_POPUP;
                while (Optional_Comma()) Next();
                Menu_Items(item.children, extended);
            } else {
                Fail(t, "expected MENUITEM or POPUP, found " + Show(t));
            }
            items.push_back(std::move(item));
        }
        Next();
    }

    void Menu_Template(int id, bool extended) {
        Menu menu;
        menu.id = id;
        Menu_Items(menu.items, extended);
        script_.menus[id] = std::move(menu);
    }

    Script& script_;
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    std::set<std::string> defined_;
};

}  // namespace

bool Read_Script_Text(const std::string& utf8_text, const std::filesystem::path& path, Script& script,
                      std::string& error) {
    script = Script();
    script.path = path;
    Reader reader(script);
    try {
        reader.Lex(utf8_text, path, 0);
        reader.Parse();
    } catch (const Failure& failure) {
        error = failure.message;
        script = Script();
        return false;
    }
    return true;
}

bool Read_Script(const std::filesystem::path& path, Script& script, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": cannot read the resource script";
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return Read_Script_Text(bytes.str(), path, script, error);
}

}  // namespace platform::rc
