#include "plot_fixture.h"

#include <unistd.h>

#include <cwchar>
#include <fstream>

#include "db/dbdatabase.h"
#include "ed/command_line.h"
#include "ed/host_session.h"
#include "plot/device_registry.h"
#include "plot/machine_printers.h"
#include "plot/plot_job_sink.h"
#include "plot/plot_stamp_setting.h"
#include "script/script_input.h"
#include "win/machine.h"
#include "win/win_codepage.h"
#include "win/win_files.h"

namespace plot_test {

namespace {

std::wstring Fixed(const wchar_t* format, double value)
{
    wchar_t buffer[64];
    std::swprintf(buffer, 64, format, value);
    return buffer;
}

}  // namespace

std::wstring Canonical_Name(double width, double height)
{
    return L"UserDefinedMetric (" + Fixed(L"%.2f", width) + L" x " + Fixed(L"%.2f", height) + L" 毫米)";
}

std::string Pmp_Text(const std::vector<Pmp_Paper>& papers)
{
    std::wstring t = L"[Meta]\r\npmpfilepath=\r\ndriver_path=\r\ncalibration_x=1.000000\r\ncalibration_y=1.000000\r\n"
                     L"mod_num=0\r\ndel_num=0\r\nuserdef_num=" +
                     std::to_wstring(papers.size()) + L"\r\nhide_num=0\r\n[user]\r\n";
    for (size_t k = 0; k < papers.size(); ++k) {
        const Pmp_Paper& p = papers[k];
        const std::wstring n = std::to_wstring(k);
        const double ax = p.width - p.left - p.right, ay = p.height - p.bottom - p.top;
        t += L"paper_name" + n + L"=" + Canonical_Name(p.width, p.height) + L"\r\n";
        t += L"paper_local_name" + n + L"=" + p.name + L"\r\n";
        t += L"size_x" + n + Fixed(L"=%.6f", p.width) + L"\r\n";
        t += L"size_y" + n + Fixed(L"=%.6f", p.height) + L"\r\n";
        t += L"llx" + n + Fixed(L"=%.6f", p.left) + L"\r\n";
        t += L"lly" + n + Fixed(L"=%.6f", p.bottom) + L"\r\n";
        t += L"urx" + n + Fixed(L"=%.6f", p.width - p.right) + L"\r\n";
        t += L"ury" + n + Fixed(L"=%.6f", p.height - p.top) + L"\r\n";
        t += L"actual_x" + n + Fixed(L"=%.6f", ax) + L"\r\n";
        t += L"actual_y" + n + Fixed(L"=%.6f", ay) + L"\r\n";
        t += L"area" + n + Fixed(L"=%.6f", ax * ay) + L"\r\n";
        t += L"Unit" + n + L"=1\r\n";
    }
    return platform::To_Ansi(t);
}

std::string Pc5_Text(const std::wstring& type, const std::wstring& pmp_path, int dpi, const std::wstring& private_data)
{
    struct Device {
        const wchar_t* type;
        const wchar_t* name;
        const wchar_t* ini;
        const wchar_t* driver;
    };
    const Device devices[] = {
        {L"PDF", L"PDF", L"PDF.ini", L"ZwPDFDriver.dll"},          {L"DWF", L"DWF", L"DWF.ini", L"ZwDWFDriver.dll"},
        {L"JPG", L"JPG", L"JPEG.ini", L"ZwRasterDriver.dll"},      {L"PNG", L"PNG", L"PNG.ini", L"ZwRasterDriver.dll"},
        {L"PLT", L"DesignJet 800", L"DesignJet 800.ini", L"ZwPCLDriver.dll"},
        {L"SVG", L"SVG", L"SVG.ini", L"ZwSVGDriver.dll"},
    };
    const Device* d = &devices[0];
    for (const Device& candidate : devices)
        if (type == candidate.type)
            d = &candidate;
    const std::wstring host = L"C:\\Program Files\\ZWSOFT\\ZWCAD 2025";
    const std::wstring res = std::to_wstring(dpi);
    std::wstring t = std::wstring(L"[Meta]\r\nPrinterType=") + (type == L"PLT" ? L"0" : L"2") +
                     L"\r\nSource=\r\nsource_entry=\r\npmp_filepath=" + pmp_path +
                     L"\r\ndefault_source=0\r\npaper_name=UserDefinedMetric (594.00 x 420.00 毫米)\r\n"
                     L"paper_size_x=594.000000\r\npaper_size_y=420.000000\r\n"
                     L"[res_color_mem]\r\ndm_color=32\r\ncolor_depth=16777216\r\nresolution_x=" +
                     res + L"\r\nresolution_y=" + res +
                     L"\r\ncolor_system=2\r\n"
                     L"[Standard]\r\nDeviceName=" +
                     d->name + L"\r\nDevicePath=" + host + L"\\Support\\zh-CN\\drivercfg\\" + d->ini +
                     L"\r\nDriverVersion=1.0.0.0.0.0 [p001-1]\r\nDriverName=\r\nDriverPath=" + d->driver +
                     L"\r\nDriverCfgPath=" + d->ini +
                     L"\r\nPortName=FILE:\r\nDeviceComment=\r\nNetPrinterUSE=0\r\nNetPrinterName=\r\n"
                     L"[Port]\r\nplot_to_file=1\r\nconfig_autospool=0\r\ndmDriverExtra=0\r\nprivatedata=" +
                     private_data + L"\r\n[Retain]\r\ndmorientation=1\r\n[Caps]\r\ndefinepapersize_caps=1\r\n";
    return platform::To_Ansi(t);
}

void PlotTest::SetUp()
{
    root = std::filesystem::temp_directory_path() /
           ("korvel_plot_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(root);
    platform::Machine::instance().set_root(root);
    platform::Reset_Host_For_Tests();
    platform::CommandLine::instance().set_echo_to_stdout(false);
    platform::Set_Plot_Stamp_On(false);
    config_folder = platform::Machine::instance().host_printer_config_folder();
    description_folder = platform::Machine::instance().host_printer_description_folder();
    style_folder = platform::Machine::instance().host_plot_style_folder();
    doc = platform::Add_Document(new ZcDbDatabase(true, false), true, L"C:\\work\\plan.dxf");
    sink_result.ok = true;
    platform::Set_Plot_Job_Sink([this](const platform::PlotJob& job) {
        jobs.push_back(job);
        if (sink_error != 0)
            SetLastError(sink_error);
        return sink_result;
    });
}

void PlotTest::TearDown()
{
    platform::Set_Plot_Job_Sink(nullptr);
    platform::Reset_Host_For_Tests();
    platform::CommandLine::instance().set_echo_to_stdout(true);
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::filesystem::path PlotTest::Host(const std::wstring& windows_path) const
{
    return platform::To_Host_Path(windows_path);
}

void PlotTest::Write_File(const std::wstring& windows_path, const std::string& bytes) const
{
    std::filesystem::path path = Host(windows_path);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::wstring PlotTest::Write_Device(const std::wstring& type, const std::vector<Pmp_Paper>& papers)
{
    const std::wstring pmp = description_folder + L"\\K_" + type + L".pmp";
    Write_File(pmp, Pmp_Text(papers));
    Write_File(config_folder + L"\\K_" + type + L".pc5", Pc5_Text(type, pmp));
    return L"K_" + type + L".pc5";
}

void PlotTest::Add_Printer(const std::wstring& name, const std::vector<Pmp_Paper>& papers)
{
    platform::Machine_Printer printer;
    printer.name = name;
    printer.spool_folder = L"C:\\Spool\\" + name;
    for (const Pmp_Paper& p : papers) {
        platform::PlotPaper paper;
        paper.canonical_name = p.name;
        paper.display_name = p.name;
        paper.width_mm = p.width;
        paper.height_mm = p.height;
        paper.margin_left_mm = p.left;
        paper.margin_bottom_mm = p.bottom;
        paper.margin_right_mm = p.right;
        paper.margin_top_mm = p.top;
        printer.media.push_back(paper);
    }
    ASSERT_TRUE(platform::Add_Machine_Printer(printer));
}

void PlotTest::Add_Style_Table(const std::wstring& name) const { Write_File(style_folder + L"\\" + name, "table"); }

void PlotTest::Script(const char* text) const
{
    platform::ScriptInput::instance().push_text(std::string_view(text));
}

std::wstring PlotTest::Output() const { return platform::CommandLine::instance().text(); }

ZcDbPlotSettingsValidator* PlotTest::Validator() const
{
    return zcdbHostApplicationServices()->plotSettingsValidator();
}

void PlotTest::With_Active_Layout(const std::function<void(ZcDbLayout&)>& change) const
{
    ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
    ZcDbLayout* layout = nullptr;
    ASSERT_EQ(layouts->getLayoutNamed(layouts->findActiveLayout(true, Db()), layout, ZcDb::kForWrite, Db()),
              Zcad::eOk);
    change(*layout);
    layout->close();
}

ZcDbObjectId PlotTest::Make_Paper_Layout(const wchar_t* name)
{
    ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
    ZcDbObjectId layout_id, block_id;
    EXPECT_EQ(layouts->createLayout(name, layout_id, block_id, Db()), Zcad::eOk);
    EXPECT_EQ(layouts->setCurrentLayout(name, Db()), Zcad::eOk);
    return block_id;
}

}  // namespace plot_test
