// A small program the shell tests start: after a short delay it writes its
// arguments (one a line), its working folder and the machine root it was given to
// the file named by its first argument, then exits with the code given as its second.
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) return 100;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::ofstream out(argv[1]);
    for (int i = 3; i < argc; ++i) out << "arg " << argv[i] << '\n';
    char folder[4096] = {};
    if (getcwd(folder, sizeof folder)) out << "cwd " << folder << '\n';
    const char* root = std::getenv("KORVEL_MACHINE_ROOT");
    out << "root " << (root ? root : "") << '\n';
    return std::atoi(argv[2]);
}
