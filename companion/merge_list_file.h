// The list file of the fallback merge ("plot2.tm" / "plot3.tm"): UTF-8 with a byte-order
// mark, lines ending in CR LF: the target, the file count, then per file its path and
// its title. Paths are Windows paths of the machine.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace companion {

struct Merge_List {
    std::wstring target;
    std::vector<std::pair<std::wstring, std::wstring>> files;  // (path, title)
};

// Parses the file's bytes; empty with `error` set when they are not such a list.
std::optional<Merge_List> Parse_Merge_List(const std::string& bytes, std::string& error);

}  // namespace companion
