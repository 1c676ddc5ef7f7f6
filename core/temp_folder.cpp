#include "core/temp_folder.h"

#include <cstdio>
#include <cstdlib>

#include "core/program_folders.h"
#include "win/windows.h"

int32_t g_Temp_Folder_Choice = -1;

namespace {

CString Temp_Folder_Of(int choice)
{
    switch (choice) {
    case 0:
        return g_Documents_Folder + L"\\Korvel_Temp";
    case 1:
        return g_App_Folder + L"\\Korvel_Temp";
    case 2:
        return g_Config_Folder + L"\\Korvel_Temp";
    default:
        return L"C:\\Korvel_Temp";
    }
}

}  // namespace

CString Get_Temp_Folder()
{
    if (g_Temp_Folder_Choice < 0 || g_Temp_Folder_Choice > 3) {
        g_Temp_Folder_Choice = 3;
        for (int candidate = 0; candidate <= 2; ++candidate)
            if (Probe_Temp_Folder(candidate)) {
                g_Temp_Folder_Choice = candidate;
                break;
            }
    }
    const CString folder = Temp_Folder_Of(g_Temp_Folder_Choice);
    CreateDirectoryW(folder.GetString(), nullptr);
    return folder;
}

bool Probe_Temp_Folder(int candidate)
{
    const CString folder = Temp_Folder_Of(candidate);
    CreateDirectoryW(folder.GetString(), nullptr);
    const CString test_file = folder + L"\\test.txt";

    std::srand(static_cast<unsigned>(_time64(nullptr) % 789));
    const int drawn = std::rand();

    FILE* out = _wfsopen(test_file.GetString(), L"w", _SH_DENYNO);
    if (out == nullptr)
        return false;
    const bool written = std::fprintf(out, "%d\n", drawn) > 0;
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed)
        return false;

    int read_back = drawn - 1;
    FILE* in = _wfsopen(test_file.GetString(), L"r", _SH_DENYNO);
    if (in == nullptr)
        return false;
    if (std::fscanf(in, "%d", &read_back) != 1)
        read_back = drawn - 1;
    std::fclose(in);
    return read_back == drawn;
}
