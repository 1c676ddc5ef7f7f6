#include "core/command_context.h"

#include "ed/editor.h"

void Begin_Command(Command_Context& context)
{
    context.Saved_Echo = resbuf{};
    context.Saved_Echo.restype = RTNONE;
    if (zcedGetVar(L"CMDECHO", &context.Saved_Echo) != RTNORM)
        context.Saved_Echo.restype = RTNONE;

    context.Quiet_Echo = resbuf{};
    context.Quiet_Echo.restype = RTSHORT;
    context.Quiet_Echo.resval.rint = 0;
    zcedSetVar(L"CMDECHO", &context.Quiet_Echo);

    Switch_To_Paper_Space();
}

void End_Command(Command_Context& context)
{
    if (context.Saved_Echo.restype == RTSHORT)
        zcedSetVar(L"CMDECHO", &context.Saved_Echo);
}

void Switch_To_Paper_Space()
{
    resbuf tilemode{};
    resbuf cvport{};
    if (zcedGetVar(L"TILEMODE", &tilemode) != RTNORM || zcedGetVar(L"CVPORT", &cvport) != RTNORM)
        return;
    if (tilemode.resval.rint == 0 && cvport.resval.rint > 1)
        zcedPspace();
}
