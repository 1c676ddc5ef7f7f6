// No source of the tree converts between narrow and wide text through the process's
// locale: nothing sets one, so such a conversion fails on the first Chinese character.
// Paths go through platform::Host_Path_From_Text / Text_From_Host_Path, text through
// To_Utf8 / From_Utf8 and the code-page functions. The path conversions of
// std::filesystem are also taken away at build time (win/path_wide_guard.h).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rule {
    const char* name;
    std::regex pattern;
};

const Rule Rules[] = {
    {"a C library or standard library conversion through the locale",
     std::regex(R"(\b(mbstowcs|wcstombs|mbrtowc|wcrtomb|mbtowc|wctomb|mbsrtowcs|wcsrtombs|mbsnrtowcs|wcsnrtombs|)"
                R"(btowc|wctob|mblen|mbrlen|setlocale|newlocale|uselocale|wstring_convert|wbuffer_convert|codecvt\w*)\b)")},
    {"a wide stream, which converts through its locale",
     std::regex(R"(\b(wcout|wcerr|wclog|wcin|wofstream|wifstream|wfstream|wfilebuf)\b)")},
    {"the user's locale", std::regex(R"(locale::global|locale\(\s*"")")},
    {"a path turned into wide text through the locale", std::regex(R"(\.(generic_)?wstring\(\))")},
    {"a wide string or character in a narrow printf",
     std::regex(R"(\b(v?f?s?n?printf|dprintf)\s*\(.*"[^"]*%[-+ #0-9.*]*(l[sc]|S|C))")},
    {"a narrow string or character in a wide printf",
     std::regex(R"(\b(v?f?s?wprintf)\s*\(.*L"[^"]*%[-+ #0-9.*]*h?[sc])")},
};

const char* const Folders[] = {"platform", "core",   "ui",        "sheets", "titleblock", "signstamp", "plot",
                               "dialogs",  "tools",  "res",       "companion", "bench",   "tests"};

bool Is_Source(const fs::path& path)
{
    const std::string extension = path.extension().string();
    return extension == ".cpp" || extension == ".h" || extension == ".c" || extension == ".hpp";
}

// Every rule needs one of these in the line (a cheap test before the patterns).
bool Suspect(const std::string& code)
{
    for (const char* part : {"mb", "wc", "locale", "codecvt", "_convert", "wstring()", "printf", "wf", "wif", "wof"})
        if (code.find(part) != std::string::npos) return true;
    return false;
}

// The line without a comment that starts it or ends it ("//" outside a string).
std::string Code_Of(const std::string& line)
{
    bool quoted = false;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] == '\\' && quoted) {
            ++i;
            continue;
        }
        if (line[i] == '"') quoted = !quoted;
        if (!quoted && line[i] == '/' && line[i + 1] == '/') return line.substr(0, i);
    }
    return line;
}

}  // namespace

TEST(Locale_Free_Sources, No_Source_Converts_Text_Through_The_Locale)
{
    const fs::path root = KORVEL_SOURCE_DIR;
    const fs::path self = fs::path(__FILE__).filename();
    std::vector<std::string> found;
    size_t files = 0;
    for (const char* folder : Folders) {
        if (!fs::is_directory(root / folder)) continue;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / folder)) {
            if (!entry.is_regular_file() || !Is_Source(entry.path()) || entry.path().filename() == self) continue;
            ++files;
            std::ifstream in(entry.path(), std::ios::binary);
            int number = 0;
            for (std::string line; std::getline(in, line);) {
                ++number;
                const std::string code = Code_Of(line);
                if (!Suspect(code)) continue;
                for (const Rule& rule : Rules)
                    if (std::regex_search(code, rule.pattern))
                        found.push_back(fs::relative(entry.path(), root).string() + ":" + std::to_string(number) +
                                        ": " + rule.name + ": " + line);
            }
        }
    }
    EXPECT_GT(files, 500u) << "the sources were not found under " << root;
    std::string listing;
    for (const std::string& line : found) listing += line + "\n";
    EXPECT_TRUE(found.empty()) << listing;
}

// The rules catch what they are meant to and leave the platform's own spellings alone.
TEST(Locale_Free_Sources, The_Rules_Tell_Locale_Conversions_From_Explicit_Ones)
{
    const std::pair<const char*, bool> cases[] = {
        {"size_t n = mbstowcs(out, text, 64);", true},
        {"std::wstring_convert<std::codecvt_utf8<wchar_t>> convert;", true},
        {"std::wcout << text;", true},
        {"std::locale::global(std::locale(\"\"));", true},
        {"const std::wstring name = path.stem().wstring();", true},
        {"std::printf(\"%ls\\n\", name);", true},
        {"std::fprintf(stderr, \"%-8S|\", name);", true},
        {"std::swprintf(buffer, 64, L\"KV-%s\", narrow);", true},
        {"std::swprintf(buffer, 64, L\"ISO_%ls_(%.2f)\", name, w);", false},
        {"std::fprintf(stderr, \"cadhost: %s\\n\", platform::To_Utf8(text).c_str());", false},
        {"const std::wstring name = Text_From_Host_Path(path.stem());", false},
        {"std::string mode = \"%ls\";", false},
    };
    for (const auto& [line, expected] : cases) {
        bool matched = false;
        for (const Rule& rule : Rules)
            matched = matched || (Suspect(Code_Of(line)) && std::regex_search(Code_Of(line), rule.pattern));
        EXPECT_EQ(matched, expected) << line;
    }
}
