// What each plotting command leaves on the host once it has run: the text variables PDFSHX
// and EPDFSHX, the background plot, the automatic plot log, CMDECHO, the printer folders read
// again and the plug-in's plot-style tables in the host's folder.
#include <filesystem>
#include <string>

#include "core/command_handlers.h"
#include "app/module_load.h"
#include "plot/plot_host_setup.h"
#include "core/program_folders.h"
#include "ed/sysvars.h"
#include "mfc/afxdll.h"
#include "mfc/message_queue.h"
#include "mfc/rc/resource_script.h"
#include "res/resource_script.h"
#include "services_fixture.h"

namespace {

class Plot_Host_Setup_Test : public Services_Test {
protected:
    void SetUp() override
    {
        Services_Test::SetUp();
        Load_Module();
        platform::Clear_Message_Queue();
        std::string error;
        ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error))
            << error;
        for (int table = 1; table <= 3; ++table)
            Write_File(Template(table), "template " + std::to_string(table));
        Init_Host_Printer_Folders();
        mHost_Config_Folder = g_Printer_Config_Folder;
        mHost_Style_Folder = g_Plot_Style_Folder;
    }
    void TearDown() override
    {
        for (int table = 1; table <= 3; ++table)
            std::filesystem::remove(Host(Template(table)));
        Remove_Tables();
        platform::Unregister_Resource_Script(AfxGetResourceHandle());
        platform::Clear_Message_Queue();
        Services_Test::TearDown();
    }

    static CString Template(int table)
    {
        CString path;
        path.Format(L"%s\\ZCAD%d.ccc", g_App_Folder.GetString(), table);
        return path;
    }
    CString Table_Path() const { return mHost_Style_Folder + L"\\黑白.ctb"; }
    void Remove_Tables() const
    {
        for (const wchar_t* name : {L"黑白.ctb", L"彩色.ctb", L"蓝白.ctb"})
            std::filesystem::remove(Host(mHost_Style_Folder + L"\\" + name));
    }
    static std::wstring Env(const wchar_t* name)
    {
        wchar_t value[256] = {0};
        return zcedGetEnv(name, value, 256) == RTNORM ? value : L"";
    }

    CString mHost_Config_Folder, mHost_Style_Folder;
};

TEST_F(Plot_Host_Setup_Test, Each_Plotting_Command_Leaves_The_Host_As_Its_Plots_Need)
{
    struct Case {
        const char* command;
        void (*handler)();
        const char* steps;  // end the command at its first question
        int shx;            // PDFSHX and EPDFSHX afterwards, from 1
        bool folders_read, tables_installed;
    } cases[] = {
        {"KV_DivezUrez_1", Plot_Single_Sheet, "esc\n", 0, true, true},
        {"KV_DivezUrez_2", Batch_Plot_To_Files, "esc\n", 0, true, true},
        {"KV_DivezUrez_4", Batch_Plot_By_TK, "msgbox OK\n", 0, true, true},  // an empty frame library
        // To paper the texts of SHX fonts stay as the user set them.
        {"KV_DivezUrez_5", Batch_Plot_To_Paper, "esc\n", 1, true, true},
        {"KV_DivezUrez_16", Old_Batch_Plot, "@IDD_DLG_BPLOT click IDCANCEL\n", 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        for (const wchar_t* name : {L"PDFSHX", L"EPDFSHX", L"CMDECHO"})
            Set_Var(name, 1);
        Set_Var(L"BACKGROUNDPLOT", 2);
        ASSERT_EQ(zcedSetEnv(L"AutomaticPlotLog", L"1"), RTNORM);
        g_Printer_Config_Folder = L"C:\\Stale\\Plotters";
        Remove_Tables();

        platform::ScriptInput::instance().push_text(c.steps);
        c.handler();
        EXPECT_TRUE(platform::ScriptInput::instance().empty());

        EXPECT_EQ(Var_Int(L"PDFSHX"), c.shx);
        EXPECT_EQ(Var_Int(L"EPDFSHX"), c.shx);
        EXPECT_EQ(Var_Int(L"BACKGROUNDPLOT"), 0);
        EXPECT_EQ(Env(L"AutomaticPlotLog"), L"0");
        EXPECT_EQ(Var_Int(L"CMDECHO"), 1) << "restored";
        EXPECT_EQ(g_Printer_Config_Folder, c.folders_read ? mHost_Config_Folder : CString(L"C:\\Stale\\Plotters"));
        EXPECT_EQ(Exists(Table_Path()), c.tables_installed);
    }
}

}  // namespace
