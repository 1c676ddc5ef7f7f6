#include "ed/input.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "ed/command_line_field.h"
#include "ed/host_reset.h"
#include "ed/input_point_monitor.h"
#include "script/utf8.h"

namespace platform {

namespace {

struct AnswerList {
    resbuf* head = nullptr;
    resbuf* cursor = nullptr;
};

struct InputState {
    std::wstring typed;    // typed input that waiting inputs read
    std::wstring pending;  // queued while nothing waited: runs when the command returns
    int waitDepth = 0;
    std::vector<AnswerList> answerLists;
    std::map<StepKind, std::pair<StepHandler, bool>> handlers;
};

InputState& State()
{
    static InputState state;
    return state;
}

struct WaitScope {
    WaitScope() { ++State().waitDepth; }
    ~WaitScope() { --State().waitDepth; }
};

std::wstring Format_Number(double value)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.10g", value);
    return buffer;
}

std::wstring Escaped_Prompt(const std::wstring& prompt)
{
    std::wstring out;
    for (wchar_t c : prompt) {
        if (c == L'\n')
            out += L"\\n";
        else
            out += c;
    }
    return out;
}

// The answer an item of an answer list gives.
InputAnswer From_Answer_List_Item(const resbuf* rb, const InputRequest& request)
{
    InputAnswer answer;
    answer.source = InputAnswer::Source::AnswerList;
    switch (rb->restype) {
    case RTSTR: {
        std::wstring text = rb->resval.rstring != nullptr ? rb->resval.rstring : L"";
        if (text.empty())
            answer.kind = InputAnswer::Kind::Enter;
        else if (text == L"\x03")
            answer.kind = InputAnswer::Kind::Cancel;
        else {
            answer.kind = InputAnswer::Kind::Text;
            answer.text = text;
        }
        break;
    }
    case RTSHORT:
        answer.kind = InputAnswer::Kind::Text;
        answer.text = std::to_wstring(rb->resval.rint);
        break;
    case RTLONG:
        answer.kind = InputAnswer::Kind::Text;
        answer.text = std::to_wstring(rb->resval.rlong);
        break;
    case RTREAL:
    case RTANG:
    case RTORINT:
        answer.kind = InputAnswer::Kind::Text;
        answer.text = Format_Number(rb->resval.rreal);
        break;
    case RTPOINT:
    case RT3DPOINT:
        answer.kind = InputAnswer::Kind::Point;
        std::copy(rb->resval.rpoint, rb->resval.rpoint + 3, answer.pt);
        answer.has_z = rb->restype == RT3DPOINT;
        break;
    case RTENAME:
        answer.kind = InputAnswer::Kind::Entity;
        answer.name[0] = rb->resval.rlname[0];
        answer.name[1] = rb->resval.rlname[1];
        break;
    case RTPICKS:
        answer.kind = InputAnswer::Kind::PickSet;
        answer.name[0] = rb->resval.rlname[0];
        answer.name[1] = rb->resval.rlname[1];
        break;
    default:
        throw HostCommandError(To_Utf8(L"prompt '" + Escaped_Prompt(request.prompt) +
                                       L"': answer of type " + std::to_wstring(rb->restype) +
                                       L" not understood"));
    }
    return answer;
}

InputAnswer From_Answer_List(const InputRequest& request)
{
    AnswerList& list = State().answerLists.back();
    resbuf* rb = list.cursor;
    if (rb == nullptr || rb->restype == RTNONE)
        throw HostCommandError(To_Utf8(L"prompt '" + Escaped_Prompt(request.prompt) +
                                       L"': the answer list ran short"));
    list.cursor = rb->rbnext;
    return From_Answer_List_Item(rb, request);
}

bool Is_Terminator(wchar_t c, bool spacesEnd)
{
    return c == L'\n' || c == L'\r' || (spacesEnd && c == L' ');
}

// The first answer of typed text, taken from it.
InputAnswer From_Typed(std::wstring& typed, const InputRequest& request)
{
    InputAnswer answer;
    answer.source = InputAnswer::Source::Typed;
    if (typed[0] == L'\x03') {
        typed.erase(0, 1);
        answer.kind = InputAnswer::Kind::Cancel;
        return answer;
    }
    size_t end = 0;
    while (end < typed.size() && typed[end] != L'\x03' &&
           !Is_Terminator(typed[end], request.spaces_end_text))
        ++end;
    std::wstring token = typed.substr(0, end);
    // The terminator goes with the token; a cancel character stays for the next input.
    if (end < typed.size() && typed[end] != L'\x03')
        ++end;
    typed.erase(0, end);
    if (token.empty()) {
        answer.kind = InputAnswer::Kind::Enter;
    } else {
        answer.kind = InputAnswer::Kind::Text;
        answer.text = token;
    }
    return answer;
}

InputAnswer From_Step(const Step& step)
{
    InputAnswer answer;
    answer.source = InputAnswer::Source::Script;
    answer.step = step;
    switch (step.kind) {
    case StepKind::Answer:
        answer.kind = step.text.empty() ? InputAnswer::Kind::Enter : InputAnswer::Kind::Text;
        answer.text = step.text;
        break;
    case StepKind::Point:
        answer.kind = InputAnswer::Kind::Point;
        std::copy(step.pt, step.pt + 3, answer.pt);
        answer.has_z = step.has_z;
        break;
    case StepKind::Select:
        answer.kind = InputAnswer::Kind::Select;
        answer.text = step.text;
        std::copy(step.pt, step.pt + 3, answer.pt);
        std::copy(step.pt2, step.pt2 + 3, answer.pt2);
        break;
    case StepKind::File:
        answer.kind = InputAnswer::Kind::File;
        answer.text = step.text;
        break;
    case StepKind::Enter:
        answer.kind = InputAnswer::Kind::Enter;
        break;
    default:  // esc, and the cancel given after quit
        answer.kind = InputAnswer::Kind::Cancel;
        break;
    }
    return answer;
}

}  // namespace

