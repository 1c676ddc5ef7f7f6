#include <algorithm>
#include <cstring>
#include <cwchar>

#include "mfc/afxstr.h"
#include "mfc/format_narrow.h"
#include "mfc/resource_modules.h"

namespace {

// Conversion between the two character types through the ANSI code page.
std::wstring Widen(const char* p, size_t n) { return platform::From_Ansi(std::string_view(p, n)); }
std::string Narrow(const wchar_t* p, size_t n) { return platform::To_Ansi(std::wstring_view(p, n)); }

template <typename T>
std::basic_string<T> Convert(const char* p, size_t n);
template <>
std::basic_string<wchar_t> Convert<wchar_t>(const char* p, size_t n) { return Widen(p, n); }

template <typename T>
std::basic_string<T> Convert(const wchar_t* p, size_t n);
template <>
std::basic_string<wchar_t> Convert<wchar_t>(const wchar_t* p, size_t n) { return std::wstring(p, n); }
template <>
std::basic_string<char> Convert<char>(const wchar_t* p, size_t n) { return Narrow(p, n); }

// Length of at most n characters of p, stopping at a terminator (p need not be terminated).
template <typename T>
size_t Bounded_Length(const T* p, int n) {
    if (!p || n <= 0) return 0;
    size_t i = 0;
    while (i < static_cast<size_t>(n) && p[i] != 0) ++i;
    return i;
}

template <typename T>
bool Contains(const T* set, T ch) {
    if (!set) return false;
    for (; *set; ++set)
        if (*set == ch) return true;
    return false;
}

// White space as the wide classification of the Windows runtime sees it.
template <typename T>
bool Is_Space(T ch, const T*) {
    const auto c = static_cast<std::make_unsigned_t<T>>(ch);
    if (c == 0x20 || (c >= 0x09 && c <= 0x0D)) return true;
    if constexpr (sizeof(T) == 1) {
        return false;
    } else {
        return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
               c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
    }
}

template <typename T>
bool Is_Target(T ch, const T* targets) {
    return Contains(targets, ch);
}

template <typename T>
T Ascii_Upper(T c) {
    return (c >= 'a' && c <= 'z') ? static_cast<T>(c - 'a' + 'A') : c;
}
template <typename T>
T Ascii_Lower(T c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<T>(c - 'A' + 'a') : c;
}

// A lead byte of a double-byte character in CP936.
bool Is_Lead_Byte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

// Applies fold to every character that is not the trail byte of a double-byte character.
template <typename T, typename F>
void Fold_Case(std::basic_string<T>& s, F fold) {
    for (size_t i = 0; i < s.size(); ++i) {
        if constexpr (sizeof(T) == 1) {
            if (Is_Lead_Byte(s[i]) && i + 1 < s.size()) {
                ++i;
                continue;
            }
        }
        s[i] = fold(s[i]);
    }
}

// Ordinal comparison by unsigned code unit; when fold is set, ASCII letters fold to lower case.
template <typename T>
int Compare_Chars(const T* a, const T* b, bool fold) {
    static const T empty[1] = {0};
    if (!a) a = empty;
    if (!b) b = empty;
    typedef std::make_unsigned_t<T> U;
    for (;; ++a, ++b) {
        U ca = static_cast<U>(*a), cb = static_cast<U>(*b);
        if (fold) {
            ca = static_cast<U>(Ascii_Lower(static_cast<T>(ca)));
            cb = static_cast<U>(Ascii_Lower(static_cast<T>(cb)));
        }
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

}  // namespace

template <typename B>
CStringT<B>::CStringT(PCXSTR psz) {
    if (psz && IS_INTRESOURCE(psz)) {
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(psz)));
    } else if (psz) {
        m_str = psz;
    }
}

template <typename B>
CStringT<B>::CStringT(PCYSTR psz) {
    if (psz) m_str = Convert<B>(psz, std::char_traits<YCHAR>::length(psz));
}

template <typename B>
CStringT<B>::CStringT(const CStringT<YCHAR>& src) : m_str(Convert<B>(src.GetString(), src.GetLength())) {}

template <typename B>
CStringT<B>::CStringT(PCXSTR pch, int nLength) : m_str(pch ? pch : PCXSTR(), pch ? std::max(nLength, 0) : 0) {}

template <typename B>
CStringT<B>::CStringT(PCYSTR pch, int nLength) : m_str(Convert<B>(pch, Bounded_Length(pch, nLength))) {}

