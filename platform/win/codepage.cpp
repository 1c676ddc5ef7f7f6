#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "win/win_codepage.h"
#include "win/win_error.h"

namespace {

// One converter per thread and direction (iconv descriptors are not thread-safe).
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in` (bytes) to `out`; each input unit that cannot be converted is
    // skipped and replaced by `replacement`. Returns false when any was replaced.
    bool run(const char* in, size_t in_size, size_t unit, std::string& out, std::string_view replacement) {
        out.clear();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        bool clean = true;
        char buffer[1024];
        char* src = const_cast<char*>(in);
        size_t src_left = in_size;
        while (src_left > 0) {
            char* dst = buffer;
            size_t dst_left = sizeof buffer;
            const size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
            out.append(buffer, dst - buffer);
            if (rc != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL (truncated sequence): replace one unit and go on.
            clean = false;
            out.append(replacement);
            const size_t skip = std::min(unit, src_left);
            src += skip;
            src_left -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return clean;
    }

private:
    iconv_t cd_;
};

bool Wide_To_Gbk(std::wstring_view text, std::string& out, std::string_view default_char) {
    thread_local Converter converter("CP936", "WCHAR_T");
    return converter.run(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t),
                         sizeof(wchar_t), out, default_char);
}

bool Gbk_To_Wide(std::string_view bytes, std::wstring& out) {
    thread_local Converter converter("WCHAR_T", "CP936");
    const wchar_t question = L'?';
    std::string raw;
    const bool clean = converter.run(bytes.data(), bytes.size(), 1, raw,
                                     std::string_view(reinterpret_cast<const char*>(&question), sizeof question));
    out.assign(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / sizeof(wchar_t));
    return clean;
}

enum class Page { Gbk, Utf8, Unknown };

Page Page_Of(UINT code_page) {
    switch (code_page) {
        case CP_ACP:
        case CP_OEMCP:
        case CP_THREAD_ACP:
        case CP_GBK: return Page::Gbk;
        case CP_UTF8: return Page::Utf8;
        default: return Page::Unknown;
    }
}

// Copies a converted result into the caller's buffer with Windows rules.
template <typename Char>
int Deliver(const std::basic_string<Char>& result, Char* buffer, int buffer_size) {
    const int needed = static_cast<int>(result.size());
    if (buffer_size == 0) return needed;
    if (buffer_size < needed) {
        std::memcpy(buffer, result.data(), buffer_size * sizeof(Char));
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(buffer, result.data(), needed * sizeof(Char));
    return needed;
}

}  // namespace

UINT GetACP() { return CP_GBK; }
UINT GetOEMCP() { return CP_GBK; }

int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                        LPWSTR lpWideCharStr, int cchWideChar) {
    const Page page = Page_Of(CodePage);
    if (page == Page::Unknown || !lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !lpWideCharStr)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : static_cast<size_t>(cbMultiByte);
    const std::string_view bytes(lpMultiByteStr, length);
    std::wstring result;
    bool clean = true;
    if (page == Page::Gbk) {
        clean = Gbk_To_Wide(bytes, result);
    } else {
        result = platform::From_Utf8(bytes);
        clean = platform::To_Utf8(result) == bytes;
    }
    if (!clean && (dwFlags & MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    return Deliver(result, lpWideCharStr, cchWideChar);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar) {
    const Page page = Page_Of(CodePage);
    if (page == Page::Unknown || !lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0 ||
        (cbMultiByte > 0 && !lpMultiByteStr) ||
        (page == Page::Utf8 && (lpDefaultChar || lpUsedDefaultChar))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t length = cchWideChar == -1 ? std::wcslen(lpWideCharStr) + 1 : static_cast<size_t>(cchWideChar);
    const std::wstring_view text(lpWideCharStr, length);
    std::string result;
    if (page == Page::Gbk) {
        const bool clean = Wide_To_Gbk(text, result, lpDefaultChar ? std::string_view(lpDefaultChar) : "?");
        if (lpUsedDefaultChar) *lpUsedDefaultChar = clean ? FALSE : TRUE;
    } else {
        result = platform::To_Utf8(text);
        if ((dwFlags & WC_ERR_INVALID_CHARS) && platform::From_Utf8(result) != text) {
            SetLastError(ERROR_NO_UNICODE_TRANSLATION);
            return 0;
        }
    }
    return Deliver(result, lpMultiByteStr, cbMultiByte);
}

namespace platform {

std::string To_Ansi(std::wstring_view text) {
    std::string out;
    Wide_To_Gbk(text, out, "?");
    return out;
}

std::wstring From_Ansi(std::string_view bytes) {
    std::wstring out;
    Gbk_To_Wide(bytes, out);
    return out;
}

}  // namespace platform
