// Writing a workbook with libxlsxwriter.
#include <xlsxwriter.h>

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>

#include "com/spreadsheet_model.h"
#include "script/utf8.h"
#include "win/safe_file_write.h"

namespace platform::spreadsheet {

namespace {

// 0x00BBGGRR to the library's 0xRRGGBB; black needs the library's own value, since 0
// means "no colour" there.
lxw_color_t Rgb(uint32_t bgr)
{
    uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

uint8_t Border_Style(const Border_Edge& edge)
{
    if (!edge.drawn())
        return LXW_BORDER_NONE;
    bool medium = edge.weight == Weight_Medium || edge.weight == Weight_Medium_Alias;
    bool thick = edge.weight == Weight_Thick;
    switch (edge.line_style) {
        case Line_Dash: return medium || thick ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
        case Line_Dot: return LXW_BORDER_DOTTED;
        case Line_Double: return LXW_BORDER_DOUBLE;
        case Line_Dash_Dot: return medium || thick ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
        case Line_Dash_Dot_Dot: return medium || thick ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
        default:
            if (thick)
                return LXW_BORDER_THICK;
            if (medium)
                return LXW_BORDER_MEDIUM;
            return edge.weight == Weight_Hairline ? LXW_BORDER_HAIR : LXW_BORDER_THIN;
    }
}

uint8_t Horizontal(int alignment)
{
    switch (alignment) {
        case Align_Left: return LXW_ALIGN_LEFT;
        case Align_Right: return LXW_ALIGN_RIGHT;
        case Align_Center: return LXW_ALIGN_CENTER;
        default: return LXW_ALIGN_NONE;
    }
}

uint8_t Vertical(int alignment)
{
    switch (alignment) {
        case Align_Top: return LXW_ALIGN_VERTICAL_TOP;
        case Align_Center: return LXW_ALIGN_VERTICAL_CENTER;
        default: return LXW_ALIGN_VERTICAL_BOTTOM;
    }
}

bool Is_Default(const Cell_Format& format)
{
    const Cell_Format plain;
    return format.number_format == plain.number_format && !format.bold && format.font_size == plain.font_size &&
           format.font_color == plain.font_color && !format.fill && format.horizontal == plain.horizontal &&
           format.vertical == plain.vertical && !format.left.drawn() && !format.top.drawn() &&
           !format.right.drawn() && !format.bottom.drawn();
}

lxw_format* Make_Format(lxw_workbook* book, const Cell_Format& format)
{
    if (Is_Default(format))
        return nullptr;
    lxw_format* f = workbook_add_format(book);
    if (format.number_format != L"General")
        format_set_num_format(f, To_Utf8(format.number_format).c_str());
    if (format.bold)
        format_set_bold(f);
    format_set_font_size(f, format.font_size);
    if (format.font_color != 0)
        format_set_font_color(f, Rgb(format.font_color));
    if (format.fill) {
        format_set_pattern(f, LXW_PATTERN_SOLID);
        format_set_bg_color(f, Rgb(*format.fill));
    }
    if (format.horizontal != Align_General)
        format_set_align(f, Horizontal(format.horizontal));
    if (format.vertical != Align_Bottom)
        format_set_align(f, Vertical(format.vertical));
    const std::pair<const Border_Edge*, void (*)(lxw_format*, uint8_t)> styles[] = {
        {&format.left, format_set_left}, {&format.top, format_set_top},
        {&format.right, format_set_right}, {&format.bottom, format_set_bottom}};
    const std::pair<const Border_Edge*, void (*)(lxw_format*, lxw_color_t)> colors[] = {
        {&format.left, format_set_left_color}, {&format.top, format_set_top_color},
        {&format.right, format_set_right_color}, {&format.bottom, format_set_bottom_color}};
    for (const auto& [edge, set] : styles)
        if (edge->drawn())
            set(f, Border_Style(*edge));
    for (const auto& [edge, set] : colors)
        if (edge->drawn())
            set(f, Rgb(edge->color));
    return f;
}

bool Write_Sheet(lxw_workbook* book, lxw_worksheet* out, const Worksheet& sheet)
{
    for (const auto& [column, width] : sheet.column_widths)
        worksheet_set_column(out, static_cast<lxw_col_t>(column - 1), static_cast<lxw_col_t>(column - 1), width,
                             nullptr);
    for (const auto& [row, height] : sheet.row_heights)
        worksheet_set_row(out, static_cast<lxw_row_t>(row - 1), height, nullptr);
    for (const Area& area : sheet.merges) {
        const Cell* first = sheet.find(area.first_row, area.first_column);
        lxw_format* format = first != nullptr ? Make_Format(book, first->format) : nullptr;
        if (worksheet_merge_range(out, static_cast<lxw_row_t>(area.first_row - 1),
                                  static_cast<lxw_col_t>(area.first_column - 1),
                                  static_cast<lxw_row_t>(area.last_row - 1),
                                  static_cast<lxw_col_t>(area.last_column - 1), "", format) != LXW_NO_ERROR)
            return false;
    }
    for (const auto& [key, cell] : sheet.cells) {
        const lxw_row_t row = static_cast<lxw_row_t>(key.first - 1);
        const lxw_col_t column = static_cast<lxw_col_t>(key.second - 1);
        lxw_format* format = Make_Format(book, cell.format);
        lxw_error result = LXW_NO_ERROR;
        if (!cell.formula.empty()) {
            Formula_Value value = sheet.value(key.first, key.second);
            result = worksheet_write_formula_num(out, row, column, To_Utf8(cell.formula).c_str(), format,
                                                 value.error.empty() ? value.number : 0.0);
        } else if (cell.kind == Cell::Text) {
            result = worksheet_write_string(out, row, column, To_Utf8(cell.text).c_str(), format);
        } else if (cell.kind == Cell::Number) {
            result = worksheet_write_number(out, row, column, cell.number, format);
        } else if (format != nullptr) {
            result = worksheet_write_blank(out, row, column, format);
        }
        if (result != LXW_NO_ERROR)
            return false;
    }
    return true;
}

}  // namespace

bool Save_Xlsx(const Workbook& workbook, const std::filesystem::path& host_path, std::wstring& error)
{
    // The library writes a file of its own: the workbook is built in the host's temporary
    // folder, outside the machine, and then written through the machine (denied folders,
    // full disks, short writes), replacing the file only once it is whole.
    std::error_code ignored;
    static std::atomic<unsigned> builds{0};
    const std::filesystem::path built = std::filesystem::temp_directory_path(ignored) /
                                        ("korvel-xlsx-" + std::to_string(getpid()) + "-" +
                                         std::to_string(++builds) + ".xlsx");
    lxw_workbook* book = workbook_new(built.string().c_str());
    if (book == nullptr) {
        error = L"the file cannot be created";
        return false;
    }
    bool written = true;
    for (size_t i = 0; i < workbook.sheets.size() && written; ++i) {
        const Worksheet& sheet = *workbook.sheets[i];
        lxw_worksheet* out = workbook_add_worksheet(book, To_Utf8(sheet.name).c_str());
        written = out != nullptr && Write_Sheet(book, out, sheet);
        if (written && static_cast<int>(i) == workbook.active_sheet)
            worksheet_activate(out);
    }
    lxw_error closed = workbook_close(book);
    std::ifstream in(built, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(built, ignored);
    if (!written || closed != LXW_NO_ERROR) {
        error = written ? From_Utf8(lxw_strerror(closed)) : L"a cell cannot be written";
        return false;
    }
    std::filesystem::create_directories(host_path.parent_path(), ignored);
    if (Safe_Write_File(From_Utf8(host_path.string()), bytes, error))
        return true;
    // The reason only: the caller names the file.
    const size_t reason = error.rfind(L": ");
    if (reason != std::wstring::npos)
        error.erase(0, reason + 2);
    return false;
}

}  // namespace platform::spreadsheet
