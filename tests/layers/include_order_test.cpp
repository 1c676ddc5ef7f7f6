// The plug-in's folders are layers: a file includes headers of its own folder and of the
// folders below it only. Includes that still point up are listed, each with its reason, in
// upward_includes.txt; the list may only shrink.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Bottom first. tools/ sits above dialogs/: its tools use the dialogs' shared window parts,
// while no dialog uses a tool.
const std::vector<std::string> Layers = {"res",       "core", "ui",      "sheets", "titleblock",
                                         "signstamp", "plot", "dialogs", "tools",  "app"};

int Layer_Of(const std::string& folder)
{
    auto it = std::find(Layers.begin(), Layers.end(), folder);
    return it == Layers.end() ? -1 : int(it - Layers.begin());
}

// "from -> to" for every include in a plug-in file of a plug-in header of a higher layer.
std::set<std::string> Upward_Includes(const fs::path& root)
{
    static const std::regex include_line(R"(^\s*#\s*include\s+"([A-Za-z_]+)/([^"]+)\")");
    std::set<std::string> found;
    for (const auto& folder : Layers) {
        if (!fs::exists(root / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            auto ext = entry.path().extension();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
                continue;
            std::ifstream in(entry.path());
            std::string line;
            while (std::getline(in, line)) {
                std::smatch m;
                if (!std::regex_search(line, m, include_line))
                    continue;
                // platform/ has folders of the same names (plot/, ui/...): only a header the
                // plug-in folder holds is the plug-in's.
                std::string header = m[1].str() + "/" + m[2].str();
                if (Layer_Of(m[1]) > Layer_Of(folder) && fs::exists(root / header))
                    found.insert(fs::relative(entry.path(), root).generic_string() + " -> " + header);
            }
        }
    }
    return found;
}

// Lines "from -> to  # reason"; blank lines and lines starting with # are comments.
std::map<std::string, std::string> Allowed_Upward_Includes(const fs::path& file)
{
    std::map<std::string, std::string> allowed;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        auto hash = line.find('#');
        std::string pair = line.substr(0, hash);
        pair.erase(pair.find_last_not_of(" \t") + 1);
        allowed[pair] = hash == std::string::npos ? "" : line.substr(hash + 1);
    }
    return allowed;
}

const fs::path Source_Root = KORVEL_SOURCE_DIR;
const fs::path Allow_List = Source_Root / "tests/layers/upward_includes.txt";

TEST(Include_Order, Plug_In_Files_Include_Only_Their_Layer_And_Those_Below)
{
    auto allowed = Allowed_Upward_Includes(Allow_List);
    for (const auto& include : Upward_Includes(Source_Root))
        EXPECT_TRUE(allowed.count(include)) << "points up a layer: " << include;
}

TEST(Include_Order, Every_Allowed_Upward_Include_Is_Still_There_And_Has_A_Reason)
{
    auto upward = Upward_Includes(Source_Root);
    for (const auto& [include, reason] : Allowed_Upward_Includes(Allow_List)) {
        EXPECT_TRUE(upward.count(include)) << "no longer upward, remove it from the list: " << include;
        EXPECT_NE(reason.find_first_not_of(" \t"), std::string::npos) << "no reason given: " << include;
    }
}

TEST(Include_Order, Every_Plug_In_Folder_Has_A_Layer)
{
    std::stringstream dirs(KORVEL_PLUGIN_DIRS);
    std::string folder;
    while (std::getline(dirs, folder, ','))
        EXPECT_GE(Layer_Of(folder), 0) << folder;
}

}  // namespace
