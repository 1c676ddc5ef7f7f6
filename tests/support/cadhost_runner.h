// Runs the built cadhost in a fresh temporary folder (its emulated machine is a folder
// inside) and collects its exit status and output.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct Cadhost_Run {
    int status = -1;          // exit status; 124 when the time limit ended it
    std::string out;          // standard output
    std::string err;          // standard error
    double seconds = 0;       // how long it ran
};

class Cadhost_Runner {
public:
    Cadhost_Runner();
    ~Cadhost_Runner();

    const std::filesystem::path& folder() const { return m_Folder; }
    // Writes a session script into the folder; returns its path.
    std::filesystem::path Write_Script(const std::string& name, const std::string& text) const;
    // Runs cadhost with the arguments (each quoted for the shell), limited to 60 seconds
    // (KORVEL_CADHOST_TIMEOUT sets another limit).
    Cadhost_Run Run(const std::vector<std::string>& arguments) const;
    // The same, started in the given folder.
    Cadhost_Run Run_In(const std::filesystem::path& folder, const std::vector<std::string>& arguments) const;
    // The locale cadhost runs in: LANG and every LC_ variable unset, then LANG set to the
    // locale when one is given. Without a call cadhost gets the test's environment.
    void Set_Locale(std::optional<std::string> locale);
    // --root <folder>/machine --module <module> --script <script> "" (a new drawing).
    Cadhost_Run Run_Script(const std::vector<std::string>& modules, const std::string& script) const;

private:
    std::filesystem::path m_Folder;
    std::string m_Environment;  // the env command before cadhost, if any
};
