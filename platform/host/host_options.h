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
    std::string drawing;               // DRAWING
};

extern const char* const Host_Usage;

// Fills options from argv; false with a reason in error on a usage error.
bool Parse_Host_Options(int argc, const char* const* argv, Host_Options& options,
                        std::string& error);
