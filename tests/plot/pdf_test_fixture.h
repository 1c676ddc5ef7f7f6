// A host with the module loaded, the plug-in folder "C:\KORVEL" holding the files the
// build puts next to the module (companion, fallback program, library markers), and
// helpers to read the job records and make numbered PDFs.
#pragma once

#include <filesystem>

#include "pdf_inspect.h"
#include "core/editor_reactor.h"
#include "app/module_load.h"
#include "db/dbdict.h"
#include "db/dbobject.h"
#include "mfc/afxcoll.h"
#include "plot/pdf_merge.h"
#include "plot/pdf_rotate.h"
#include "rx/rxlinker.h"
#include "services_fixture.h"
#include "win/win_shell.h"

class Pdf_Part_Test : public Services_Test {
public:
    static constexpr const char* Plugin_Files[] = {"Pelorin.dll", "Jexa2.exe", "itextsharp.dll", "PdfSharp.dll"};

    void SetUp() override
    {
        Services_Test::SetUp();
        Load_Module();
        g_Plot_Config = Plot_Config();
        g_App_Folder = L"C:\\KORVEL";
        std::filesystem::create_directories(Host(g_App_Folder));
        for (const char* name : Plugin_Files)
            Install(name, g_App_Folder);
        platform::ShellLog.clear();
        platform::MessageBoxLog.clear();
        Titles().RemoveAll();
        m_Saved_List_Titles = g_Merge_List_Titles;
        g_Merge_List_Titles = [](int, CStringArray& titles) { titles.Copy(Titles()); };
    }
    void TearDown() override
    {
        if (zcrxDynamicLinker->isModuleLoaded(L"Pelorin.dll"))
            zcrxDynamicLinker->unloadModule(L"Pelorin.dll");
        g_Merge_List_Titles = m_Saved_List_Titles;
        g_Merged_Pdf_Path.Empty();
        std::filesystem::remove_all(Host(g_App_Folder));
        std::filesystem::remove(Host(g_Host_Folder + L"\\Pelorin.dll"));
        Services_Test::TearDown();
    }

    // The titles the sheet list gives the merge.
    static CStringArray& Titles()
    {
        static CStringArray titles;
        return titles;
    }

    // Copies a file of the built module's folder into a folder of the machine.
    static void Install(const char* name, const CString& folder)
    {
        std::filesystem::copy_file(std::filesystem::path(KORVEL_BINARY_DIR) / "zw2025" / name,
                                   Host(folder) / name, std::filesystem::copy_options::overwrite_existing);
    }
    static void Remove(const CString& path) { std::filesystem::remove(Host(path)); }

    // The items of the job record `key` as texts (integers in decimal); empty when there is none.
    static std::vector<std::wstring> Record_Items(const wchar_t* key)
    {
        std::vector<std::wstring> items;
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        ZcDbObject* named = nullptr;
        if (zcdbOpenObject(named, db->namedObjectsDictionaryId(), ZcDb::kForRead) != Zcad::eOk)
            return items;
        ZcDbObject* ours = nullptr;
        if (ZcDbDictionary::cast(named)->getAt(key, ours, ZcDb::kForRead) == Zcad::eOk) {
            ZcDbObject* record = nullptr;
            if (ZcDbDictionary::cast(ours)->getAt(key, record, ZcDb::kForRead) == Zcad::eOk) {
                resbuf* chain = nullptr;
                ZcDbXrecord::cast(record)->rbChain(&chain);
                for (resbuf* rb = chain; rb != nullptr; rb = rb->rbnext)
                    items.push_back(rb->restype == 90 ? std::to_wstring(rb->resval.rlong)
                                                      : std::wstring(rb->resval.rstring));
                zcutRelRb(chain);
                record->close();
            }
            ours->close();
        }
        named->close();
        return items;
    }

    // "<folder>\\1.pdf" ..: file i has one page of width 200 + 10 i points.
    static void Make_Numbered_Pdfs(const CString& folder, int count)
    {
        for (int i = 1; i <= count; ++i) {
            CString path;
            path.Format(L"%s\\%d.pdf", folder.GetString(), i);
            pdf_test::Make_Pdf(Host(path), {{200 + 10 * i, 300}});
        }
    }

    static std::vector<std::wstring> Box_Captions()
    {
        std::vector<std::wstring> captions;
        for (const auto& box : platform::MessageBoxLog)
            captions.push_back(box.caption);
        return captions;
    }

protected:
    // The product's lists, replaced by Titles() while a test runs.
    void (*m_Saved_List_Titles)(int, CStringArray&) = nullptr;
};
