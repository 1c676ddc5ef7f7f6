#include "session_output.h"

#include <algorithm>
#include <cmath>
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

std::vector<std::pair<double, double>> Page_Sides(const std::filesystem::path& pdf)
{
    std::vector<std::pair<double, double>> pages;
    const std::regex size(R"(^Page\s+\d+ size:\s+([\d.]+) x ([\d.]+) pts)");
    std::istringstream in(Shell("pdfinfo -f 1 -l 999 " + Quoted(pdf) + " 2>/dev/null"));
    for (std::string line; std::getline(in, line);) {
        std::smatch match;
        if (std::regex_search(line, match, size)) {
            const double a = std::stod(match[1]) * 25.4 / 72, b = std::stod(match[2]) * 25.4 / 72;
            pages.push_back({std::max(a, b), std::min(a, b)});
        }
    }
    return pages;
}

std::string Pages_Grown_By(const std::filesystem::path& first, const std::filesystem::path& second, double mm)
{
    const auto before = Page_Sides(first), after = Page_Sides(second);
    std::ostringstream differences;
    if (after.size() != before.size())
        differences << before.size() << " pages, then " << after.size() << "\n";
    for (size_t i = 0; i < std::min(before.size(), after.size()); ++i)
        if (std::abs(after[i].first - before[i].first - mm) > 0.5 || std::abs(after[i].second - before[i].second - mm) > 0.5)
            differences << "page " << i + 1 << ": " << before[i].first << " x " << before[i].second << " mm, then "
                        << after[i].first << " x " << after[i].second << " mm\n";
    return differences.str();
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
