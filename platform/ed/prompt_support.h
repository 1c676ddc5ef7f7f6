// What the prompt functions share: the pending zcedInitGet setup, asking with echo, and
// refusing an answer the way the host does.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "ed/input.h"
#include "ed/keywords.h"

namespace platform {

struct PromptSetup {
    int flags = 0;
    std::vector<Keyword> keywords;
};

// The setup of the last zcedInitGet, cleared: it applies to one prompt only.
PromptSetup Take_Prompt_Setup();
void Set_Prompt_Setup(PromptSetup setup);

// Prints the prompt, waits for the answer and echoes it. A cancel is noted for the
// running command (it then ends as cancelled).
InputAnswer Ask(const std::wstring& prompt, const InputRequest& request,
                std::initializer_list<StepKind> accepted);
// An answer the prompt cannot use: from an answer list it ends the host command
// (HostCommandError); typed or scripted, the host's message is printed and the prompt asks
// again (the caller loops).
void Refuse_Answer(const InputAnswer& answer, const std::wstring& prompt,
                   const std::wstring& hostMessage);

// Remembers the text zcedGetInput returns.
void Set_Last_Input(const std::wstring& text);
const std::wstring& Last_Input();
// A keyword of the setup (or, with RSG_OTHER, any text) given where a value was asked:
// true, and zcedGetInput returns it (the keyword's global name).
bool Keyword_Answer(const PromptSetup& setup, const std::wstring& text);

// "x,y" or "x,y,z" (numbers as the host reads them).
bool Parse_Point_Text(const std::wstring& text, double pt[3]);
bool Parse_Real_Text(const std::wstring& text, double& value);

// Noted by Ask when a prompt of the running command was cancelled.
void Note_Command_Cancelled();

}  // namespace platform
