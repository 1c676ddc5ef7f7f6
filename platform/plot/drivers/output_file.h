// The file a plot driver writes: its host path, checked, and whole-file writes.
#pragma once
#include <filesystem>
#include <string>

namespace platform {

// The host path of an output file the machine lets us write; empty with a message otherwise.
std::filesystem::path Writable_Output_Path(const std::wstring& path, std::wstring& error);
// Writes the bytes as the whole file; false with a message naming the file on failure.
bool Write_Output_File(const std::wstring& path, const std::string& bytes, std::wstring& error);

}  // namespace platform
