#include "ed/keywords.h"

#include <cwctype>
#include <sstream>

#include "ed/names.h"

namespace platform {

std::vector<Keyword> Parse_Keywords(const std::wstring& list)
{
    std::vector<std::wstring> locals;
    std::vector<std::wstring> globals;
    bool inGlobals = false;
    std::wistringstream words(list);
    std::wstring word;
    while (words >> word) {
        if (!inGlobals && word[0] == L'_') {
            inGlobals = true;
            word.erase(0, 1);
            if (word.empty())
                continue;
        }
        (inGlobals ? globals : locals).push_back(word);
    }
    std::vector<Keyword> keywords;
    for (size_t i = 0; i < locals.size(); ++i)
        keywords.push_back({locals[i], i < globals.size() ? globals[i] : locals[i]});
    return keywords;
}

namespace {

// Start and length of the capitalised run (the whole word when it has no capital).
void Abbreviation(const std::wstring& word, size_t& start, size_t& length)
{
    start = 0;
    while (start < word.size() && !std::iswupper(word[start]))
        ++start;
    if (start == word.size()) {
        start = 0;
        length = word.size();
        return;
    }
    size_t end = start;
    while (end < word.size() && !std::iswlower(word[end]))
        ++end;
    length = end - start;
}

bool Matches(const std::wstring& keyword, const std::wstring& input)
{
    if (input.empty())
        return false;
    if (Same_Name(keyword, input))
        return true;
    size_t start = 0;
    size_t length = 0;
    Abbreviation(keyword, start, length);
    if (Same_Name(keyword.substr(start, length), input))
        return true;
    return start == 0 && input.size() >= length && input.size() <= keyword.size() &&
           Same_Name(keyword.substr(0, input.size()), input);
}

}  // namespace

const Keyword* Match_Keyword(const std::vector<Keyword>& keywords, const std::wstring& input)
{
    if (!input.empty() && input[0] == L'_') {
        std::wstring global = input.substr(1);
        for (const Keyword& keyword : keywords)
            if (Matches(keyword.global, global))
                return &keyword;
        return nullptr;
    }
    for (const Keyword& keyword : keywords)
        if (Matches(keyword.local, input))
            return &keyword;
    return nullptr;
}

}  // namespace platform
