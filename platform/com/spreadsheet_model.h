// The workbooks of the emulated spreadsheet program: cells with values, formulas and
// formats, merged areas, row heights and column widths; formulas are worked out, column
// widths fitted to their texts, and a workbook is written as an .xlsx file.
// Rows and columns count from 1. Colours are 0x00BBGGRR, as the program's automation
// objects take them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform::spreadsheet {

// The program's published constants that the cells keep.
constexpr int Align_General = 1;
constexpr int Align_Left = -4131;
constexpr int Align_Right = -4152;
constexpr int Align_Center = -4108;
constexpr int Align_Top = -4160;
constexpr int Align_Bottom = -4107;
constexpr int Line_None = -4142;
constexpr int Line_Continuous = 1;
constexpr int Line_Dash = -4115;
constexpr int Line_Dot = -4118;
constexpr int Line_Double = -4119;
constexpr int Line_Dash_Dot = 4;
constexpr int Line_Dash_Dot_Dot = 5;
constexpr int Weight_Hairline = 1;
constexpr int Weight_Thin = 2;
constexpr int Weight_Medium = 3;
constexpr int Weight_Medium_Alias = -4138;
constexpr int Weight_Thick = 4;

constexpr double Standard_Column_Width = 8.43;
constexpr double Standard_Row_Height = 15.0;
constexpr double Max_Column_Width = 255.0;
constexpr double Max_Row_Height = 409.0;
constexpr int Max_Rows = 1048576;
constexpr int Max_Columns = 16384;

struct Border_Edge {
    int line_style = Line_None;
    int weight = Weight_Thin;
    uint32_t color = 0;
    bool drawn() const { return line_style != Line_None; }
};

struct Cell_Format {
    std::wstring number_format = L"General";
    bool bold = false;
    double font_size = 11.0;
    uint32_t font_color = 0;
    std::optional<uint32_t> fill;
    int horizontal = Align_General;
    int vertical = Align_Bottom;
    Border_Edge left, top, right, bottom;
};

struct Cell {
    enum Kind { Empty, Number, Text };
    Kind kind = Empty;
    double number = 0.0;
    std::wstring text;
    std::wstring formula;  // "=..." when the cell holds a formula
    Cell_Format format;
};

struct Area {
    int first_row = 1, first_column = 1, last_row = 1, last_column = 1;
    bool contains(int row, int column) const
    {
        return row >= first_row && row <= last_row && column >= first_column && column <= last_column;
    }
    bool single() const { return first_row == last_row && first_column == last_column; }
};

// A formula's result: a number, or an error text ("#VALUE!", "#REF!" ...).
struct Formula_Value {
    double number = 0.0;
    std::wstring error;
};

class Worksheet {
public:
    explicit Worksheet(std::wstring name) : name(std::move(name)) {}

    std::wstring name;
    std::map<std::pair<int, int>, Cell> cells;  // (row, column)
    std::vector<Area> merges;
    std::map<int, double> row_heights;
    std::map<int, double> column_widths;

    Cell& at(int row, int column) { return cells[{row, column}]; }
    const Cell* find(int row, int column) const;
    double row_height(int row) const;
    double column_width(int column) const;
    // The merged area that holds the cell, if any.
    const Area* merge_at(int row, int column) const;
    // True for a cell of a merged area other than its top-left one.
    bool hidden_by_merge(int row, int column) const;

    // Merges the area (a single cell stays as it is): areas it overlaps are undone and
    // every cell but the top-left one is emptied.
    void merge(const Area& area);
    // Value of a cell as a formula sees it.
    Formula_Value value(int row, int column) const;
    // The text the cell shows: its text, or its number or formula result in its number
    // format.
    std::wstring display_text(int row, int column) const;
    // Fits the column to the widest text it shows (merged cells left out): the text's
    // width in characters (2 for a wide East Asian character, else 1) times font size / 11,
    // plus 1 for the cell's margins, at most 255. A column that shows nothing keeps its
    // width.
    void auto_fit(int column);

private:
    Formula_Value value(int row, int column, int depth) const;
    friend class Formula_Parser;
};

// Works out a formula ("=C4*D4", "=SUM(C4:C9)") against the sheet: numbers, cell
// references ($ allowed), + - * / ^, parentheses, unary signs, SUM over ranges and values.
Formula_Value Evaluate_Formula(const Worksheet& sheet, const std::wstring& formula, int depth = 0);

// A number in a number format: "General", or a format of zeros with an optional decimal
// part ("0", "00", "0.00", "#,##0.0" ...); other formats show as General.
std::wstring Format_Number(double value, const std::wstring& number_format);

// "A1"-style references: "B7", "$B$7", "AA10"; false for anything else.
bool Parse_Cell_Reference(const std::wstring& text, int& row, int& column);
// "A1", "A1:G3" (corners in any order); false for anything else.
bool Parse_Area(const std::wstring& text, Area& area);
std::wstring Column_Name(int column);

class Workbook {
public:
    std::wstring name;
    std::vector<std::shared_ptr<Worksheet>> sheets;
    int active_sheet = 0;
    std::filesystem::path saved_path;  // empty until saved
};

// Writes the workbook to an .xlsx file (formulas with their worked-out results); false
// with a reason when it cannot be written.
bool Save_Xlsx(const Workbook& workbook, const std::filesystem::path& host_path, std::wstring& error);

}  // namespace platform::spreadsheet
