#include "unwritable_folder.h"

#include "win/machine.h"

std::vector<Unwritable_Case> Unwritable_Folder_Cases(const std::wstring& folder, uint64_t disk_free,
                                                     std::function<std::wstring()> short_write_file, uint64_t written)
{
    platform::Machine& machine = platform::Machine::instance();
    std::vector<Unwritable_Case> cases = {
        {"denied folder", [&machine, folder] { machine.deny_writes(folder); },
         [&machine, folder] { machine.allow_writes(folder); }},
        {"full disk", [&machine, folder, disk_free] { machine.set_disk_free(folder, disk_free); },
         [&machine, folder] { machine.set_disk_free(folder, {}); }},
    };
    if (short_write_file)
        cases.push_back({"short write",
                         [&machine, short_write_file, written] { machine.fail_writes_after(short_write_file(), written); },
                         [] {}});
    return cases;
}
