#include "sheets/plotter_files.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>

#include "core/checked_file_writer.h"
#include "core/file_messages.h"
#include "core/file_operations.h"
#include "core/plot_config.h"
#include "core/plot_option.h"
#include "core/program_folders.h"
#include "core/text_tokens.h"
#include "db/color.h"
#include "win/windows.h"

namespace {

enum Output_Kind { Out_Pdf = 0, Out_Dwf = 1, Out_Jpg = 2, Out_Png = 3, Out_Plt = 4, Out_Svg = 5 };

const wchar_t* const Device_File_Stems[] = {L"K_PDF", L"K_DWF", L"K_JPG", L"K_PNG", L"K_PLT", L"K_SVG"};

// The host driver a configuration file names.
struct Device_Lines {
    const wchar_t* device_name;
    const wchar_t* driver_ini;
    const wchar_t* driver_version;
    const wchar_t* driver_path;
};
const Device_Lines Devices[] = {
    {L"PDF", L"PDF.ini", L"1.0.0.0.0.0 [p001-1]", L"ZwPDFDriver.dll"},
    {L"DWF", L"DWF.ini", L"1.0.0.0.0.0 [p001-1]", L"ZwDWFDriver.dll"},
    {L"JPG", L"JPEG.ini", L"3696656", L"ZwRasterDriver.dll"},
    {L"PNG", L"PNG.ini", L"3696656", L"ZwRasterDriver.dll"},
    {L"DesignJet 800", L"DesignJet 800.ini", L"1.1.9.1.51.0 [U5-1]", L"ZwPCLDriver.dll"},
    {L"SVG", L"SVG.ini", L"1.0.0.0.0.0 [p001-1]", L"ZwSVGDriver.dll"},
};

bool Is_File_Output(int output_type)
{
    return output_type >= Out_Pdf && output_type <= Out_Svg;
}

// One line in the ANSI code page; the text-mode file ends it with CR LF.
void Line(std::ostream& out, const CString& text)
{
    Write_Ansi_String(out, text);
    out << "\n";
}

CString Format_Line(const wchar_t* format, ...)
{
    CString text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    return text;
}

// The host's colour index nearest to the background colour of the options.
int Background_Color_Index(const Plot_Option& options)
{
    ZcCmColor color;
    color.setRGB(static_cast<uint8_t>(options.Back_Red), static_cast<uint8_t>(options.Back_Green),
                 static_cast<uint8_t>(options.Back_Blue));
    return color.colorIndex() & 0xFF;
}

void Write_Meta(std::ostream& out, int output_type, const CString& desc_path)
{
    Line(out, L"[Meta]");
    Line(out, output_type == Out_Plt ? L"PrinterType=0" : L"PrinterType=2");
    Line(out, L"Source=");
    Line(out, L"source_entry=");
    Line(out, L"pmp_filepath=" + desc_path);
    for (const wchar_t* text :
         {L"default_source=0", L"paper_name=UserDefinedMetric (594.00 x 420.00 毫米)", L"paper_size_x=594.000000",
          L"paper_size_y=420.000000", L"actual_printable_bounds_llx=0.000000",
          L"actual_printable_bounds_lly=0.000000", L"actual_printable_bounds_urx=297.000000",
          L"actual_printable_bounds_ury=210.000000", L"physical_offsetx=0.000000", L"physical_offsety=0.000000",
          L"actual_x=297.000000", L"actual_y=210.000000", L"actual_area=62370.000000", L"paper_unit=1",
          L"destination_name=", L"duplexing_mode=0", L"config_description="})
        Line(out, text);
}

void Write_Resolution(std::ostream& out, int output_type)
{
    if (output_type == Out_Pdf || output_type == Out_Dwf) {
        const int vector_dpi = Slider_To_Dpi(g_Plot_Config.Vector_Res);
        const int raster_dpi = Slider_To_Dpi(g_Plot_Config.Raster_Res);
        Line(out, Format_Line(L"resolution_x=%d", vector_dpi));
        Line(out, Format_Line(L"resolution_y=%d", vector_dpi));
        Line(out, Format_Line(L"raster_resolution_x=%d", raster_dpi));
        Line(out, Format_Line(L"raster_resolution_y=%d", raster_dpi));
        return;
    }
    const int dpi = (output_type == Out_Jpg || output_type == Out_Png) ? g_Plot_Config.Raster_Dpi : 300;
    Line(out, Format_Line(L"resolution_x=%d", dpi));
    Line(out, Format_Line(L"resolution_y=%d", dpi));
}

void Write_Res_Color_Mem(std::ostream& out, int output_type)
{
    Line(out, L"[res_color_mem]");
    Line(out, L"dm_color=32");
    Line(out, L"color_depth=16777216");
    Write_Resolution(out, output_type);
    for (const wchar_t* text :
         {L"color_system=2", L"color_device=1", L"ism_max=6", L"ole_max=6", L"preference=50", L"dm_ICMIntent=0",
          L"dm_ICMMethod=0", L"truetype_as_text=1", L"dm_TTOption=0", L"lines_overwrite=1", L"color_monochrome=1",
          L"physicalpen_color=", L"physicalpen_speed=",
          L"physicalpen_lineweight=LW0.25,1;LW0.25,2;LW0.25,3;LW0.25,4;LW0.25,5;LW0.25,6;LW0.25,7;LW0.25,8;"})
        Line(out, text);
}

void Write_Standard(std::ostream& out, int output_type)
{
    const Device_Lines& device = Devices[output_type];
    Line(out, L"[Standard]");
    Line(out, CString(L"DeviceName=") + device.device_name);
    Line(out, L"DevicePath=" + g_Host_Folder + L"\\Support\\zh-CN\\drivercfg\\" + device.driver_ini);
    Line(out, CString(L"DriverVersion=") + device.driver_version);
    Line(out, L"DriverName=");
    Line(out, CString(L"DriverPath=") + device.driver_path);
    Line(out, CString(L"DriverCfgPath=") + device.driver_ini);
    Line(out, L"PortName=FILE:");
    Line(out, L"DeviceComment=");
    Line(out, L"NetPrinterUSE=0");
    Line(out, L"NetPrinterName=");
}

void Write_Port(std::ostream& out, int output_type, const Plot_Option& options)
{
    Line(out, L"[Port]");
    Line(out, L"plot_to_file=1");
    Line(out, L"config_autospool=0");
    switch (output_type) {
    case Out_Jpg:
    case Out_Png:
        Line(out, L"dmDriverExtra=12");
        Line(out, Format_Line(L"privatedata=%02x0000006400000000000000", Background_Color_Index(options)));
        break;
    case Out_Plt:
        Line(out, L"dmDriverExtra=12");
        Line(out, L"privatedata=2c0100000100000000000000");
        break;
    case Out_Svg:
        Line(out, L"dmDriverExtra=12");
        Line(out, L"privatedata=070000006400000000000000");
        break;
    default:
        Line(out, L"dmDriverExtra=0");
        Line(out, L"privatedata=0000000000000000");
        break;
    }
}

void Write_Retain(std::ostream& out, int output_type)
{
    Line(out, L"[Retain]");
    for (const wchar_t* text : {L"dmorientation=1", L"dmcopies=1", L"dccopies=1", L"dmscale=0", L"dmprintquality=100",
                                L"mediatype=0", L"pre_init=0", L"post_init=0", L"termination="})
        Line(out, text);
    const bool without_layers = output_type == Out_Pdf && g_Plot_Config.Layer_Info == 0;
    Line(out, without_layers ? L"layerinclude=0" : L"layerinclude=1");
    Line(out, L"autoopenfile=0");
    Line(out, L"createbookmark=0");
    Line(out, L"plotprecise=0");
}

void Write_Caps(std::ostream& out)
{
    Line(out, L"[Caps]");
    for (const wchar_t* text : {L"definepapersize_caps=1", L"lw_caps=1", L"clip_caps=1", L"pathfill_caps=1",
                                L"boundarylw_caps=1", L"grating_caps=1"})
        Line(out, text);
    Line(out, g_Plot_Config.Text_As_Geometry != 0 ? L"truetypetext_caps=0" : L"truetypetext_caps=1");
    for (const wchar_t* text :
         {L"resolution_caps=1", L"unitctrl_caps=1", L"physicalpen_caps=0", L"pathreverseout_caps=0"})
        Line(out, text);
}

// The first entry of the list that exists or can be created; false (list unchanged) when
// none can.
bool First_Usable_Folder(CString& list)
{
    CStringArray folders;
    Split_Folder_List(list, folders);
    for (INT_PTR i = 0; i < folders.GetSize(); ++i) {
        const CString& folder = folders[i];
        if (folder.IsEmpty())
            continue;
        SHCreateDirectoryExW(nullptr, folder.GetString(), nullptr);
        if (PathFileExistsW(folder.GetString())) {
            list = folder;
            return true;
        }
    }
    return false;
}

}  // namespace

