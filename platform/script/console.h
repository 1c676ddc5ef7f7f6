// The host's standard output, shared by the command line and the records that dialogs, message
// boxes and the shell print.
#pragma once

#include <string_view>

namespace platform {

// Writes the text as it is.
void Console_Write(std::string_view utf8);
// Writes a record as a line of its own: after a newline when the output stands inside a line.
void Console_Line(std::string_view utf8);

}  // namespace platform
