// The real drawings of other programs some tests read in place. Their folder is KORVEL_REALDXF
// from the environment, else the folder the build was configured with (KORVEL_REALDXF_DIR).
// A test whose drawing is missing is skipped and names what is missing; with
// KORVEL_REALDXF_REQUIRED=1 in the environment it fails instead.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace korvel_test {

inline std::filesystem::path Real_Drawings_Folder()
{
    const char* folder = std::getenv("KORVEL_REALDXF");
    return folder && *folder ? std::filesystem::path(folder) : std::filesystem::path(KORVEL_REALDXF_DIR);
}

// The path of a drawing given relative to the folder.
inline std::string Real_Drawing(const std::string& name) { return (Real_Drawings_Folder() / name).string(); }

// What is missing for the drawing (the folder or the file), empty when it is there.
inline std::string Missing_Real_Drawing(const std::string& name)
{
    const std::filesystem::path folder = Real_Drawings_Folder();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return "the folder of real drawings " + folder.string() +
               " (set KORVEL_REALDXF, or the CMake cache entry KORVEL_REALDXF_DIR, to where they are)";
    if (!std::filesystem::is_regular_file(folder / name, error))
        return "the real drawing " + (folder / name).string();
    return {};
}

inline bool Real_Drawings_Required()
{
    const char* required = std::getenv("KORVEL_REALDXF_REQUIRED");
    return required && std::string(required) == "1";
}

}  // namespace korvel_test

// Ends the running test when the real drawing NAME is missing: skipped, or failed when the
// drawings are required.
#define KORVEL_REQUIRE_REAL_DRAWING(name)                                                       \
    do {                                                                                        \
        const std::string korvel_missing_ = ::korvel_test::Missing_Real_Drawing(name);         \
        if (!korvel_missing_.empty()) {                                                         \
            if (::korvel_test::Real_Drawings_Required())                                        \
                FAIL() << "missing " << korvel_missing_;                                        \
            GTEST_SKIP() << "missing " << korvel_missing_;                                      \
        }                                                                                       \
    } while (0)
