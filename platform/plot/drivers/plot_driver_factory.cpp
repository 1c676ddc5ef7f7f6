#include "plot/drivers/plot_driver_factory.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "plot/drivers/cairo_device.h"
#include "plot/drivers/dwf_device.h"
#include "plot/drivers/hpgl_device.h"
#include "plot/drivers/svg_device.h"
#include "win/host_path_text.h"
#include "win/win_files.h"

namespace platform {

std::wstring Printer_Job_Path(const PlotJob& job, std::wstring& error)
{
    if (!job.output_path.empty()) return job.output_path;
    if (job.spool_folder.empty()) {
        error = L"printer " + job.device_name + L" has no spool folder";
        return {};
    }
    const std::filesystem::path folder = To_Host_Path(job.spool_folder);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        error = L"cannot use spool folder " + job.spool_folder;
        return {};
    }
    for (int n = 1; n < 1000000; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "job-%04d.pdf", n);
        const std::filesystem::path candidate = folder / name;
        if (!std::filesystem::exists(candidate, ec)) return Text_From_Host_Path(candidate);
    }
    error = L"spool folder " + job.spool_folder + L" is full";
    return {};
}

namespace {

// The sheet's title in the package: the job's name, "<drawing>-<layout>", as the host names a
// plotted sheet; without one the file's name less its extension. Plain text work on the wide
// name: a path object would convert it by the process's locale.
std::wstring Dwf_Title(const PlotJob& job)
{
    if (!job.document_name.empty()) return job.document_name;
    const size_t slash = job.output_path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? job.output_path : job.output_path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

std::unique_ptr<Plot_Device> Make_Plot_Device(const PlotJob& job, std::wstring& error)
{
    if (job.driver != PlotDriver::Printer && job.output_path.empty()) {
        error = L"no output file given";
        return nullptr;
    }
    switch (job.driver) {
    case PlotDriver::Pdf: return std::make_unique<Cairo_Device>(Cairo_Device::Kind::Pdf, job.output_path, job.dpi);
    case PlotDriver::Svg: return std::make_unique<Svg_Device>(job.output_path);
    case PlotDriver::Png: return std::make_unique<Cairo_Device>(Cairo_Device::Kind::Png, job.output_path, job.dpi);
    case PlotDriver::Jpg: return std::make_unique<Cairo_Device>(Cairo_Device::Kind::Jpg, job.output_path, job.dpi);
    case PlotDriver::Plt: return std::make_unique<Hpgl_Device>(job.output_path);
    case PlotDriver::Dwf: return std::make_unique<Dwf_Device>(job.output_path, Dwf_Title(job));
    case PlotDriver::Printer: {
        std::wstring path = Printer_Job_Path(job, error);
        if (path.empty()) return nullptr;
        // Each copy is a page of the job.
        return std::make_unique<Cairo_Device>(Cairo_Device::Kind::Pdf, path, job.dpi, job.copies);
    }
    }
    error = L"unknown plot driver";
    return nullptr;
}

}  // namespace platform
