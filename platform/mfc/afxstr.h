// CString (wide) and CStringA (narrow, bytes in the ANSI code page CP936).
//
// Both are CStringT<character>. Windows semantics throughout:
// - Positions and counts are ints; out-of-range arguments of Left, Mid, Right,
//   Find, Insert, Delete and Tokenize are clamped as the framework does (Mid with a
//   start beyond the end gives an empty string). GetAt, SetAt and operator[] with
//   a bad index stop the program with a message (AFX_CHECK).
// - Construction and assignment from the other character type convert through the
//   ANSI code page (CP_ACP = 936); characters it lacks become '?'.
// - Case operations (MakeUpper, MakeLower, CompareNoCase) fold the ASCII letters
//   only, as the C runtime does in its default locale; other characters (CJK,
//   full-width letters) compare by code point. Narrow strings skip the trail byte
//   of a double-byte character.
// - Trim without arguments removes Unicode white space (ASCII blanks and controls
//   9-13, U+00A0, U+3000 and the other space separators).
// - Format follows the Windows printf rules: for CString %s takes a wide string
//   and %S a narrow one; for CStringA %s takes a narrow string and %S a wide one.
//   Format and AppendFormat pass CString and CStringA arguments as their text, so
//   Format(L"%s", str) works as it does on Windows. (Passing a CString to any other
//   C variadic function passes the object, not its text: use GetString() there.)
// - LoadString looks the id up in the string tables of the current resource module
//   and of the extension modules (see mfc/afxdll.h); with no loader registered it
//   returns FALSE.
#pragma once

#include <cstdarg>
#include <compare>
#include <string>
#include <type_traits>
#include <utility>

#include "mfc/afxassert.h"
#include "win/windows.h"

template <typename BaseType>
class CStringT;

namespace afx_detail {
// A Format argument as the C variadic call takes it: strings by their text.
template <typename T>
const T& Vararg(const T& value) { return value; }
const wchar_t* Vararg(const CStringT<wchar_t>& value);
const char* Vararg(const CStringT<char>& value);
}  // namespace afx_detail

template <typename BaseType>
class CStringT {
public:
    typedef BaseType XCHAR;
    typedef XCHAR* PXSTR;
    typedef const XCHAR* PCXSTR;
    // The other character type, converted through the ANSI code page.
    typedef std::conditional_t<std::is_same_v<BaseType, wchar_t>, char, wchar_t> YCHAR;
    typedef YCHAR* PYSTR;
    typedef const YCHAR* PCYSTR;

    CStringT() = default;
    CStringT(const CStringT& src) = default;
    CStringT(CStringT&& src) noexcept = default;
    // A null pointer gives an empty string; a MAKEINTRESOURCE value loads that string.
    CStringT(PCXSTR psz);
    CStringT(PCYSTR psz);
    CStringT(const CStringT<YCHAR>& src);
    // The first nLength characters of pch (which need not be terminated).
    CStringT(PCXSTR pch, int nLength);
    CStringT(PCYSTR pch, int nLength);
    explicit CStringT(XCHAR ch, int nRepeat = 1);
    ~CStringT() = default;

    CStringT& operator=(const CStringT& src) = default;
    CStringT& operator=(CStringT&& src) noexcept = default;
    CStringT& operator=(PCXSTR psz);
    CStringT& operator=(PCYSTR psz);
    CStringT& operator=(const CStringT<YCHAR>& src);
    CStringT& operator=(XCHAR ch);

    CStringT& operator+=(const CStringT& str);
    CStringT& operator+=(PCXSTR psz);
    CStringT& operator+=(XCHAR ch);

    // Length and access.
    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    PCXSTR GetString() const { return m_str.c_str(); }
    operator PCXSTR() const { return m_str.c_str(); }
    XCHAR GetAt(int iChar) const;
    void SetAt(int iChar, XCHAR ch);
    XCHAR operator[](int iChar) const { return GetAt(iChar); }

    // Building.
    void SetString(PCXSTR psz);
    void SetString(PCXSTR pch, int nLength);
    void Append(PCXSTR psz);
    void Append(PCXSTR pch, int nLength);
    void Append(const CStringT& str) { m_str += str.m_str; }
    void AppendChar(XCHAR ch) { m_str += ch; }
    void Truncate(int nNewLength);

    // Substrings.
    CStringT Left(int nCount) const;
    CStringT Mid(int iFirst) const;
    CStringT Mid(int iFirst, int nCount) const;
    CStringT Right(int nCount) const;
    CStringT SpanIncluding(PCXSTR pszCharSet) const;
    CStringT SpanExcluding(PCXSTR pszCharSet) const;
    // Next token after iStart, skipping leading delimiters; iStart moves past the
    // token, or becomes -1 (with an empty result) when no token is left. Without
    // delimiters the rest of the string is one token (and the next call ends).
    CStringT Tokenize(PCXSTR pszTokens, int& iStart) const;

