#include "plot/device_registry.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <mutex>
#include <unordered_map>

#include "db/color.h"
#include "ed/sysvars.h"
#include "plot/ini_text.h"
#include "plot/machine_printers.h"
#include "win/disk_change.h"
#include "win/machine.h"
#include "win/win_codepage.h"
#include "win/win_files.h"
#include "win/host_path_text.h"
#include "win/win_registry.h"

namespace fs = std::filesystem;

namespace platform {

namespace {

std::wstring Host_Setting(const wchar_t* environment_name, const wchar_t* registry_name)
{
    wchar_t buffer[2600] = {};
    if (zcedGetEnv(environment_name, buffer, 2600) == RTNORM && buffer[0] != 0)
        return buffer;
    std::optional<RegistryValue> value =
        Registry::instance().value(Machine::instance().host_profile_config_key(), registry_name);
    return value ? value->text : std::wstring();
}

std::vector<std::wstring> Split_Folder_List(const std::wstring& list)
{
    std::vector<std::wstring> folders;
    size_t start = 0;
    for (;;) {
        size_t semicolon = list.find(L';', start);
        std::wstring entry = list.substr(start, semicolon == std::wstring::npos ? std::wstring::npos : semicolon - start);
        const DWORD needed = ExpandEnvironmentStringsW(entry.c_str(), nullptr, 0);
        std::vector<wchar_t> expanded(needed);
        if (needed > 0 && ExpandEnvironmentStringsW(entry.c_str(), expanded.data(), needed) == needed)
            entry = expanded.data();
        while (entry.size() > 3 && (entry.back() == L'\\' || entry.back() == L'/'))
            entry.pop_back();
        if (!entry.empty())
            folders.push_back(entry);
        if (semicolon == std::wstring::npos)
            return folders;
        start = semicolon + 1;
    }
}

bool Has_Extension(const std::wstring& name, const wchar_t* extension)
{
    size_t n = std::wcslen(extension);
    return name.size() > n && Equal_No_Case(std::wstring_view(name).substr(name.size() - n), extension);
}

// The files (or the subfolders) directly in the folder, sorted by name without regard to case.
std::vector<fs::path> Folder_Entries(const fs::path& folder, bool folders)
{
    std::vector<std::pair<std::wstring, fs::path>> keyed;
    const std::shared_ptr<const std::vector<Folder_Entry>> listing = Folder_Listing(folder);
    for (const Folder_Entry& entry : *listing)
        if (folders ? entry.is_folder : entry.is_file)
            keyed.emplace_back(Fold_Case(entry.name), entry.path);
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<fs::path> entries;
    entries.reserve(keyed.size());
    for (auto& [key, path] : keyed)
        entries.push_back(std::move(path));
    return entries;
}

// ".pc5" files of a folder tree: the folder's own first, then each subfolder's. Notes each
// listing read, to tell later whether the tree changed.
void Collect_Pc5_Files(const fs::path& folder, std::vector<fs::path>& out,
                       std::vector<std::shared_ptr<const std::vector<Folder_Entry>>>& listings)
{
    listings.push_back(Folder_Listing(folder));
    for (const fs::path& file : Folder_Entries(folder, false))
        if (Has_Extension(Text_From_Host_Path(file.filename()), L".pc5"))
            out.push_back(file);
    for (const fs::path& sub : Folder_Entries(folder, true))
        Collect_Pc5_Files(sub, out, listings);
}

// The listings of the folder trees as they are now, in the order Collect_Pc5_Files reads them.
bool Same_Listings(const std::vector<fs::path>& roots,
                   const std::vector<std::shared_ptr<const std::vector<Folder_Entry>>>& listings)
{
    size_t next = 0;
    std::function<bool(const fs::path&)> same = [&](const fs::path& folder) {
        if (next >= listings.size() || Folder_Listing(folder) != listings[next++])
            return false;
        for (const Folder_Entry& entry : *listings[next - 1])
            if (entry.is_folder && !same(entry.path))
                return false;
        return true;
    };
    for (const fs::path& root : roots)
        if (!same(root))
            return false;
    return next == listings.size();
}

struct Pc5_File {
    std::wstring name;     // file name
    fs::path host;
    std::wstring windows;  // Windows path
};

// Every ".pc5" of the configuration folders, the first of each name only; worked out again
// only when a folder of the trees changed.
std::vector<Pc5_File> Pc5_Files()
{
    struct Kept {
        std::vector<fs::path> roots;
        std::vector<std::shared_ptr<const std::vector<Folder_Entry>>> listings;
        std::vector<Pc5_File> files;
    };
    static std::mutex mutex;
    static Kept kept;
    std::vector<fs::path> roots;
    for (const std::wstring& folder : Printer_Config_Folders())
        roots.push_back(To_Host_Path(folder));
    std::lock_guard<std::mutex> lock(mutex);
    if (roots == kept.roots && Same_Listings(roots, kept.listings))
        return kept.files;
    Kept fresh;
    fresh.roots = roots;
    std::vector<fs::path> all;
    for (const fs::path& root : roots)
        Collect_Pc5_Files(root, all, fresh.listings);
    for (const fs::path& file : all) {
        const std::wstring name = Text_From_Host_Path(file.filename());
        bool seen = std::any_of(fresh.files.begin(), fresh.files.end(),
                                [&](const Pc5_File& other) { return Equal_No_Case(other.name, name); });
        if (!seen)
            fresh.files.push_back({name, file, To_Windows_Path(file)});
    }
    kept = std::move(fresh);
    return kept.files;
}

std::optional<PlotDriver> Driver_Of(const Ini_Text& ini)
{
    std::wstring driver = ini.value(L"Standard", L"DriverPath").value_or(L"");
    std::wstring device = ini.value(L"Standard", L"DeviceName").value_or(L"");
    std::wstring config = ini.value(L"Standard", L"DriverCfgPath").value_or(L"");
    if (Equal_No_Case(driver, L"ZwPDFDriver.dll"))
        return PlotDriver::Pdf;
    if (Equal_No_Case(driver, L"ZwDWFDriver.dll"))
        return PlotDriver::Dwf;
    if (Equal_No_Case(driver, L"ZwSVGDriver.dll"))
        return PlotDriver::Svg;
    if (Equal_No_Case(driver, L"ZwPCLDriver.dll"))
        return PlotDriver::Plt;
    if (Equal_No_Case(driver, L"ZwRasterDriver.dll")) {
        if (Equal_No_Case(device, L"JPG") || Equal_No_Case(config, L"JPEG.ini"))
            return PlotDriver::Jpg;
        if (Equal_No_Case(device, L"PNG") || Equal_No_Case(config, L"PNG.ini"))
            return PlotDriver::Png;
    }
    return std::nullopt;
}

std::wstring File_Name_Of(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// A file's Windows path and host path.
struct Found_File {
    std::wstring path;
    fs::path host;
};

std::optional<Found_File> Existing_File(const std::wstring& path)
{
    if (path.empty())
        return std::nullopt;
    fs::path host = To_Host_Path(path);
    std::error_code ec;
    if (!fs::is_regular_file(host, ec))
        return std::nullopt;
    return Found_File{path, std::move(host)};
}

// The standard papers of the "None" device.
std::vector<PlotPaper> None_Media()
{
    struct Size {
        const wchar_t* name;
        double w, h;
    };
    const Size sizes[] = {{L"A4", 210, 297}, {L"A3", 297, 420}, {L"A2", 420, 594}, {L"A1", 594, 841},
                          {L"A0", 841, 1189}};
    std::vector<PlotPaper> media;
    for (const Size& s : sizes) {
        PlotPaper paper;
        wchar_t canonical[64], display[64];
        std::swprintf(canonical, 64, L"ISO_%ls_(%.2f_x_%.2f_MM)", s.name, s.w, s.h);
        std::swprintf(display, 64, L"ISO %ls (%.2f x %.2f 毫米)", s.name, s.w, s.h);
        paper.canonical_name = canonical;
        paper.display_name = display;
        paper.width_mm = s.w;
        paper.height_mm = s.h;
        media.push_back(paper);
    }
    return media;
}

}  // namespace

std::vector<std::wstring> Printer_Config_Folders()
{
    return Split_Folder_List(Host_Setting(L"PrinterConfigDir", L"PLOTCONFIGPATH"));
}

std::vector<std::wstring> Printer_Description_Folders()
{
    std::wstring list = Host_Setting(L"PrinterDescDir", L"PLOTDESCRIPTIONPATH");
    if (list.empty()) {
        std::vector<std::wstring> config = Printer_Config_Folders();
        if (!config.empty())
            list = config.front() + L"\\PMP Files";
    }
    return Split_Folder_List(list);
}

std::vector<std::wstring> Plot_Style_Folders()
{
    return Split_Folder_List(Host_Setting(L"PrinterStyleSheetDir", L"PLOTSTYLEPATH"));
}

namespace {

bool Parse_Pmp(const std::string& bytes, std::vector<PlotPaper>& media, std::wstring& error)
{
    Ini_Text ini(From_Ansi(bytes));
    media.clear();
    const double declared = ini.number(L"Meta", L"userdef_num", -1.0);
    for (int k = 0; declared < 0.0 || k < declared; ++k) {
        const std::wstring n = std::to_wstring(k);
        std::optional<std::wstring> canonical = ini.value(L"user", L"paper_name" + n);
        if (!canonical) {
            if (declared < 0.0)
                break;
            error = L"paper entry " + n + L" missing";
            return false;
        }
        PlotPaper paper;
        paper.canonical_name = *canonical;
        paper.display_name = ini.value(L"user", L"paper_local_name" + n).value_or(*canonical);
        paper.width_mm = ini.number(L"user", L"size_x" + n, 0.0);
        paper.height_mm = ini.number(L"user", L"size_y" + n, 0.0);
        if (paper.width_mm <= 0.0 || paper.height_mm <= 0.0) {
            error = L"paper entry " + n + L" has no size";
            return false;
        }
        paper.margin_left_mm = ini.number(L"user", L"llx" + n, 0.0);
        paper.margin_bottom_mm = ini.number(L"user", L"lly" + n, 0.0);
        paper.margin_right_mm = paper.width_mm - ini.number(L"user", L"urx" + n, paper.width_mm);
        paper.margin_top_mm = paper.height_mm - ini.number(L"user", L"ury" + n, paper.height_mm);
        media.push_back(paper);
    }
    return true;
}

Parsed_File_Cache<std::vector<PlotPaper>>& Pmp_Cache()
{
    static Parsed_File_Cache<std::vector<PlotPaper>> cache(Parse_Pmp);
    return cache;
}

// A ".pc5" as read: the device without its name, media and description file, and the
// description file it names.
struct Pc5_Contents {
    Plot_Device_Entry device;
    std::wstring pmp_filepath;
};

bool Parse_Pc5(const std::string& bytes, Pc5_Contents& contents, std::wstring& error)
{
    Ini_Text ini(From_Ansi(bytes));
    std::optional<PlotDriver> driver = Driver_Of(ini);
    if (!driver) {
        error = L"names no known driver";
        return false;
    }
    Plot_Device_Entry& device = contents.device;
    device.driver = *driver;
    device.file_device = true;
    device.dpi = ini.number(L"res_color_mem", L"resolution_x", 300.0);
    if (device.dpi <= 0.0)
        device.dpi = 300.0;
    if (device.driver == PlotDriver::Jpg || device.driver == PlotDriver::Png) {
        // The raster driver's private data begins with the background's colour index in hex.
        std::wstring data = ini.value(L"Port", L"privatedata").value_or(L"");
        wchar_t* end = nullptr;
        std::wstring digits = data.substr(0, 2);
        long index = std::wcstol(digits.c_str(), &end, 16);
        if (digits.size() == 2 && end != nullptr && *end == 0)
            device.background_rgb = ZcCmEntityColor::lookUpRGB(static_cast<uint8_t>(index));
    }
    contents.pmp_filepath = ini.value(L"Meta", L"pmp_filepath").value_or(L"");
    return true;
}

Parsed_File_Cache<Pc5_Contents>& Pc5_Cache()
{
    static Parsed_File_Cache<Pc5_Contents> cache(Parse_Pc5);
    return cache;
}

// The description file of a ".pc5": the one it names, else one of that name (or of the
// ".pc5"'s stem) in the description folders; nullopt when there is none.
std::optional<Found_File> Description_File_Of(const std::wstring& device_name, const std::wstring& named)
{
    if (std::optional<Found_File> found = Existing_File(named))
        return found;
    std::wstring stem = device_name.substr(0, device_name.size() - 4);
    std::wstring wanted = named.empty() ? stem + L".pmp" : File_Name_Of(named);
    for (const std::wstring& folder : Printer_Description_Folders())
        if (std::optional<Found_File> found = Existing_File(folder + L"\\" + wanted))
            return found;
    return std::nullopt;
}

// The ".pc5" device, kept while its files and the description file found for it are the
// same parses.
struct Assembled_Device {
    std::shared_ptr<const Pc5_Contents> pc5;
    std::shared_ptr<const std::vector<PlotPaper>> media;
    Shared_Plot_Device device;
};

Shared_Plot_Device Pc5_Device(const fs::path& host, const std::wstring& path, std::wstring& error)
{
    std::wstring why;
    bool read_failed = false;
    std::shared_ptr<const Pc5_Contents> pc5 = Pc5_Cache().get(host, why, &read_failed);
    if (!pc5) {
        error = read_failed ? L"cannot read the plotter configuration file " + path
                            : L"the plotter configuration file " + path + L" " + why;
        return nullptr;
    }
    const std::wstring name = File_Name_Of(path);
    const std::optional<Found_File> pmp = Description_File_Of(name, pc5->pmp_filepath);
    std::shared_ptr<const std::vector<PlotPaper>> media;
    if (pmp) {
        media = Pmp_Cache().get(pmp->host, why, &read_failed);
        if (!media) {
            error = read_failed ? L"cannot read the paper description file " + pmp->path : why + L" in " + pmp->path;
            return nullptr;
        }
    }
    const std::wstring pmp_path = pmp ? pmp->path : std::wstring();
    static std::mutex mutex;
    static std::unordered_map<std::wstring, Assembled_Device> assembled;
    std::lock_guard<std::mutex> lock(mutex);
    Assembled_Device& kept = assembled[path];
    if (kept.device && kept.pc5 == pc5 && kept.media == media && kept.device->pmp_path == pmp_path)
        return kept.device;
    auto device = std::make_shared<Plot_Device_Entry>(pc5->device);
    device->name = name;
    device->config_path = path;
    device->pmp_path = pmp_path;
    if (media)
        device->media = *media;
    kept = {pc5, media, device};
    return device;
}

}  // namespace

bool Read_Pmp_File(const std::wstring& path, std::vector<PlotPaper>& media, std::wstring& error)
{
    std::wstring why;
    bool read_failed = false;
    std::shared_ptr<const std::vector<PlotPaper>> parsed = Pmp_Cache().get(To_Host_Path(path), why, &read_failed);
    if (!parsed) {
        error = read_failed ? L"cannot read the paper description file " + path : why + L" in " + path;
        return false;
    }
    media = *parsed;
    return true;
}

bool Read_Pc5_File(const std::wstring& path, Plot_Device_Entry& device, std::wstring& error)
{
    Shared_Plot_Device read = Pc5_Device(To_Host_Path(path), path, error);
    if (!read)
        return false;
    device = *read;
    return true;
}

std::vector<std::wstring> Plot_Device_Names()
{
    std::vector<std::wstring> names{kNoneDevice};
    for (const Pc5_File& file : Pc5_Files())
        names.push_back(file.name);
    for (const Machine_Printer& printer : Machine_Printers()) {
        bool seen = std::any_of(names.begin(), names.end(),
                                [&](const std::wstring& name) { return Equal_No_Case(name, printer.name); });
        if (!seen)
            names.push_back(printer.name);
    }
    return names;
}

namespace {

// A ".pc5" device found under its name, kept while nothing changed in the watched folders
// its files and listings came from and the folder lists are the same.
struct Kept_Device {
    fs::path machine_root;
    std::vector<std::wstring> config_folders, description_folders;
    uint64_t generation = 0;
    Shared_Plot_Device device;
};

std::mutex& Kept_Devices_Mutex()
{
    static std::mutex mutex;
    return mutex;
}

std::unordered_map<std::wstring, Kept_Device>& Kept_Devices()
{
    static std::unordered_map<std::wstring, Kept_Device> kept;
    return kept;
}

}  // namespace

Shared_Plot_Device Find_Plot_Device(const std::wstring& name, std::wstring* error)
{
    std::wstring ignored;
    std::wstring& why = error != nullptr ? *error : ignored;
    if (Equal_No_Case(name, kNoneDevice)) {
        static const Shared_Plot_Device none = [] {
            auto device = std::make_shared<Plot_Device_Entry>();
            device->name = kNoneDevice;
            device->none = true;
            device->media = None_Media();
            return device;
        }();
        return none;
    }
    const std::wstring key = Fold_Case(name);
    std::vector<std::wstring> config_folders = Printer_Config_Folders();
    std::vector<std::wstring> description_folders = Printer_Description_Folders();
    fs::path machine_root = Machine::instance().root();
    {
        std::lock_guard<std::mutex> lock(Kept_Devices_Mutex());
        auto kept = Kept_Devices().find(key);
        if (kept != Kept_Devices().end() && kept->second.machine_root == machine_root &&
            kept->second.config_folders == config_folders &&
            kept->second.description_folders == description_folders &&
            Current_Watch_Mark().generation == kept->second.generation)
            return kept->second.device;
    }
    const Watch_Mark before = Current_Watch_Mark();
    for (const Pc5_File& file : Pc5_Files())
        if (Equal_No_Case(file.name, name)) {
            Shared_Plot_Device device = Pc5_Device(file.host, file.windows, why);
            if (device && before.generation != 0 && Current_Watch_Mark() == before) {
                std::lock_guard<std::mutex> lock(Kept_Devices_Mutex());
                Kept_Devices()[key] = {std::move(machine_root), std::move(config_folders),
                                       std::move(description_folders), before.generation, device};
            }
            return device;
        }
    if (std::optional<Machine_Printer> printer = Find_Machine_Printer(name)) {
        auto device = std::make_shared<Plot_Device_Entry>();
        device->name = printer->name;
        device->driver = PlotDriver::Printer;
        device->media = printer->media;
        device->dpi = printer->dpi;
        device->spool_folder = printer->spool_folder;
        return device;
    }
    why = L"no plot device named " + name;
    return nullptr;
}

std::vector<Plot_Style_File> Plot_Style_Tables()
{
    std::vector<Plot_Style_File> tables;
    for (const std::wstring& folder : Plot_Style_Folders())
        for (const fs::path& file : Folder_Entries(To_Host_Path(folder), false)) {
            std::wstring name = Text_From_Host_Path(file.filename());
            if (!Has_Extension(name, L".ctb") && !Has_Extension(name, L".stb"))
                continue;
            bool seen = std::any_of(tables.begin(), tables.end(),
                                    [&](const Plot_Style_File& t) { return Equal_No_Case(t.name, name); });
            if (!seen)
                tables.push_back({name, folder + L"\\" + name});
        }
    return tables;
}

std::optional<Plot_Style_File> Find_Plot_Style_Table(const std::wstring& name)
{
    for (Plot_Style_File& table : Plot_Style_Tables())
        if (Equal_No_Case(table.name, name))
            return table;
    return std::nullopt;
}

}  // namespace platform
