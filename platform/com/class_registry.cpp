#include <algorithm>
#include <fstream>
#include <mutex>
#include <vector>

#include "com/objbase.h"
#include "script/utf8.h"
#include "win/machine.h"
#include "win/win_files.h"

namespace platform {

namespace {

struct Automation_Class {
    std::wstring prog_id;
    CLSID clsid;
    Automation_Factory factory;
};

std::vector<Automation_Class>& Classes()
{
    static std::vector<Automation_Class> classes;
    return classes;
}

std::recursive_mutex& Registry_Mutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

std::filesystem::path Removed_File() { return Machine::instance().root() / ".removed-classes"; }

std::vector<std::wstring> Removed_Names()
{
    std::vector<std::wstring> names;
    std::ifstream in(Removed_File(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            names.push_back(From_Utf8(line));
    }
    return names;
}

bool Is_Removed(std::wstring_view prog_id)
{
    for (const std::wstring& name : Removed_Names())
        if (Equal_No_Case(name, prog_id))
            return true;
    return false;
}

const Automation_Class* Find_By_Name(std::wstring_view prog_id)
{
    for (const Automation_Class& entry : Classes())
        if (Equal_No_Case(entry.prog_id, prog_id))
            return &entry;
    return nullptr;
}

}  // namespace

void Register_Automation_Class(std::wstring_view prog_id, const CLSID& clsid, Automation_Factory factory)
{
    std::lock_guard lock(Registry_Mutex());
    auto& classes = Classes();
    classes.erase(std::remove_if(classes.begin(), classes.end(),
                                 [&](const Automation_Class& entry) { return Equal_No_Case(entry.prog_id, prog_id); }),
                  classes.end());
    classes.push_back({std::wstring(prog_id), clsid, factory});
}

bool Automation_Class_Installed(std::wstring_view prog_id)
{
    std::lock_guard lock(Registry_Mutex());
    return Find_By_Name(prog_id) != nullptr && !Is_Removed(prog_id);
}

void Set_Automation_Class_Installed(std::wstring_view prog_id, bool installed)
{
    std::lock_guard lock(Registry_Mutex());
    std::vector<std::wstring> names = Removed_Names();
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](const std::wstring& name) { return Equal_No_Case(name, prog_id); }),
                names.end());
    if (!installed)
        names.emplace_back(prog_id);
    std::ofstream out(Removed_File(), std::ios::binary | std::ios::trunc);
    for (const std::wstring& name : names)
        out << To_Utf8(name) << '\n';
}

}  // namespace platform

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, CLSID* lpclsid)
{
    if (lpszProgID == nullptr || lpclsid == nullptr)
        return E_INVALIDARG;
    std::lock_guard lock(platform::Registry_Mutex());
    const platform::Automation_Class* entry = platform::Find_By_Name(lpszProgID);
    if (entry == nullptr || platform::Is_Removed(lpszProgID))
        return CO_E_CLASSSTRING;
    *lpclsid = entry->clsid;
    return S_OK;
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter != nullptr)
        return CLASS_E_NOAGGREGATION;
    IDispatch* object = nullptr;
    {
        std::lock_guard lock(platform::Registry_Mutex());
        for (const platform::Automation_Class& entry : platform::Classes())
            if (entry.clsid == rclsid && !platform::Is_Removed(entry.prog_id)) {
                object = entry.factory(entry.prog_id);
                break;
            }
    }
    if (object == nullptr)
        return REGDB_E_CLASSNOTREG;
    HRESULT result = object->QueryInterface(riid, ppv);
    object->Release();
    return result;
}
