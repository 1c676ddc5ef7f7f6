// The command line of cadhost.
#pragma once

#include <string>
#include <vector>

struct Host_Options {
    std::string root;                  // --root DIR: the emulated machine
    std::vector<std::string> modules;  // --module PATH, in order
    std::string script;                // --script FILE
    std::string save;                  // --save OUT
    bool list_warnings = false;        // --list-warnings: what reading the drawing dropped
    bool help = false;                 // --help / -h: print the help and stop
    std::string drawing;               // DRAWING
};

extern const char* const Host_Usage;
// The usage, the options and a summary of the session script's steps.
extern const char* const Host_Help;

// Fills options from argv; false with a reason in error on a usage error. With --help the
// other arguments are not checked.
bool Parse_Host_Options(int argc, const char* const* argv, Host_Options& options,
                        std::string& error);
