// The two PDF jobs of the companion: joining files into one with an outline entry per
// file, and turning every page of a file. Host paths; nothing is printed. Files are
// written through a temporary beside them (platform::Safe_File_Write): a failed write
// leaves the file as it was.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace companion {

struct Merge_Input {
    std::filesystem::path file;
    std::string title;  // UTF-8; the outline entry of the file's first page
};

struct Merge_Result {
    int joined = 0;                    // input files whose pages are in the target
    std::vector<std::string> skipped;  // files that were missing or not PDF, with the reason
    std::string error;                 // why no target was written; empty on success
};

// Writes the pages of the readable inputs, in order, into `target` (replaced as a
// whole), with one top-level outline entry per joined file. Writes nothing when no input
// can be read.
Merge_Result Merge_Pdf_Files(const std::vector<Merge_Input>& inputs, const std::filesystem::path& target);

// Turns every page of the file by `degrees` (a multiple of 90) on top of its present
// rotation and writes the result back to the same path. Empty on success, else why not.
std::string Rotate_Pdf_File(const std::filesystem::path& file, int degrees);

}  // namespace companion
