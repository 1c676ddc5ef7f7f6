#include "tools/text_brush.h"

#include <memory>

#include "core/command_context.h"
#include "core/command_handlers.h"
#include "core/cursor_overlays.h"
#include "core/extents_checks.h"
#include "core/hidden_layers.h"
#include "core/selection_helpers.h"
#include "core/string_helpers.h"
#include "core/text_content.h"
#include "core/ucs_transform.h"
#include "db/dbobjiter.h"
#include "ed/command_line.h"
#include "ed/input_point_monitor.h"
#include "mfc/winuser.h"
#include "sheets/exact_extents.h"
#include "titleblock/tk_text_codes.h"

namespace {

const wchar_t* const Source_Types = L"Text,MText,ATTDEF,insert,TCH_TEXT,TCH_MTEXT,IAEC_TEXT,IAEC_MTEXT";
const wchar_t* const Target_Types = L"Text,MText,ATTDEF,insert";

// The overlay shows the cursor text while it lives, and is off again however the command ends.
class Brush_Overlay_Scope {
public:
    explicit Brush_Overlay_Scope(const CString& text)
    {
        g_Brush_Overlay_Text.Text = text;
        g_Brush_Overlay_Text.On = true;
    }
    ~Brush_Overlay_Scope() { g_Brush_Overlay_Text.On = false; }
    Brush_Overlay_Scope(const Brush_Overlay_Scope&) = delete;
    Brush_Overlay_Scope& operator=(const Brush_Overlay_Scope&) = delete;
};

// The cursor in the UCS: a tracking read of the graphics input.
bool Read_Brush_Cursor(ZcGePoint3d& cursor)
{
    int type = 0;
    resbuf read{};
    if (zcedGrRead(1, &type, &read) != RTNORM || read.restype != RT3DPOINT)
        return false;
    cursor.set(read.resval.rpoint[0], read.resval.rpoint[1], read.resval.rpoint[2]);
    return true;
}

// Shown, measurable, and its extents hold the cursor.
bool Attribute_Holds_Cursor(const ZcDbAttribute* attribute, const ZcGePoint3d& cursor)
{
    ZcDbExtents extents;
    return Is_Entity_Shown(attribute) && Get_Attribute_Extents(attribute, extents) &&
           Point_In_Extents(cursor, extents);
}

CString MText_Attribute_Contents(const ZcDbAttribute* attribute)
{
    std::unique_ptr<ZcDbMText> mtext(attribute->getMTextAttribute());
    return mtext ? CString(mtext->contentsConst()) : CString();
}

void Set_MText_Attribute_Contents(ZcDbAttribute* attribute, const CString& contents)
{
    std::unique_ptr<ZcDbMText> mtext(attribute->getMTextAttribute());
    if (!mtext)
        return;
    mtext->setContents(contents);
    attribute->setMTextAttribute(mtext.get());
}

// The text a source entity gives: an attribute definition its tag, a block reference the
// attribute under the cursor, a text its content (multi-line kinds without format codes).
CString Brush_Source_Text(const ZcDbEntity* entity)
{
    if (const ZcDbAttributeDefinition* definition = ZcDbAttributeDefinition::cast(entity))
        return definition->tagConst();
    if (const ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity))
        return Get_Attribute_Under_Cursor(reference);
    CString text, raw;
    const int kind = Get_Text_Content(entity, text, raw);
    if (kind == Text_Multi || kind == Text_Custom_Multi)
        Strip_MText_Codes(text);
    return text;
}

// The first selected entity whose text is not made of blanks only gives the raw text.
bool Read_Brush_Source(const ZcDbObjectIdArray& ids, CString& raw)
{
    for (int i = 0; i < ids.length(); ++i) {
        CString text;
        {
            ZcDbObjectPointer<ZcDbEntity> entity(ids[i], ZcDb::kForRead);
            if (entity.openStatus() != Zcad::eOk)
                continue;
            text = Brush_Source_Text(entity.object());
        }
        CString bare = text;
        Remove_Blanks(bare);
        if (!bare.IsEmpty()) {
            raw = text;
            return true;
        }
    }
    return false;
}

void Brush_Target(ZcDbObjectId id, const CString& raw, const CString& flat, bool append)
{
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForWrite);
    if (entity.openStatus() != Zcad::eOk)
        return;
    if (ZcDbAttributeDefinition* definition = ZcDbAttributeDefinition::cast(entity.object()))
        Brush_Attdef_Tag(definition, flat, append);
    else if (ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity.object()))
        Brush_Insert_Attributes(reference, raw, flat, append);
    else if (ZcDbText* text = ZcDbText::cast(entity.object()))
        Brush_Text_String(text, flat, append);
    else if (ZcDbMText* mtext = ZcDbMText::cast(entity.object()))
        Brush_MText(mtext, raw, append);
}

