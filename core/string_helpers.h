// Small text and number helpers shared by every subsystem. Only U+0020 counts as a
// blank; the blank helpers work in place.
#pragma once

#include <cstdint>

#include "mfc/afxcoll.h"
#include "mfc/afxstr.h"

// Index of the first element equal to the text without regard to case, or -1.
int Find_String_NoCase(const CStringArray& list, const CString& text);
// True when an element equals the text without regard to case.
bool Find_String_No_Case(const CStringArray& list, const CString& text);
// Removes every element that has an equal element (without regard to case) later in
// the list: the last occurrence of each value stays, the survivors keep their order.
void Remove_Duplicate_Strings(CStringArray& list);

// The value of a digit string: a leading "-" negates; the character at place p from
// the right adds d x 10^p when it is a digit d, every other character only takes its
// place. Values beyond 32 bits are clamped to the 32-bit range.
int32_t Str_To_Int(const CString& text);
// The same under the name the record ids use.
int32_t Str_To_Long(const CString& text);
// The value of the run of digits that ends the text (clamped to the 32-bit range),
// with the text less that run in prefix; -1 with the whole text when the text does
// not end in a digit.
int32_t Split_Trailing_Number(const CString& text, CString& prefix);

void Remove_Blanks(CString& text);
void Trim_Left_Blanks(CString& text);
void Trim_Right_Blanks(CString& text);
void Trim_Blanks(CString& text);

// The two cancel characters that precede command text queued to start one of the
// program's commands again, so that a running command ends first.
CString Cancel_Prefix();
// One cancel character.
CString Cancel_Char();

// Rounds a scale or size for display: to two decimals, then to one or none when the
// rest is below 1 % of the value.
void Round_For_Display(double& value);
// How many decimals the fractional part needs: 0 to 5, or 6 for more.
int Count_Decimals(double value);
// The rounded value with "%.0f", "%.1f" or "%.2f" as its decimals need.
void Format_Number(double value, CString& text);

// Formats into a buffer of Short_Text_Size wide characters; the number of characters
// written, or -1 when the text does not fit or the format fails.
constexpr int Short_Text_Size = 100;
int Format_Short_Text(wchar_t* buffer, const wchar_t* format, ...);
