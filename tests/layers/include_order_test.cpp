// The plug-in's folders are layers: a file includes headers of its own folder and of the
// folders its library builds on (cmake/Plugin.cmake) only.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// "folder:dep dep,folder:..." bottom first, as cmake/Plugin.cmake declares the folders' libraries.
struct Layer {
    std::string Folder;
    std::vector<std::string> Depends;
};

std::vector<Layer> Declared_Layers()
{
    std::vector<Layer> layers;
    std::stringstream list(KORVEL_PLUGIN_LAYERS);
    std::string entry;
    while (std::getline(list, entry, ',')) {
        auto colon = entry.find(':');
        Layer layer{entry.substr(0, colon), {}};
        std::stringstream deps(entry.substr(colon + 1));
        std::string dep;
        while (deps >> dep)
            layer.Depends.push_back(dep);
        layers.push_back(layer);
    }
    return layers;
}

const std::vector<Layer> Layers = Declared_Layers();

// The folders a file of the folder may include: its own and those its library builds on,
// directly or through them.
std::set<std::string> Reachable_From(const std::string& folder)
{
    std::set<std::string> reached{folder};
    std::vector<std::string> pending{folder};
    while (!pending.empty()) {
        std::string next = pending.back();
        pending.pop_back();
        for (const auto& layer : Layers)
            if (layer.Folder == next)
                for (const auto& dep : layer.Depends)
                    if (reached.insert(dep).second)
                        pending.push_back(dep);
    }
    return reached;
}

bool Is_Plug_In_Folder(const std::string& folder)
{
    return std::any_of(Layers.begin(), Layers.end(), [&](const Layer& l) { return l.Folder == folder; });
}

// "from -> to" for every include in a plug-in file of a plug-in header its folder does not build on.
std::set<std::string> Upward_Includes(const fs::path& root)
{
    static const std::regex include_line(R"(^\s*#\s*include\s+"([A-Za-z_]+)/([^"]+)\")");
    std::set<std::string> found;
    for (const auto& [folder, depends] : Layers) {
        if (!fs::exists(root / folder))
            continue;
        const auto reachable = Reachable_From(folder);
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
                if (Is_Plug_In_Folder(m[1]) && !reachable.count(m[1]) && fs::exists(root / header))
                    found.insert(fs::relative(entry.path(), root).generic_string() + " -> " + header);
            }
        }
    }
    return found;
}

const fs::path Source_Root = KORVEL_SOURCE_DIR;

TEST(Include_Order, Plug_In_Files_Include_Only_Their_Layer_And_Those_Below)
{
    for (const auto& include : Upward_Includes(Source_Root))
        ADD_FAILURE() << "points up a layer: " << include;
}

TEST(Include_Order, Every_Folder_Builds_Only_On_Folders_Below_It)
{
    std::set<std::string> below;
    for (const auto& [folder, depends] : Layers) {
        for (const auto& dep : depends)
            EXPECT_TRUE(below.count(dep)) << folder << " builds on " << dep << ", which is not below it";
        below.insert(folder);
    }
}

}  // namespace