bool Brush_Tab_Held() { return (GetAsyncKeyState(VK_TAB) & 0x8000) != 0; }

}  // namespace

CString Flat_Brush_Text(const CString& raw)
{
    CString flat = raw;
    flat.Replace(L"\\P", L" ");
    flat.Replace(L"\n", L" ");
    Trim_Blanks(flat);
    return flat;
}

CString Brush_Cursor_Text(const CString& flat) { return flat.GetLength() <= 4 ? flat : flat.Left(4) + L"..."; }

void Add_Trailing_Blank(CString& text)
{
    if (!text.IsEmpty() && text[text.GetLength() - 1] != L' ')
        text += L' ';
}

void Add_Trailing_Paragraph(CString& text)
{
    if (!text.IsEmpty() && text.Right(2) != L"\\P" && text[text.GetLength() - 1] != L'\n')
        text += L"\\P";
}

CString Get_Attribute_Under_Cursor(const ZcDbBlockReference* reference)
{
    ZcGePoint3d cursor;
    if (reference == nullptr || !Read_Brush_Cursor(cursor))
        return CString();
    std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(it->objectId(), ZcDb::kForRead);
        if (attribute.openStatus() != Zcad::eOk || !Attribute_Holds_Cursor(attribute.object(), cursor))
            continue;
        CString text;
        if (attribute->isMTextAttribute()) {
            text = MText_Attribute_Contents(attribute.object());
            Strip_MText_Codes(text);
        } else {
            text = attribute->textStringConst();
        }
        if (!text.IsEmpty())
            return text;
    }
    return CString();
}

void Brush_Attdef_Tag(ZcDbAttributeDefinition* definition, const CString& flat, bool append)
{
    CString tag = append ? CString(definition->tagConst()) : CString();
    Add_Trailing_Blank(tag);
    definition->setTag(tag + flat);
}

void Brush_Insert_Attributes(ZcDbBlockReference* reference, const CString& raw, const CString& flat, bool append)
{
    ZcGePoint3d cursor;
    if (!Read_Brush_Cursor(cursor))
        return;
    std::unique_ptr<ZcDbObjectIterator> it(reference->attributeIterator());
    for (it->start(); !it->done(); it->step()) {
        ZcDbObjectPointer<ZcDbAttribute> attribute(it->objectId(), ZcDb::kForWrite);
        if (attribute.openStatus() != Zcad::eOk || !Attribute_Holds_Cursor(attribute.object(), cursor))
            continue;
        if (attribute->isMTextAttribute()) {
            CString contents = append ? MText_Attribute_Contents(attribute.object()) : CString();
            Add_Trailing_Paragraph(contents);
            Set_MText_Attribute_Contents(attribute.object(), contents + raw);
        } else {
            CString text = append ? CString(attribute->textStringConst()) : CString();
            Add_Trailing_Blank(text);
            attribute->setTextString(text + flat);
        }
    }
}

void Brush_Text_String(ZcDbText* text, const CString& flat, bool append)
{
    CString string = append ? CString(text->textStringConst()) : CString();
    Add_Trailing_Blank(string);
    text->setTextString(string + flat);
}

void Brush_MText(ZcDbMText* mtext, const CString& raw, bool append)
{
    CString contents = append ? CString(mtext->contentsConst()) : CString();
    Add_Trailing_Paragraph(contents);
    mtext->setContents(contents + raw);
}

void Brush_Text()
{
    Command_Scope command;
    g_Ucs.Capture(false);
    g_Hidden_Layers.Collect_Hidden_Layers();

    ZcDbObjectIdArray ids;
    if (!Select_By_Type(L"\n选择源字符：", Source_Types, ids, false, true))
        return;
    CString raw;
    if (!Read_Brush_Source(ids, raw)) {
        zcutPrintf(L"\n未选择到源字符！！！");
        return;
    }
    const CString flat = Flat_Brush_Text(raw);
    Brush_Overlay_Scope overlay(Brush_Cursor_Text(flat));
    while (Select_By_Type(L"\n选择目标字符：( 按住Tab键-->内容加至尾部 )", Target_Types, ids, false, true)) {
        const bool append = Brush_Tab_Held();
        for (int i = 0; i < ids.length(); ++i)
            Brush_Target(ids[i], raw, flat, append);
    }
}
