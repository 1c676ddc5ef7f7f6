// Runs tests/support/ink_compare.py (under Debian's python3, with ezdxf and matplotlib) on a
// drawing and its plot, and reads the two figures it prints.
#pragma once

#include <cstdio>
#include <string>

namespace korvel_test {

struct Ink_Figures {
    bool ok = false;             // the tool ran and printed its figures
    double ezdxf_in_plot = 0.0;  // share of ezdxf's ink within the tolerance of the plot's
    double plot_in_ezdxf = 0.0;  // share of the plot's ink within the tolerance of ezdxf's
    long ezdxf_px = 0, plot_px = 0;
    std::string output;          // what the tool printed, for messages
};

// window is "X0,Y0,X1,Y1"; options are more arguments of the tool (e.g. "--layout NAME --dpi 200").
inline Ink_Figures Compare_Ink(const std::string& dxf, const std::string& pdf, const std::string& window,
                               const std::string& options = "")
{
    const std::string command = "/usr/bin/python3 '" + std::string(KORVEL_SOURCE_DIR) +
                                "/tests/support/ink_compare.py' '" + dxf + "' '" + pdf + "' --window=" + window +
                                " " + options + " 2>&1";
    Ink_Figures figures;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return figures;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) figures.output.append(buffer, n);
    const int status = pclose(pipe);
    const size_t at = figures.output.rfind("ink ezdxf_in_plot=");
    figures.ok = status == 0 && at != std::string::npos &&
                 std::sscanf(figures.output.c_str() + at, "ink ezdxf_in_plot=%lf plot_in_ezdxf=%lf ezdxf_px=%ld plot_px=%ld",
                             &figures.ezdxf_in_plot, &figures.plot_in_ezdxf, &figures.ezdxf_px,
                             &figures.plot_px) == 4;
    return figures;
}

// The folder of a newer ezdxf (--ezdxf), unpacked under the build folder on first use; empty
// when it cannot be had (no network).
inline std::string Newer_Ezdxf()
{
    const std::string command = "'" + std::string(KORVEL_SOURCE_DIR) + "/tests/support/newer_ezdxf.sh' '" +
                                std::string(KORVEL_BINARY_DIR) + "/newer_ezdxf' 2>/dev/null";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[512];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    if (pclose(pipe) != 0) return "";
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
}

}  // namespace korvel_test
