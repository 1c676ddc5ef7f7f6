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

const char* const Host_Help =
    "Opens DRAWING (a DXF file; \"\" starts an empty drawing), loads each module, runs the session\n"
    "script, unloads the modules and saves to OUT when asked.\n"
    "\n"
    "  --root DIR        the emulated Windows machine (default ~/.korvel-machine); C: is DIR/c\n"
    "  --module PATH     a module to load (Brelmor.so), in order; without one no plug-in command exists\n"
    "  --script FILE     the session script: one step a line, # starts a comment\n"
    "  --save OUT        save the drawing to OUT at the end\n"
    "  --list-warnings   list what reading the drawing dropped or repaired\n"
    "  --help, -h        this text\n"
    "\n"
    "Session script steps (relative paths are relative to the folder cadhost started in):\n"
    "  command NAME                 run a command (queued text runs after it)\n"
    "  answer \"TEXT\"                answer a string or keyword prompt\n"
    "  point X,Y[,Z]                pick a point\n"
    "  enter | esc                  press Enter / Esc at the waiting prompt\n"
    "  select all|window|crossing   answer a selection prompt (window and crossing take X1,Y1 X2,Y2)\n"
    "  msgbox YES|NO|OK|CANCEL      answer a message box\n"
    "  file \"PATH\" [\"PATH\"...]      answer a file or folder dialog\n"
    "  key NAME [down|up]           press a key (TAB, S, PAGEUP, RETURN, ...)\n"
    "  save \"PATH\"                  save the drawing\n"
    "  quit                         cancel whatever waits and end the run\n"
    "  click ID | check ID 0|1 | text ID \"TEXT\" | choose ID N\n"
    "                               act on a dialog control (check: check boxes and radio buttons)\n"
    "  cell|rclick ID ROW COL | dblclick ID ROW [COL] | header ID COL\n"
    "                               click a list-control cell or column header\n"
    "  menu ITEMID | pick N | color R,G,B\n"
    "                               answer a pop-up menu / a picker / the colour dialog\n"
    "  snapshot \"PATH.png\" | rows ID  save the window's picture / print a list control's rows\n"
    "  drag DX,DY | wait pumps N | wait file \"PATH\" | menubar\n"
    "  @ID step                     send a dialog step to the window of template ID\n"
    "IDs are numbers or symbols (res/resource.h, IDOK, IDCANCEL, ...). README.md tells more.\n";

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

        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
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
