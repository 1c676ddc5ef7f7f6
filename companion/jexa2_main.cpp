// "Jexa2.exe", the fallback merge program: started without parameters, it reads the
// list "plot3.tm" in the per-user folder "%APPDATA%\Korvel" and writes the merged PDF.
// Exit code 0 when the target was written.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "companion/merge_list_file.h"
#include "companion/pdf_jobs.h"
#include "script/utf8.h"
#include "win/win_files.h"
#include "win/windows.h"

namespace {

int Fail(const std::string& text) {
    std::fprintf(stderr, "Jexa2: %s\n", text.c_str());
    return 1;
}

}  // namespace

int main() {
    wchar_t app_data[MAX_PATH] = {0};
    GetEnvironmentVariableW(L"APPDATA", app_data, MAX_PATH);
    const std::wstring list_path = std::wstring(app_data) + L"\\Korvel\\plot3.tm";
    std::ifstream in(platform::To_Host_Path(list_path), std::ios::binary);
    if (!in) return Fail("cannot read " + platform::To_Utf8(list_path));
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string error;
    const auto list = companion::Parse_Merge_List(bytes.str(), error);
    if (!list) return Fail(platform::To_Utf8(list_path) + ": " + error);

    std::vector<companion::Merge_Input> inputs;
    for (const auto& [file, title] : list->files) inputs.push_back({platform::To_Host_Path(file), platform::To_Utf8(title)});
    const std::filesystem::path target = platform::To_Host_Path(list->target);
    if (target.empty()) return Fail("the target " + platform::To_Utf8(list->target) + " is not a path of this machine");
    const companion::Merge_Result result = companion::Merge_Pdf_Files(inputs, target);
    for (const std::string& skipped : result.skipped) std::fprintf(stderr, "Jexa2: skipped %s\n", skipped.c_str());
    if (!result.error.empty()) return Fail(result.error);
    std::printf("Jexa2: %d files merged into %s\n", result.joined, platform::To_Utf8(list->target).c_str());
    return 0;
}
