// The catalogue table: cell texts by column kind, rows taken by wrapped titles, where each
// text and grid line goes, the layer it goes on, and the drawing read back by ezdxf.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "core/layer_helpers.h"
#include "db/dbents.h"
#include "dxf/dxf_writer.h"
#include "tk_sheet_fixture.h"
#include "titleblock/tk_catalogue.h"

namespace {

struct Cell {
    std::wstring text;
    double x, y;
    int halign;
};

class TK_Catalogue : public TK_Sheet_Test {
public:
    void SetUp() override
    {
        TK_Sheet_Test::SetUp();
        g_TK_Library.Text_Settings = TK_Text_Settings();
        g_TK_Library.Text_Settings.Layer_Name = L"目录";
        g_TK_Library.Cat_Row_Height = 800;
        g_TK_Library.Cat_Border = 1;
        g_TK_Library.No_Start = 1;
        g_TK_Library.No_Digits = 3;
        Columns({{0, 1000}, {1, 2000}, {3, 3000}, {8, 1500}});
    }

    static void Columns(std::vector<std::pair<int, double>> columns)
    {
        g_TK_Library.Cat_Col_Kinds.RemoveAll();
        g_TK_Library.Cat_Col_Widths.RemoveAll();
        for (auto [kind, width] : columns) {
            g_TK_Library.Cat_Col_Kinds.Add(kind);
            g_TK_Library.Cat_Col_Widths.Add(width);
        }
    }

    Plot_Drawing2* Sheet(const wchar_t* number, const wchar_t* title, double scale)
    {
        auto* sheet = new Plot_Drawing2;
        sheet->Text[0] = number;
        sheet->Text[2] = title;
        sheet->Plot_Scale = scale;
        List.Sheets.Add(sheet);
        return sheet;
    }

