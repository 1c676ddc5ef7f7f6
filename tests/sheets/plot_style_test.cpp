// The plug-in's plot-style tables: installed from the templates into the host's plot-style
// folders when missing, a failed copy left for the next command to retry, and the edit of a
// table through the host's editor with the combo box refreshed afterwards.
#include "core/plot_config.h"
#include "ed/sysvars.h"
#include "mfc/afxwin.h"
#include "plot/host_programs.h"
#include "services_fixture.h"
#include "sheets/plot_styles.h"
#include "win/machine.h"

namespace {

const wchar_t* const Tables[3] = {L"黑白.ctb", L"彩色.ctb", L"蓝白.ctb"};

class Plot_Style_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        g_App_Folder = L"C:\\Korvel Test\\PLUGIN";
        for (int table = 1; table <= 3; ++table)
            Write_File(Template(table), "template " + std::to_string(table));
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(Host(L"C:\\Korvel Test"), ignored);
        Services_Test::TearDown();
    }

    static CString Template(int table)
    {
        CString path;
        path.Format(L"%s\\ZCAD%d.ccc", g_App_Folder.GetString(), table);
        return path;
    }
    static CString Folder(const wchar_t* name) { return CString(L"C:\\Korvel Test\\") + name; }
    static int Marks() { return g_Plot_Config.Ctb_Mark_1 * 100 + g_Plot_Config.Ctb_Mark_2 * 10 + g_Plot_Config.Ctb_Mark_3; }
};

