// Conversion helpers between wide strings and narrow strings of a code page
// (the ANSI code page CP936 unless another is given, e.g. CP_UTF8). Each object owns
// its converted text, which lives as long as the object; a null source gives null.
#pragma once

#include <string>

#include "win/windows.h"

namespace platform {

std::string Wide_To_Code_Page(const wchar_t* text, UINT codePage);
std::wstring Code_Page_To_Wide(const char* text, UINT codePage);

}  // namespace platform

class CW2A {
public:
    explicit CW2A(LPCWSTR psz, UINT nCodePage = CP_ACP) : m_null(psz == nullptr), m_text(platform::Wide_To_Code_Page(psz, nCodePage)) {}
    CW2A(const CW2A&) = delete;
    CW2A& operator=(const CW2A&) = delete;
    operator LPSTR() const { return m_null ? nullptr : const_cast<LPSTR>(m_text.c_str()); }

private:
    bool m_null;
    std::string m_text;
};

class CA2W {
public:
    explicit CA2W(LPCSTR psz, UINT nCodePage = CP_ACP) : m_null(psz == nullptr), m_text(platform::Code_Page_To_Wide(psz, nCodePage)) {}
    CA2W(const CA2W&) = delete;
    CA2W& operator=(const CA2W&) = delete;
    operator LPWSTR() const { return m_null ? nullptr : const_cast<LPWSTR>(m_text.c_str()); }

private:
    bool m_null;
    std::wstring m_text;
};

// Wide to wide: the text is copied.
class CW2W {
public:
    explicit CW2W(LPCWSTR psz, UINT /*nCodePage*/ = CP_ACP) : m_null(psz == nullptr), m_text(psz ? psz : L"") {}
    CW2W(const CW2W&) = delete;
    CW2W& operator=(const CW2W&) = delete;
    operator LPWSTR() const { return m_null ? nullptr : const_cast<LPWSTR>(m_text.c_str()); }

private:
    bool m_null;
    std::wstring m_text;
};

// TCHAR is wchar_t.
typedef CW2A CT2A;
typedef CW2A CT2CA;
typedef CW2A CW2CA;
typedef CA2W CA2T;
typedef CA2W CA2CT;
typedef CA2W CA2CW;
typedef CW2W CT2W;
typedef CW2W CW2T;
typedef CW2W CT2CW;
typedef CW2W CW2CT;