CString Get_Pc5_File_Name(int output_type)
{
    return Is_File_Output(output_type) ? CString(Device_File_Stems[output_type]) + L".pc5" : CString();
}

CString Get_Pmp_File_Name(int output_type)
{
    return Is_File_Output(output_type) ? CString(Device_File_Stems[output_type]) + L".pmp" : CString();
}

void Split_Folder_List(const CString& list, CStringArray& folders)
{
    folders.RemoveAll();
    int start = 0;
    for (;;) {
        const int end = list.Find(L';', start);
        CString folder = end < 0 ? list.Mid(start) : list.Mid(start, end - start);
        Trim_Backslash(folder);
        folders.Add(folder);
        if (end < 0)
            break;
        start = end + 1;
    }
}

void Get_Device_Folders(CString& config_folder, CString& desc_folder, bool& config_usable, bool& desc_usable)
{
    config_folder = g_Printer_Config_Folder;
    desc_folder = g_Printer_Desc_Folder;
    config_usable = First_Usable_Folder(config_folder);
    desc_usable = First_Usable_Folder(desc_folder);
}

bool Build_Plot_Device_Files(const Paper_Array& papers)
{
    if (g_Cur_Plot_Option == nullptr || !Is_File_Output(g_Cur_Plot_Option->Output_Type))
        return false;
    const int output_type = g_Cur_Plot_Option->Output_Type;
    CString config_folder, desc_folder;
    bool config_usable = false, desc_usable = false;
    Get_Device_Folders(config_folder, desc_folder, config_usable, desc_usable);
    const CString config_path = config_folder + L"\\" + Get_Pc5_File_Name(output_type);
    const CString desc_path = desc_folder + L"\\" + Get_Pmp_File_Name(output_type);

    // A file whose folder is unusable is reported as not written, never written elsewhere.
    bool config_written = false;
    if (config_usable) {
        Delete_Named_Files(config_folder, Get_Pc5_File_Name(output_type), false);
        Clear_File_Attributes(config_path);
        config_written = Write_Pc5_File(config_path, desc_path);
    } else {
        Show_Write_Failure(config_path);
    }
    bool desc_written = false;
    if (desc_usable) {
        Clear_File_Attributes(desc_path);
        desc_written = Write_Pmp_File(papers, desc_path);
    } else {
        Show_Write_Failure(desc_path);
    }
    return config_written && desc_written;
}

