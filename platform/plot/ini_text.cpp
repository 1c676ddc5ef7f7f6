#include "plot/ini_text.h"

#include <cwchar>
#include <fstream>
#include <iterator>

#include "win/win_codepage.h"
#include "win/win_files.h"

namespace platform {

Ini_Text::Ini_Text(const std::wstring& text)
{
    std::wstring section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        std::wstring line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        start = end == std::wstring::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        size_t equals = line.find(L'=');
        if (equals == std::wstring::npos)
            continue;
        values_.emplace(Fold_Case(section + L"\n" + line.substr(0, equals)), line.substr(equals + 1));
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
