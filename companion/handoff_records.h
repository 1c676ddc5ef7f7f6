// The jobs the plug-in hands over in the working drawing: the XRecords "Merge_Infor" and
// "PDF_Rotate_Flag", each in a dictionary of its own name in the named-object
// dictionary, read into host paths.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "companion/pdf_jobs.h"

namespace companion {

struct Merge_Job {
    std::filesystem::path target;
    std::wstring target_text;  // as the record holds it
    std::vector<Merge_Input> inputs;
};

struct Rotate_Job {
    int degrees = 0;
    std::filesystem::path file;
    std::wstring file_text;
};

// Empty with `error` set when the record is missing or malformed.
std::optional<Merge_Job> Read_Merge_Infor(std::wstring& error);
std::optional<Rotate_Job> Read_Rotate_Flag(std::wstring& error);

}  // namespace companion
