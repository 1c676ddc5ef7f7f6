// The session scripts of the README's user part, read from the README as it stands and run as
// it says: on the sample drawing, twice on one machine. A script that begins with a comment
// "On a fresh machine" gets a fresh machine for each run, and a third run on a used one must
// stop at the question its comment quotes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cadhost_runner.h"

namespace fs = std::filesystem;

namespace {

struct Readme_Example {
    int line = 0;  // of its first step in the README
    std::string script;
};

bool Starts_With(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// The code blocks before "## Developer notes", indented by four blanks or fenced by ```, that
// hold a `command` step.
std::vector<Readme_Example> Session_Examples(const fs::path& readme)
{
    std::ifstream in(readme);
    std::vector<Readme_Example> examples;
    Readme_Example block;
    bool fenced = false, after_blank = true;
    int number = 0;
    auto close_block = [&] {
        if (block.script.find("\ncommand ") != std::string::npos || Starts_With(block.script, "command "))
            examples.push_back(block);
        block = Readme_Example();
    };
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (Starts_With(line, "## Developer notes"))
            break;
        if (Starts_With(line, "```")) {
            if (fenced)
                close_block();
            fenced = !fenced;
            block.line = number + 1;
            continue;
        }
        const bool indented = Starts_With(line, "    ") && (after_blank || !block.script.empty());
        if (fenced || indented) {
            if (block.script.empty())
                block.line = number;
            block.script += (fenced ? line : line.substr(4)) + "\n";
        } else if (!line.empty() && !block.script.empty()) {
            close_block();
        }
        after_blank = line.empty();
    }
    close_block();
    return examples;
}

TEST(Readme_Examples, Each_Runs_As_Written_Twice_On_One_Machine)
{
    const std::vector<Readme_Example> examples = Session_Examples(KORVEL_SOURCE_DIR "/README.md");
    ASSERT_GE(examples.size(), 2u) << "the README's session scripts were not found";
    for (const Readme_Example& example : examples) {
        SCOPED_TRACE("README.md:" + std::to_string(example.line) + "\n" + example.script);
        const bool fresh_each_run = Starts_With(example.script, "# On a fresh machine");
        Cadhost_Runner runner;
        fs::create_directories(runner.folder() / "samples");
        fs::copy_file(KORVEL_SOURCE_DIR "/samples/sample.dxf", runner.folder() / "samples" / "sample.dxf");
        const fs::path script = runner.Write_Script("example.scr", example.script);
        for (int run = 1; run <= 2; ++run) {
            const std::string machine = fresh_each_run ? "machine" + std::to_string(run) : "machine";
            const Cadhost_Run result = runner.Run_In(runner.folder(), {"--root", machine, "--module", MODULE_2025_PATH,
                                                                        "--script", script.string(), "samples/sample.dxf"});
            EXPECT_EQ(result.status, 0) << "run " << run << "\n" << result.err << result.out;
        }
        if (!fresh_each_run)
            continue;
        // Its comment quotes what a second run on the same machine meets (up to " …").
        const size_t open = example.script.find('"'), close = example.script.find(" \u2026", open);
        ASSERT_TRUE(open != std::string::npos && close != std::string::npos) << "no quoted question";
        const std::string question = example.script.substr(open + 1, close - open - 1);
        const Cadhost_Run again = runner.Run_In(runner.folder(), {"--root", "machine1", "--module", MODULE_2025_PATH,
                                                                   "--script", script.string(), "samples/sample.dxf"});
        EXPECT_EQ(again.status, 1) << again.out;
        EXPECT_NE(again.err.find(question), std::string::npos) << question << "\n" << again.err;
    }
}

}  // namespace
