// Hatch pattern files (".pat" text: "*NAME, description" followed by one line per family of
// lines, "angle, x-origin, y-origin, delta-x, delta-y [, dash, gap...]") and the host's own
// two, "acad.pat" (inches) and "acadiso.pat" (millimetres), with the standard ANSI and ISO
// patterns, kept in the host's support folder beside the linetype files.
#pragma once

#include <string>
#include <vector>

namespace platform {

// One family of a pattern as the file gives it: the lines' angle (degrees), the origin of the
// first, the offset to the next (along the line, then across it) and the dashes (positive:
// dash, negative: gap, zero: dot; none: continuous).
struct Pat_Family {
    double angle = 0.0;
    double x = 0.0, y = 0.0;
    double dx = 0.0, dy = 0.0;
    std::vector<double> dashes;
};

// Writes "acad.pat" and "acadiso.pat" into the support folder when they are missing; false
// when a file could not be written.
bool Install_Host_Pattern_Files();

// The families of the pattern named (without regard to case) in the file (a name without a
// folder is looked up in the support folder, the host's two files written there first when
// missing); empty when the file or the pattern is not there.
std::vector<Pat_Family> Read_Hatch_Pattern(const std::wstring& fileName, const std::wstring& patternName);

}  // namespace platform
