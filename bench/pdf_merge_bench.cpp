// Merging 200 one-page PDFs: the companion's merge (in-process, as "K_PDF_Merge" runs it,
// and as the fallback program "Jexa2.exe" started for it) against
// `qpdf --empty --pages ... -- out.pdf` on the same files. Prints the median of each.
// Usage: pdf_merge_bench [files=200] [runs=5]
#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "companion/pdf_jobs.h"
#include "win/machine.h"
#include "win/windows.h"

namespace fs = std::filesystem;

namespace {

// A plotted sheet: an A3 page with a frame, a grid of lines and some text.
void Make_Sheet(const fs::path& path, int number) {
    cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), 1190.55, 841.89);
    cairo_t* cr = cairo_create(surface);
    cairo_set_line_width(cr, 0.5);
    cairo_rectangle(cr, 20, 20, 1150, 800);
    for (int i = 0; i < 400; ++i) {
        cairo_move_to(cr, 30 + (i * 37 + number) % 1100, 30 + (i * 53) % 760);
        cairo_line_to(cr, 60 + (i * 41) % 1100, 40 + (i * 29 + number) % 760);
    }
    cairo_stroke(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    for (int line = 0; line < 20; ++line) {
        cairo_move_to(cr, 900, 600 + line * 10);
        const std::string text = "S-" + std::to_string(number) + " detail " + std::to_string(line);
        cairo_show_text(cr, text.c_str());
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
}

template <class Work>
double Median_Seconds(int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::string Quote(const std::string& text) { return "'" + text + "'"; }

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 200;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const fs::path folder = fs::temp_directory_path() / "korvel_pdf_merge_bench";
    fs::remove_all(folder);
    fs::create_directories(folder / "in");
    std::vector<companion::Merge_Input> inputs;
    std::string pages;
    for (int i = 1; i <= count; ++i) {
        const fs::path file = folder / "in" / (std::to_string(i) + ".pdf");
        Make_Sheet(file, i);
        inputs.push_back({file, "S-" + std::to_string(i)});
        pages += " " + Quote(file.string());
    }

    const std::string qpdf_command =
        "qpdf --empty --pages" + pages + " -- " + Quote((folder / "qpdf.pdf").string()) + " 2>/dev/null";
    const double qpdf = Median_Seconds(runs, [&] {
        if (std::system(qpdf_command.c_str()) != 0) std::fprintf(stderr, "qpdf failed\n");
    });

    const double library = Median_Seconds(runs, [&] {
        const auto result = companion::Merge_Pdf_Files(inputs, folder / "companion.pdf");
        if (result.joined != count) std::fprintf(stderr, "companion merge: %s\n", result.error.c_str());
    });

    // The fallback program reads its list from the machine's per-user folder.
    platform::Machine::instance().set_root(folder / "machine");
    wchar_t app_data[MAX_PATH] = {0};
    GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH);
    const fs::path list = platform::To_Host_Path(std::wstring(app_data) + L"\\Korvel\\plot3.tm");
    fs::create_directories(list.parent_path());
    {
        std::ofstream out(list, std::ios::binary);
        out << "\xEF\xBB\xBF" << (folder / "jexa2.pdf").string() << "\r\n" << count << "\r\n";
        for (const auto& input : inputs) out << input.file.string() << "\r\n" << input.title << "\r\n";
    }
    const std::string jexa2_command = "KORVEL_MACHINE_ROOT=" + Quote((folder / "machine").string()) + " " +
                                      Quote(JEXA2_PATH) + " >/dev/null";
    const double program = Median_Seconds(runs, [&] {
        if (std::system(jexa2_command.c_str()) != 0) std::fprintf(stderr, "Jexa2 failed\n");
    });

    std::printf("%d one-page PDFs, median of %d runs\n", count, runs);
    std::printf("  qpdf --empty --pages ... -- out.pdf   %8.3f s\n", qpdf);
    std::printf("  companion merge (K_PDF_Merge's job)   %8.3f s  (%.2fx qpdf)\n", library, library / qpdf);
    std::printf("  Jexa2.exe as a program                %8.3f s  (%.2fx qpdf)\n", program, program / qpdf);
    fs::remove_all(folder);
    return 0;
}
