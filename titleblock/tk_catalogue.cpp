#include "titleblock/tk_catalogue.h"

#include <memory>

#include "core/layer_helpers.h"
#include "core/make_entities.h"
#include "core/string_helpers.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "core/file_name_rules.h"
#include "titleblock/tk_library.h"
#include "sheets/paper_table.h"

namespace {

constexpr int Title_Kind = 3;
constexpr int Align_Middle_Left = 6;
constexpr int Align_Middle_Centre = 7;
constexpr int Defpoints_Color = 7;

// The catalogue's text style; added with the settings' font, size and width when missing.
ZcDbObjectId Catalogue_Style()
{
    const TK_Text_Settings& settings = g_TK_Library.Text_Settings;
    ZcDbObjectId id;
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbTextStyleTable* table = nullptr;
    if (db == nullptr || db->getTextStyleTable(table, ZcDb::kForRead) != Zcad::eOk)
        return id;
    if (table->getAt(settings.Style_Name, id) != Zcad::eOk && table->upgradeOpen() == Zcad::eOk) {
        auto* style = new ZcDbTextStyleTableRecord();
        style->setName(settings.Style_Name);
        style->setFileName(settings.Font_File);
        style->setBigFontFileName(settings.Big_Font_File);
        style->setTextSize(settings.Style_Height);
        style->setXScale(settings.Style_Width);
        style->setIsShapeFile(settings.Style_Is_Shx != 0);
        if (table->add(id, style) == Zcad::eOk) {
            style->close();
        } else {
            id = ZcDbObjectId();
            delete style;
        }
    }
    table->close();
    return id;
}

// Width of the line as a TEXT of the catalogue's height, width factor and style.
double Text_Width(const CString& line, ZcDbObjectId style_id)
{
    const TK_Text_Settings& settings = g_TK_Library.Text_Settings;
    std::unique_ptr<ZcDbText> text(
        Make_Text(0, 0, 0, 0, line, settings.Text_Height, settings.Text_Width, 0, 0.0, style_id));
    ZcDbExtents extents;
    if (text->getGeomExtents(extents) != Zcad::eOk)
        return 0.0;
    return extents.maxPoint().x - extents.minPoint().x;
}

CString Title_Of(const Plot_Drawing2& sheet)
{
    CString title = sheet.Text[2];
    Trim_Blanks(title);
    return title;
}

void Title_Lines(const CString& raw_title, double column_width, ZcDbObjectId style_id, CStringArray& lines)
{
    lines.RemoveAll();
    CString title = raw_title;
    Trim_Blanks(title);
    CStringArray pieces;
    int start = 0;
    const int marker_length = static_cast<int>(wcslen(Line_Break_Marker));
    for (;;) {
        const int at = title.Find(Line_Break_Marker, start);
        CString piece = at < 0 ? title.Mid(start) : title.Mid(start, at - start);
        Trim_Blanks(piece);
        pieces.Add(piece);
        if (at < 0)
            break;
        start = at + marker_length;
    }
    const double room = column_width - g_TK_Library.Cat_Row_Height / 3.0;
    for (int i = 0; i < pieces.GetSize();) {
        CString line = pieces[i++];
        while (i < pieces.GetSize()) {
            const CString trial = line + L" " + pieces[i];
            if (Text_Width(trial, style_id) > room)
                break;
            line = trial;
            ++i;
        }
        lines.Add(line);
    }
}

int Title_Line_Count(const Plot_Drawing2& sheet, ZcDbObjectId style_id)
{
    const TK_Library& library = g_TK_Library;
    const CString title = Title_Of(sheet);
    int count = 0;
    for (int j = 0; j < library.Cat_Col_Kinds.GetSize(); ++j) {
        if (library.Cat_Col_Kinds[j] != Title_Kind || title.IsEmpty())
            continue;
        CStringArray lines;
        Title_Lines(title, library.Cat_Col_Widths[j], style_id, lines);
        count += static_cast<int>(lines.GetSize());
    }
    return count;
}

CString Scale_Text(double scale)
{
    CString number;
    if (scale >= 1.0) {
        Format_Number(scale, number);
        return L"1:" + number;
    }
    if (scale > 1e-5) {
        Format_Number(1.0 / scale, number);
        return number + L":1";
    }
    return CString();
}

}  // namespace

const wchar_t* Catalogue_Kind_Name(int kind)
{
    static const wchar_t* const names[Catalogue_Kind_Count] = {
        L"序号", L"图号", L"版次", L"图名", L"日期", L"信息1", L"信息2", L"图幅", L"比例"};
    return kind >= 0 && kind < Catalogue_Kind_Count ? names[kind] : L"";
}

