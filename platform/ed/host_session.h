// The host program's session: open a drawing, load modules, run the input script, unload
// and save. cadhost runs one; tests run one in-process.
#pragma once

#include <string>
#include <vector>

namespace platform {

class HostSession {
public:
    HostSession() = default;
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Opens the drawing as the current document through the drawing-file reader. With an
    // empty path, or when no reader is registered, a new empty drawing stands in and a
    // one-line notice says so. false when the file cannot be read (error() tells why).
    bool open(const std::wstring& drawingPath);
    // Loads a module through the dynamic linker; false when it did not load (error() gives
    // the linker's reason).
    bool load_module(const std::wstring& path);
    // Runs the script steps until the script ends or `quit`:
    //   command NAME  types NAME at the command line, runs it, then the queued text;
    //   save "PATH"   saves the drawing;
    //   quit          ends the run;
    // steps with a top-level handler go to it (then the queued text runs); any other step
    // is an error. Returns 0 for a normal end, 1 when an input was not answered or an
    // error ended the run (error() tells which).
    int run_script();
    // Unloads the loaded modules in reverse load order.
    void unload_modules();
    // Saves the current drawing (saveAs); false with an error line when it fails.
    bool save(const std::wstring& path);

    // The message of the error that ended open, load_module or run_script (UTF-8), "" after
    // a normal end.
    const std::string& error() const { return mError; }
    const std::vector<std::wstring>& loaded_modules() const { return mModules; }

private:
    std::vector<std::wstring> mModules;
    std::string mError;
};

// Clears the host between tests: documents, commands (the host group stays), editor and
// document reactors, message watchers, system variables, environment, script, typed
// input and the command-line buffer.
void Reset_Host_For_Tests();

}  // namespace platform
