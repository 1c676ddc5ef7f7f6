#include "plot/print_queue.h"

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <optional>

#include "plot/machine_printers.h"
#include "script/utf8.h"
#include "win/host_path_text.h"
#include "win/win_files.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

constexpr const char* Shadow_Extension = ".shd";

std::wstring Number_Text(double value)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.17g", value);
    return buffer;
}

std::optional<Print_Queue_Job> Read_Shadow(const fs::path& shadow)
{
    std::ifstream in(shadow, std::ios::binary);
    if (!in)
        return std::nullopt;
    Print_Queue_Job job;
    job.file = Text_From_Host_Path(fs::path(shadow).replace_extension(".pdf"));
    for (std::string raw; std::getline(in, raw);) {
        const std::wstring line = From_Utf8(raw);
        const size_t equal = line.find(L'=');
        if (equal == std::wstring::npos)
            continue;
        const std::wstring key = line.substr(0, equal), value = line.substr(equal + 1);
        if (key == L"document")
            job.document = value;
        else if (key == L"media")
            job.media = value;
        else if (key == L"width_mm")
            job.width_mm = std::wcstod(value.c_str(), nullptr);
        else if (key == L"height_mm")
            job.height_mm = std::wcstod(value.c_str(), nullptr);
        else if (key == L"copies")
            job.copies = static_cast<int>(std::wcstol(value.c_str(), nullptr, 10));
        else if (key == L"collate")
            job.collate = value != L"0";
    }
    return job;
}

}  // namespace

bool Record_Print_Job(const PlotJob& job, const std::wstring& file)
{
    if (job.driver != PlotDriver::Printer || !job.output_path.empty() || file.empty())
        return false;
    std::wstring text = L"document=" + job.document_name + L"\nmedia=" + job.paper.canonical_name +
                        L"\nwidth_mm=" + Number_Text(job.paper.width_mm) + L"\nheight_mm=" +
                        Number_Text(job.paper.height_mm) + L"\ncopies=" + std::to_wstring(job.copies) +
                        L"\ncollate=" + (job.collate ? L"1" : L"0") + L"\n";
    std::ofstream out(Host_Path_From_Text(file).replace_extension(Shadow_Extension), std::ios::binary | std::ios::trunc);
    out << To_Utf8(text);
    return static_cast<bool>(out);
}

std::vector<Print_Queue_Job> Print_Queue(const std::wstring& printer_name)
{
    std::vector<Print_Queue_Job> jobs;
    const std::optional<Machine_Printer> printer = Find_Machine_Printer(printer_name);
    if (!printer || printer->spool_folder.empty())
        return jobs;
    std::vector<fs::path> shadows;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(To_Host_Path(printer->spool_folder), ec))
        if (entry.path().extension() == Shadow_Extension)
            shadows.push_back(entry.path());
    // In the order the jobs were spooled: by the number of "job-NNNN".
    auto number = [](const fs::path& shadow) { return std::strtol(shadow.stem().c_str() + 4, nullptr, 10); };
    std::sort(shadows.begin(), shadows.end(),
              [&](const fs::path& a, const fs::path& b) { return number(a) < number(b); });
    for (const fs::path& shadow : shadows)
        if (std::optional<Print_Queue_Job> job = Read_Shadow(shadow))
            jobs.push_back(*job);
    return jobs;
}

}  // namespace platform
