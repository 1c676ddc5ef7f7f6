// The module keeps its settings and list files in the per-user folder of the machine:
// written at unload in the ANSI code page (CP936), read back at the next load.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cadhost_runner.h"

namespace {

std::string Read_Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(Settings_Files_Test, UnloadWritesThemAndTheNextLoadReadsThemBack)
{
    Cadhost_Runner runner;
    const std::filesystem::path folder =
        runner.folder() / "machine" / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel";

    Cadhost_Run first = runner.Run_Script({MODULE_2025_PATH}, "command Korvel\n");
    ASSERT_EQ(first.status, 0) << first.err;
    std::string settings = Read_Bytes(folder / "BPlot_Cfg_ZCAD.cfg");
    const std::string lists = Read_Bytes(folder / "Korvel.Ini");
    ASSERT_FALSE(settings.empty());
    // The profile key "2025_<<未命名配置>>" in CP936.
    EXPECT_NE(lists.find("\r\n2025_<<\xCE\xB4\xC3\xFC\xC3\xFB\xC5\xE4\xD6\xC3>>\r\n"), std::string::npos) << lists;

    // An alias "QM" for command 7 in place of the empty alias list (the count follows the
    // file's stamp and the option block of 45 lines).
    std::istringstream lines(settings);
    std::string edited, line;
    for (int i = 0; std::getline(lines, line); ++i)
        edited += (i == 46 ? std::string("1\r\n7\r\nQM\r") : line) + "\n";
    std::ofstream(folder / "BPlot_Cfg_ZCAD.cfg", std::ios::binary) << edited;

    // Command 7 with an empty signature library says so.
    Cadhost_Run second = runner.Run_Script({MODULE_2025_PATH}, "command QM\nmsgbox OK\n");
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out.find("Unknown command"), std::string::npos) << second.out;
    EXPECT_NE(second.out.find("签名库为空 !"), std::string::npos) << second.out;
    settings = Read_Bytes(folder / "BPlot_Cfg_ZCAD.cfg");
    EXPECT_NE(settings.find("\r\n7\r\nQM\r\n"), std::string::npos);
}

// Starts cadhost with the arguments (limited to 60 seconds), its output going to the
// file; the process id, or -1.
pid_t Start_Cadhost(const std::vector<std::string>& arguments, const std::filesystem::path& output)
{
    std::vector<std::string> command = {"timeout", "60", CADHOST_PATH};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : command)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = -1;
    if (posix_spawnp(&pid, "timeout", &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int Exit_Status(pid_t pid)
{
    int raw = 0;
    if (pid < 0 || waitpid(pid, &raw, 0) != pid)
        return -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::set<std::string> Names_In(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Two sessions on one machine load the module and unload it at the same time, the
// second started a little later each round so that loads meet unloads, and every fifth
// round without the files, so that both write them at load too: every session reads
// whole files, and after every round both files are whole, with no temporary or
// kept-aside file beside them.
TEST(Settings_Files_Test, TwoSessionsAtOnceNeverLeaveAMixedOrHalfFile)
{
    Cadhost_Runner runner;
    const std::filesystem::path folder =
        runner.folder() / "machine" / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel";
    const Cadhost_Run first = runner.Run_Script({MODULE_2025_PATH}, "command Korvel\n");
    ASSERT_EQ(first.status, 0) << first.err;
    const std::string settings = Read_Bytes(folder / "BPlot_Cfg_ZCAD.cfg");
    const std::string lists = Read_Bytes(folder / "Korvel.Ini");
    const std::set<std::string> names = Names_In(folder);
    ASSERT_FALSE(settings.empty());
    ASSERT_FALSE(lists.empty());

    const std::string script = runner.Write_Script("session.txt", "command Korvel\n").string();
    const std::vector<std::string> arguments = {
        "--root", (runner.folder() / "machine").string(), "--module", MODULE_2025_PATH, "--script", script, ""};
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const std::filesystem::path outputs[2] = {runner.folder() / "one.txt", runner.folder() / "two.txt"};
        if (round % 5 == 0) {
            std::filesystem::remove(folder / "BPlot_Cfg_ZCAD.cfg");
            std::filesystem::remove(folder / "Korvel.Ini");
        }
        const pid_t one = Start_Cadhost(arguments, outputs[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(round % 10 * 20));
        const pid_t two = Start_Cadhost(arguments, outputs[1]);
        const int statuses[2] = {Exit_Status(one), Exit_Status(two)};
        for (int session = 0; session < 2; ++session) {
            const std::string out = Read_Bytes(outputs[session]);
            EXPECT_EQ(statuses[session], 0) << out;
            EXPECT_EQ(out.find("无法完整读取"), std::string::npos) << out;
        }
        EXPECT_EQ(Read_Bytes(folder / "BPlot_Cfg_ZCAD.cfg"), settings);
        EXPECT_EQ(Read_Bytes(folder / "Korvel.Ini"), lists);
        EXPECT_EQ(Names_In(folder), names);
        if (HasFailure())
            break;
    }
    std::cout << "50 rounds of two sessions: "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << " s\n";
}

}  // namespace
