#include "core/follow_up.h"

#include "core/string_helpers.h"
#include "ed/docman.h"

void Queue_Command_Text(const wchar_t* text)
{
    ZcApDocument* document = zcDocManager->curDocument();
    if (document == nullptr)
        return;
    // Activate the document, do not wrap up an inactive one, no echo.
    zcDocManager->sendStringToExecute(document, text, true, false, false);
}

void Queue_Follow_Up(const wchar_t* command_name)
{
    Queue_Command_Text(Cancel_Prefix());
    CString text(command_name);
    text += L"\n";
    Queue_Command_Text(text);
}