TEST_F(Plot_Style_Test, Missing_Tables_Go_Into_The_Last_Folder_Examined)
{
    struct Case {
        const char* label;
        std::vector<std::pair<const wchar_t*, int>> present;  // folder, table
        const wchar_t* list;
        std::vector<std::pair<const wchar_t*, int>> copied;
        int marks;
        bool b_created;
    };
    const Case cases[] = {
        {"one folder with the colour table", {{L"A", 2}}, L"C:\\Korvel Test\\A", {{L"A", 1}, {L"A", 3}}, 606, false},
        {"spread over two folders", {{L"A", 1}, {L"A", 3}, {L"B", 2}}, L"C:\\Korvel Test\\A;C:\\Korvel Test\\B", {}, 0,
         true},
        {"all in the first folder", {{L"A", 1}, {L"A", 2}, {L"A", 3}}, L"C:\\Korvel Test\\A;C:\\Korvel Test\\B", {}, 0,
         false},
        {"none anywhere", {}, L"C:\\Korvel Test\\A;C:\\Korvel Test\\B\\",
         {{L"B", 1}, {L"B", 2}, {L"B", 3}}, 666, true},
        // A list ending in ";": the empty entry is no folder.
        {"trailing separator", {{L"A", 3}}, L"C:\\Korvel Test\\A;", {{L"A", 1}, {L"A", 2}}, 660, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::error_code ignored;
        std::filesystem::remove_all(Host(Folder(L"A")), ignored);
        std::filesystem::remove_all(Host(Folder(L"B")), ignored);
        g_Plot_Config = Plot_Config();
        for (const auto& [folder, table] : c.present)
            Write_File(Folder(folder) + L"\\" + Tables[table - 1], "own");
        g_Plot_Style_Folder = c.list;

        EXPECT_TRUE(Install_Ctb_Files());
        EXPECT_EQ(Marks(), c.marks);
        for (const auto& [folder, table] : c.copied)
            EXPECT_EQ(File_Bytes(Folder(folder) + L"\\" + Tables[table - 1]), "template " + std::to_string(table));
        for (const auto& [folder, table] : c.present)
            EXPECT_EQ(File_Bytes(Folder(folder) + L"\\" + Tables[table - 1]), "own");
        EXPECT_EQ(Exists(Folder(L"B")), c.b_created);
        int files = 0;
        for (const wchar_t* folder : {L"A", L"B"})
            for (const wchar_t* table : Tables)
                files += Exists(Folder(folder) + L"\\" + table) ? 1 : 0;
        EXPECT_EQ(files, static_cast<int>(c.present.size() + c.copied.size()));
    }
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Plot_Style_Test, A_Table_At_The_Destination_Is_Not_Overwritten)
{
    const CString destination = Folder(L"A") + L"\\黑白.ctb";
    Write_File(destination, "own");
    EXPECT_TRUE(Copy_Ctb_Template(destination, 1));
    EXPECT_EQ(File_Bytes(destination), "own");
    const CString fresh = Folder(L"A") + L"\\x.ctb";
    EXPECT_TRUE(Copy_Ctb_Template(fresh, 2));
    EXPECT_EQ(File_Bytes(fresh), "template 2");
}

TEST_F(Plot_Style_Test, A_Failed_Copy_Is_Tried_Again_By_The_Next_Command)
{
    g_Plot_Style_Folder = Folder(L"A");
    std::filesystem::remove(Host(Template(3)));
    EXPECT_FALSE(Install_Ctb_Files());
    EXPECT_EQ(Marks(), 660);
    EXPECT_FALSE(Exists(Folder(L"A") + L"\\蓝白.ctb"));

    Write_File(Template(3), "template 3");
    EXPECT_TRUE(Install_Ctb_Files());
    EXPECT_EQ(Marks(), 666);
    EXPECT_EQ(File_Bytes(Folder(L"A") + L"\\蓝白.ctb"), "template 3");

    // A folder the program may not write to: nothing is copied, no mark is set.
    g_Plot_Config = Plot_Config();
    g_Plot_Style_Folder = Folder(L"B");
    Write_File(Folder(L"B") + L"\\other.ctb", "x");
    platform::Machine::instance().deny_writes(Folder(L"B").GetString());
    const bool installed = Install_Ctb_Files();
    platform::Machine::instance().allow_writes(Folder(L"B").GetString());
    EXPECT_FALSE(installed);
    EXPECT_EQ(Marks(), 0);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Plot_Style_Test, An_Empty_Folder_List_Installs_Nothing)
{
    for (const wchar_t* list : {L"", L";", L";;"}) {
        g_Plot_Style_Folder = list;
        EXPECT_FALSE(Install_Ctb_Files());
        EXPECT_EQ(Marks(), 0);
    }
    EXPECT_FALSE(Exists(L"C:\\黑白.ctb"));
}

class Edit_Plot_Style_Test : public Plot_Style_Test {
public:
    void SetUp() override
    {
        Plot_Style_Test::SetUp();
        // The machine keeps a registered program while its file is there.
        std::error_code ignored;
        std::filesystem::remove(Host(g_Host_Folder + L"\\ZwPStyleEdit.exe"), ignored);
        // The host lists the tables of the same folders.
        g_Plot_Style_Folder = Folder(L"A") + L";" + Folder(L"B");
        ASSERT_EQ(zcedSetEnv(L"PrinterStyleSheetDir", g_Plot_Style_Folder.GetString()), RTNORM);
        Write_File(Folder(L"A") + L"\\彩色.ctb", "t");
        Write_File(Folder(L"B") + L"\\黑白.ctb", "t");
        Write_File(Folder(L"B") + L"\\彩色.ctb", "t");
        ASSERT_TRUE(Parent.CreateEx(0, nullptr, L"p", WS_POPUP, CRect(0, 0, 200, 200), nullptr, 0));
        ASSERT_TRUE(Combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 200), &Parent, 11));
        for (const wchar_t* entry : {L" --默认设置--", L" 黑白.ctb", L" 彩色.ctb"})
            Combo.AddString(entry);
    }
    void TearDown() override
    {
        Combo.DestroyWindow();
        Parent.DestroyWindow();
        Plot_Style_Test::TearDown();
    }

    // A stand-in for the host's editor: notes its parameters and, when asked, saves one more
    // table into the first folder.
    void Register_Editor(bool saves_a_table)
    {
        const std::string log = Host(Folder(L"editor.log")).string();
        std::string script = "echo \"$1\" >> '" + log + "'";
        if (saves_a_table)
            script += "; echo t > '" + Host(Folder(L"A")).string() + "/new.ctb'";
        platform::Machine::instance().register_program((g_Host_Folder + L"\\ZwPStyleEdit.exe").GetString(),
                                                       {"/bin/sh", "-c", script, "editor"});
    }
    std::vector<std::string> Combo_Entries()
    {
        std::vector<std::string> entries;
        for (int i = 0; i < Combo.GetCount(); ++i) {
            CString text;
            Combo.GetLBText(i, text);
            entries.push_back(platform::To_Utf8(text.GetString()));
        }
        return entries;
    }

    CWnd Parent;
    CComboBox Combo;
};