    // Searching: -1 when not found or when iStart is out of range.
    int Find(XCHAR ch, int iStart = 0) const;
    int Find(PCXSTR pszSub, int iStart = 0) const;
    int ReverseFind(XCHAR ch) const;
    int FindOneOf(PCXSTR pszCharSet) const;

    // Editing; each returns the count of changes or the new length as the framework does.
    int Replace(XCHAR chOld, XCHAR chNew);
    int Replace(PCXSTR pszOld, PCXSTR pszNew);
    int Remove(XCHAR chRemove);
    int Insert(int iIndex, XCHAR ch);
    int Insert(int iIndex, PCXSTR psz);
    int Delete(int iIndex, int nCount = 1);

    CStringT& Trim();
    CStringT& Trim(XCHAR chTarget);
    CStringT& Trim(PCXSTR pszTargets);
    CStringT& TrimLeft();
    CStringT& TrimLeft(XCHAR chTarget);
    CStringT& TrimLeft(PCXSTR pszTargets);
    CStringT& TrimRight();
    CStringT& TrimRight(XCHAR chTarget);
    CStringT& TrimRight(PCXSTR pszTargets);

    CStringT& MakeUpper();
    CStringT& MakeLower();
    CStringT& MakeReverse();

    // Comparison: < 0, 0, > 0. A null pointer compares as an empty string.
    int Compare(PCXSTR psz) const;
    int CompareNoCase(PCXSTR psz) const;
    int Collate(PCXSTR psz) const;
    int CollateNoCase(PCXSTR psz) const;

    // Formatting; a null format gives an empty result. The string may be an argument
    // of its own Format.
    template <typename... Args>
    void Format(PCXSTR pszFormat, const Args&... args) {
        CStringT result;
        result.Append_Format_C(pszFormat, afx_detail::Vararg(args)...);
        *this = std::move(result);
    }
    // The format is string nFormatID of the resource modules.
    template <typename... Args>
    void Format(UINT nFormatID, const Args&... args) {
        CStringT format;
        format.LoadString(nFormatID);
        Format(format.GetString(), args...);
    }
    template <typename... Args>
    void AppendFormat(PCXSTR pszFormat, const Args&... args) {
        Append_Format_C(pszFormat, afx_detail::Vararg(args)...);
    }
    void FormatV(PCXSTR pszFormat, va_list args);
    void AppendFormatV(PCXSTR pszFormat, va_list args);

    // Direct buffer access: the buffer holds at least nMinBufferLength characters plus
    // a terminator and keeps the current text. ReleaseBuffer(-1) takes the length up
    // to the first terminator; any other value (clamped to the buffer) sets it.
    PXSTR GetBuffer();
    PXSTR GetBuffer(int nMinBufferLength);
    PXSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength);
    void Preallocate(int nLength);
    void FreeExtra() { m_str.shrink_to_fit(); }
    int GetAllocLength() const { return static_cast<int>(m_str.capacity()); }

    // String resources.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    static int StringLength(PCXSTR psz) { return psz ? static_cast<int>(std::char_traits<XCHAR>::length(psz)) : 0; }

    // Concatenation and comparison.
    friend CStringT operator+(const CStringT& a, const CStringT& b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(const CStringT& a, PCXSTR b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(PCXSTR a, const CStringT& b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(const CStringT& a, XCHAR b) { CStringT r(a); r += b; return r; }
    friend CStringT operator+(XCHAR a, const CStringT& b) { CStringT r(a); r += b; return r; }

    friend bool operator==(const CStringT& a, const CStringT& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CStringT& a, PCXSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(const CStringT& a, XCHAR b) { return a.m_str.size() == 1 && a.m_str[0] == b; }
    friend std::strong_ordering operator<=>(const CStringT& a, const CStringT& b) { return a.Compare(b) <=> 0; }
    friend std::strong_ordering operator<=>(const CStringT& a, PCXSTR b) { return a.Compare(b) <=> 0; }

private:
    void Append_Format_C(PCXSTR pszFormat, ...);
    void Trim_Left_If(bool (*is_target)(XCHAR, PCXSTR), PCXSTR targets);
    void Trim_Right_If(bool (*is_target)(XCHAR, PCXSTR), PCXSTR targets);

    std::basic_string<XCHAR> m_str;
};

inline const wchar_t* afx_detail::Vararg(const CStringT<wchar_t>& value) { return value.GetString(); }
inline const char* afx_detail::Vararg(const CStringT<char>& value) { return value.GetString(); }

extern template class CStringT<wchar_t>;
extern template class CStringT<char>;

typedef CStringT<wchar_t> CStringW;
typedef CStringT<char> CStringA;
typedef CStringW CString;

#include "mfc/afxvararg.h"
