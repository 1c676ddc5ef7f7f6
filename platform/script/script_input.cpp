#include "script/script_input.h"

#include <fstream>
#include <sstream>

#include "script/utf8.h"

namespace platform {

namespace {

// Control characters of a prompt shown as escapes, so a message stays on one line.
std::wstring Escape_Controls(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'\n': out += L"\\n"; break;
            case L'\r': out += L"\\r"; break;
            case L'\t': out += L"\\t"; break;
            default: out += c;
        }
    }
    return out;
}

std::wstring Kind_List(std::initializer_list<StepKind> kinds) {
    std::wstring out;
    for (StepKind k : kinds) {
        if (!out.empty()) out += L"/";
        out += Step_Kind_Name(k);
    }
    return out;
}

Step Cancel_Step() {
    Step step;
    step.kind = StepKind::Esc;
    step.synthetic = true;
    return step;
}

Symbol_Resolver& Resolver() {
    static Symbol_Resolver resolver;
    return resolver;
}

int Resolve(const Step& step, const std::wstring& symbol) {
    int value = 0;
    if (!Resolver() || !Resolver()(symbol, value))
        throw Step_Failed(step, L"unknown id " + symbol +
                                    L": neither a symbol of a loaded module's resources nor a standard id "
                                    L"(IDOK, IDCANCEL, IDYES, IDNO...)");
    return value;
}

}  // namespace

UnansweredInput Step_Failed(const Step& step, std::wstring_view why) {
    return UnansweredInput(
        To_Utf8(L"step '" + step.describe() + L"' at line " + std::to_wstring(step.line) + L": " + std::wstring(why)));
}

void Set_Symbol_Resolver(Symbol_Resolver resolver) { Resolver() = std::move(resolver); }

ScriptInput& ScriptInput::instance() {
    static ScriptInput input;
    return input;
}

void ScriptInput::push_text(std::string_view utf8_text) { push_text(From_Utf8(utf8_text)); }

void ScriptInput::push_text(std::wstring_view text) {
    std::vector<Step> steps;
    std::string error;
    if (!Parse_Script(text, L"", steps, error)) throw ScriptSyntaxError(error);
    push_steps(steps);
}

bool ScriptInput::push_file(const std::filesystem::path& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": cannot read the script file";
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::vector<Step> steps;
    if (!Parse_Script(From_Utf8(bytes.str()), From_Utf8(path.string()), steps, error)) return false;
    push_steps(steps);
    return true;
}

void ScriptInput::push_steps(const std::vector<Step>& steps) {
    std::lock_guard lock(mutex_);
    steps_.insert(steps_.end(), steps.begin(), steps.end());
}

bool ScriptInput::empty() const {
    std::lock_guard lock(mutex_);
    return steps_.empty();
}

size_t ScriptInput::size() const {
    std::lock_guard lock(mutex_);
    return steps_.size();
}

Step& ScriptInput::front_resolved() {
    Step& step = steps_.front();
    if (!step.target_symbol.empty()) {
        step.target = Resolve(step, step.target_symbol);
        if (step.target <= 0) throw Step_Failed(step, step.target_symbol + L" is no dialog template id");
    }
    if (!step.control_symbol.empty()) step.control_id = Resolve(step, step.control_symbol);
    return step;
}

const Step* ScriptInput::peek() {
    std::lock_guard lock(mutex_);
    return steps_.empty() ? nullptr : &front_resolved();
}

Step ScriptInput::take() {
    std::lock_guard lock(mutex_);
    if (steps_.empty()) throw UnansweredInput("script step requested: script ended");
    Step step = std::move(front_resolved());
    steps_.pop_front();
    if (step.kind == StepKind::Quit) quitting_ = true;
    return step;
}

Step ScriptInput::expect(std::initializer_list<StepKind> accepted, std::wstring_view what_is_asked) {
    std::lock_guard lock(mutex_);
    if (quitting_) return Cancel_Step();
    auto unanswered = [&](const std::wstring& why) {
        return UnansweredInput(To_Utf8(Escape_Controls(what_is_asked) + L" (" + Kind_List(accepted) +
                                       L") not answered: " + why));
    };
    if (steps_.empty()) throw unanswered(L"script ended");
    const Step& next = front_resolved();
    bool acceptable = false;
    for (StepKind k : accepted) acceptable = acceptable || k == next.kind;
    if (next.kind == StepKind::Quit) {
        Step quit = std::move(steps_.front());
        steps_.pop_front();
        quitting_ = true;
        return acceptable ? quit : Cancel_Step();
    }
    if (!acceptable)
        throw unanswered(L"next step is '" + next.describe() + L"' at line " + std::to_wstring(next.line));
    Step step = std::move(steps_.front());
    steps_.pop_front();
    return step;
}

bool ScriptInput::quitting() const {
    std::lock_guard lock(mutex_);
    return quitting_;
}

void ScriptInput::clear() {
    std::lock_guard lock(mutex_);
    steps_.clear();
}

void ScriptInput::reset() {
    std::lock_guard lock(mutex_);
    steps_.clear();
    quitting_ = false;
}

}  // namespace platform
