#include "db/hatch_pattern_file.h"

#include <cctype>
#include <cwctype>
#include <filesystem>
#include <sstream>

#include "db/support_files.h"
#include "win/disk_change.h"
#include "win/win_files.h"

namespace platform {

namespace {

// A standard pattern at its plain size: the ANSI ones in inches, the ISO ones (lines of
// ISO 128 for a pen of 1 mm, 5 mm apart) in millimetres.
struct Standard_Pattern {
    const char* name;
    const char* description;
    bool millimetres;
    std::vector<Pat_Family> families;
};

const std::vector<Standard_Pattern>& Standard_Patterns()
{
    const double d = 0.176776695;  // an eighth of an inch across 45-degree lines, along x
    auto iso = [](const char* name, const char* description, std::vector<double> dashes) {
        return Standard_Pattern{name, description, true, {{0, 0, 0, 0, 5, std::move(dashes)}}};
    };
    static const std::vector<Standard_Pattern> patterns = {
        {"ANSI31", "ANSI Iron, Brick, Stone masonry", false, {{45, 0, 0, 0, .125, {}}}},
        {"ANSI32", "ANSI Steel", false, {{45, 0, 0, 0, .375, {}}, {45, d, 0, 0, .375, {}}}},
        {"ANSI33", "ANSI Bronze, Brass, Copper", false, {{45, 0, 0, 0, .25, {}}, {45, d, 0, 0, .25, {.125, -.0625}}}},
        {"ANSI34", "ANSI Plastic, Rubber", false,
         {{45, 0, 0, 0, .75, {}}, {45, d, 0, 0, .75, {}}, {45, 2 * d, 0, 0, .75, {}}, {45, 3 * d, 0, 0, .75, {}}}},
        {"ANSI35", "ANSI Fire brick, Refractory material", false,
         {{45, 0, 0, 0, .25, {}}, {45, d, 0, 0, .25, {.3125, -.0625, 0, -.0625}}}},
        {"ANSI36", "ANSI Marble, Slate, Glass", false, {{45, 0, 0, .21875, .125, {.3125, -.0625, 0, -.0625}}}},
        {"ANSI37", "ANSI Lead, Zinc, Magnesium, Sound/Heat/Elec Insulation", false,
         {{45, 0, 0, 0, .125, {}}, {135, 0, 0, 0, .125, {}}}},
        {"ANSI38", "ANSI Aluminum", false, {{45, 0, 0, 0, .125, {}}, {135, 0, 0, .25, .125, {.3125, -.1875}}}},
        iso("ISO02W100", "dashed line", {12, -3}),
        iso("ISO03W100", "dashed space line", {12, -18}),
        iso("ISO04W100", "long dashed dotted line", {24, -3, .5, -3}),
        iso("ISO05W100", "long dashed double dotted line", {24, -3, .5, -3, .5, -3}),
        iso("ISO06W100", "long dashed triplicate dotted line", {24, -3, .5, -3, .5, -3, .5, -3}),
        iso("ISO07W100", "dotted line", {.5, -3}),
        iso("ISO08W100", "long dashed short dashed line", {24, -3, 6, -3}),
        iso("ISO09W100", "long dashed double short dashed line", {24, -3, 6, -3, 6, -3}),
        iso("ISO10W100", "dashed dotted line", {12, -3, .5, -3}),
        iso("ISO11W100", "double dashed dotted line", {12, -3, 12, -3, .5, -3}),
        iso("ISO12W100", "dashed double dotted line", {12, -3, .5, -3, .5, -3}),
        iso("ISO13W100", "double dashed double dotted line", {12, -3, 12, -3, .5, -3, .5, -3}),
        iso("ISO14W100", "dashed triplicate dotted line", {12, -3, .5, -3, .5, -3, .5, -3}),
        iso("ISO15W100", "double dashed triplicate dotted line", {12, -3, 12, -3, .5, -3, .5, -3, .5, -3}),
    };
    return patterns;
}

std::string Number(double value)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

// The text of one of the host's files, every length in its unit (millimetres per unit).
std::string File_Text(double millimetresPerUnit, const char* heading)
{
    std::ostringstream out;
    out << ";; " << heading << "\n;; Hatch pattern definitions of the host.\n";
    for (const Standard_Pattern& p : Standard_Patterns()) {
        const double k = (p.millimetres ? 1.0 : 25.4) / millimetresPerUnit;
        out << "\n*" << p.name << ", " << p.description << "\n";
        for (const Pat_Family& f : p.families) {
            out << Number(f.angle) << ", " << Number(f.x * k) << "," << Number(f.y * k) << ", " << Number(f.dx * k) << ","
                << Number(f.dy * k);
            for (double dash : f.dashes) out << ", " << Number(dash * k);
            out << "\n";
        }
    }
    return out.str();
}

std::string Trimmed(const std::string& text)
{
    size_t a = 0, b = text.size();
    while (a < b && std::isspace(static_cast<unsigned char>(text[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(text[b - 1]))) --b;
    return text.substr(a, b - a);
}

bool Same_Name(const std::string& a, const std::wstring& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(static_cast<unsigned char>(a[i])) != std::towupper(b[i])) return false;
    return true;
}

// The families of the named pattern in a .pat text.
std::vector<Pat_Family> Parse(std::istream& in, const std::wstring& patternName)
{
    std::vector<Pat_Family> families;
    bool inPattern = false;
    std::string line;
    while (std::getline(in, line)) {
        const size_t comment = line.find(';');
        line = Trimmed(line.substr(0, comment));
        if (line.empty()) continue;
        if (line[0] == '*') {
            if (inPattern) break;
            inPattern = Same_Name(Trimmed(line.substr(1, line.find(',') - 1)), patternName);
            continue;
        }
        if (!inPattern) continue;
        std::vector<double> values;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, ',')) {
            try {
                values.push_back(std::stod(Trimmed(field)));
            } catch (...) {
                values.clear();
                break;
            }
        }
        if (values.size() < 5) continue;  // not a family line
        families.push_back({values[0], values[1], values[2], values[3], values[4], {values.begin() + 5, values.end()}});
    }
    return families;
}

}  // namespace

bool Install_Host_Pattern_Files()
{
    const bool iso = Install_Support_File(L"acadiso.pat", [] { return File_Text(1.0, "acadiso.pat: lengths in millimetres"); });
    return Install_Support_File(L"acad.pat", [] { return File_Text(25.4, "acad.pat: lengths in inches"); }) && iso;
}

std::vector<Pat_Family> Read_Hatch_Pattern(const std::wstring& fileName, const std::wstring& patternName)
{
    std::wstring path = fileName;
    if (path.find_first_of(L"\\/:") == std::wstring::npos) {
        Install_Host_Pattern_Files();
        path = Host_Support_Folder() + L"\\" + path;
    }
    // Hatches ask each time they are drawn: the file's text is kept until the file changes.
    static Parsed_File_Cache<std::string> kept([](const std::string& bytes, std::string& text, std::wstring&) {
        text = bytes;
        return true;
    });
    std::wstring error;
    const std::shared_ptr<const std::string> text = kept.get(To_Host_Path(path), error);
    if (!text) return {};
    std::istringstream in(*text);
    return Parse(in, patternName);
}

}  // namespace platform
