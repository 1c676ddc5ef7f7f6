#include <cstdlib>

#include "machine_fixture.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class ModuleTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        log_ = root_ / "module.log";
        ::setenv("KORVEL_TEST_MODULE_LOG", log_.c_str(), 1);
        ::unsetenv("KORVEL_TEST_MODULE_REFUSE");
        // The module installed in the machine's program folder.
        installed_ = c_drive() / "Program Files" / "Korvel" / "Brelmor_Test.so";
        fs::create_directories(installed_.parent_path());
        fs::copy_file(TEST_MODULE_PATH, installed_);
    }
    void TearDown() override {
        ::unsetenv("KORVEL_TEST_MODULE_LOG");
        ::unsetenv("KORVEL_TEST_MODULE_REFUSE");
        MachineTest::TearDown();
    }
    std::string Events() const {
        std::ifstream in(log_);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path log_;
    fs::path installed_;
};

TEST_F(ModuleTest, LoadCallsDllMainAndFreeDetachesOnTheLastReference) {
    HMODULE module = LoadLibraryW(L"c:\\program files\\KORVEL\\brelmor_test.SO");
    ASSERT_NE(module, nullptr) << To_Utf8(Last_Error_Text());
    EXPECT_EQ(Events(), "attach\n");

    using Answer = int (*)();
    auto answer = reinterpret_cast<Answer>(GetProcAddress(module, "Test_Module_Answer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    auto instance = reinterpret_cast<HINSTANCE (*)()>(GetProcAddress(module, "Test_Module_Instance"));
    EXPECT_EQ(instance(), reinterpret_cast<HINSTANCE>(module));
    auto from_address = reinterpret_cast<HMODULE (*)()>(GetProcAddress(module, "Test_Module_From_Address"));
    EXPECT_EQ(from_address(), module);

    EXPECT_EQ(GetProcAddress(module, "No_Such_Function"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_FALSE(Last_Error_Text().empty());

    wchar_t path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(module, path, MAX_PATH), 39u);
    EXPECT_STREQ(path, L"C:\\Program Files\\Korvel\\Brelmor_Test.so");
    wchar_t small[8];
    EXPECT_EQ(GetModuleFileNameW(module, small, 8), 8u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(small, L"C:\\Prog");
    EXPECT_EQ(GetModuleHandleW(L"brelmor_test.so"), module);
    EXPECT_EQ(GetModuleHandleW(L"Brelmor_Test"), module);
    EXPECT_EQ(GetModuleHandleW(L"C:\\Program Files\\Korvel\\BRELMOR_TEST.so"), module);

    // A second load shares the module: no second attach, detach on the last free.
    EXPECT_EQ(LoadLibraryW(L"C:\\Program Files\\Korvel\\Brelmor_Test.so"), module);
    EXPECT_EQ(Events(), "attach\n");
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(Events(), "attach\n");
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(Events(), "attach\ndetach\n");
    EXPECT_EQ(GetModuleHandleW(L"Brelmor_Test.so"), nullptr);
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(ModuleTest, ARefusingDllMainFailsTheLoad) {
    ::setenv("KORVEL_TEST_MODULE_REFUSE", "1", 1);
    EXPECT_EQ(LoadLibraryW(L"C:\\Program Files\\Korvel\\Brelmor_Test.so"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(Events(), "attach\ndetach\n");
    EXPECT_EQ(GetModuleHandleW(L"Brelmor_Test.so"), nullptr);
}

TEST_F(ModuleTest, ModulesWithoutDllMainAndMissingModules) {
    HMODULE plain = LoadLibraryW(platform::From_Utf8(TEST_PLAIN_MODULE_PATH).c_str());
    ASSERT_NE(plain, nullptr) << To_Utf8(Last_Error_Text());
    auto value = reinterpret_cast<int (*)()>(GetProcAddress(plain, "Plain_Module_Value"));
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value(), 7);
    // Outside the machine's own drives the module sits on Z:, the rest of the host's files.
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(plain, path, MAX_PATH);
    EXPECT_EQ(path[0], L'Z');
    EXPECT_EQ(platform::To_Host_Path(path), fs::canonical(TEST_PLAIN_MODULE_PATH));
    EXPECT_TRUE(FreeLibrary(plain));
    EXPECT_EQ(Events(), "");

    EXPECT_EQ(LoadLibraryW(L"C:\\Program Files\\Korvel\\Missing.so"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    // A file that is not a library: the loader's reason is kept.
    Write_File(c_drive() / "bad.so", "not a library");
    EXPECT_EQ(LoadLibraryW(L"C:\\bad.so"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_NE(To_Utf8(Last_Error_Text()).find("bad.so"), std::string::npos) << To_Utf8(Last_Error_Text());
}

TEST_F(ModuleTest, TheProgramModuleIsTheHostExecutable) {
    wchar_t path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(nullptr, path, MAX_PATH), 44u);
    EXPECT_STREQ(path, L"C:\\Program Files\\ZWSOFT\\ZWCAD 2025\\ZWCAD.exe");
    Machine::instance().set_program_folder(L"C:\\Program Files\\ZWSOFT\\ZWCAD 2021\\");
    GetModuleFileNameW(GetModuleHandleW(nullptr), path, MAX_PATH);
    EXPECT_STREQ(path, L"C:\\Program Files\\ZWSOFT\\ZWCAD 2021\\ZWCAD.exe");
}

}  // namespace
}  // namespace platform
