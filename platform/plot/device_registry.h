// The host's plot devices as the printer folders of the host profile and the machine's
// printers give them: ".pc5" plotter configuration files (each naming its driver and its
// ".pmp" paper description file), configured printers, the "None" device; and the plot-style
// tables of the plot-style folders. Folders and files are read again only when they changed
// on disk (see win/disk_change.h), so files the plug-in rewrites are seen at once.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plot/plot_job.h"

namespace platform {

// The folder lists of the host profile (Windows paths, in list order): the host's
// environment setting ("PrinterConfigDir", "PrinterDescDir", "PrinterStyleSheetDir") when
// it is not empty, else the profile's registry value ("PLOTCONFIGPATH",
// "PLOTDESCRIPTIONPATH", "PLOTSTYLEPATH"); the description folders fall back to the first
// configuration folder + "\PMP Files". Lists are split at ";", environment placeholders
// expanded, empty entries and trailing backslashes dropped.
std::vector<std::wstring> Printer_Config_Folders();
std::vector<std::wstring> Printer_Description_Folders();
std::vector<std::wstring> Plot_Style_Folders();

// The device without output.
inline constexpr const wchar_t* kNoneDevice = L"None";

struct Plot_Device_Entry {
    std::wstring name;           // ".pc5" file name, printer name or "None"
    PlotDriver driver = PlotDriver::Printer;
    bool file_device = false;    // a ".pc5" device: always writes a file
    bool none = false;           // the "None" device: offers media, plots nothing
    std::wstring config_path;    // ".pc5" (Windows path)
    std::wstring pmp_path;       // ".pmp" read for the media (Windows path), empty when none was found
    std::vector<PlotPaper> media;  // canonical name = the ".pmp" paper_name, display = paper_local_name
    double dpi = 300.0;          // ".pc5" resolution_x; a printer's resolution
    uint32_t background_rgb = 0xFFFFFF;  // raster ".pc5": the colour index of "privatedata=" (0x00RRGGBB)
    std::wstring spool_folder;   // printers: where jobs that do not go to a file are written
};

// "None", the ".pc5" files of the configuration folders (each folder's own files before
// those of its subfolders, at any depth; a name seen before is skipped), then the
// machine's printers.
std::vector<std::wstring> Plot_Device_Names();
// A device as the registry keeps it: shared, never changed once made.
using Shared_Plot_Device = std::shared_ptr<const Plot_Device_Entry>;

// The device of that name (case ignored); null when there is none or its ".pc5" cannot be
// read (error says why).
Shared_Plot_Device Find_Plot_Device(const std::wstring& name, std::wstring* error = nullptr);

// Reads a ".pc5" file (ANSI code page text, key=value lines in sections): its driver
// (DriverPath, and DeviceName for the raster driver), resolution and paper description
// file ("pmp_filepath=", else a ".pmp" of the ".pc5"'s name in the description folders).
// The name becomes the file's name.
bool Read_Pc5_File(const std::wstring& path, Plot_Device_Entry& device, std::wstring& error);
// Reads the user-defined papers of a ".pmp" file, entry 0 first.
bool Read_Pmp_File(const std::wstring& path, std::vector<PlotPaper>& media, std::wstring& error);

struct Plot_Style_File {
    std::wstring name;  // file name, e.g. "黑白.ctb"
    std::wstring path;  // Windows path
};
// The ".ctb" and ".stb" files directly in the plot-style folders, folder by folder; a name
// already listed from an earlier folder is skipped.
std::vector<Plot_Style_File> Plot_Style_Tables();
std::optional<Plot_Style_File> Find_Plot_Style_Table(const std::wstring& name);

}  // namespace platform
