// Program settings: the settings file "BPlot_Cfg_ZCAD.cfg" round trip, the fields
// each older stamp holds, repairs, and files cut short.
#include <functional>
#include <vector>

#include "core/ini_lists.h"
#include "core/plot_config.h"
#include "core/version_stamp.h"
#include "ed/command_line.h"
#include "services_fixture.h"

namespace {

struct Config_Change {
    int32_t since;
    int tokens;  // values it stores
    std::function<void(Plot_Config&)> set;
};

const std::vector<Config_Change>& Changes()
{
    static const std::vector<Config_Change> changes = {
        {0, 1, [](Plot_Config& c) { c.Single_Pick_Mode = 1; }},
        {0, 1, [](Plot_Config& c) { c.Merge_Pdf = 1; }},
        {20210124, 1, [](Plot_Config& c) { c.Ask_File_Name = 1; }},
        {20210124, 1, [](Plot_Config& c) { c.Dwg_As_Block = 0; }},
        {20210212, 1, [](Plot_Config& c) { c.Sign_Lib_Path = L"D:\\签名 库\\my.kvlib1"; }},
        {20210212, 1, [](Plot_Config& c) { c.Stamp_Lib_Path = L"D:\\印章.KVLIB2"; }},
        {20210400, 1, [](Plot_Config& c) { c.Plot_Lineweights = 0; }},
        {20210400, 1, [](Plot_Config& c) { c.Plot_Transparency = 1; }},
        {20210414, 1, [](Plot_Config& c) { c.Stamp_Jitter = 1; }},
        {20211225, 1, [](Plot_Config& c) { c.Open_Folder = 0; }},
        {20211225, 1, [](Plot_Config& c) { c.Vector_Res = 90; }},
        {20220409, 1, [](Plot_Config& c) { c.Plot_Stamp = 1; }},
        {20220409, 1, [](Plot_Config& c) { c.Text_As_Geometry = 1; }},
        {20220409, 1, [](Plot_Config& c) { c.Line_Overlay = 0; }},
        {20220409, 1, [](Plot_Config& c) { c.Frames_Loose_Lines = 0; }},
        {20220409, 1, [](Plot_Config& c) { c.Frames_All_Blocks = 0; }},
        {20220409, 1, [](Plot_Config& c) { c.Frames_Rect_Blocks = 1; }},
        {20220606, 1, [](Plot_Config& c) { c.Custom_Paper_W = 1000; }},
        {20220606, 1, [](Plot_Config& c) { c.Custom_Paper_H = 707; }},
        {20220606, 1, [](Plot_Config& c) { c.Open_Merged_Pdf = 0; }},
        {20220614, 1, [](Plot_Config& c) { c.Plot_Outer_Line = 1; }},
        {20220614, 7, [](Plot_Config& c) { for (int i = 0; i < 7; ++i) c.Multi_Dwg_Defaults[i] = 10 + i; }},
        {20220711, 1, [](Plot_Config& c) { c.Skip_Empty_Frames = 0; }},
        {20220806, 1, [](Plot_Config& c) { c.Raster_Res = 30; }},
        {20221003, 1, [](Plot_Config& c) { c.Ctb_Mark_1 = 6; }},
        {20221003, 1, [](Plot_Config& c) { c.Ctb_Mark_2 = 6; }},
        {20221003, 1, [](Plot_Config& c) { c.Stamps_Behind = 1; }},
        {20221026, 1, [](Plot_Config& c) { c.Ctb_Mark_3 = 6; }},
        {20221031, 1, [](Plot_Config& c) { c.Raster_Dpi = 300; }},
        {20221126, 1, [](Plot_Config& c) { c.Pdf_Orientation = 2; }},
        {20221126, 1, [](Plot_Config& c) { c.Pdf_Rotate_270 = 1; }},
        {20230509, 1, [](Plot_Config& c) { c.Last_Style = L"蓝白.ctb"; }},
        {20230526, 1, [](Plot_Config& c) { c.Outer_Margin_Mode = 2; }},
        {20230526, 1, [](Plot_Config& c) { c.Outer_Margin = 12.5; }},
        {20230526, 1, [](Plot_Config& c) { c.Outer_Margin_Percent = 7.25; }},
        {20230526, 1, [](Plot_Config& c) { c.TK_Insert_Mode = 3; }},
        {20230612, 1, [](Plot_Config& c) { c.TK_Folder = L"E:\\图框 库"; }},
        {20230612, 1, [](Plot_Config& c) { c.Outer_Sqrt2 = 1; }},
        {20231215, 5,
         [](Plot_Config& c) {
             c.Set_Value(L"HP LaserJet.pc5", L"KV_A3");
             c.Set_Value(L"打印机 2", L"KV_A1 加长");
         }},
        {20250225, 1, [](Plot_Config& c) { c.Sign_Fill_Style = 2; }},
        {20250516, 1, [](Plot_Config& c) { c.Shx_Font = L"txt.shx"; }},
        {20250516, 1, [](Plot_Config& c) { c.Shx_Big_Font = L"hztxt.shx"; }},
        {20250905, 1, [](Plot_Config& c) { c.Layer_Info = 0; }},
        {20250910, 1, [](Plot_Config& c) { c.Default_Style_Mode = 2; }},
        {20250910, 1, [](Plot_Config& c) { c.Default_Style_Name = L"黑白.ctb"; }},
        {20251101, 1, [](Plot_Config& c) { c.TK_Scale_Step = 5; }},
        {20251101, 1, [](Plot_Config& c) { c.TK_Scale_Custom = 1; }},
        {20251101, 1, [](Plot_Config& c) { c.TK_Text_Pos = 0; }},
    };
    return changes;
}

class Plot_Config_Test : public Services_Test {
public:
    void SetUp() override
    {
        Services_Test::SetUp();
        // The profile is set up already: loading resets nothing.
        Ini_Lists lists;
        lists.Load();
        lists.Save();
    }

