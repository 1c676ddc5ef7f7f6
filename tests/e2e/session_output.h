// Reading what a host session left: its command-line output, the rows a "rows 1164" step
// printed, and the files in an output folder.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Standard output of a shell command.
std::string Shell(const std::string& command);
// The path in single quotes, for a shell command.
std::string Quoted(const std::filesystem::path& path);
// The lines of the text that begin with the prefix, each without it.
std::vector<std::string> Lines(const std::string& text, const std::string& prefix);
// The cells of the result window's rows printed by a "rows 1164" step, in order.
std::vector<std::vector<std::string>> Rows(const std::string& out);
// The paper of a paper cell ("A2 (594x420)" or "400x280") as its two sides in mm, longer first.
std::pair<double, double> Paper_Sides(const std::string& cell);
// Each page's sides in mm of a PDF file, longer first.
std::vector<std::pair<double, double>> Page_Sides(const std::filesystem::path& pdf);
// "" when the second PDF has as many pages as the first, each `mm` longer on both sides
// (within half a millimetre); else what differs.
std::string Pages_Grown_By(const std::filesystem::path& first, const std::filesystem::path& second, double mm);
// The folder's files with the extension, sorted by name.
std::vector<std::filesystem::path> Files_In(const std::filesystem::path& folder, const std::string& extension);