InputAnswer Wait_For_Input(const InputRequest& request, std::initializer_list<StepKind> accepted)
{
    WaitScope waiting;
    if (Answer_List_Active())
        return From_Answer_List(request);
    ScriptInput& script = ScriptInput::instance();
    const std::wstring what = L"prompt '" + Escaped_Prompt(request.prompt) + L"'";
    for (;;) {
        // After quit every input is cancelled, typed text included.
        if (script.quitting()) {
            State().typed.clear();
            return From_Step(script.expect(accepted, what));
        }
        if (!State().typed.empty())
            return Take_Editor_Answer(From_Typed(State().typed, request));
        const Step* next = script.peek();
        if (next != nullptr && std::find(accepted.begin(), accepted.end(), next->kind) == accepted.end()) {
            if (const StepHandler* handler = Find_Step_Handler(next->kind, false)) {
                Step step = script.take();
                (*handler)(step);
                continue;
            }
        }
        return Take_Editor_Answer(From_Step(script.expect(accepted, what)));
    }
}

std::optional<InputAnswer> Peek_Input(const InputRequest& request, std::initializer_list<StepKind> accepted,
                                      std::initializer_list<StepKind> taken_first)
{
    if (Answer_List_Active()) {
        const resbuf* rb = State().answerLists.back().cursor;
        if (rb == nullptr || rb->restype == RTNONE)
            return std::nullopt;
        return From_Answer_List_Item(rb, request);
    }
    ScriptInput& script = ScriptInput::instance();
    for (;;) {
        if (script.quitting()) {
            Step cancel;
            cancel.kind = StepKind::Esc;
            return From_Step(cancel);
        }
        if (!State().typed.empty()) {
            std::wstring copy = State().typed;
            return From_Typed(copy, request);
        }
        const Step* next = script.peek();
        if (next == nullptr)
            return std::nullopt;
        if (std::find(accepted.begin(), accepted.end(), next->kind) != accepted.end())
            return From_Step(*next);
        const StepHandler* handler = Find_Step_Handler(next->kind, false);
        if (handler == nullptr || std::find(taken_first.begin(), taken_first.end(), next->kind) == taken_first.end())
            return std::nullopt;
        Step step = script.take();
        (*handler)(step);
    }
}

