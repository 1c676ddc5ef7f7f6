#include "mfc/atlconv.h"

namespace platform {

std::string Wide_To_Code_Page(const wchar_t* text, UINT codePage) {
    if (!text || !*text) return std::string();
    const int size = WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

std::wstring Code_Page_To_Wide(const char* text, UINT codePage) {
    if (!text || !*text) return std::wstring();
    const int size = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, out.data(), size);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

}  // namespace platform
