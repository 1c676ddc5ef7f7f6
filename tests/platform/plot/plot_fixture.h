// Shared set-up of the plot-layer tests: a fresh machine and host with one drawing, device
// files written the way the plug-in writes them, printers, plot-style tables, and a job
// sink that keeps the jobs "-plot" sends.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "db/dblayout.h"
#include "ed/docman.h"
#include "plot/dbplotsetval.h"
#include "plot/plot_job.h"
#include "win/win_error.h"

namespace plot_test {

// One paper of a ".pmp": name, size across and down, margins left, bottom, right, top.
struct Pmp_Paper {
    std::wstring name;
    double width, height;
    double left = 0, bottom = 0, right = 0, top = 0;
};

// The ".pmp" text: [Meta] lines, [user], twelve lines per entry, CR LF, ANSI code page.
std::string Pmp_Text(const std::vector<Pmp_Paper>& papers);
// The ".pc5" text of an output type ("PDF", "DWF", "JPG", "PNG", "PLT", "SVG") naming its
// ".pmp" by full path; resolution and private data as given.
std::string Pc5_Text(const std::wstring& type, const std::wstring& pmp_path, int dpi = 300,
                     const std::wstring& private_data = L"0000000000000000");
// The canonical name the ".pmp" gives a paper: "UserDefinedMetric (W x H 毫米)".
std::wstring Canonical_Name(double width, double height);

class PlotTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path Host(const std::wstring& windows_path) const;
    void Write_File(const std::wstring& windows_path, const std::string& bytes) const;
    // Writes "K_<type>.pc5" into the first configuration folder and "K_<type>.pmp" into the
    // first description folder; returns the ".pc5" name.
    std::wstring Write_Device(const std::wstring& type, const std::vector<Pmp_Paper>& papers);
    void Add_Printer(const std::wstring& name, const std::vector<Pmp_Paper>& papers);
    void Add_Style_Table(const std::wstring& name) const;
    void Script(const char* text) const;
    std::wstring Output() const;

    ZcDbDatabase* Db() const { return doc->database(); }
    ZcDbPlotSettingsValidator* Validator() const;
    // Opens the active layout for write and hands it to the function (then closes it).
    void With_Active_Layout(const std::function<void(ZcDbLayout&)>& change) const;
    // Makes a paper layout current; returns its block table record.
    ZcDbObjectId Make_Paper_Layout(const wchar_t* name);

    std::filesystem::path root;
    std::wstring config_folder, description_folder, style_folder;
    ZcApDocument* doc = nullptr;
    std::vector<platform::PlotJob> jobs;     // what "-plot" sent
    platform::PlotResult sink_result;        // what the sink answers
    DWORD sink_error = 0;                    // the last error a failing sink leaves, when not 0
};

}  // namespace plot_test