bool Write_Pc5_File(const CString& config_path, const CString& desc_path)
{
    if (g_Cur_Plot_Option == nullptr || !Is_File_Output(g_Cur_Plot_Option->Output_Type))
        return false;
    const Plot_Option& options = *g_Cur_Plot_Option;
    const int output_type = options.Output_Type;
    Checked_File_Writer writer;
    writer.Open(config_path);
    std::ostream& out = writer.Stream();
    Write_Meta(out, output_type, desc_path);
    Write_Res_Color_Mem(out, output_type);
    Write_Standard(out, output_type);
    Write_Port(out, output_type, options);
    Write_Retain(out, output_type);
    Write_Caps(out);
    return writer.Close(true);
}

bool Write_Pmp_File(const Paper_Array& papers, const CString& desc_path)
{
    if (g_Cur_Plot_Option == nullptr)
        return false;
    const Plot_Option& options = *g_Cur_Plot_Option;
    bool enlarge;
    int land[4], port[4];  // top, bottom, left, right
    if (options.Unequal_Margin != 0) {
        enlarge = options.Unequal_Mode == 0;
        const int land_margins[4] = {options.Land_Top, options.Land_Bottom, options.Land_Left, options.Land_Right};
        const int port_margins[4] = {options.Port_Top, options.Port_Bottom, options.Port_Left, options.Port_Right};
        std::copy(land_margins, land_margins + 4, land);
        std::copy(port_margins, port_margins + 4, port);
    } else {
        enlarge = options.Margin > 0;
        std::fill(land, land + 4, std::abs(options.Margin));
        std::fill(port, port + 4, std::abs(options.Margin));
    }

    int entries = 0;
    for (INT_PTR i = 0; i < papers.GetSize(); ++i)
        entries += papers[i]->Long_Side == papers[i]->Short_Side ? 1 : 2;

    Checked_File_Writer writer;
    writer.Open(desc_path);
    std::ostream& out = writer.Stream();
    for (const wchar_t* text : {L"[Meta]", L"pmpfilepath=", L"driver_path=", L"calibration_x=1.000000",
                                L"calibration_y=1.000000", L"mod_num=0", L"del_num=0"})
        Line(out, text);
    Line(out, Format_Line(L"userdef_num=%d", entries));
    Line(out, L"hide_num=0");
    Line(out, L"[user]");
    int k = 0;
    for (INT_PTR i = 0; i < papers.GetSize(); ++i) {
        const MyPaper& paper = *papers[i];
        const CString name = paper.Get_Name();
        Write_Pmp_Paper(out, k++, name, paper.Long_Side, paper.Short_Side, enlarge, land[0], land[1], land[2],
                        land[3]);
        if (paper.Long_Side != paper.Short_Side)
            Write_Pmp_Paper(out, k++, name + L"T", paper.Short_Side, paper.Long_Side, enlarge, port[0], port[1],
                            port[2], port[3]);
    }
    return writer.Close(true);
}

