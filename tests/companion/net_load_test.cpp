// The companion module loaded by the host's "_NetLoad" in-process: its commands carry
// out the jobs handed over in the drawing.
#include "companion_fixture.h"
#include "ed/command_stack.h"
#include "pdf_inspect.h"
#include "ed/sysvars.h"
#include "script/script_input.h"

namespace fs = std::filesystem;

namespace {

const std::wstring Pelorin = platform::From_Utf8(PELORIN_PATH);

int Net_Load(const std::wstring& path) { return zcedCommandS(RTSTR, L"_NetLoad", RTSTR, path.c_str(), RTNONE); }
int Run_Companion(const wchar_t* command) { return zcedCommandS(RTSTR, command, RTNONE); }

int Command_Count(const wchar_t* name)
{
    int count = 0;
    ZcEdCommandIterator* it = zcedRegCmds->iterator();
    for (; !it->done(); it->next())
        if (std::wstring(it->command()->globalName()) == name)
            ++count;
    delete it;
    return count;
}

void Set_FileDia(short value)
{
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = value;
    zcedSetVar(L"FILEDIA", &rb);
}

}  // namespace

TEST_F(Companion_Test, NetLoadAddsTheCommandsOnceAndTheyDoTheJobsOfTheDrawing)
{
    EXPECT_EQ(zcedRegCmds->lookupCmd(L"K_PDF_Merge"), nullptr);
    Set_FileDia(0);
    ASSERT_EQ(Net_Load(Pelorin), RTNORM);
    ASSERT_NE(zcedRegCmds->lookupCmd(L"K_PDF_Merge"), nullptr);
    ASSERT_NE(zcedRegCmds->lookupCmd(L"K_PDF_Rotate"), nullptr);
    // Loading it again adds nothing and reports nothing.
    EXPECT_EQ(Net_Load(Pelorin), RTNORM);
    EXPECT_EQ(Printed().find(L"Cannot load"), std::wstring::npos);
    EXPECT_EQ(Command_Count(L"K_PDF_Merge"), 1);

    // Windows paths of the machine in the records.
    const fs::path c_drive = *platform::Machine::instance().drive_folder(L'C');
    pdf_test::Make_Pdf(c_drive / "Temp" / "1.pdf", {{200, 300}});
    pdf_test::Make_Pdf(c_drive / "Temp" / "2.pdf", {{210, 300}});
    resbuf* merge = zcutBuildList(90, 2, 1, L"C:\\Out\\all.pdf", 1, L"c:\\temp\\1.pdf", 1, L"首页", 1,
                                  L"C:\\TEMP\\2.PDF", 1, L"S-02", RTNONE);
    fs::create_directories(c_drive / "Out");
    Write_Record(Working(), L"Merge_Infor", merge);
    zcutRelRb(merge);
    EXPECT_EQ(Run_Companion(L"K_PDF_Merge"), RTNORM);
    const auto merged = pdf_test::Inspect(c_drive / "Out" / "all.pdf");
    EXPECT_EQ(pdf_test::Widths(merged), (std::vector<int>{200, 210}));
    ASSERT_EQ(merged.outlines.size(), 2u);
    EXPECT_EQ(merged.outlines[0].title, "首页");
    EXPECT_EQ(merged.outlines[1].title, "S-02");
    EXPECT_NE(Printed().find(L"2 files merged into C:\\Out\\all.pdf"), std::wstring::npos) << platform::To_Utf8(Printed());

    resbuf* rotate = zcutBuildList(90, 270, 1, L"C:\\Out\\all.pdf", RTNONE);
    Write_Record(Working(), L"PDF_Rotate_Flag", rotate);
    zcutRelRb(rotate);
    EXPECT_EQ(Run_Companion(L"K_PDF_Rotate"), RTNORM);
    const auto rotated = pdf_test::Inspect(c_drive / "Out" / "all.pdf");
    ASSERT_EQ(rotated.pages.size(), 2u);
    EXPECT_EQ(rotated.pages[0].rotate, 270);
    EXPECT_EQ(rotated.pages[1].rotate, 270);
    EXPECT_EQ(rotated.outlines.size(), 2u);
}

TEST_F(Companion_Test, CommandsWithoutAJobSayWhatIsMissing)
{
    Set_FileDia(0);
    ASSERT_EQ(Net_Load(Pelorin), RTNORM);
    EXPECT_EQ(Run_Companion(L"K_PDF_Merge"), RTNORM);
    EXPECT_EQ(Run_Companion(L"K_PDF_Rotate"), RTNORM);
    EXPECT_NE(Printed().find(L"K_PDF_Merge: the drawing holds no Merge_Infor."), std::wstring::npos);
    EXPECT_NE(Printed().find(L"K_PDF_Rotate: the drawing holds no PDF_Rotate_Flag."), std::wstring::npos);

    // A count larger than the files the record holds.
    resbuf* merge = zcutBuildList(90, 3, 1, L"C:\\Out\\all.pdf", 1, L"C:\\1.pdf", 1, L"a", RTNONE);
    Write_Record(Working(), L"Merge_Infor", merge);
    zcutRelRb(merge);
    EXPECT_EQ(Run_Companion(L"K_PDF_Merge"), RTNORM);
    EXPECT_NE(Printed().find(L"Merge_Infor holds fewer files than it counts"), std::wstring::npos);
}

TEST_F(Companion_Test, NetLoadOfAMissingFileSaysSoAndAddsNothing)
{
    Set_FileDia(0);
    EXPECT_EQ(Net_Load(Text(m_Folder / "Pelorin.dll")), RTNORM);
    EXPECT_NE(Printed().find(L"Cannot load assembly."), std::wstring::npos);
    EXPECT_EQ(zcedRegCmds->lookupCmd(L"K_PDF_Merge"), nullptr);
    EXPECT_EQ(Run_Companion(L"K_PDF_Merge"), RTERROR);
}

TEST_F(Companion_Test, NetLoadTakesTheAssemblyFromTheFileDialog)
{
    Set_FileDia(1);
    platform::ScriptInput::instance().push_text("file \"" + std::string(PELORIN_PATH) + "\"\n");
    EXPECT_EQ(platform::Run_Command(L"NETLOAD"), platform::CommandOutcome::Ended);
    EXPECT_NE(zcedRegCmds->lookupCmd(L"K_PDF_Rotate"), nullptr);
}
