// The one conversion between wide text and host paths: UTF-8 on the host file system,
// whatever the locale (std::filesystem's own wide conversions are not used; see
// win/path_wide_guard.h).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "script/utf8.h"

namespace platform {

inline std::filesystem::path Host_Path_From_Text(std::wstring_view text) {
    return std::filesystem::path(To_Utf8(text));
}

inline std::wstring Text_From_Host_Path(const std::filesystem::path& path) { return From_Utf8(path.string()); }

}  // namespace platform