    static std::vector<Cell> Texts()
    {
        std::vector<Cell> cells;
        ZcDbObjectPointer<ZcDbBlockTableRecord> space(Db()->modelSpaceId(), ZcDb::kForRead);
        ZcDbBlockTableRecordIterator* it = nullptr;
        space->newIterator(it);
        for (; !it->done(); it->step()) {
            ZcDbEntity* entity = nullptr;
            it->getEntity(entity, ZcDb::kForRead);
            if (auto* text = ZcDbText::cast(entity))
                cells.push_back({text->textString(), text->alignmentPoint().x, text->alignmentPoint().y,
                                 static_cast<int>(text->horizontalMode())});
            entity->close();
        }
        delete it;
        return cells;
    }
    static const Cell* Find(const std::vector<Cell>& cells, const std::wstring& text)
    {
        for (const Cell& cell : cells)
            if (cell.text == text) return &cell;
        return nullptr;
    }
    // A title too wide to share a line with its twin in the 3000-wide column.
    static std::wstring Long_Title(const wchar_t* floor) { return std::wstring(floor) + L"层梁板布置图"; }
};

TEST_F(TK_Catalogue, Cell_Texts_By_Column_Kind)
{
    Plot_Drawing2 sheet;
    for (int i = 0; i < 6; ++i) sheet.Text[i] = CString(L"ABCDEF"[i]);
    sheet.Paper_Name = L"KV_A3+1∕2(630x297)";
    struct Case {
        int kind;
        double scale;
        int index;
        const wchar_t* expected;
    } cases[] = {
        {0, 0, 0, L"001"}, {0, 0, 11, L"012"}, {1, 0, 0, L"A"}, {2, 0, 0, L"B"}, {3, 0, 0, L""},
        {4, 0, 0, L"D"},   {5, 0, 0, L"E"},    {6, 0, 0, L"F"}, {8, 100, 0, L"1:100"},
        {8, 0.5, 0, L"2:1"}, {8, 0, 0, L""},  {8, 1e-6, 0, L""}, {9, 100, 0, L""},
    };
    for (const Case& c : cases) {
        sheet.Plot_Scale = c.scale;
        EXPECT_EQ(Catalogue_Cell_Text(sheet, c.index, c.kind), CString(c.expected)) << c.kind << " " << c.scale;
    }
    // The division slash of a lengthened paper shows as an ordinary one.
    const CString paper = Catalogue_Cell_Text(sheet, 0, 7);
    EXPECT_EQ(paper.Find(L'\u2215'), -1) << paper.GetString();
    EXPECT_NE(paper.Find(L"A3+1/2"), -1) << paper.GetString();
}

TEST_F(TK_Catalogue, Title_Pieces_Share_A_Line_While_They_Fit)
{
    CStringArray lines;
    Catalogue_Title_Lines(L"  一层[++}  二层  ", 3000, lines);
    ASSERT_EQ(lines.GetSize(), 1);
    EXPECT_EQ(lines[0], CString(L"一层 二层"));
    const std::wstring first = Long_Title(L"一"), second = Long_Title(L"二");
    Catalogue_Title_Lines((first + L"[++}" + second + L"[++}三").c_str(), 4000, lines);
    ASSERT_EQ(lines.GetSize(), 2) << lines[0].GetString() << "|" << lines[1].GetString();
    EXPECT_EQ(lines[0], CString(first.c_str()));
    EXPECT_EQ(lines[1], CString((second + L" 三").c_str()));
    // A piece wider than the column is a line of its own.
    Catalogue_Title_Lines(L"很长很长很长很长很长很长很长很长[++}短", 1000, lines);
    EXPECT_EQ(lines.GetSize(), 2);
}

TEST_F(TK_Catalogue, A_Wrapped_Title_Takes_More_Rows_And_The_Next_Sheet_Starts_Below)
{
    Sheet(L"S-1", L"总图", 100);
    Sheet(L"S-2", (Long_Title(L"一") + L"[++}" + Long_Title(L"二")).c_str(), 0.5);
    Sheet(L"S-3", L"", 0);
    EXPECT_EQ(Count_Catalogue_Rows(TK_Sheet_List()), 0);
    EXPECT_EQ(Count_Catalogue_Rows(List), 4);

    Draw_Catalogue(List, ZcGePoint3d(1000, 5000, 0));
    const double h = 800;
    const std::vector<Cell> cells = Texts();
    struct Expected {
        std::wstring text;
        double x, y;
        int halign;
    } expected[] = {
        {L"001", 1500, 5000 - 0.5 * h, 1}, {L"S-1", 3000, 5000 - 0.5 * h, 1},
        {L"总图", 4000 + h / 3, 5000 - 0.5 * h, 0}, {L"1:100", 7750, 5000 - 0.5 * h, 1},
        {L"002", 1500, 5000 - 1.5 * h, 1}, {L"S-2", 3000, 5000 - 1.5 * h, 1},
        {Long_Title(L"一"), 4000 + h / 3, 5000 - 1.5 * h, 0}, {Long_Title(L"二"), 4000 + h / 3, 5000 - 2.5 * h, 0},
        {L"2:1", 7750, 5000 - 1.5 * h, 1},
        {L"003", 1500, 5000 - 3.5 * h, 1}, {L"S-3", 3000, 5000 - 3.5 * h, 1},
    };
    EXPECT_EQ(cells.size(), std::size(expected));  // empty cells draw nothing
    for (const Expected& e : expected) {
        const Cell* cell = Find(cells, e.text);
        ASSERT_NE(cell, nullptr) << CString(e.text.c_str()).GetString();
        EXPECT_NEAR(cell->x, e.x, 1e-6) << CString(e.text.c_str()).GetString();
        EXPECT_NEAR(cell->y, e.y, 1e-6) << CString(e.text.c_str()).GetString();
        EXPECT_EQ(cell->halign, e.halign);
    }
}

TEST_F(TK_Catalogue, An_Existing_Layer_Keeps_Its_Properties_And_A_New_One_Takes_The_Settings)
{
    Sheet(L"S-1", L"总图", 100);
    g_TK_Library.Text_Settings.Layer_Color = 3;
    ZcDbObjectId existing;
    Ensure_Layer_Color(existing, L"目录", 5);
    Draw_Catalogue(List, ZcGePoint3d(0, 0, 0));
    {
        ZcDbObjectPointer<ZcDbLayerTableRecord> layer(existing, ZcDb::kForRead);
        EXPECT_EQ(layer->color().colorIndex(), 5);
    }
    g_TK_Library.Text_Settings.Layer_Name = L"新目录";
    Draw_Catalogue(List, ZcGePoint3d(0, 0, 0));
    ZcDbObjectId created;
    int existed = 0;
    Find_Or_Add_Layer(created, L"新目录", existed);
    ASSERT_EQ(existed, 1);
    ZcDbObjectPointer<ZcDbLayerTableRecord> layer(created, ZcDb::kForRead);
    EXPECT_EQ(layer->color().colorIndex(), 3);
}

TEST_F(TK_Catalogue, Read_Back_By_Ezdxf_With_Its_Grid_Style_And_Layers)
{
    g_TK_Library.Text_Settings.Style_Name = L"目录字体";
    Sheet(L"S-1", L"总图", 100);
    Sheet(L"S-2", (Long_Title(L"一") + L"[++}" + Long_Title(L"二")).c_str(), 0.5);
    Draw_Catalogue(List, ZcGePoint3d(100, 200, 0));
    const std::wstring path = std::wstring(L"" KORVEL_BINARY_DIR) + L"/tk_catalogue_readback.dxf";
    ASSERT_EQ(platform::Write_Dxf_File(Db(), path), Zcad::eOk);

    const std::string command = "/usr/bin/python3 '" KORVEL_SOURCE_DIR
                                "/tests/titleblock/tk_dialogs/catalogue_dump.py' '" +
                                std::string(path.begin(), path.end()) + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ASSERT_EQ(pclose(pipe), 0) << out;

    std::vector<std::string> texts, lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        (line.rfind("TEXT|", 0) == 0 ? texts : lines).push_back(line);
    EXPECT_EQ(texts.size(), 9u) << out;
    for (const char* text : {"TEXT|001|600.000|-200.000|目录|1|2|300.000|目录字体",
                             "TEXT|S-2|2100.000|-1000.000|目录|1|2|300.000|目录字体",
                             "TEXT|2:1|6850.000|-1000.000|目录|1|2|300.000|目录字体"})
        EXPECT_NE(out.find(text), std::string::npos) << text << "\n" << out;
    // Three rows: four horizontal lines, five vertical ones, all on the grid layer.
    ASSERT_EQ(lines.size(), 9u) << out;
    for (const char* line : {"LINE|100.000|200.000|7600.000|200.000|Defpoints",
                             "LINE|100.000|-2200.000|7600.000|-2200.000|Defpoints",
                             "LINE|7600.000|200.000|7600.000|-2200.000|Defpoints"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

TEST_F(TK_Catalogue, Without_Border_No_Grid_Lines)
{
    g_TK_Library.Cat_Border = 0;
    Sheet(L"S-1", L"总图", 100);
    Draw_Catalogue(List, ZcGePoint3d(0, 0, 0));
    ZcDbObjectPointer<ZcDbBlockTableRecord> space(Db()->modelSpaceId(), ZcDb::kForRead);
    ZcDbBlockTableRecordIterator* it = nullptr;
    space->newIterator(it);
    int lines = 0;
    for (; !it->done(); it->step()) {
        ZcDbEntity* entity = nullptr;
        it->getEntity(entity, ZcDb::kForRead);
        lines += entity->isKindOf(ZcDbLine::desc()) ? 1 : 0;
        entity->close();
    }
    delete it;
    EXPECT_EQ(lines, 0);
}

}  // namespace
