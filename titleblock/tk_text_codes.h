// The text a title-block field reads from an attribute or a loose text: multiline format
// codes stripped, line breaks kept as the marker "[++}", blanks trimmed at both ends.
#pragma once

#include "db/dbmain.h"
#include "mfc/afxstr.h"

class ZcDbAttribute;

// Removes the format codes of multiline-text contents and keeps their characters: escaped
// characters ("\\", "\{", "\}", "\~", "\U+XXXX") and stacked fractions ("a/b") stay, and the
// paragraphs are separated by "\P".
void Strip_MText_Codes(CString& text);
// The contents stripped, with "[++}" between the paragraphs (line feeds break paragraphs too).
CString MText_Field_Text(const CString& contents);
// Multiline-text contents that show the text as it stands: "\", "{" and "}" escaped, and an
// empty group "{}" after every "%" that another follows, so that no "%%" code begins
// ("%%%" is a percent sign in single-line texts only).
CString MText_Literal_Contents(const CString& text);
// An MText attribute's contents as MText_Field_Text, else the attribute's text; trimmed.
CString Attribute_Field_Text(const ZcDbAttribute* attribute);
// The kind code of Get_Text_String and the entity's text: multi-line kinds as
// MText_Field_Text; trimmed. Kind 0 with an empty text for anything else.
int Loose_Field_Text(const ZcDbEntity* entity, CString& text);
