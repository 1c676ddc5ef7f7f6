#include "host_options.h"

#include <cstring>
#include <filesystem>

namespace {

// Paths on cadhost's command line come from the user's shell: a relative one is relative
// to the folder cadhost was started in, not to the emulated machine's current folder.
// Windows paths ("C:\...") name the emulated machine and stay as written.
void Make_Absolute(std::string& path)
{
    if (path.empty() || (path.size() >= 2 && path[1] == ':'))
        return;
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    if (!absolute.empty())
        path = absolute.string();
}

}  // namespace

const char* const Host_Usage =
    "usage: cadhost [--root DIR] [--module PATH]... [--script FILE] [--save OUT] [--list-warnings] DRAWING";

bool Parse_Host_Options(int argc, const char* const* argv, Host_Options& options,
                        std::string& error)
{
    bool have_drawing = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* value = nullptr;
        if (arg == "--root")
            value = &options.root;
        else if (arg == "--script")
            value = &options.script;
        else if (arg == "--save")
            value = &options.save;

        if (arg == "--list-warnings") {
            options.list_warnings = true;
        } else if (value != nullptr || arg == "--module") {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return false;
            }
            if (value != nullptr)
                *value = argv[++i];
            else
                options.modules.push_back(argv[++i]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else if (have_drawing) {
            error = "more than one drawing: " + options.drawing + ", " + arg;
            return false;
        } else {
            options.drawing = arg;
            have_drawing = true;
        }
    }
    if (!have_drawing) {
        error = "no drawing given";
        return false;
    }
    for (std::string* path : {&options.root, &options.script, &options.save, &options.drawing})
        Make_Absolute(*path);
    for (std::string& module : options.modules)
        Make_Absolute(module);
    return true;
}
