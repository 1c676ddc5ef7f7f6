#include "core/text_content.h"

#include <algorithm>
#include <cmath>

#include "core/erase_helpers.h"
#include "db/dbmtext.h"
#include "db/dbtext.h"
#include "ge/extents.h"
#include "ge/ge.h"
#include "rx/rxclass.h"

namespace {

const wchar_t* const Line_Break = L"\\P";

CString Dxf_Name(const ZcDbEntity* entity)
{
    const wchar_t* name = entity->isA() != nullptr ? entity->isA()->dxfName() : nullptr;
    return name != nullptr ? name : L"";
}

// The joined texts of the TEXT pieces of an explosion; with lines, a break goes between
// pieces that do not lie on one line.
CString Join_Text_Pieces(const ZcDbEntity* entity, bool lines)
{
    ZcDbVoidPtrArray pieces;
    CString joined;
    if (entity->explode(pieces) != Zcad::eOk) {
        Delete_Entity_Ptrs(pieces);
        return joined;
    }
    bool have_previous = false;
    ZcGePoint3d previous_centre;
    double previous_height = 0;
    for (int i = 0; i < pieces.length(); ++i) {
        const ZcDbText* text = ZcDbText::cast(static_cast<ZcDbEntity*>(pieces[i]));
        if (text == nullptr || *text->textStringConst() == 0)
            continue;
        if (lines) {
            ZcDbExtents extents;
            ZcGePoint3d centre = text->position();
            if (text->getGeomExtents(extents) == Zcad::eOk && extents.isValid())
                centre = extents.minPoint() + (extents.maxPoint() - extents.minPoint()) / 2;
            const double height = text->height();
            if (have_previous) {
                const double r = text->rotation();
                const ZcGeVector3d along(std::cos(r), std::sin(r), 0);
                const ZcGeVector3d offset = centre - previous_centre;
                const double distance = std::fabs(along.x * offset.y - along.y * offset.x);
                if (distance > std::max(previous_height, height) / 2)
                    joined += Line_Break;
            }
            have_previous = true;
            previous_centre = centre;
            previous_height = height;
        }
        joined += text->textStringConst();
    }
    Delete_Entity_Ptrs(pieces);
    return joined;
}

// "IAEC_MTEXT": each exploded piece joined as a single-line text, results on lines.
CString Join_Piece_Lines(const ZcDbEntity* entity)
{
    ZcDbVoidPtrArray pieces;
    CString joined;
    if (entity->explode(pieces) == Zcad::eOk) {
        for (int i = 0; i < pieces.length(); ++i) {
            CString line = Join_Text_Pieces(static_cast<ZcDbEntity*>(pieces[i]), false);
            if (line.IsEmpty())
                continue;
            if (!joined.IsEmpty())
                joined += Line_Break;
            joined += line;
        }
    }
    Delete_Entity_Ptrs(pieces);
    return joined;
}

}  // namespace

int Get_Text_Content(const ZcDbEntity* entity, CString& text, CString& raw)
{
    text.Empty();
    raw.Empty();
    if (entity == nullptr)
        return Text_None;
    if (const ZcDbText* single = ZcDbText::cast(entity)) {
        text = single->textStringConst();
        return Text_Single;
    }
    if (const ZcDbMText* multi = ZcDbMText::cast(entity)) {
        text = multi->contentsConst();
        return Text_Multi;
    }
    const CString name = Dxf_Name(entity);
    int kind = Text_None;
    if (name.CompareNoCase(L"TCH_TEXT") == 0 || name.CompareNoCase(L"IAEC_TEXT") == 0) {
        raw = Join_Text_Pieces(entity, false);
        kind = Text_Custom_Single;
    } else if (name.CompareNoCase(L"TCH_MTEXT") == 0) {
        raw = Join_Text_Pieces(entity, true);
        kind = Text_Custom_Multi;
    } else if (name.CompareNoCase(L"IAEC_MTEXT") == 0) {
        raw = Join_Piece_Lines(entity);
        kind = Text_Custom_Multi;
    } else {
        return Text_None;
    }
    text = raw;
    text.Replace(L"^C", L"");
    return kind;
}

int Get_Text_String(const ZcDbEntity* entity, CString& text)
{
    CString raw;
    return Get_Text_Content(entity, text, raw);
}
