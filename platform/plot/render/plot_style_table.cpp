#include "plot/render/plot_style_table.h"

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "script/utf8.h"
#include "win/disk_change.h"
#include "win/win_files.h"

namespace platform {

namespace {

std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

bool Parse_Int(const std::string& s, int lo, int hi, int& out)
{
    if (s.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || v < lo || v > hi) return false;
    out = int(v);
    return true;
}

bool Parse_Color(const std::string& s, Plot_Style& st)
{
    if (s == "object") {
        st.use_object_color = true;
        return true;
    }
    if (s.size() != 7 || s[0] != '#') return false;
    char* end = nullptr;
    unsigned long v = std::strtoul(s.c_str() + 1, &end, 16);
    if (*end != '\0') return false;
    st.use_object_color = false;
    st.rgb = uint32_t(v);
    return true;
}

bool Parse_Lineweight(const std::string& s, Plot_Style& st)
{
    if (s == "object") {
        st.use_object_lineweight = true;
        return true;
    }
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (s.empty() || *end != '\0' || v < 0.0 || v > 10.0) return false;
    st.use_object_lineweight = false;
    st.lineweight_mm = v;
    return true;
}

}  // namespace

bool Plot_Style_Table::load(const std::wstring& path, std::wstring& error)
{
    // Kept as parsed until the file changes on disk.
    static Parsed_File_Cache<Plot_Style_Table> tables(
        [](const std::string& bytes, Plot_Style_Table& table, std::wstring& why) { return table.parse(bytes, why); });
    std::wstring why;
    bool read_failed = false;
    std::shared_ptr<const Plot_Style_Table> table = tables.get(To_Host_Path(path), why, &read_failed);
    if (!table) {
        error = read_failed ? L"cannot open plot-style table " + path : path + L": " + why;
        return false;
    }
    *this = *table;
    return true;
}

bool Plot_Style_Table::parse(const std::string& text, std::wstring& error)
{
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool header = false;
    *this = Plot_Style_Table();
    while (std::getline(in, line)) {
        ++number;
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        std::string t = Trim(line);
        auto fail = [&](const char* what) {
            error = L"line " + std::to_wstring(number) + L": " + From_Utf8(what);
            return false;
        };
        if (!header) {
            if (t != "KORVEL-CTB 1") return fail("not a plot-style table (expected \"KORVEL-CTB 1\")");
            header = true;
            continue;
        }
        if (t.empty() || t[0] == '#') continue;
        if (t.rfind("description=", 0) == 0) {
            mDescription = From_Utf8(t.substr(12));
            continue;
        }
        std::istringstream fields(t);
        std::string index, color, weight, screen, extra;
        fields >> index >> color >> weight >> screen;
        if (screen.empty() || (fields >> extra)) return fail("expected: index colour lineweight screening");
        Plot_Style st;
        int idx = 0;
        if (index != "*" && !Parse_Int(index, 1, 255, idx)) return fail("colour index must be 1..255 or *");
        if (!Parse_Color(color, st)) return fail("colour must be object or #RRGGBB");
        if (!Parse_Lineweight(weight, st)) return fail("lineweight must be object or millimetres 0..10");
        if (!Parse_Int(screen, 0, 100, st.screening)) return fail("screening must be 0..100");
        if (index == "*")
            for (int i = 1; i <= 255; ++i) mStyles[size_t(i)] = st;
        else
            mStyles[size_t(idx)] = st;
    }
    if (!header) {
        error = L"empty file";
        return false;
    }
    return true;
}

const Plot_Style& Plot_Style_Table::style(int colorIndex) const
{
    if (colorIndex < 1 || colorIndex > 255) return mObjectStyle;
    return mStyles[size_t(colorIndex)];
}

void Plot_Style_Table::set_style(int colorIndex, const Plot_Style& style)
{
    if (colorIndex >= 1 && colorIndex <= 255) mStyles[size_t(colorIndex)] = style;
}

uint32_t Plot_Style_Table::Output_Color(const Plot_Style& style, uint32_t objectRgb)
{
    uint32_t rgb = style.use_object_color ? objectRgb : style.rgb;
    if (style.screening >= 100) return rgb;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        int c = int((rgb >> shift) & 0xFF);
        int screened = 255 - (255 - c) * style.screening / 100;
        out |= uint32_t(screened) << shift;
    }
    return out;
}

}  // namespace platform
