// The ways a file of a folder on the emulated machine cannot be written, as a table of cases
// that a test runs one after the other.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Unwritable_Case {
    const char* what;
    std::function<void()> make_unwritable;
    std::function<void()> undo;
};

// "denied folder" and "full disk" (`disk_free` bytes left) on the folder; with a file, also
// "short write": writes to that file fail after `written` bytes. The file is named when its
// case runs, as a temporary file's name changes from one write to the next.
std::vector<Unwritable_Case> Unwritable_Folder_Cases(const std::wstring& folder, uint64_t disk_free,
                                                     std::function<std::wstring()> short_write_file = {},
                                                     uint64_t written = 0);
