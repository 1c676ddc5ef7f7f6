// Where input comes from, in this order: the answer list of a host command run inside a
// command, then queued command text (typed input), then the script. Prompts, selections,
// jigs and previews wait through Wait_For_Input.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>

#include "rx/zcadstrc.h"
#include "script/script_input.h"

namespace platform {

// Ends a host command run with an answer list (the list ran short or held an answer its
// prompt does not take); zcedCmdS catches it, prints the message and returns RTERROR.
class HostCommandError : public std::runtime_error {
public:
    explicit HostCommandError(const std::string& utf8_message) : std::runtime_error(utf8_message) {}
};

// One answer for a waiting input, whatever its source.
struct InputAnswer {
    enum class Kind { Text, Enter, Cancel, Point, Select, File, Entity, PickSet };
    enum class Source { AnswerList, Typed, Script };
    Kind kind = Kind::Enter;
    Source source = Source::Script;
    std::wstring text;      // Text; File path; Select mode
    double pt[3] = {0, 0, 0};
    double pt2[3] = {0, 0, 0};
    bool has_z = false;
    int64_t name[2] = {0, 0};  // Entity, PickSet
    Step step;               // the script step (Source::Script)
};

struct InputRequest {
    std::wstring prompt;           // names the input in error messages
    bool spaces_end_text = true;   // typed text: a space ends it (not for zcedGetString(1, ...))
};

// Waits for the answer of a prompt: the top answer list when a host command runs with one
// (a list that ran short throws HostCommandError), else queued typed text (U+0003 gives
// Cancel), else the script: steps of the accepted kinds answer; steps that have a step
// handler (keys, dialog steps) go to it and the wait goes on; anything else throws
// UnansweredInput naming the prompt. After `quit` the answer is Cancel.
InputAnswer Wait_For_Input(const InputRequest& request, std::initializer_list<StepKind> accepted);

// The answer the next input would give to a wait that accepts these kinds, without taking
// it: null when there is none (the answer list or the script ended, or the next script step
// is of another kind). Script steps of the taken_first kinds before it are taken now and go
// to their handlers (a key pressed while the input waits).
std::optional<InputAnswer> Peek_Input(const InputRequest& request, std::initializer_list<StepKind> accepted,
                                      std::initializer_list<StepKind> taken_first);

// Gives back a typed token that a prompt could not use (it is read again by the next
// prompt); used by prompts that peek.
void Unread_Typed_Text(const std::wstring& token);

// Handlers of script steps that reach a waiting input without answering it (a `key`
// step: WM_KEYDOWN to the message watchers). at_top_level: the step is also taken when
// nobody waits (between commands). A later registration for a kind replaces the earlier.
using StepHandler = std::function<void(const Step&)>;
void Register_Step_Handler(StepKind kind, StepHandler handler, bool at_top_level);
// The handler of a kind, or null; at_top_level tells where it applies.
const StepHandler* Find_Step_Handler(StepKind kind, bool at_top_level);

// Queued command text (see ZcApDocManager::sendStringToExecute).
void Queue_Typed_Text(const std::wstring& text);
// True while an input waits (text queued now goes to it).
bool Input_Waiting();
// Moves text queued while nothing waited into the typed input; true when any is there.
bool Promote_Pending_Text();
// The next command of typed input: skips U+0003 and blanks; false when nothing is left.
bool Take_Typed_Command(std::wstring& name);
// Typed text and pending text (tests).
std::wstring Typed_Text();
std::wstring Pending_Text();
void Clear_Typed_Input();

// Answer lists of host commands run inside a command (zcedCmdS).
void Push_Answer_List(const resbuf* list);  // the list is copied
void Pop_Answer_List();
bool Answer_List_Active();
// Takes the next item of the top answer list (null at its end); valid until the list is popped.
const resbuf* Take_Answer_List_Item();
// The rest of the top answer list (not consumed by the command), released by the caller.
resbuf* Take_Answer_List_Rest();

// Prompt echo: the prompt text and the answer, on the command line.
std::wstring Describe_Answer(const InputAnswer& answer);

}  // namespace platform
