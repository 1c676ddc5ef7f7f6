// The folders the program works in.
#pragma once

// Determines the program folders and the host's printer folders.
void Init_Program_Folders();
