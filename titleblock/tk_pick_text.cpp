// The catalogue's text style, text and layer, taken from a text the user picks.
#include "core/erase_helpers.h"
#include "core/name_lookups.h"
#include "core/selection_helpers.h"
#include "db/dbmtext.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "titleblock/tk_library.h"

namespace {

void Take_Style(ZcDbObjectId style_id, TK_Text_Settings& settings)
{
    Get_Text_Style_Name(settings.Style_Name, style_id);
    ZcDbObjectPointer<ZcDbTextStyleTableRecord> style(style_id, ZcDb::kForRead);
    if (style.openStatus() != Zcad::eOk)
        return;
    const wchar_t* file = nullptr;
    if (style->fileName(file) == Zcad::eOk && file != nullptr && *file != 0)
        settings.Font_File = file;
    if (style->bigFontFileName(file) == Zcad::eOk && file != nullptr && *file != 0)
        settings.Big_Font_File = file;
    settings.Style_Height = style->textSize();
    settings.Style_Width = style->xScale();
    settings.Style_Is_Shx = style->isShapeFile() ? 1 : 0;
}

void Take_Layer(ZcDbObjectId layer_id, TK_Text_Settings& settings)
{
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(layer_id, ZcDb::kForRead);
    if (layer.openStatus() != Zcad::eOk)
        return;
    std::wstring name;
    layer->getName(name);
    settings.Layer_Name = name.c_str();
    settings.Layer_Color = layer->color().colorIndex();
    CString linetype;
    if (Get_Linetype_Name(linetype, layer->linetypeObjectId()))
        settings.Layer_Linetype = linetype;
    settings.Layer_Lineweight = layer->lineWeight();
}

void Take_Text(const ZcDbText* text, TK_Text_Settings& settings)
{
    settings.Text_Height = text->height();
    settings.Text_Width = text->widthFactor();
    settings.Text_Color = text->colorIndex();
    Take_Style(text->textStyle(), settings);
    Take_Layer(text->layerId(), settings);
}

// Takes the entity when it is a text, or a multiline text whose first exploded piece is one.
bool Take_Entity(ZcDbObjectId id, TK_Text_Settings& settings)
{
    ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
    if (entity.openStatus() != Zcad::eOk)
        return false;
    if (const ZcDbText* text = ZcDbText::cast(entity.object())) {
        Take_Text(text, settings);
        return true;
    }
    if (!entity->isKindOf(ZcDbMText::desc()))
        return false;
    ZcDbVoidPtrArray pieces;
    entity->explode(pieces);
    const ZcDbText* first = pieces.isEmpty() ? nullptr : ZcDbText::cast(static_cast<ZcDbObject*>(pieces[0]));
    if (first != nullptr)
        Take_Text(first, settings);
    Delete_Entity_Ptrs(pieces);
    return first != nullptr;
}

}  // namespace

bool Pick_Catalogue_Text(TK_Text_Settings& settings)
{
    ZcDbObjectIdArray ids;
    if (!Select_By_Type(L"\n选择字符：", L"Text,MText", ids, false, true))
        return false;
    for (int i = 0; i < ids.length(); ++i)
        if (Take_Entity(ids[i], settings))
            return true;
    return false;
}
