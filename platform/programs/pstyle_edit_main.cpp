// The host's plot-style editor ("ZwPStyleEdit.exe"): opens the table named on its command
// line, notes that it was asked to in <machine root>/ZwPStyleEdit.log, and exits.
// Log lines (UTF-8): "opened<TAB>path" or "missing<TAB>path"; the exit code is 0 when the
// table was opened, 2 when it could not be, 1 without a table.
#include <fstream>
#include <iterator>
#include <string>

#include "script/utf8.h"
#include "win/machine.h"
#include "win/win_files.h"

namespace {

void Log(const std::string& line)
{
    std::ofstream log(platform::Machine::instance().root() / "ZwPStyleEdit.log", std::ios::app | std::ios::binary);
    log << line << '\n';
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        Log("usage");
        return 1;
    }
    const std::string path = argv[1];
    std::ifstream table(platform::To_Host_Path(platform::From_Utf8(path)), std::ios::binary);
    if (!table) {
        Log("missing\t" + path);
        return 2;
    }
    std::string content((std::istreambuf_iterator<char>(table)), std::istreambuf_iterator<char>());
    Log("opened\t" + path);
    return 0;
}
