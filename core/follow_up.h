// Chaining work into another command by queuing command text on the current document.
#pragma once

// Queues the cancel characters, then "<command_name>\n", as two strings.
void Queue_Follow_Up(const wchar_t* command_name);
// Queues text as one string of its own ("Korvel_Load\n").
void Queue_Command_Text(const wchar_t* text);
