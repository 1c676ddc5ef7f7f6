// Running commands: by name at the command line, from queued command text, and host
// commands run synchronously inside a command with an answer list.
#pragma once

#include <string>

#include "rx/zcadstrc.h"
#include "script/script_input.h"

class ZcEdCommand;

// Runs a host command with an answer list, synchronously: the arguments are (type, value)
// pairs ending with RTNONE (or 0): the command name (RTSTR) and then the answers its
// prompts take in order (RTSTR text, "" for Enter; RTSHORT/RTLONG/RTREAL numbers;
// RTPOINT/RT3DPOINT points; RTENAME entities; RTPICKS selection sets). Several commands
// may follow each other in one list. Returns RTNORM, or RTERROR when a command is unknown,
// the list runs short or holds an answer a prompt does not take (an error line is
// printed), RTCAN when the command was cancelled.
int zcedCommandS(int rtype, ...);
int zcedCmdS(const resbuf* rb, bool forFutureUse = false, void* pForFutureUse = nullptr);

namespace platform {

enum class CommandOutcome { Ended, Cancelled, Failed, Unknown };

// Types a command name at the command line and runs it (prefixes "_", "." accepted).
// Unknown names print "Unknown command" and give Unknown. An UnansweredInput (or another
// error) from inside ends the command with commandFailed and is thrown on.
CommandOutcome Run_Command(const std::wstring& name);
// A `command` step of the script: Run_Command, and a name the host does not know (after
// its "Unknown command" line) fails the step with UnansweredInput naming it.
void Run_Command_Step(const Step& step);
// Runs a found command: notifications, document lock, the handler.
CommandOutcome Execute_Command(ZcEdCommand* command);

// Runs queued command text that waits to run (called when a command or a window handler
// returns at top level; does nothing inside a running command or while input waits).
void Run_Queued_Input();

// Depth of running commands (0 at the command prompt).
int Command_Depth();
// Global name of the innermost running command ("" when none).
std::wstring Current_Command_Name();

}  // namespace platform