    // The settings as loaded from no file, then changed as of the stamp.
    static void Make_Changed(Plot_Config& config, int32_t stamp)
    {
        std::filesystem::remove(Host(Plot_Config::File_Path()));
        config = Plot_Config();
        config.Load();
        config.Option.Output_Type = 3;
        config.Option.Style_Name = L"彩色.ctb";
        config.Shortcuts.Add(7, L"QM");
        config.Shortcuts.Add(22, L"打印");
        for (const Config_Change& change : Changes())
            if (stamp > change.since)
                change.set(config);
    }
    // The file the settings write.
    static std::string Saved(Plot_Config& config)
    {
        EXPECT_TRUE(config.Save(false));
        return File_Bytes(Plot_Config::File_Path());
    }
    static std::string Saved_Changed(int32_t stamp)
    {
        Plot_Config config;
        Make_Changed(config, stamp);
        return Saved(config);
    }
    // Loads the settings file into fresh settings and writes them again.
    static std::string Reloaded()
    {
        Plot_Config config;
        config.Load();
        return Saved(config);
    }
    static std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
};

TEST_F(Plot_Config_Test, ASecondLoadRestoresEveryField)
{
    const std::string defaults = Saved_Changed(0);
    Plot_Config config;
    Make_Changed(config, Program_Version_Stamp);
    const std::string saved = Saved(config);
    EXPECT_NE(saved, defaults);
    EXPECT_EQ(Reloaded(), saved);

    Plot_Config loaded;
    loaded.Load();
    EXPECT_STREQ(loaded.Sign_Lib_Path, L"D:\\签名 库\\my.kvlib1");
    EXPECT_STREQ(loaded.TK_Folder, L"E:\\图框 库");
    EXPECT_STREQ(loaded.Get_Value(L"hp laserjet.PC5"), L"KV_A3");
    EXPECT_STREQ(loaded.Get_Value(L"打印机 2"), L"KV_A1 加长");
    EXPECT_STREQ(loaded.Get_Value(L"none"), L"");
    ASSERT_EQ(loaded.Shortcuts.Count(), 2);
    EXPECT_STREQ(loaded.Shortcuts.Name(1), L"打印");
    EXPECT_DOUBLE_EQ(loaded.Outer_Margin_Percent, 7.25);
}

TEST_F(Plot_Config_Test, TheFileIsInTheAnsiCodePageWithCrLfLines)
{
    Plot_Config config;
    Make_Changed(config, Program_Version_Stamp);
    const std::string saved = Saved(config);
    EXPECT_EQ(saved.rfind(std::to_string(Program_Version_Stamp) + "\r\n", 0), 0u);
    EXPECT_NE(saved.find("\r\n" + platform::To_Ansi(L"E:\\图框*?*库") + "\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\n" + platform::To_Ansi(L"打印") + "\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("\n\n"), std::string::npos);
}

TEST_F(Plot_Config_Test, OlderStampsRestoreOnlyTheFieldsOfTheirDate)
{
    const std::vector<std::string> full = Lines(Saved_Changed(Program_Version_Stamp));
    // Stamp, the option block (stamp and 44 values), the two aliases.
    const size_t header = 1 + 45 + 5;
    const int32_t stamps[] = {20200101, 20210124, 20210125, 20210212, 20210400, 20210401, 20210414,
                              20211225, 20220409, 20220606, 20220607, 20220614, 20220711, 20220806,
                              20221003, 20221026, 20221031, 20221126, 20230509, 20230526, 20230612,
                              20231215, 20231216, 20250225, 20250516, 20250905, 20250910, 20251101,
                              20251102};
    for (int32_t stamp : stamps) {
        SCOPED_TRACE(stamp);
        size_t kept = header;
        for (const Config_Change& change : Changes())
            kept += stamp > change.since ? change.tokens : 0;
        std::string old_file = std::to_string(stamp) + "\n";
        for (size_t i = 1; i < kept && i < full.size(); ++i)
            old_file += full[i] + "\n";
        Write_File(Plot_Config::File_Path(), old_file);
        const std::string reloaded = Reloaded();
        EXPECT_EQ(reloaded, Saved_Changed(stamp));
    }
}

TEST_F(Plot_Config_Test, LibraryPathsAndTheTitleBlockFolderAreRepaired)
{
    const struct {
        const wchar_t* sign;
        const wchar_t* stamp;
        const wchar_t* tk_folder;
        const wchar_t* sign_read;   // empty: the default
        const wchar_t* stamp_read;
    } cases[] = {
        {L"D:\\a.kvlib1", L"D:\\a.kvlib2", L"F:\\tk", L"D:\\a.kvlib1", L"D:\\a.kvlib2"},
        {L"x.KVLIB1", L"D:\\a.png", L"", L"x.KVLIB1", L""},
        {L".kvlib1", L"kvlib2", L"F:\\tk", L"", L""},
        {L"D:\\a.kvlib2", L"D:\\a.kvlib1", L"", L"", L""},
    };
    for (const auto& c : cases) {
        Plot_Config config;
        Make_Changed(config, Program_Version_Stamp);
        config.Sign_Lib_Path = c.sign;
        config.Stamp_Lib_Path = c.stamp;
        config.TK_Folder = c.tk_folder;
        Saved(config);
        Plot_Config loaded;
        loaded.Load();
        EXPECT_STREQ(loaded.Sign_Lib_Path, *c.sign_read ? CString(c.sign_read) : g_Config_Folder + L"\\Sign.kvlib1");
        EXPECT_STREQ(loaded.Stamp_Lib_Path,
                     *c.stamp_read ? CString(c.stamp_read) : g_Config_Folder + L"\\Stamp.kvlib2");
        EXPECT_STREQ(loaded.TK_Folder, *c.tk_folder ? CString(c.tk_folder) : g_App_Folder + L"\\Frame");
    }
}

TEST_F(Plot_Config_Test, AliasesThatCannotBeReadBackAreLeftOutSoNothingShifts)
{
    Plot_Config config;
    Make_Changed(config, Program_Version_Stamp);
    const std::string expected = Saved(config);
    config.Shortcuts.Add(3, L"");
    config.Shortcuts.Add(4, L"two words");
    EXPECT_EQ(Saved(config), expected);
    EXPECT_EQ(Reloaded(), expected);
}

TEST_F(Plot_Config_Test, StoredAliasesWithoutNameOrCommandAreDropped)
{
    std::vector<std::string> lines = Lines(Saved_Changed(Program_Version_Stamp));
    // Aliases: count, 7, QM, 22, 打印 -> 7 with an unknown command, 22 kept.
    lines[46] = "3";
    lines[47] = "99";
    lines.insert(lines.begin() + 51, {"5", "QM"});
    std::string file;
    for (const std::string& line : lines)
        file += line + "\n";
    Write_File(Plot_Config::File_Path(), file);
    Plot_Config loaded;
    loaded.Load();
    ASSERT_EQ(loaded.Shortcuts.Count(), 2);
    EXPECT_EQ(loaded.Shortcuts.Number(0), 22);
    EXPECT_EQ(loaded.Shortcuts.Number(1), 5);
    EXPECT_STREQ(loaded.Shortcuts.Name(1), L"QM");
    EXPECT_EQ(loaded.Single_Pick_Mode, 1);  // the fields after the aliases stay in place
}

TEST_F(Plot_Config_Test, FilesCutShortOrWithWildCountsStopCleanly)
{
    const std::string full = Saved_Changed(Program_Version_Stamp);
    for (size_t cut = 0; cut < full.size(); cut += 37) {
        Write_File(Plot_Config::File_Path(), full.substr(0, cut));
        Plot_Config loaded;
        loaded.Load();  // stops where the file ends
        if (cut < full.size() / 2) {
            EXPECT_EQ(loaded.TK_Text_Pos, 2) << cut;
        }
    }
    std::vector<std::string> lines = Lines(full);
    for (const char* count : {"2000000000", "-1", "x"}) {
        lines[46] = count;
        std::string file;
        for (const std::string& line : lines)
            file += line + "\n";
        Write_File(Plot_Config::File_Path(), file);
        Plot_Config loaded;
        loaded.Load();
        EXPECT_EQ(loaded.Shortcuts.Count(), 0) << count;
        EXPECT_EQ(loaded.Single_Pick_Mode, 0) << count;
        EXPECT_EQ(loaded.Option.Output_Type, 3) << count;
    }
}

// The bytes of lines, each ended by CR LF as the writer ends them.
std::string Crlf_Text(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// A settings file that is there but cannot be read whole: the load says so on the
// command line and keeps the file as "<name>.bad", so the next save loses nothing.
TEST_F(Plot_Config_Test, AFileThatCannotBeReadWholeIsKeptAsideAndNamed)
{
    const CString path = Plot_Config::File_Path();
    const CString kept = path + L".bad";
    const std::wstring message = L"\n文件 < " + std::wstring(path.GetString()) +
                                 L" > 无法完整读取，未读入的设置取默认值；原文件另存为 < " + kept.GetString() + L" >。";
    const std::vector<std::string> full = Lines(Saved_Changed(Program_Version_Stamp));
    std::vector<std::string> damaged;
    for (size_t count = 0; count < full.size(); ++count)  // cut after every line
        damaged.push_back(Crlf_Text(std::vector<std::string>(full.begin(), full.begin() + count)));
    for (const size_t line : {size_t{0}, size_t{1}, size_t{46}, full.size() - 1}) {  // a number unreadable
        std::vector<std::string> lines = full;
        lines[line] = "x";
        damaged.push_back(Crlf_Text(lines));
    }
    damaged.push_back(std::string(200, '\0'));

    for (const std::string& bytes : damaged) {
        Write_File(path, bytes);
        platform::CommandLine::instance().clear();
        Plot_Config loaded;
        loaded.Load();
        EXPECT_EQ(Printed(), message) << bytes;
        EXPECT_EQ(File_Bytes(kept), bytes);
        EXPECT_FALSE(Exists(path));
        std::filesystem::remove(Host(kept));
    }

    // Whole files are no damage: the current one, one of an older stamp, one with
    // values a later version added, and no file at all.
    std::vector<std::string> older = full;
    older[0] = "20220606";
    older.resize(1 + 45 + 5 + 17);
    std::vector<std::string> longer = full;
    longer.insert(longer.end(), {"1", "later"});
    for (const std::string& bytes : {Crlf_Text(full), Crlf_Text(older), Crlf_Text(longer), std::string()}) {
        if (bytes.empty())
            std::filesystem::remove(Host(path));
        else
            Write_File(path, bytes);
        platform::CommandLine::instance().clear();
        Plot_Config loaded;
        loaded.Load();
        EXPECT_EQ(Printed(), L"") << bytes;
        EXPECT_FALSE(Exists(kept));
        EXPECT_EQ(File_Bytes(path), bytes);
    }
}

TEST_F(Plot_Config_Test, AnOlderKeptFileIsNeverReplaced)
{
    const CString path = Plot_Config::File_Path();
    const char* const damaged[] = {"first", "second", "third"};
    for (const char* bytes : damaged) {
        Write_File(path, bytes);
        Plot_Config loaded;
        loaded.Load();
    }
    EXPECT_EQ(File_Bytes(path + L".bad"), "first");
    EXPECT_EQ(File_Bytes(path + L".2.bad"), "second");
    EXPECT_EQ(File_Bytes(path + L".3.bad"), "third");
    EXPECT_NE(Printed().find(L"原文件另存为 < " + std::wstring(path.GetString()) + L".3.bad >。"), std::wstring::npos);
}

TEST_F(Plot_Config_Test, AFileThatCannotBeKeptAsideStaysAndIsStillNamed)
{
    const CString path = Plot_Config::File_Path();
    Write_File(path, "damaged");
    platform::Machine::instance().deny_writes(g_Config_Folder.GetString());
    Plot_Config loaded;
    loaded.Load();
    platform::Machine::instance().allow_writes(g_Config_Folder.GetString());
    EXPECT_EQ(Printed(), L"\n文件 < " + std::wstring(path.GetString()) + L" > 无法完整读取，未读入的设置取默认值。");
    EXPECT_EQ(File_Bytes(path), "damaged");
}

TEST_F(Plot_Config_Test, EnumerationsOutOfRangeAreRepaired)
{
    Plot_Config config;
    Make_Changed(config, Program_Version_Stamp);
    config.Single_Pick_Mode = 5;
    config.Pdf_Orientation = -1;
    config.Outer_Margin_Mode = 3;
    config.Default_Style_Mode = 7;
    config.Vector_Res = 95;
    config.Raster_Res = -2;
    Saved(config);
    Plot_Config loaded;
    loaded.Load();
    EXPECT_EQ(loaded.Single_Pick_Mode, 0);
    EXPECT_EQ(loaded.Pdf_Orientation, 0);
    EXPECT_EQ(loaded.Outer_Margin_Mode, 0);
    EXPECT_EQ(loaded.Default_Style_Mode, 0);
    EXPECT_EQ(loaded.Vector_Res, 43);
    EXPECT_EQ(loaded.Raster_Res, 10);
}

TEST_F(Plot_Config_Test, ASaveIntoADeniedFolderIsReportedWhenAsked)
{
    platform::Machine::instance().deny_writes(g_Config_Folder.GetString());
    Plot_Config config;
    const bool quiet = config.Save(false);
    Answer_Boxes(1);
    const bool reported = config.Save(true);
    platform::Machine::instance().allow_writes(g_Config_Folder.GetString());
    EXPECT_FALSE(quiet);
    EXPECT_FALSE(reported);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(Plot_Config::File_Path().GetString()), std::wstring::npos);
}

TEST(Slider_To_Dpi, FollowsTheSliderRule)
{
    const int cases[][2] = {{-3, 100}, {0, 100}, {1, 110}, {10, 200}, {11, 220}, {35, 700},
                            {36, 750}, {43, 1100}, {71, 2500}, {72, 2600}, {94, 4800}, {95, 4800}};
    for (const auto& c : cases)
        EXPECT_EQ(Slider_To_Dpi(c[0]), c[1]) << c[0];
}

}  // namespace
