// A second run over the files of a first, into an output folder that now fails (a nearly full
// disk, a denied folder, a folder whose writes come out short), for every output road: the
// files of the first run stay byte for byte, nothing else is left beside them, one message in
// the plug-in's words names the sheets that failed and why, and a run that wrote nothing does
// not open its folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "cadhost_runner.h"
#include "session_output.h"

namespace fs = std::filesystem;

namespace {

// The output folder and the drawing are named as the users name theirs.
const char* const Output_Folder = "输出 图纸";
const char* const Drawing = "图纸.dxf";

// What a run leaves in the output folder: name -> bytes.
using Folder_Bytes = std::map<std::string, std::string>;

Folder_Bytes Read_Folder(const fs::path& folder)
{
    Folder_Bytes files;
    if (!fs::is_directory(folder))
        return files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

// How one output road is driven: the steps of a run into the output folder, and the
// steps that follow its end (the window that opens again, closed).
struct Road {
    const char* name;
    const char* caption;  // of the failure message
    const char* fixture;  // under tests/fixtures
    std::string (*run)(const fs::path& out, bool again);  // again: over the files of a run
    const char* after;
    bool printer;  // the machine needs a printer
};

void PrintTo(const Road& road, std::ostream* out) { *out << road.name; }

// The generic result window: sheets named "图-01".., the format, the folder of the run.
std::string Generic(int format, const fs::path& out, const std::string& more = "")
{
    return "command KV_DivezUrez_2\nenter\npick 2\n"
           "@712 click 876\ntext 216 \"图-\"\nclick 1\n"
           "@712 choose 863 " + std::to_string(format) + "\n@712 choose 862 2\n@712 click 877\nfile \"" + out.string() +
           "\"\n" + 
           more + "@712 click 1\n";
}

const char* const Generic_After = "enter\npick 2\n@712 click 2\n";

const Road Roads[] = {
    {"pdf", "Korvel打印", "dxf/frames.dxf", [](const fs::path& out, bool) { return Generic(0, out); }, Generic_After, false},
    {"dwf", "Korvel打印", "dxf/frames.dxf", [](const fs::path& out, bool) { return Generic(1, out); }, Generic_After, false},
    {"jpg", "Korvel打印", "dxf/frames.dxf", [](const fs::path& out, bool) { return Generic(2, out); }, Generic_After, false},
    {"png", "Korvel打印", "dxf/frames.dxf", [](const fs::path& out, bool) { return Generic(3, out); }, Generic_After, false},
    {"plt", "Korvel打印", "dxf/frames.dxf", [](const fs::path& out, bool) { return Generic(4, out); }, Generic_After, false},
    {"svg", "Korvel打印", "dxf/frames.dxf", [](const fs::path& out, bool) { return Generic(5, out); }, Generic_After, false},
    {"drawing files", "Korvel打印", "dxf/frames.dxf", [](const fs::path& out, bool) { return Generic(6, out); }, "quit\n", false},
    {"merged pdf", "文件合并报错", "dxf/frames.dxf",
     [](const fs::path& out, bool again) {
         return Generic(0, out, "@712 check 903 1\n") + "file \"" + (out / "合并 图纸.pdf").string() + "\"\n" +
                (again ? "msgbox YES\n" : "");
     },
     Generic_After, false},
    {"paper plt", "Korvel打印", "../../samples/sample.dxf",
     [](const fs::path& out, bool) {
         return "command KV_DivezUrez_5\nenter\npick 2\n@830 click 874\n@830 click 1\nfile \"" + out.string() + "\"\n";
     },
     "enter\npick 2\n@830 click 2\n", true},
};

// How the output folder fails in the second run, given the sizes of the first run's files
// in the order they are written.
struct Failure {
    const char* name;
    const char* list;    // the machine's list naming the folder
    const char* reason;  // as the message gives it
    // The bytes on the list's line (none for a denied folder).
    long long (*bytes)(const std::vector<long long>& sizes);
};

const Failure Failures[] = {
    // Room for the first file again and little more; one file alone does not fit.
    {"nearly full disk", ".disk-full", "磁盘空间不足",
     [](const std::vector<long long>& sizes) { return sizes.size() > 1 ? sizes.front() + 64 : sizes.front() / 2; }},
    {"denied folder", ".denied-writes", "没有写入权限", nullptr},
    {"short-writing folder", ".short-writes", "磁盘空间不足",
     [](const std::vector<long long>& sizes) { return *std::min_element(sizes.begin(), sizes.end()) / 2; }},
};

class Failed_Replot : public ::testing::TestWithParam<Road> {
protected:
    fs::path Folder() const { return runner.folder(); }
    fs::path Machine() const { return Folder() / "machine"; }
    fs::path Out() const { return Folder() / Output_Folder; }

    void Prepare(const Road& road)
    {
        fs::copy_file(fs::path(KORVEL_SOURCE_DIR "/tests/fixtures") / road.fixture, Folder() / Drawing,
                      fs::copy_options::overwrite_existing);
        fs::create_directories(Machine());
        fs::create_directories(Out());
        if (road.printer)
            std::ofstream(Machine() / ".printers") << "printer\tHP LaserJet M1536\tC:\\Spool\\LaserJet\t100\n"
                                                      "media\tISO_A3\tA3\t297\t420\t5\t5\t5\t5\n";
    }
    Cadhost_Run Run(const std::string& steps)
    {
        const fs::path script = runner.Write_Script("session.scr", steps);
        return runner.Run({"--root", Machine().string(), "--module", MODULE_2025_PATH, "--script", script.string(),
                           (Folder() / Drawing).string()});
    }
    // The folder fails as the machine's list says, from now on.
    void Make_Failing(const Failure& failure, const std::vector<long long>& sizes) const
    {
        std::ofstream list(Machine() / failure.list);
        if (failure.bytes)
            list << failure.bytes(sizes) << "\t";
        list << Out().string() << "\n";
    }
    void Lift(const Failure& failure) const { fs::remove(Machine() / failure.list); }

    Cadhost_Runner runner;
};

// The text of the first message box of that caption.
std::string Message_Text(const std::string& out, const std::string& caption)
{
    const std::string start = "[MessageBox] " + caption + " | ";
    const size_t at = out.find(start);
    if (at == std::string::npos)
        return "";
    const size_t end = out.find(" -> OK", at);
    return out.substr(at + start.size(), end == std::string::npos ? std::string::npos : end - at - start.size());
}

// The identity of each file in the folder: a file replaced by a rename has a new one.
std::map<std::string, ino_t> Inodes(const fs::path& folder)
{
    std::map<std::string, ino_t> inodes;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        struct stat status {};
        if (::stat(entry.path().c_str(), &status) == 0)
            inodes[entry.path().filename().string()] = status.st_ino;
    }
    return inodes;
}

// The shell opened the output folder, named as the plug-in names it (a drive path).
bool Folder_Opened(const std::string& out)
{
    for (const std::string& line : Lines(out, "[Shell] open | "))
        if (line.find(std::string(Output_Folder) + " |") != std::string::npos)
            return true;
    return false;
}

TEST_P(Failed_Replot, A_Failing_Second_Run_Keeps_Every_File_Of_The_First_And_Names_The_Failed_Sheets)
{
    const Road& road = GetParam();
    Prepare(road);
    const Cadhost_Run first = Run(road.run(Out(), false) + road.after);
    ASSERT_EQ(first.status, 0) << first.err << first.out;
    const bool opens_folder = road.caption == std::string("Korvel打印");
    if (opens_folder) {
        EXPECT_TRUE(Folder_Opened(first.out)) << first.out;
    }
    const Folder_Bytes good = Read_Folder(Out());
    ASSERT_FALSE(good.empty()) << first.out;
    for (const auto& [name, bytes] : good)
        ASSERT_FALSE(bytes.empty()) << name;
    // The files in the order they were written: the order of their sheets.
    std::vector<std::string> names;
    std::vector<long long> sizes;
    for (const auto& [name, bytes] : good) {
        names.push_back(name);
        sizes.push_back(static_cast<long long>(bytes.size()));
    }

    for (const Failure& failure : Failures) {
        SCOPED_TRACE(failure.name);
        Make_Failing(failure, sizes);
        const std::map<std::string, ino_t> before = Inodes(Out());
        const Cadhost_Run second = Run(road.run(Out(), true) + "msgbox OK\n" + road.after);
        Lift(failure);
        ASSERT_EQ(second.status, 0) << second.err << second.out;

        // Nothing beside the files of the first run, and each of them as it was or, on a
        // nearly full disk, replaced by the new file that fitted.
        const Folder_Bytes now = Read_Folder(Out());
        std::vector<std::string> now_names;
        for (const auto& entry : now)
            now_names.push_back(entry.first);
        EXPECT_EQ(now_names, names) << second.out;
        const std::map<std::string, ino_t> after = Inodes(Out());
        std::vector<bool> replaced;
        for (const auto& [name, bytes] : good) {
            replaced.push_back(after.at(name) != before.at(name));
            if (!replaced.back())
                EXPECT_EQ(now.at(name), bytes) << name;
            else
                EXPECT_FALSE(now.at(name).empty()) << name;
        }
        const size_t replaced_count = static_cast<size_t>(std::count(replaced.begin(), replaced.end(), true));
        EXPECT_LE(replaced_count, failure.bytes && std::string(failure.list) == ".disk-full" ? 1u : 0u);

        // One message names every sheet whose file was not replaced, with its reason.
        const std::string message = Message_Text(second.out, road.caption);
        ASSERT_FALSE(message.empty()) << second.out;
        if (replaced_count == 0 && names.size() > 1) {
            EXPECT_NE(message.find("全部 " + std::to_string(names.size()) + " 张图纸均未能输出"), std::string::npos)
                << message;
        }
        for (size_t i = 0; i < names.size(); ++i) {
            // A sheet by its name; a file of its own (a PLT file, the merged PDF) by the file's.
            const std::string sheet = fs::path(names[i]).stem().string();
            const bool named = message.find(sheet + " ：" + failure.reason) != std::string::npos ||
                               message.find(names[i] + " ：" + failure.reason) != std::string::npos;
            EXPECT_EQ(named, !replaced[i]) << sheet << " in\n" << message;
        }
        // A run that wrote nothing does not present the folder as its result.
        EXPECT_EQ(Folder_Opened(second.out), opens_folder && replaced_count > 0) << second.out;

        // The next failure starts from the files of the first run.
        for (const auto& [name, bytes] : good)
            std::ofstream(Out() / name, std::ios::binary) << bytes;
    }
}

INSTANTIATE_TEST_SUITE_P(Roads, Failed_Replot, ::testing::ValuesIn(Roads), [](const ::testing::TestParamInfo<Road>& info) {
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
});

}  // namespace
