#include "cadhost_runner.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string Shell_Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string Read_File(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// 60 seconds, or KORVEL_CADHOST_TIMEOUT seconds for slower builds (the sanitized one).
std::string Time_Limit()
{
    const char* limit = std::getenv("KORVEL_CADHOST_TIMEOUT");
    return limit && std::atoi(limit) > 0 ? std::to_string(std::atoi(limit)) : "60";
}

}  // namespace

Cadhost_Runner::Cadhost_Runner()
{
    static std::atomic<int> counter{0};
    m_Folder = std::filesystem::temp_directory_path() /
               ("korvel_e2e_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(m_Folder);
    std::filesystem::create_directories(m_Folder);
}

Cadhost_Runner::~Cadhost_Runner()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_Folder, ignored);
}

std::filesystem::path Cadhost_Runner::Write_Script(const std::string& name,
                                                   const std::string& text) const
{
    std::filesystem::path path = m_Folder / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

void Cadhost_Runner::Set_Locale(std::optional<std::string> locale)
{
    m_Environment = "env -u LANG -u LANGUAGE";
    for (char** variable = environ; *variable != nullptr; ++variable)
        if (std::strncmp(*variable, "LC_", 3) == 0)
            m_Environment += " -u " + std::string(*variable, std::strcspn(*variable, "="));
    if (locale)
        m_Environment += " LANG=" + Shell_Quote(*locale);
}

Cadhost_Run Cadhost_Runner::Run(const std::vector<std::string>& arguments) const
{
    return Run_In(m_Folder, arguments);
}

Cadhost_Run Cadhost_Runner::Run_In(const std::filesystem::path& folder,
                                   const std::vector<std::string>& arguments) const
{
    std::string command = "cd " + Shell_Quote(folder.string()) + " && " + (m_Environment.empty() ? "" : m_Environment + " ") + "timeout " +
                          Time_Limit() + " " + Shell_Quote(CADHOST_PATH);
    for (const std::string& argument : arguments)
        command += " " + Shell_Quote(argument);
    const std::filesystem::path out = m_Folder / "stdout.txt";
    const std::filesystem::path err = m_Folder / "stderr.txt";
    command += " >" + Shell_Quote(out.string()) + " 2>" + Shell_Quote(err.string()) + " </dev/null";

    Cadhost_Run run;
    const auto start = std::chrono::steady_clock::now();
    const int raw = std::system(command.c_str());
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Read_File(out);
    run.err = Read_File(err);
    return run;
}

Cadhost_Run Cadhost_Runner::Run_Script(const std::vector<std::string>& modules,
                                       const std::string& script) const
{
    std::vector<std::string> arguments = {"--root", (m_Folder / "machine").string()};
    for (const std::string& module : modules) {
        arguments.push_back("--module");
        arguments.push_back(module);
    }
    arguments.push_back("--script");
    arguments.push_back(Write_Script("session.txt", script).string());
    arguments.push_back("");
    return Run(arguments);
}
