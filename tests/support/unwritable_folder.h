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
// "short write": writes to that file fail after `written` bytes.
std::vector<Unwritable_Case> Unwritable_Folder_Cases(const std::wstring& folder, uint64_t disk_free,
                                                     const std::wstring& short_write_file = {},
                                                     uint64_t written = 0);
