#include "plot/preview_image.h"

#include <unistd.h>

#include <fstream>
#include <iterator>
#include <system_error>

#include "plot/drivers/cairo_device.h"
#include "plot/render/render_page.h"
#include "win/host_path_text.h"

namespace platform {

bool Preview_Image::Render(const PlotJob& job, std::wstring& error)
{
    mPng.clear();
    std::error_code ec;
    const std::filesystem::path file =
        std::filesystem::temp_directory_path(ec) / ("korvel_preview_" + std::to_string(::getpid()) + ".png");
    if (ec) {
        error = L"no folder for the preview image";
        return false;
    }
    PlotJob page = job;
    page.driver = PlotDriver::Png;
    page.dpi = kDpi;
    page.output_path = Text_From_Host_Path(file);
    page.copies = 1;
    {
        Cairo_Device device(Cairo_Device::Kind::Png, page.output_path, kDpi);
        if (!Render_Page(page, device, error) || !device.finish(error)) {
            std::filesystem::remove(file, ec);
            return false;
        }
    }
    std::ifstream in(file, std::ios::binary);
    mPng.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(file, ec);
    if (mPng.empty()) {
        error = L"the preview image was not drawn";
        return false;
    }
    return true;
}

bool Preview_Image::Save_Png(const std::filesystem::path& path) const
{
    if (mPng.empty())
        return false;
    std::ofstream out(path, std::ios::binary);
    out.write(mPng.data(), static_cast<std::streamsize>(mPng.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace platform
