#include "plot/machine_printers.h"

#include <cmath>
#include <cwchar>
#include <fstream>
#include <set>
#include <sstream>

#include "ed/command_line.h"
#include "script/utf8.h"
#include "win/host_path_text.h"
#include "win/machine.h"
#include "win/win_files.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

// One printer per "printer" line, its media on the "media" lines after it; fields are
// separated by tabs (a line without tabs by runs of blanks), text in UTF-8.
fs::path Store_File() { return Machine::instance().root() / ".printers"; }

const wchar_t* const Printer_Form = L"printer, NAME, SPOOL FOLDER, DPI";
const wchar_t* const Media_Form = L"media, CANONICAL, SHOWN, WIDTH, HEIGHT, LEFT, BOTTOM, RIGHT, TOP (mm)";

std::wstring Trim_Blanks(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t\r");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t\r") - first + 1);
}

// Tab-separated fields, each without the blanks around it; without a tab, the runs of blanks
// separate the fields.
std::vector<std::wstring> Split_Fields(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    if (line.find(L'\t') != std::wstring::npos) {
        size_t start = 0;
        for (;;) {
            const size_t tab = line.find(L'\t', start);
            fields.push_back(Trim_Blanks(line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start)));
            if (tab == std::wstring::npos)
                return fields;
            start = tab + 1;
        }
    }
    size_t start = line.find_first_not_of(L" \r");
    while (start != std::wstring::npos) {
        const size_t end = line.find_first_of(L" \r", start);
        fields.push_back(line.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        start = end == std::wstring::npos ? end : line.find_first_not_of(L" \r", end);
    }
    return fields;
}

// The whole field as a number; false for text or nothing.
bool Number(const std::wstring& text, double& value)
{
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    value = std::wcstod(text.c_str(), &end);
    return end != nullptr && *end == L'\0' && std::isfinite(value);
}

std::wstring Number_Text(double value)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.17g", value);
    return buffer;
}

bool Clean_Field(const std::wstring& text)
{
    return text.find_first_of(L"\t\r\n") == std::wstring::npos;
}

// A line the machine cannot use is named on the command line once per process.
void Report_Line(size_t number, const std::string& raw, const std::wstring& why)
{
    static std::set<std::string> reported;
    if (!reported.insert(std::to_string(number) + "\n" + raw + "\n" + To_Utf8(why)).second)
        return;
    CommandLine::instance().write(L"\n" + Text_From_Host_Path(Store_File()) + L" line " + std::to_wstring(number) + L": " + why +
                                  L"; the line is ignored.");
}

std::vector<Machine_Printer> Load()
{
    std::vector<Machine_Printer> printers;
    std::vector<std::pair<size_t, std::string>> printer_lines;  // where each printer was named
    std::ifstream in(Store_File(), std::ios::binary);
    std::string raw;
    size_t number = 0;
    while (std::getline(in, raw)) {
        ++number;
        const std::vector<std::wstring> f = Split_Fields(From_Utf8(raw));
        if (f.empty() || f[0].empty() || f[0][0] == L'#')
            continue;
        if (f[0] == L"printer") {
            Machine_Printer printer;
            if (f.size() != 4 || f[1].empty() || !Number(f[3], printer.dpi) || printer.dpi <= 0) {
                Report_Line(number, raw,
                            std::wstring(L"a printer line is ") + Printer_Form +
                                L", separated by tabs (blanks only when no field holds one)");
                continue;
            }
            printer.name = f[1];
            printer.spool_folder = f[2];
            printers.push_back(printer);
            printer_lines.emplace_back(number, raw);
        } else if (f[0] == L"media") {
            PlotPaper paper;
            double* numbers[] = {&paper.width_mm,       &paper.height_mm,       &paper.margin_left_mm,
                                 &paper.margin_bottom_mm, &paper.margin_right_mm, &paper.margin_top_mm};
            bool ok = f.size() == 9 && !f[1].empty();
            for (size_t i = 0; ok && i < 6; ++i)
                ok = Number(f[3 + i], *numbers[i]);
            if (!ok || paper.width_mm <= 0 || paper.height_mm <= 0) {
                Report_Line(number, raw,
                            std::wstring(L"a media line is ") + Media_Form +
                                L", separated by tabs (blanks only when no field holds one)");
                continue;
            }
            if (printers.empty()) {
                Report_Line(number, raw, L"a media line belongs to the printer line above it, and there is none");
                continue;
            }
            paper.canonical_name = f[1];
            paper.display_name = f[2];
            printers.back().media.push_back(paper);
        } else {
            Report_Line(number, raw, L"a line starts with \"printer\" or \"media\"");
        }
    }
    std::vector<Machine_Printer> usable;
    for (size_t i = 0; i < printers.size(); ++i) {
        if (printers[i].media.empty())
            Report_Line(printer_lines[i].first, printer_lines[i].second,
                        L"the printer " + printers[i].name + L" has no media line after it");
        else
            usable.push_back(std::move(printers[i]));
    }
    return usable;
}

bool Save(const std::vector<Machine_Printer>& printers)
{
    std::wstring text;
    for (const Machine_Printer& printer : printers) {
        text += L"printer\t" + printer.name + L"\t" + printer.spool_folder + L"\t" + Number_Text(printer.dpi) + L"\n";
        for (const PlotPaper& p : printer.media)
            text += L"media\t" + p.canonical_name + L"\t" + p.display_name + L"\t" + Number_Text(p.width_mm) + L"\t" +
                    Number_Text(p.height_mm) + L"\t" + Number_Text(p.margin_left_mm) + L"\t" +
                    Number_Text(p.margin_bottom_mm) + L"\t" + Number_Text(p.margin_right_mm) + L"\t" +
                    Number_Text(p.margin_top_mm) + L"\n";
    }
    std::ofstream out(Store_File(), std::ios::binary | std::ios::trunc);
    out << To_Utf8(text);
    return static_cast<bool>(out);
}

}  // namespace

bool Add_Machine_Printer(const Machine_Printer& printer)
{
    if (printer.name.empty() || !Clean_Field(printer.name) || !Clean_Field(printer.spool_folder) ||
        printer.media.empty())
        return false;
    for (const PlotPaper& paper : printer.media)
        if (paper.canonical_name.empty() || !Clean_Field(paper.canonical_name) || !Clean_Field(paper.display_name) ||
            paper.width_mm <= 0.0 || paper.height_mm <= 0.0)
            return false;
    std::vector<Machine_Printer> printers = Load();
    std::erase_if(printers, [&](const Machine_Printer& p) { return Equal_No_Case(p.name, printer.name); });
    printers.push_back(printer);
    if (!printer.spool_folder.empty()) {
        std::error_code ec;
        fs::create_directories(To_Host_Path(printer.spool_folder), ec);
    }
    return Save(printers);
}

bool Remove_Machine_Printer(const std::wstring& name)
{
    std::vector<Machine_Printer> printers = Load();
    size_t removed = std::erase_if(printers, [&](const Machine_Printer& p) { return Equal_No_Case(p.name, name); });
    return removed > 0 && Save(printers);
}

std::vector<Machine_Printer> Machine_Printers() { return Load(); }

std::optional<Machine_Printer> Find_Machine_Printer(const std::wstring& name)
{
    for (Machine_Printer& printer : Load())
        if (Equal_No_Case(printer.name, name))
            return printer;
    return std::nullopt;
}

}  // namespace platform
