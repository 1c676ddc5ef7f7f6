#include "session_output.h"

#include <algorithm>
#include <cstdio>
#include <regex>
#include <sstream>

std::string Shell(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

std::vector<std::string> Lines(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line.substr(prefix.size()));
    return lines;
}

std::vector<std::vector<std::string>> Rows(const std::string& out)
{
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : Lines(out, "rows 1164: ")) {
        std::vector<std::string> cells;
        size_t start = 0;
        for (size_t bar; (bar = line.find(" | ", start)) != std::string::npos; start = bar + 3)
            cells.push_back(line.substr(start, bar - start));
        cells.push_back(line.substr(start));
        rows.push_back(cells);
    }
    return rows;
}

std::pair<double, double> Paper_Sides(const std::string& cell)
{
    std::smatch match;
    const std::regex size(R"((\d+)x(\d+)\)?$)");
    if (!std::regex_search(cell, match, size))
        return {0, 0};
    const double a = std::stod(match[1]), b = std::stod(match[2]);
    return {std::max(a, b), std::min(a, b)};
}

std::vector<std::filesystem::path> Files_In(const std::filesystem::path& folder, const std::string& extension)
{
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(folder))
        for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == extension)
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}