CString Catalogue_Cell_Text(const Plot_Drawing2& sheet, int sheet_index, int kind)
{
    switch (kind) {
    case 0:
        return Format_No(g_TK_Library.No_Start + sheet_index, g_TK_Library.No_Digits);
    case 1: case 2: case 4: case 5: case 6:
        return sheet.Text[kind - 1];
    case 7: {
        CString name = sheet.Paper_Name;
        Convert_Paper_Name(name);
        name.Replace(L"\u2215", L"/");
        return name;
    }
    case 8:
        return Scale_Text(sheet.Plot_Scale);
    default:
        return CString();
    }
}

void Catalogue_Title_Lines(const CString& title, double column_width, CStringArray& lines)
{
    Title_Lines(title, column_width, Catalogue_Style(), lines);
}

int Count_Catalogue_Rows(const TK_Sheet_List& list)
{
    const ZcDbObjectId style_id = Catalogue_Style();
    int rows = 0;
    for (int i = 0; i < list.Sheets.GetSize(); ++i) {
        ++rows;
        const int lines = Title_Line_Count(*list.Sheets[i], style_id);
        if (lines > 1)
            rows += lines - 1;
    }
    return rows;
}

void Draw_Catalogue(const TK_Sheet_List& list, const ZcGePoint3d& top_left)
{
    const TK_Library& library = g_TK_Library;
    const TK_Text_Settings& settings = library.Text_Settings;
    const ZcDbObjectId style_id = Catalogue_Style();

    ZcDbObjectId layer_id;
    int existed = 0;
    Find_Or_Add_Layer(layer_id, settings.Layer_Name, existed);
    if (!layer_id.isNull() && existed == 0) {
        Set_Layer_Color(layer_id, settings.Layer_Color);
        Set_Layer_Lineweight(layer_id, settings.Layer_Lineweight);
        Set_Layer_Linetype(layer_id, settings.Layer_Linetype);
    }
    // An existing grid layer keeps its colour.
    ZcDbObjectId grid_layer_id;
    int grid_existed = 0;
    Find_Or_Add_Layer(grid_layer_id, L"Defpoints", grid_existed);
    if (!grid_layer_id.isNull() && grid_existed == 0)
        Set_Layer_Color(grid_layer_id, Defpoints_Color);

    const double x0 = top_left.x;
    const double y0 = top_left.y;
    const double row_height = library.Cat_Row_Height;
    const int columns = static_cast<int>(library.Cat_Col_Kinds.GetSize());
    auto add_text = [&](double x, double y, const CString& text, int alignment) {
        ZcDbObjectId id;
        Add_Text(id, x, y, text, settings.Text_Height, settings.Text_Width, alignment, 0.0,
                 static_cast<uint32_t>(settings.Text_Color), layer_id, style_id);
    };

    int rows = 0;
    for (int i = 0; i < list.Sheets.GetSize(); ++i) {
        const Plot_Drawing2& sheet = *list.Sheets[i];
        ++rows;
        double x = x0;
        int title_lines = 0;
        for (int j = 0; j < columns && j < library.Cat_Col_Widths.GetSize(); ++j) {
            const double width = library.Cat_Col_Widths[j];
            const int kind = library.Cat_Col_Kinds[j];
            if (kind == Title_Kind) {
                const CString title = Title_Of(sheet);
                if (!title.IsEmpty()) {
                    CStringArray lines;
                    Title_Lines(title, width, style_id, lines);
                    for (int n = 0; n < lines.GetSize(); ++n)
                        add_text(x + row_height / 3.0, y0 - (rows + n - 0.5) * row_height, lines[n],
                                 Align_Middle_Left);
                    title_lines = static_cast<int>(lines.GetSize());
                }
            } else {
                const CString text = Catalogue_Cell_Text(sheet, i, kind);
                if (!text.IsEmpty())
                    add_text(x + width / 2.0, y0 - (rows - 0.5) * row_height, text, Align_Middle_Centre);
            }
            x += width;
        }
        if (title_lines > 1)
            rows += title_lines - 1;
    }

    if (library.Cat_Border == 0)
        return;
    double total = 0.0;
    for (int j = 0; j < library.Cat_Col_Widths.GetSize(); ++j)
        total += library.Cat_Col_Widths[j];
    constexpr uint32_t By_Layer = 256;
    for (int r = 0; r <= rows; ++r) {
        ZcDbObjectId id;
        Make_Line(id, x0, y0 - r * row_height, x0 + total, y0 - r * row_height, By_Layer, grid_layer_id,
                  ZcDbObjectId());
    }
    double x = x0;
    for (int j = 0; j <= library.Cat_Col_Widths.GetSize(); ++j) {
        ZcDbObjectId id;
        Make_Line(id, x, y0, x, y0 - rows * row_height, By_Layer, grid_layer_id, ZcDbObjectId());
        if (j < library.Cat_Col_Widths.GetSize())
            x += library.Cat_Col_Widths[j];
    }
}
