// The command line's edit field: characters typed at a waiting prompt (keys that reach the
// drawing window) until an answer takes them. Enter answers with the field's text.
#pragma once

#include <string>

#include "ed/input.h"
#include "win/win_types.h"

namespace platform {

// A character reaching the drawing window: printable characters are typed into the field,
// a backspace erases the last one; other control characters do nothing here.
void Type_Character(wchar_t c);
const std::wstring& Command_Line_Field();
void Clear_Command_Line_Field();

// An answer to a waiting input (scripted or queued) as the editor sees it: a picked point
// first moves the cursor there (the input-point monitors see it); Enter with typed
// characters answers with that text. The field is empty afterwards, a cancel included.
InputAnswer Take_Editor_Answer(InputAnswer answer);

// How a key-down or key-up that the message watchers saw at a waiting prompt reaches the
// drawing window (the keyboard state follows it; a key-down's character is typed, with what
// the watchers posted meanwhile); set by the window layer. Without it the key does nothing
// more.
using Key_Delivery = void (*)(const MSG& key_message);
void Set_Key_Delivery(Key_Delivery delivery);
void Deliver_Key(const MSG& key_message);

}  // namespace platform
