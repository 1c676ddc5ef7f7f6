// Helpers of the spreadsheet tests: late-bound calls on the program's objects, a fresh
// emulated machine per test, and the .xlsx files read back by openpyxl (xlsx_dump.py
// under /usr/bin/python3) as "key=value" pairs.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "com/comutil.h"
#include "com/objbase.h"
#include "com/spreadsheet.h"
#include "script/utf8.h"
#include "win/machine.h"
#include "win/win_files.h"
#include "win/win_shell.h"

namespace sheet_test {

// A member called by name; the program's description of a refusal into `description`.
inline HRESULT Invoke(IDispatch* object, WORD flags, const wchar_t* name, VARIANT* result,
                      std::initializer_list<const VARIANT*> args, std::wstring* description = nullptr)
{
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, 0, &member);
    if (FAILED(found))
        return found;
    std::vector<VARIANT> reversed;
    for (auto it = std::rbegin(args); it != std::rend(args); ++it)
        reversed.push_back(**it);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    HRESULT outcome = object->Invoke(member, IID_NULL, 0, flags, &params, result, &exception, nullptr);
    if (description != nullptr)
        *description = exception.bstrDescription != nullptr ? exception.bstrDescription : L"";
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    return outcome;
}

// An object property (or method result); null when the call fails.
inline IDispatch* Get_Object(IDispatch* object, const wchar_t* name, std::initializer_list<const VARIANT*> args = {},
                             WORD flags = DISPATCH_PROPERTYGET)
{
    _variant_t result;
    if (FAILED(Invoke(object, flags, name, &result, args)) || result.vt != VT_DISPATCH)
        return nullptr;
    IDispatch* held = result.pdispVal;
    result.vt = VT_EMPTY;
    return held;
}

inline HRESULT Put(IDispatch* object, const wchar_t* name, const VARIANT& value)
{
    return Invoke(object, DISPATCH_PROPERTYPUT, name, nullptr, {&value});
}

// A new application object of the class, or null.
inline IDispatch* Create(const wchar_t* class_name)
{
    CLSID clsid{};
    IDispatch* application = nullptr;
    if (FAILED(CLSIDFromProgID(class_name, &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&application))))
        return nullptr;
    return application;
}

typedef std::map<std::string, std::string> Xlsx_Dump;

// What openpyxl reads from the file; empty when it cannot read it.
inline Xlsx_Dump Read_Xlsx(const std::filesystem::path& path)
{
    std::string command = "/usr/bin/python3 '" KORVEL_SOURCE_DIR "/tests/platform/com/xlsx_dump.py' '" +
                          path.string() + "' 2>&1";
    Xlsx_Dump dump;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return dump;
    std::string text;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, got);
    if (pclose(pipe) != 0) {
        ADD_FAILURE() << "openpyxl could not read " << path << ":\n" << text;
        return dump;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            dump[line.substr(0, equals)] = line.substr(equals + 1);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return dump;
}

// The value under the key, "<missing>" when there is none.
inline std::string At(const Xlsx_Dump& dump, const std::string& key)
{
    auto it = dump.find(key);
    return it == dump.end() ? "<missing>" : it->second;
}

// The host path of a file in the Documents folder.
inline std::filesystem::path Documents_File(const std::wstring& name)
{
    return platform::To_Host_Path(platform::Machine::instance().documents_folder() + L"\\" + name);
}

// Column width as the file keeps it: whole pixels of 7 per character plus the cell
// margins of 5 pixels, back in characters, in 1/256 steps (what the program writes).
inline double File_Width(double width)
{
    const double pixels = static_cast<unsigned>(width * 7 + 0.5) + 5;
    return static_cast<int>(pixels / 7 * 256) / 256.0;
}

// Each test gets a fresh emulated machine with the program installed and empty logs.
class Spreadsheet_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        m_Root = std::filesystem::temp_directory_path() /
                 ("korvel_sheet_" + std::to_string(getpid()) + "_" + std::to_string(++counter));
        std::filesystem::remove_all(m_Root);
        platform::Machine::instance().set_root(m_Root);
        platform::ShellLog.clear();
        ASSERT_EQ(platform::Spreadsheet_Objects_Alive(), 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(platform::Spreadsheet_Objects_Alive(), 0) << "automation objects left unreleased";
        std::error_code ignored;
        std::filesystem::remove_all(m_Root, ignored);
    }

    std::filesystem::path m_Root;
};

}  // namespace sheet_test
