#include "ed/names.h"

#include <cwctype>

namespace platform {

std::wstring Upper(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towupper(c));
    return out;
}

bool Same_Name(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    return true;
}

}  // namespace platform

namespace platform {

namespace {

bool Match_One(std::wstring_view p, std::wstring_view t)
{
    size_t pi = 0;
    size_t ti = 0;
    size_t starP = std::wstring_view::npos;
    size_t starT = 0;
    while (ti < t.size()) {
        bool matched = false;
        size_t next = pi;
        if (pi < p.size()) {
            wchar_t c = p[pi];
            wchar_t ch = static_cast<wchar_t>(std::towupper(t[ti]));
            if (c == L'*') {
                starP = pi++;
                starT = ti;
                continue;
            }
            if (c == L'?') {
                matched = true;
                next = pi + 1;
            } else if (c == L'#') {
                matched = std::iswdigit(ch) != 0;
                next = pi + 1;
            } else if (c == L'@') {
                matched = std::iswalpha(ch) != 0;
                next = pi + 1;
            } else if (c == L'.') {
                matched = !std::iswalnum(ch);
                next = pi + 1;
            } else if (c == L'[') {
                size_t k = pi + 1;
                bool negate = k < p.size() && p[k] == L'~';
                if (negate)
                    ++k;
                bool inSet = false;
                size_t first = k;
                while (k < p.size() && (p[k] != L']' || k == first)) {
                    wchar_t lo = static_cast<wchar_t>(std::towupper(p[k]));
                    if (k + 2 < p.size() && p[k + 1] == L'-' && p[k + 2] != L']') {
                        wchar_t hi = static_cast<wchar_t>(std::towupper(p[k + 2]));
                        inSet = inSet || (ch >= lo && ch <= hi);
                        k += 3;
                    } else {
                        inSet = inSet || ch == lo;
                        ++k;
                    }
                }
                matched = inSet != negate;
                next = k < p.size() ? k + 1 : k;
            } else {
                if (c == L'`' && pi + 1 < p.size())
                    c = p[++pi];
                matched = static_cast<wchar_t>(std::towupper(c)) == ch;
                next = pi + 1;
            }
        }
        if (matched) {
            pi = next;
            ++ti;
        } else if (starP != std::wstring_view::npos) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*')
        ++pi;
    return pi == p.size();
}

}  // namespace

bool Wild_Match(std::wstring_view pattern, std::wstring_view text)
{
    size_t start = 0;
    for (;;) {
        size_t comma = start;
        while (comma < pattern.size() && pattern[comma] != L',') {
            if (pattern[comma] == L'`')
                ++comma;
            ++comma;
        }
        std::wstring_view one = pattern.substr(start, comma - start);
        bool negate = !one.empty() && one[0] == L'~';
        if (negate)
            one.remove_prefix(1);
        if (Match_One(one, text) != negate)
            return true;
        if (comma >= pattern.size())
            return false;
        start = comma + 1;
    }
}

}  // namespace platform
