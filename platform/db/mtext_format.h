// Reading the format codes of multiline text contents into paragraphs of styled pieces.
#pragma once
#include <string>
#include <vector>

namespace platform {

// Characters of one style, or one stack (a fraction or tolerance).
struct MText_Piece {
    std::wstring text;  // the characters; for a stack its upper part
    std::wstring lower;  // a stack's lower part
    wchar_t stack = 0;   // 0: plain characters; '^' (no bar), '/' (bar) or '#' (slanted): a stack
    bool underline = false;
    bool overline = false;
};

enum class MText_Alignment { ByAttachment, Left, Center, Right };

struct MText_Paragraph {
    MText_Alignment alignment = MText_Alignment::ByAttachment;
    std::vector<MText_Piece> pieces;
};

// "\P" breaks paragraphs, "{...}" groups keep their codes inside, "\pxq?;" aligns paragraphs
// ("c" centre, "r" right; "l", "j" and "d" left), "\L \l \O \o" and "%%u %%o" underline and
// overline, "\Sa^b;" "\Sa/b;" "\Sa#b;" stack; fonts, heights, colours and similar codes are dropped;
// "\\" "\{" "\}" are characters, "\~" a blank, "\U+XXXX" the character of that code, "%%"
// codes their characters; in caret notation "^J" breaks the paragraph, "^ " is a caret and the
// other control characters show as blanks.
std::vector<MText_Paragraph> MText_Parse(const std::wstring& contents);

}  // namespace platform
