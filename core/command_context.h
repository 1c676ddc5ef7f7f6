// The prologue and epilogue every command body that changes host state runs.
#pragma once

#include "rx/zcadstrc.h"

// Lives on the command handler's stack from Begin_Command to End_Command.
struct Command_Context {
    resbuf Saved_Echo;  // CMDECHO when the command began (restype RTNONE when unread)
    resbuf Quiet_Echo;  // the short 0 set while the command runs
};

// Saves CMDECHO into the context and sets it to 0, then Switch_To_Paper_Space.
void Begin_Command(Command_Context& context);
// Sets CMDECHO back to the value Begin_Command saved.
void End_Command(Command_Context& context);
// When a floating viewport of a layout is current (TILEMODE 0, CVPORT above 1),
// makes paper space current.
void Switch_To_Paper_Space();

// Runs Begin_Command when made and End_Command when it goes, so that every way out
// of a command body (returns, and input errors unwinding through it) restores CMDECHO.
class Command_Scope {
public:
    Command_Scope() { Begin_Command(m_Context); }
    ~Command_Scope() { End_Command(m_Context); }
    Command_Scope(const Command_Scope&) = delete;
    Command_Scope& operator=(const Command_Scope&) = delete;

private:
    Command_Context m_Context;
};