Printable_Area Compute_Printable_Area(double width, double height, bool enlarge, double top, double bottom,
                                      double left, double right)
{
    if (enlarge) {
        width += left + right;
        height += top + bottom;
    } else if (width - left - right <= 0.0 || height - top - bottom <= 0.0) {
        top = bottom = left = right = 0.0;
    }
    Printable_Area area;
    area.Width = width;
    area.Height = height;
    area.Llx = left;
    area.Lly = bottom;
    area.Urx = width - right;
    area.Ury = height - top;
    area.Actual_X = width - left - right;
    area.Actual_Y = height - bottom - top;
    area.Area = area.Actual_X * area.Actual_Y;
    return area;
}

void Write_Pmp_Paper(std::ostream& out, int k, const CString& name, double width, double height, bool enlarge,
                     double top, double bottom, double left, double right)
{
    const Printable_Area area = Compute_Printable_Area(width, height, enlarge, top, bottom, left, right);
    Line(out, Format_Line(L"paper_name%d=UserDefinedMetric (%.2f x %.2f 毫米)", k, area.Width, area.Height));
    Line(out, Format_Line(L"paper_local_name%d=", k) + name);
    Line(out, Format_Line(L"size_x%d=%.6f", k, area.Width));
    Line(out, Format_Line(L"size_y%d=%.6f", k, area.Height));
    Line(out, Format_Line(L"llx%d=%.6f", k, area.Llx));
    Line(out, Format_Line(L"lly%d=%.6f", k, area.Lly));
    Line(out, Format_Line(L"urx%d=%.6f", k, area.Urx));
    Line(out, Format_Line(L"ury%d=%.6f", k, area.Ury));
    Line(out, Format_Line(L"actual_x%d=%.6f", k, area.Actual_X));
    Line(out, Format_Line(L"actual_y%d=%.6f", k, area.Actual_Y));
    Line(out, Format_Line(L"area%d=%.6f", k, area.Area));
    Line(out, Format_Line(L"Unit%d=1", k));
}
