#include "titleblock/tk_text_codes.h"

#include "core/string_helpers.h"
#include "core/text_content.h"
#include "db/dbmtext.h"
#include "db/dbtext.h"
#include "titleblock/tk_sheets.h"

namespace {

CString Join_Paragraphs(const CString& contents, const wchar_t* separator)
{
    // The plain text parts paragraphs with "\r\n", which a paragraph's own text never holds.
    ZcDbMText mtext;
    mtext.setContents(contents.GetString());
    wchar_t* plain = mtext.text();
    CString joined(plain);
    delete[] plain;
    joined.Replace(L"\r\n", separator);
    return joined;
}

}  // namespace

void Strip_MText_Codes(CString& text) { text = Join_Paragraphs(text, L"\\P"); }

CString MText_Field_Text(const CString& contents) { return Join_Paragraphs(contents, Line_Break_Marker); }

CString MText_Literal_Contents(const CString& text)
{
    CString contents;
    const int length = text.GetLength();
    for (int i = 0; i < length; ++i) {
        const wchar_t c = text[i];
        if (c == L'\\' || c == L'{' || c == L'}')
            contents += L'\\';
        contents += c;
        if (c == L'%' && i + 1 < length && text[i + 1] == L'%')
            contents += L"{}";
    }
    return contents;
}

CString Attribute_Field_Text(const ZcDbAttribute* attribute)
{
    CString text;
    if (attribute == nullptr)
        return text;
    if (attribute->isMTextAttribute()) {
        ZcDbMText* mtext = attribute->getMTextAttribute();
        if (mtext != nullptr)
            text = MText_Field_Text(mtext->contentsConst());
        delete mtext;
    } else {
        text = attribute->textStringConst();
    }
    Trim_Blanks(text);
    return text;
}

int Loose_Field_Text(const ZcDbEntity* entity, CString& text)
{
    const int kind = Get_Text_String(entity, text);
    if (kind == Text_Multi || kind == Text_Custom_Multi)
        text = MText_Field_Text(text);
    Trim_Blanks(text);
    return kind;
}
