// The program's own text files: whitespace-separated tokens in the system ANSI code
// page, strings escaped so that one travels as one token, a line break after every
// value.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>

#include "mfc/afxstr.h"

// A token holds at most this many bytes; the rest of a longer token is skipped.
constexpr int Max_Token_Bytes = 511;

// Reads the next token (white space skipped; it ends at white space, a NUL byte or
// the end). A non-empty token replaces the text; otherwise the text stays as it was.
std::istream& Read_Ansi_Word(std::istream& in, CString& text);
// The text in the ANSI code page, with no separator. A character the code page lacks is
// written as its default character '?', and the stream keeps a note of it.
std::ostream& Write_Ansi_Text(std::ostream& out, const wchar_t* text);
std::ostream& Write_Ansi_String(std::ostream& out, const CString& text);
// The note: whether a text written to the stream lost characters; Clear takes it back.
bool Lost_Ansi_Characters(std::ios_base& stream);
void Clear_Lost_Ansi_Characters(std::ios_base& stream);

// Every blank as "*?*", an empty string as "<><". Tabs and line breaks, which would
// split the token, are written as blanks first.
CString Escape_Cfg_String(const CString& text);
// "*?*" back to blanks, then "<><" to the empty string.
void Unescape_Cfg_String(CString& text);

// Number tokens. A token that is not a number of the type, or does not fit it, fails
// the stream and leaves the value as it was; so does the end of the stream.
bool Read_Token_Int(std::istream& in, int32_t& value);
bool Read_Token_Real(std::istream& in, double& value);
// A string token, unescaped; false (value unchanged) at the end of the stream.
bool Read_Token_Escaped(std::istream& in, CString& value);
// A plain string token; false (value unchanged) at the end of the stream.
bool Read_Token_Plain(std::istream& in, CString& value);

// One value and a line break. Reals in the stream's default format (six significant
// digits).
void Write_Int_Line(std::ostream& out, int64_t value);
void Write_Real_Line(std::ostream& out, double value);
void Write_Escaped_Line(std::ostream& out, const CString& value);
void Write_Plain_Line(std::ostream& out, const CString& value);
// True when the text reads back as itself from a plain token: not empty and without
// white space.
bool Is_Plain_Token(const CString& text);
