// Keyword lists of zcedInitGet and the host's keyword matching.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct Keyword {
    std::wstring local;   // as the user types it ("LType")
    std::wstring global;  // the name a prompt returns (the local one without a global list)
};

// "Yes No" or "Ja Nein _ Yes No" (locals, then "_" and the globals in the same order).
std::vector<Keyword> Parse_Keywords(const std::wstring& list);

// The keyword the input names, or null. Case does not matter; the capitalised part of a
// keyword is its abbreviation ("LType": "LT", "LTY", ..., "LTYPE"; "eXit": "X" or
// "EXIT"); input starting with "_" names a global keyword.
const Keyword* Match_Keyword(const std::vector<Keyword>& keywords, const std::wstring& input);

}  // namespace platform
