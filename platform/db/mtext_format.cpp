#include "db/mtext_format.h"

#include "db/text_codes.h"

namespace platform {

namespace {

struct MText_Style {
    bool underline = false;
    bool overline = false;
    MText_Alignment alignment = MText_Alignment::ByAttachment;
};

// The argument of a code that runs to ';' (or the end): its text and the index after it.
std::wstring Code_Argument(const std::wstring& s, size_t from, size_t& next)
{
    size_t end = s.find(L';', from);
    if (end == std::wstring::npos) end = s.size();
    next = end < s.size() ? end + 1 : end;
    return s.substr(from, end - from);
}

MText_Alignment Paragraph_Alignment(const std::wstring& arg, MText_Alignment current)
{
    size_t start = 0;
    while (start <= arg.size()) {
        size_t comma = arg.find(L',', start);
        std::wstring option = arg.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        if (!option.empty() && option[0] == L'x') option.erase(0, 1);
        if (option.size() >= 2 && option[0] == L'q') {
            switch (option[1]) {
            case L'c': return MText_Alignment::Center;
            case L'r': return MText_Alignment::Right;
            case L'l': case L'j': case L'd': return MText_Alignment::Left;
            default: break;
            }
        }
        if (comma == std::wstring::npos) break;
        start = comma + 1;
    }
    return current;
}

// "a^b" "a/b" "a#b": the parts around the first separator; "\x" takes x as it stands.
MText_Piece Stack_Piece(const std::wstring& arg)
{
    MText_Piece piece;
    std::wstring* part = &piece.text;
    for (size_t i = 0; i < arg.size(); ++i) {
        const wchar_t c = arg[i];
        if (c == L'\\' && i + 1 < arg.size()) {
            part->push_back(arg[++i]);
        } else if ((c == L'^' || c == L'/' || c == L'#') && piece.stack == 0) {
            piece.stack = c;
            part = &piece.lower;
            if (c == L'^' && i + 1 < arg.size() && arg[i + 1] == L' ') ++i;  // "^ ": a caret kept in a file
        } else if (Text_Code code = Read_Text_Code(arg, i); code.kind == Text_Code_Kind::Character) {
            part->push_back(code.character);
            i += code.length - 1;
        } else {
            part->push_back(c);
        }
    }
    return piece;
}

// The character of "+XXXX" (four hex digits) at s[from]; -1 when there is none.
int Unicode_Escape(const std::wstring& s, size_t from)
{
    if (from + 5 > s.size() || s[from] != L'+')
        return -1;
    int code = 0;
    for (size_t k = from + 1; k < from + 5; ++k) {
        const wchar_t c = s[k];
        const int digit = c >= L'0' && c <= L'9' ? c - L'0'
                          : c >= L'a' && c <= L'f' ? c - L'a' + 10
                          : c >= L'A' && c <= L'F' ? c - L'A' + 10
                                                   : -1;
        if (digit < 0)
            return -1;
        code = code * 16 + digit;
    }
    return code;
}

class MText_Reader {
public:
    std::vector<MText_Paragraph> read(const std::wstring& s)
    {
        mParagraphs.assign(1, MText_Paragraph());
        size_t i = 0, n = s.size();
        while (i < n) {
            const wchar_t c = s[i];
            if (c == L'{') {
                mGroups.push_back(mStyle);
                ++i;
            } else if (c == L'}') {
                if (!mGroups.empty()) {
                    mStyle = mGroups.back();
                    mGroups.pop_back();
                }
                ++i;
            } else if (c == L'\n') {
                new_paragraph();
                ++i;
            } else if (c == L'%') {
                i += percent_code(s, i);
            } else if (wchar_t decoded = 0; c == L'^' && Read_Caret_Code(s, i, decoded) > 0) {
                // Control characters: a line feed breaks the paragraph, a carriage return goes,
                // the others (tabs among them) show as blanks.
                if (decoded == L'\n') new_paragraph();
                else if (decoded != L'\r') put(decoded >= L' ' ? decoded : L' ');
                i += 2;
            } else if (c == L'\\' && i + 1 < n) {
                i = backslash_code(s, i);
            } else {
                put(c);
                ++i;
            }
        }
        return mParagraphs;
    }

private:
    size_t percent_code(const std::wstring& s, size_t i)
    {
        const Text_Code code = Read_Text_Code(s, i);
        switch (code.kind) {
        case Text_Code_Kind::None: put(s[i]); return 1;
        case Text_Code_Kind::Character: put(code.character); break;
        case Text_Code_Kind::Underline: mStyle.underline = !mStyle.underline; break;
        case Text_Code_Kind::Overline: mStyle.overline = !mStyle.overline; break;
        }
        return code.length;
    }

    size_t backslash_code(const std::wstring& s, size_t i)
    {
        const wchar_t code = s[i + 1];
        size_t next = i + 2;
        switch (code) {
        case L'P':
        case L'N': new_paragraph(); break;
        case L'~': put(L' '); break;
        case L'\\':
        case L'{':
        case L'}': put(code); break;
        case L'L': mStyle.underline = true; break;
        case L'l': mStyle.underline = false; break;
        case L'O': mStyle.overline = true; break;
        case L'o': mStyle.overline = false; break;
        case L'K': case L'k': break;
        case L'U':
            if (const int code = Unicode_Escape(s, i + 2); code >= 0) {
                put(static_cast<wchar_t>(code));
                next = i + 7;
            } else {
                put(L'U');
            }
            break;
        case L'S': {
            MText_Piece piece = Stack_Piece(Code_Argument(s, i + 2, next));
            piece.underline = mStyle.underline;
            piece.overline = mStyle.overline;
            if (piece.stack == 0) {
                for (wchar_t ch : piece.text) put(ch);
            } else {
                mParagraphs.back().pieces.push_back(std::move(piece));
            }
            break;
        }
        case L'p':
            mStyle.alignment = Paragraph_Alignment(Code_Argument(s, i + 2, next), mStyle.alignment);
            mParagraphs.back().alignment = mStyle.alignment;
            break;
        case L'f': case L'F': case L'H': case L'h': case L'W': case L'w': case L'Q': case L'q': case L'T':
        case L't': case L'A': case L'a': case L'C': case L'c':
            Code_Argument(s, i + 2, next);
            break;
        default: put(code); break;
        }
        return next;
    }

    void new_paragraph()
    {
        mParagraphs.emplace_back();
        mParagraphs.back().alignment = mStyle.alignment;
    }

    void put(wchar_t c)
    {
        std::vector<MText_Piece>& pieces = mParagraphs.back().pieces;
        if (pieces.empty() || pieces.back().stack != 0 || pieces.back().underline != mStyle.underline ||
            pieces.back().overline != mStyle.overline) {
            MText_Piece piece;
            piece.underline = mStyle.underline;
            piece.overline = mStyle.overline;
            pieces.push_back(piece);
        }
        pieces.back().text.push_back(c);
    }

    std::vector<MText_Paragraph> mParagraphs;
    std::vector<MText_Style> mGroups;
    MText_Style mStyle;
};

}  // namespace

std::vector<MText_Paragraph> MText_Parse(const std::wstring& contents) { return MText_Reader().read(contents); }

}  // namespace platform
