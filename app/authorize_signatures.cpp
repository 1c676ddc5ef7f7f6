#include "core/command_context.h"
#include "core/command_handlers.h"
#include "signstamp/sign_authorisation.h"

void Authorize_Signatures()
{
    Command_Scope scope;
    Run_Sign_Authorisation();
}
