#include "plot/ini_text.h"

#include <cwchar>
#include <fstream>
#include <iterator>

#include "win/win_codepage.h"
#include "win/win_files.h"

namespace platform {

Ini_Text::Ini_Text(const std::wstring& text)
{
    const std::wstring_view all(text);
    std::wstring section = L"\n";  // folded, with the "\n" that ends it in a key
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find(L'\n', start);
        std::wstring_view line = all.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
        start = end == std::wstring_view::npos ? all.size() : end + 1;
        if (!line.empty() && line.back() == L'\r')
            line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            section = Fold_Case(line.substr(1, line.size() - 2)) + L'\n';
            continue;
        }
        size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos)
            continue;
        values_.emplace(section + Fold_Case(line.substr(0, equals)), std::wstring(line.substr(equals + 1)));
    }
}

std::optional<std::wstring> Ini_Text::value(const std::wstring& section, const std::wstring& key) const
{
    auto found = values_.find(Fold_Case(section + L"\n" + key));
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

double Ini_Text::number(const std::wstring& section, const std::wstring& key, double fallback) const
{
    std::optional<std::wstring> text = value(section, key);
    if (!text || text->empty())
        return fallback;
    wchar_t* end = nullptr;
    double result = std::wcstod(text->c_str(), &end);
    return end != nullptr && *end == 0 ? result : fallback;
}

bool Read_Ansi_File(const std::wstring& path, std::wstring& text)
{
    std::ifstream in(To_Host_Path(path), std::ios::binary);
    if (!in)
        return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text = From_Ansi(bytes);
    return true;
}

}  // namespace platform
