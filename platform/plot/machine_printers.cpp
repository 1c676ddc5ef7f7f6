#include "plot/machine_printers.h"

#include <cwchar>
#include <fstream>
#include <sstream>

#include "script/utf8.h"
#include "win/machine.h"
#include "win/win_files.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

// One printer per "printer" line, its media on the "media" lines after it; fields are
// separated by tabs, text in UTF-8.
fs::path Store_File() { return Machine::instance().root() / ".printers"; }

std::vector<std::wstring> Split_Tabs(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find(L'\t', start);
        fields.push_back(line.substr(start, tab == std::wstring::npos ? std::wstring::npos : tab - start));
        if (tab == std::wstring::npos)
            return fields;
        start = tab + 1;
    }
}

double Number(const std::wstring& text) { return std::wcstod(text.c_str(), nullptr); }

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

std::vector<Machine_Printer> Load()
{
    std::vector<Machine_Printer> printers;
    std::ifstream in(Store_File(), std::ios::binary);
    std::string raw;
    while (std::getline(in, raw)) {
        std::vector<std::wstring> f = Split_Tabs(From_Utf8(raw));
        if (f[0] == L"printer" && f.size() >= 4) {
            Machine_Printer printer;
            printer.name = f[1];
            printer.spool_folder = f[2];
            printer.dpi = Number(f[3]);
            printers.push_back(printer);
        } else if (f[0] == L"media" && f.size() >= 9 && !printers.empty()) {
            PlotPaper paper;
            paper.canonical_name = f[1];
            paper.display_name = f[2];
            paper.width_mm = Number(f[3]);
            paper.height_mm = Number(f[4]);
            paper.margin_left_mm = Number(f[5]);
            paper.margin_bottom_mm = Number(f[6]);
            paper.margin_right_mm = Number(f[7]);
            paper.margin_top_mm = Number(f[8]);
            printers.back().media.push_back(paper);
        }
    }
    return printers;
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
