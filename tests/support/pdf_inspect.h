// Test PDFs: made with the qpdf program from a small page description, and read back
// through `qpdf --json` (pages with their rotation and size, outline entries with their
// page). Header only: the plug-in's tests use it too.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace pdf_test {

struct Page {
    int rotate = 0;
    int width = 0;   // points, from the media box
    int height = 0;
};

struct Outline_Entry {
    std::string title;
    int page = 0;  // from 1
};

struct Summary {
    bool read = false;  // qpdf could read the file
    std::vector<Page> pages;
    std::vector<Outline_Entry> outlines;
};

inline std::string Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline std::string Run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
        pclose(pipe);
    }
    return out;
}

// A PDF with one page per size (width x height points), each drawing one line.
inline void Make_Pdf(const std::filesystem::path& path, const std::vector<std::pair<int, int>>& sizes)
{
    std::ostringstream raw;
    raw << "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n2 0 obj << /Type /Pages /Kids [";
    for (size_t i = 0; i < sizes.size(); ++i) raw << (3 + 2 * i) << " 0 R ";
    raw << "] /Count " << sizes.size() << " >> endobj\n";
    for (size_t i = 0; i < sizes.size(); ++i) {
        const std::string content = "0 0 m " + std::to_string(sizes[i].first) + " " +
                                    std::to_string(sizes[i].second) + " l S";
        raw << (3 + 2 * i) << " 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 " << sizes[i].first << " "
            << sizes[i].second << "] /Contents " << (4 + 2 * i) << " 0 R >> endobj\n"
            << (4 + 2 * i) << " 0 obj << /Length " << content.size() << " >> stream\n"
            << content << "\nendstream endobj\n";
    }
    raw << "trailer << /Root 1 0 R /Size " << (3 + 2 * sizes.size()) << " >>\n%%EOF\n";
    const std::filesystem::path draft = path.string() + ".raw";
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(draft, std::ios::binary) << raw.str();
    // qpdf rebuilds the cross-reference table the draft lacks.
    Run("qpdf " + Quote(draft.string()) + " " + Quote(path.string()) + " 2>/dev/null");
    std::filesystem::remove(draft);
}

// What `qpdf --json` says of the file.
inline Summary Inspect(const std::filesystem::path& path)
{
    static const char* const reader = R"PY(
import json, sys
d = json.load(sys.stdin)
objects = d["qpdf"][1]
for p in d["pages"]:
    v = objects["obj:" + p["object"]]["value"]
    box = v.get("/MediaBox", [0, 0, 0, 0])
    print("page", v.get("/Rotate", 0), round(box[2] - box[0]), round(box[3] - box[1]))
def walk(items):
    for item in items:
        print("outline", item["destpageposfrom1"], item["title"])
        walk(item["kids"])
walk(d["outlines"])
)PY";
    Summary summary;
    const std::string out = Run("qpdf --json=2 " + Quote(path.string()) + " 2>/dev/null | /usr/bin/python3 -c " +
                                Quote(reader) + " 2>/dev/null");
    std::istringstream lines(out);
    std::string kind;
    while (lines >> kind) {
        summary.read = true;
        if (kind == "page") {
            Page page;
            lines >> page.rotate >> page.width >> page.height;
            summary.pages.push_back(page);
        } else if (kind == "outline") {
            Outline_Entry entry;
            lines >> entry.page;
            lines.get();
            std::getline(lines, entry.title);
            summary.outlines.push_back(entry);
        }
    }
    return summary;
}

// The widths of the pages, in order: the test inputs tell their pages apart by width.
inline std::vector<int> Widths(const Summary& summary)
{
    std::vector<int> widths;
    for (const Page& page : summary.pages) widths.push_back(page.width);
    return widths;
}

}  // namespace pdf_test
