// The key=value text of the host's device files: "[Section]" lines, then "key=value" lines.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

namespace platform {

class Ini_Text {
public:
    // Lines end with CR LF or LF; blank lines and lines without "=" outside headers are skipped.
    explicit Ini_Text(const std::wstring& text);
    // The value of the first line with that key in that section (both case ignored).
    std::optional<std::wstring> value(const std::wstring& section, const std::wstring& key) const;
    double number(const std::wstring& section, const std::wstring& key, double fallback) const;

private:
    // Folded "section\nkey" -> value of its first line.
    std::unordered_map<std::wstring, std::wstring> values_;
};

// The whole file as text in the ANSI code page; false when it cannot be read.
bool Read_Ansi_File(const std::wstring& path, std::wstring& text);

}  // namespace platform
