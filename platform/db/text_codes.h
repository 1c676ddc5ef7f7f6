// The "%%" control codes of texts: "%%c" (diameter), "%%d" (degree), "%%p" (plus-minus), "%%%"
// (percent) and "%%nnn" (the character of code nnn) stand for characters; "%%u" and "%%o" switch
// underline and overline on and off. Any other "%%" prints as it stands.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace platform {

enum class Text_Code_Kind { None, Character, Underline, Overline };

struct Text_Code {
    Text_Code_Kind kind = Text_Code_Kind::None;
    wchar_t character = 0;  // for Character
    size_t length = 0;      // characters the code takes in the source
};

// The code starting at text[i], or kind None when there is none.
Text_Code Read_Text_Code(const std::wstring& text, size_t i);

// A stretch of the plain text that carries a line: characters [begin, end).
struct Text_Stroke_Span {
    size_t begin = 0, end = 0;
    bool overline = false;  // else underline
};

struct Decoded_Text {
    std::wstring plain;
    std::vector<Text_Stroke_Span> strokes;
};

// The characters a single-line text shows: "%%" codes and caret notation decoded; line breaks
// are left out and other control characters show as blanks.
Decoded_Text Decode_Text_Codes(const std::wstring& text);

// Caret notation, the way DXF files keep control characters: "^" then "@".."_" stands for the
// control character of codes 0..31 ("^J" a line feed, "^I" a tab), "^ " for a caret. Returns
// the characters the notation at text[i] takes (0 when there is none) and sets character.
size_t Read_Caret_Code(const std::wstring& text, size_t i, wchar_t& character);

// Heights of underline and overline above the baseline, as parts of the text height.
constexpr double kUnderlineRise = -0.2;
constexpr double kOverlineRise = 1.2;

}  // namespace platform