void Unread_Typed_Text(const std::wstring& token)
{
    State().typed.insert(0, token + L"\n");
}

void Register_Step_Handler(StepKind kind, StepHandler handler, bool at_top_level)
{
    State().handlers[kind] = {std::move(handler), at_top_level};
}

const StepHandler* Find_Step_Handler(StepKind kind, bool at_top_level)
{
    auto& handlers = State().handlers;
    auto it = handlers.find(kind);
    if (it == handlers.end() || (at_top_level && !it->second.second))
        return nullptr;
    return &it->second.first;
}

void Queue_Typed_Text(const std::wstring& text)
{
    if (Input_Waiting())
        State().typed += text;
    else
        State().pending += text;
}

bool Input_Waiting() { return State().waitDepth > 0; }

bool Promote_Pending_Text()
{
    InputState& state = State();
    state.typed += state.pending;
    state.pending.clear();
    return !state.typed.empty();
}

bool Take_Typed_Command(std::wstring& name)
{
    std::wstring& typed = State().typed;
    size_t start = 0;
    while (start < typed.size() &&
           (typed[start] == L'\x03' || Is_Terminator(typed[start], true) || typed[start] == L'\t'))
        ++start;
    size_t end = start;
    while (end < typed.size() && typed[end] != L'\x03' && !Is_Terminator(typed[end], true))
        ++end;
    name = typed.substr(start, end - start);
    if (end < typed.size() && typed[end] != L'\x03')
        ++end;
    typed.erase(0, end);
    return !name.empty();
}

std::wstring Typed_Text() { return State().typed; }
std::wstring Pending_Text() { return State().pending; }

void Clear_Typed_Input()
{
    State().typed.clear();
    State().pending.clear();
}

void Push_Answer_List(const resbuf* list)
{
    AnswerList entry;
    entry.head = zcutDuplicateChain(list);
    entry.cursor = entry.head;
    State().answerLists.push_back(entry);
}

void Pop_Answer_List()
{
    auto& lists = State().answerLists;
    if (lists.empty())
        return;
    zcutRelRb(lists.back().head);
    lists.pop_back();
}

bool Answer_List_Active() { return !State().answerLists.empty(); }

const resbuf* Take_Answer_List_Item()
{
    auto& lists = State().answerLists;
    if (lists.empty() || lists.back().cursor == nullptr || lists.back().cursor->restype == RTNONE)
        return nullptr;
    const resbuf* item = lists.back().cursor;
    lists.back().cursor = item->rbnext;
    return item;
}

resbuf* Take_Answer_List_Rest()
{
    auto& lists = State().answerLists;
    if (lists.empty() || lists.back().cursor == nullptr)
        return nullptr;
    resbuf* rest = zcutDuplicateChain(lists.back().cursor);
    zcutRelRb(lists.back().head);
    lists.back().head = lists.back().cursor = nullptr;
    return rest;
}

std::wstring Describe_Answer(const InputAnswer& answer)
{
    switch (answer.kind) {
    case InputAnswer::Kind::Text:
    case InputAnswer::Kind::File:
        return answer.text;
    case InputAnswer::Kind::Enter:
        return L"";
    case InputAnswer::Kind::Cancel:
        return L"*Cancel*";
    case InputAnswer::Kind::Point: {
        std::wstring text = Format_Number(answer.pt[0]) + L"," + Format_Number(answer.pt[1]);
        if (answer.has_z)
            text += L"," + Format_Number(answer.pt[2]);
        return text;
    }
    case InputAnswer::Kind::Select:
        if (answer.step.source_line.empty())
            return answer.text;
        return answer.step.source_line.substr(answer.step.source_line.find(L' ') + 1);
    case InputAnswer::Kind::Entity:
        return L"<entity>";
    case InputAnswer::Kind::PickSet:
        return L"<selection set>";
    }
    return L"";
}

void Reset_Input()
{
    InputState& state = State();
    state.typed.clear();
    state.pending.clear();
    while (!state.answerLists.empty())
        Pop_Answer_List();
    Clear_Command_Line_Field();
    Clear_Cursor_Overlay();
    Reset_Cursor_Point();
    // Step handlers stay: layers register them once when they load.
}

}  // namespace platform