template <typename B>
CStringT<B>::CStringT(XCHAR ch, int nRepeat) : m_str(static_cast<size_t>(std::max(nRepeat, 0)), ch) {}

template <typename B>
CStringT<B>& CStringT<B>::operator=(PCXSTR psz) {
    CStringT tmp(psz);
    m_str.swap(tmp.m_str);
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::operator=(PCYSTR psz) {
    m_str = psz ? Convert<B>(psz, std::char_traits<YCHAR>::length(psz)) : std::basic_string<B>();
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::operator=(const CStringT<YCHAR>& src) {
    m_str = Convert<B>(src.GetString(), src.GetLength());
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::operator=(XCHAR ch) {
    m_str.assign(1, ch);
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::operator+=(const CStringT& str) {
    m_str += str.m_str;
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::operator+=(PCXSTR psz) {
    if (psz) m_str += psz;
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::operator+=(XCHAR ch) {
    m_str += ch;
    return *this;
}

template <typename B>
B CStringT<B>::GetAt(int iChar) const {
    AFX_CHECK(iChar >= 0 && iChar < GetLength());
    return m_str[static_cast<size_t>(iChar)];
}

template <typename B>
void CStringT<B>::SetAt(int iChar, XCHAR ch) {
    AFX_CHECK(iChar >= 0 && iChar < GetLength());
    m_str[static_cast<size_t>(iChar)] = ch;
}

template <typename B>
void CStringT<B>::SetString(PCXSTR psz) {
    *this = psz;
}

template <typename B>
void CStringT<B>::SetString(PCXSTR pch, int nLength) {
    std::basic_string<B> tmp(pch ? pch : PCXSTR(), pch ? std::max(nLength, 0) : 0);
    m_str.swap(tmp);
}

template <typename B>
void CStringT<B>::Append(PCXSTR psz) {
    if (psz) m_str += psz;
}

template <typename B>
void CStringT<B>::Append(PCXSTR pch, int nLength) {
    if (pch && nLength > 0) m_str.append(pch, static_cast<size_t>(nLength));
}

template <typename B>
void CStringT<B>::Truncate(int nNewLength) {
    AFX_CHECK(nNewLength >= 0 && nNewLength <= GetLength());
    m_str.resize(static_cast<size_t>(nNewLength));
}

template <typename B>
CStringT<B> CStringT<B>::Left(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CStringT(m_str.c_str(), nCount);
}

template <typename B>
CStringT<B> CStringT<B>::Mid(int iFirst) const {
    return Mid(iFirst, GetLength() - std::max(iFirst, 0));
}

template <typename B>
CStringT<B> CStringT<B>::Mid(int iFirst, int nCount) const {
    const int length = GetLength();
    iFirst = std::max(iFirst, 0);
    nCount = std::max(nCount, 0);
    if (iFirst >= length) return CStringT();
    nCount = std::min(nCount, length - iFirst);
    return CStringT(m_str.c_str() + iFirst, nCount);
}

template <typename B>
CStringT<B> CStringT<B>::Right(int nCount) const {
    nCount = std::clamp(nCount, 0, GetLength());
    return CStringT(m_str.c_str() + (GetLength() - nCount), nCount);
}

template <typename B>
CStringT<B> CStringT<B>::SpanIncluding(PCXSTR pszCharSet) const {
    int n = 0;
    while (n < GetLength() && Contains(pszCharSet, m_str[n])) ++n;
    return Left(n);
}

template <typename B>
CStringT<B> CStringT<B>::SpanExcluding(PCXSTR pszCharSet) const {
    int n = 0;
    while (n < GetLength() && !Contains(pszCharSet, m_str[n])) ++n;
    return Left(n);
}

template <typename B>
CStringT<B> CStringT<B>::Tokenize(PCXSTR pszTokens, int& iStart) const {
    const int length = GetLength();
    if (iStart < 0 || iStart >= length) {
        iStart = -1;
        return CStringT();
    }
    if (!pszTokens || !*pszTokens) {
        // No delimiters: the rest is one token, and the next call ends the loop.
        CStringT rest = Mid(iStart);
        iStart = length;
        return rest;
    }
    int first = iStart;
    while (first < length && Contains(pszTokens, m_str[first])) ++first;
    if (first >= length) {
        iStart = -1;
        return CStringT();
    }
    int end = first;
    while (end < length && !Contains(pszTokens, m_str[end])) ++end;
    iStart = end + 1;
    return Mid(first, end - first);
}

template <typename B>
int CStringT<B>::Find(XCHAR ch, int iStart) const {
    if (iStart < 0 || iStart >= GetLength()) return -1;
    const size_t pos = m_str.find(ch, static_cast<size_t>(iStart));
    return pos == std::basic_string<B>::npos ? -1 : static_cast<int>(pos);
}

template <typename B>
int CStringT<B>::Find(PCXSTR pszSub, int iStart) const {
    if (!pszSub || iStart < 0 || iStart > GetLength()) return -1;
    const size_t pos = m_str.find(pszSub, static_cast<size_t>(iStart));
    return pos == std::basic_string<B>::npos ? -1 : static_cast<int>(pos);
}

template <typename B>
int CStringT<B>::ReverseFind(XCHAR ch) const {
    const size_t pos = m_str.rfind(ch);
    return pos == std::basic_string<B>::npos ? -1 : static_cast<int>(pos);
}

template <typename B>
int CStringT<B>::FindOneOf(PCXSTR pszCharSet) const {
    for (int i = 0; i < GetLength(); ++i)
        if (Contains(pszCharSet, m_str[i])) return i;
    return -1;
}

template <typename B>
int CStringT<B>::Replace(XCHAR chOld, XCHAR chNew) {
    int count = 0;
    for (auto& c : m_str) {
        if (c == chOld) {
            c = chNew;
            ++count;
        }
    }
    return count;
}

template <typename B>
int CStringT<B>::Replace(PCXSTR pszOld, PCXSTR pszNew) {
    const int oldLength = StringLength(pszOld);
    if (oldLength == 0) return 0;
    const std::basic_string<B> replacement = pszNew ? pszNew : std::basic_string<B>();
    std::basic_string<B> result;
    int count = 0;
    size_t from = 0;
    for (size_t pos; (pos = m_str.find(pszOld, from)) != std::basic_string<B>::npos; from = pos + oldLength) {
        result.append(m_str, from, pos - from);
        result += replacement;
        ++count;
    }
    if (count > 0) {
        result.append(m_str, from, std::basic_string<B>::npos);
        m_str.swap(result);
    }
    return count;
}

template <typename B>
int CStringT<B>::Remove(XCHAR chRemove) {
    const size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), chRemove), m_str.end());
    return static_cast<int>(before - m_str.size());
}

template <typename B>
int CStringT<B>::Insert(int iIndex, XCHAR ch) {
    iIndex = std::clamp(iIndex, 0, GetLength());
    m_str.insert(static_cast<size_t>(iIndex), 1, ch);
    return GetLength();
}

template <typename B>
int CStringT<B>::Insert(int iIndex, PCXSTR psz) {
    iIndex = std::clamp(iIndex, 0, GetLength());
    if (psz) m_str.insert(static_cast<size_t>(iIndex), std::basic_string<B>(psz));
    return GetLength();
}

template <typename B>
int CStringT<B>::Delete(int iIndex, int nCount) {
    iIndex = std::max(iIndex, 0);
    nCount = std::min(std::max(nCount, 0), GetLength() - iIndex);
    if (nCount > 0) m_str.erase(static_cast<size_t>(iIndex), static_cast<size_t>(nCount));
    return GetLength();
}

template <typename B>
void CStringT<B>::Trim_Left_If(bool (*is_target)(XCHAR, PCXSTR), PCXSTR targets) {
    size_t n = 0;
    while (n < m_str.size() && is_target(m_str[n], targets)) ++n;
    m_str.erase(0, n);
}

template <typename B>
void CStringT<B>::Trim_Right_If(bool (*is_target)(XCHAR, PCXSTR), PCXSTR targets) {
    size_t n = m_str.size();
    while (n > 0 && is_target(m_str[n - 1], targets)) --n;
    m_str.resize(n);
}

template <typename B>
CStringT<B>& CStringT<B>::Trim() {
    return TrimRight().TrimLeft();
}
template <typename B>
CStringT<B>& CStringT<B>::Trim(XCHAR chTarget) {
    return TrimRight(chTarget).TrimLeft(chTarget);
}
template <typename B>
CStringT<B>& CStringT<B>::Trim(PCXSTR pszTargets) {
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}
template <typename B>
CStringT<B>& CStringT<B>::TrimLeft() {
    Trim_Left_If(&Is_Space<B>, nullptr);
    return *this;
}
template <typename B>
CStringT<B>& CStringT<B>::TrimLeft(XCHAR chTarget) {
    const XCHAR targets[2] = {chTarget, 0};
    Trim_Left_If(&Is_Target<B>, targets);
    return *this;
}
template <typename B>
CStringT<B>& CStringT<B>::TrimLeft(PCXSTR pszTargets) {
    Trim_Left_If(&Is_Target<B>, pszTargets);
    return *this;
}
template <typename B>
CStringT<B>& CStringT<B>::TrimRight() {
    Trim_Right_If(&Is_Space<B>, nullptr);
    return *this;
}
template <typename B>
CStringT<B>& CStringT<B>::TrimRight(XCHAR chTarget) {
    const XCHAR targets[2] = {chTarget, 0};
    Trim_Right_If(&Is_Target<B>, targets);
    return *this;
}
template <typename B>
CStringT<B>& CStringT<B>::TrimRight(PCXSTR pszTargets) {
    Trim_Right_If(&Is_Target<B>, pszTargets);
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::MakeUpper() {
    Fold_Case(m_str, &Ascii_Upper<B>);
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::MakeLower() {
    Fold_Case(m_str, &Ascii_Lower<B>);
    return *this;
}

template <typename B>
CStringT<B>& CStringT<B>::MakeReverse() {
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

template <typename B>
int CStringT<B>::Compare(PCXSTR psz) const {
    return Compare_Chars<B>(m_str.c_str(), psz, false);
}

template <typename B>
int CStringT<B>::CompareNoCase(PCXSTR psz) const {
    if constexpr (sizeof(B) == 1) {
        // Trail bytes of double-byte characters are not letters.
        CStringT a(*this), b(psz);
        a.MakeLower();
        b.MakeLower();
        return a.Compare(b);
    } else {
        return Compare_Chars<B>(m_str.c_str(), psz, true);
    }
}

// The default locale collates by code point.
template <typename B>
int CStringT<B>::Collate(PCXSTR psz) const {
    return Compare(psz);
}

template <typename B>
int CStringT<B>::CollateNoCase(PCXSTR psz) const {
    return CompareNoCase(psz);
}

template <typename B>
void CStringT<B>::Append_Format_C(PCXSTR pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

template <typename B>
void CStringT<B>::FormatV(PCXSTR pszFormat, va_list args) {
    CStringT result;
    result.AppendFormatV(pszFormat, args);
    m_str.swap(result.m_str);
}

template <typename B>
void CStringT<B>::AppendFormatV(PCXSTR pszFormat, va_list args) {
    if (!pszFormat) return;
    if constexpr (sizeof(B) == 1) {
        m_str += platform::Format_Narrow(pszFormat, args);
    } else {
        m_str += platform::Format_Wide(pszFormat, args);
    }
}

template <typename B>
typename CStringT<B>::PXSTR CStringT<B>::GetBuffer() {
    return m_str.data();
}

template <typename B>
typename CStringT<B>::PXSTR CStringT<B>::GetBuffer(int nMinBufferLength) {
    if (nMinBufferLength > GetLength()) m_str.resize(static_cast<size_t>(nMinBufferLength));
    return m_str.data();
}

template <typename B>
typename CStringT<B>::PXSTR CStringT<B>::GetBufferSetLength(int nLength) {
    m_str.resize(static_cast<size_t>(std::max(nLength, 0)));
    return m_str.data();
}

template <typename B>
void CStringT<B>::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) {
        m_str.resize(std::char_traits<B>::length(m_str.c_str()));
    } else {
        m_str.resize(std::min(static_cast<size_t>(nNewLength), m_str.size()));
    }
}

template <typename B>
void CStringT<B>::ReleaseBufferSetLength(int nNewLength) {
    ReleaseBuffer(std::max(nNewLength, 0));
}

template <typename B>
void CStringT<B>::Preallocate(int nLength) {
    if (nLength > 0) m_str.reserve(static_cast<size_t>(nLength));
}

template <typename B>
BOOL CStringT<B>::LoadString(UINT nID) {
    return LoadString(nullptr, nID);
}

template <typename B>
BOOL CStringT<B>::LoadString(HINSTANCE hInstance, UINT nID) {
    std::wstring text;
    if (!platform::Load_String_Resource(hInstance, nID, text)) return FALSE;
    m_str = Convert<B>(text.c_str(), text.size());
    return TRUE;
}

template class CStringT<wchar_t>;
template class CStringT<char>;
