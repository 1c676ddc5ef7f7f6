#include "tk_library_file.h"

#include <fstream>
#include <ostream>
#include <string>

namespace {

// One definition of the fixture's A3 frame in the library file's layout of version 20210101
// (adjusted plot range and dynamic flag, no fourth stamp): cells relative to the frame centre.
void Write_Definition(std::ostream& out, const std::string& block_name, int dynamic)
{
    const double cells[][4] = {
        {0, 0, 420, 297},                                        // frame
        {330, 45, 415, 65}, {330, 25, 415, 45}, {240, 25, 330, 65},  // A, B, C
        {240, 5, 330, 25}, {330, 5, 415, 25}, {240, 65, 415, 80},    // D, E, F
        {30, 10, 90, 70}, {0, 0, 0, 0}, {0, 0, 0, 0},                // stamps 1..3
    };
    out << block_name << "\n" << block_name << "\nA_C\n0\n1\n420\n297\n";
    for (const auto& cell : cells) {
        const bool set = cell[2] > 0;
        out << (set ? cell[0] - 210 : 0) << "\n" << (set ? cell[1] - 148.5 : 0) << "\n"
            << (set ? cell[2] - 210 : 0) << "\n" << (set ? cell[3] - 148.5 : 0) << "\n";
    }
    out << "2\n1\n0\n0\n0\n0\n" << dynamic << "\n";
}

}  // namespace

void Write_TK_Library(const std::filesystem::path& path)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << "20210101\n4\n";
    Write_Definition(out, "TK_ATTR", 0);
    Write_Definition(out, "TK_LOOSE", 0);
    Write_Definition(out, "TK_PLAIN", 0);
    Write_Definition(out, "TK_DYN", 1);
    out << "Standard\nKorvel_EN.shx\nKorvel_HZ.shx\n300\n0.8\n1\n300\n0.8\n256\n0\n1\nContinuous\n-3\n";
    out << "1\n1000\n3\n900\n2300\n9850\n3\n0\n1\n3\n";
    out << "0\n<><\n1\n_\n2\n0\n0\n0\n0\n0\n0\n";
}


std::filesystem::path TK_Library_Path(const std::filesystem::path& machine_root)
{
    return machine_root / "c" / "Users" / "korvel" / "AppData" / "Roaming" / "Korvel" / "BPlot_TK.tk";
}
