#include "companion/merge_list_file.h"

#include "script/utf8.h"

namespace companion {

namespace {

std::vector<std::wstring> Split_Lines(std::string_view text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(platform::From_Utf8(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace

std::optional<Merge_List> Parse_Merge_List(const std::string& bytes, std::string& error) {
    std::string_view text(bytes);
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const std::vector<std::wstring> lines = Split_Lines(text);
    if (lines.size() < 2 || lines[0].empty()) {
        error = "the list does not begin with a target and a file count";
        return std::nullopt;
    }
    size_t count = 0;
    const std::wstring& number = lines[1];
    bool digits = !number.empty() && number.size() <= 9;
    for (wchar_t c : number) digits = digits && c >= L'0' && c <= L'9';
    if (!digits) {
        error = "the file count is not a number: " + platform::To_Utf8(number);
        return std::nullopt;
    }
    for (wchar_t c : number) count = count * 10 + static_cast<size_t>(c - L'0');
    if (lines.size() < 2 + 2 * count) {
        error = "the list holds fewer files than it counts";
        return std::nullopt;
    }
    Merge_List list;
    list.target = lines[0];
    for (size_t i = 0; i < count; ++i) list.files.emplace_back(lines[2 + 2 * i], lines[3 + 2 * i]);
    return list;
}

}  // namespace companion