TEST_F(Edit_Plot_Style_Test, A_New_Table_Refills_The_Combo_And_Keeps_The_Edited_One)
{
    Register_Editor(true);
    int position = 0;
    Edit_Plot_Style(&Parent, L" 黑白.ctb", &Combo, position);
    EXPECT_EQ(File_Bytes(Folder(L"editor.log")), platform::To_Utf8((Folder(L"B") + L"\\黑白.ctb").GetString()) + "\n");
    EXPECT_EQ(Combo_Entries(), (std::vector<std::string>{" --默认设置--", " 黑白.ctb", " 彩色.ctb", " new.ctb"}));
    EXPECT_EQ(position, 0);

    // The first folder that has the table is the one edited.
    Register_Editor(true);
    position = 5;
    Edit_Plot_Style(&Parent, L" 彩色.ctb", &Combo, position);
    EXPECT_NE(File_Bytes(Folder(L"editor.log")).find(platform::To_Utf8((Folder(L"A") + L"\\彩色.ctb").GetString())),
              std::string::npos);
    EXPECT_EQ(position, 5);  // no table was added this time
}

TEST_F(Edit_Plot_Style_Test, The_Position_Follows_The_Table_In_The_New_List)
{
    Register_Editor(true);
    int position = 0;
    Edit_Plot_Style(&Parent, L" 彩色.ctb", &Combo, position);
    EXPECT_EQ(position, 1);
    EXPECT_EQ(Combo.GetCount(), 4);
}

TEST_F(Edit_Plot_Style_Test, Nothing_Happens_For_The_Default_Entry_Or_A_Missing_Table)
{
    Register_Editor(true);
    int position = 3;
    Edit_Plot_Style(&Parent, L" --默认设置--", &Combo, position);
    Edit_Plot_Style(&Parent, L" gone.ctb", &Combo, position);
    EXPECT_FALSE(Exists(Folder(L"editor.log")));
    EXPECT_EQ(Combo.GetCount(), 3);
    EXPECT_EQ(position, 3);
}

TEST_F(Edit_Plot_Style_Test, An_Editor_That_Cannot_Start_Still_Refreshes)
{
    // No editor in the host folder: the shell reports it, and the list is read again.
    Write_File(Folder(L"A") + L"\\later.ctb", "t");
    Answer_Boxes(1);
    int position = 0;
    Edit_Plot_Style(&Parent, L" 黑白.ctb", &Combo, position);
    EXPECT_EQ(Combo.GetCount(), 4);
    EXPECT_EQ(position, 0);
}

TEST_F(Edit_Plot_Style_Test, The_Hosts_Own_Editor_Opens_The_Table)
{
    if (!platform::Install_Host_Programs())
        GTEST_SKIP() << "the host's plot-style editor is not built";
    int position = 0;
    Edit_Plot_Style(&Parent, L" 黑白.ctb", &Combo, position);
    std::ifstream in(platform::Machine::instance().root() / "ZwPStyleEdit.log", std::ios::binary);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(log.find(platform::To_Utf8((Folder(L"B") + L"\\黑白.ctb").GetString())), std::string::npos);
}

}  // namespace
