// The host's linetype files and loading linetypes from them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "db/linetype_file.h"
#include "win/machine.h"
#include "win/win_codepage.h"
#include "win/win_files.h"

namespace {

class LinetypeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::Machine::instance().set_root(m_Root);
        db = new ZcDbDatabase(true, true);
    }
    void TearDown() override
    {
        delete db;
        std::error_code ignored;
        std::filesystem::remove_all(m_Root, ignored);
    }

    // Dash lengths of the database's record; empty when it has none.
    std::vector<double> Dashes(const wchar_t* name, std::wstring* comments = nullptr) { return Dashes_Of(db, name, comments); }
    static std::vector<double> Dashes_Of(ZcDbDatabase* in, const wchar_t* name, std::wstring* comments = nullptr)
    {
        ZcDbLinetypeTable* table = nullptr;
        EXPECT_EQ(in->getLinetypeTable(table), Zcad::eOk);
        ZcDbLinetypeTableRecord* record = nullptr;
        Zcad::ErrorStatus es = table->getAt(name, record, ZcDb::kForRead);
        table->close();
        std::vector<double> dashes;
        if (es != Zcad::eOk)
            return dashes;
        for (int i = 0; i < record->numDashes(); ++i)
            dashes.push_back(record->dashLengthAt(i));
        if (comments != nullptr) {
            const wchar_t* text = nullptr;
            record->comments(text);
            *comments = text != nullptr ? text : L"";
        }
        record->close();
        return dashes;
    }

    const std::filesystem::path m_Root =
        std::filesystem::temp_directory_path() / ("korvel_lin_" + std::to_string(getpid()));
    ZcDbDatabase* db = nullptr;
};

TEST_F(LinetypeFileTest, HostFilesAreWrittenIntoTheSupportFolderOnFirstUse)
{
    const std::wstring folder = platform::Host_Support_Folder();
    EXPECT_EQ(folder, platform::Machine::instance().program_folder() + L"\\Support");
    EXPECT_FALSE(PathFileExistsW((folder + L"\\acad.lin").c_str()));
    EXPECT_EQ(zcdbLoadLineTypeFile(db, L"DASHED", L"acad.lin"), Zcad::eOk);
    EXPECT_TRUE(PathFileExistsW((folder + L"\\acad.lin").c_str()));
    EXPECT_TRUE(PathFileExistsW((folder + L"\\acadiso.lin").c_str()));
}

// A host file cut short by a full disk is never left to be taken for the whole file: it is
// written whole on the next use.
TEST_F(LinetypeFileTest, AHostFileThatCannotBeWrittenWholeIsNotLeftHalfWritten)
{
    const std::wstring folder = platform::Host_Support_Folder();
    CreateDirectoryW(folder.c_str(), nullptr);
    platform::Machine::instance().set_disk_free(folder, 200);
    EXPECT_FALSE(platform::Install_Host_Linetype_Files());
    EXPECT_FALSE(PathFileExistsW((folder + L"\\acad.lin").c_str()));
    EXPECT_NE(zcdbLoadLineTypeFile(db, L"DASHED", L"acad.lin"), Zcad::eOk);
    platform::Machine::instance().set_disk_free(folder, std::nullopt);
    EXPECT_EQ(zcdbLoadLineTypeFile(db, L"DASHED", L"acad.lin"), Zcad::eOk);
    EXPECT_EQ(Dashes(L"DASHED").size(), 2u);
}

TEST_F(LinetypeFileTest, EveryPatternAndVariantLoadsFromBothFiles)
{
    const wchar_t* names[] = {L"DASHED", L"HIDDEN", L"CENTER", L"DASHDOT", L"PHANTOM",
                              L"DOT", L"BORDER", L"DIVIDE"};
    for (const wchar_t* base : names) {
        for (const wchar_t* suffix : {L"", L"2", L"X2"}) {
            std::wstring name = std::wstring(base) + suffix;
            ZcDbDatabase inch(true, true), iso(true, true);
            ASSERT_EQ(zcdbLoadLineTypeFile(&inch, name.c_str(), L"acad.lin"), Zcad::eOk);
            ASSERT_EQ(zcdbLoadLineTypeFile(&iso, name.c_str(), L"acadiso.lin"), Zcad::eOk);
            std::vector<double> inches = Dashes_Of(&inch, name.c_str());
            std::vector<double> mm = Dashes_Of(&iso, name.c_str());
            ASSERT_FALSE(inches.empty());
            ASSERT_EQ(inches.size(), mm.size());
            for (size_t i = 0; i < inches.size(); ++i)
                EXPECT_NEAR(mm[i], inches[i] * 25.4, 1e-3);
        }
    }
}

TEST_F(LinetypeFileTest, VariantsScaleTheirPattern)
{
    ASSERT_EQ(zcdbLoadLineTypeFile(db, L"CENTER*", L"acad.lin"), Zcad::eOk);
    std::wstring comments;
    std::vector<double> plain = Dashes(L"CENTER", &comments);
    std::vector<double> half = Dashes(L"center2");
    std::vector<double> twice = Dashes(L"CENTERX2");
    EXPECT_EQ(comments.rfind(L"Center", 0), 0u);
    ASSERT_EQ(plain.size(), 4u);
    ASSERT_EQ(half.size(), 4u);
    ASSERT_EQ(twice.size(), 4u);
    for (size_t i = 0; i < plain.size(); ++i) {
        EXPECT_NEAR(half[i], plain[i] / 2, 1e-9);
        EXPECT_NEAR(twice[i], plain[i] * 2, 1e-9);
    }
    ZcDbLinetypeTable* table = nullptr;
    ASSERT_EQ(db->getLinetypeTable(table), Zcad::eOk);
    ZcDbLinetypeTableRecord* record = nullptr;
    ASSERT_EQ(table->getAt(L"CENTER", record, ZcDb::kForRead), Zcad::eOk);
    table->close();
    double length = 0;
    for (double d : plain)
        length += std::fabs(d);
    EXPECT_NEAR(record->patternLength(), length, 1e-9);
    record->close();
}

TEST_F(LinetypeFileTest, StatusesOfLoadsThatAddNothing)
{
    struct Case {
        const char* what;
        const wchar_t* name;
        const wchar_t* file;
        Zcad::ErrorStatus expected;
    };
    ASSERT_EQ(zcdbLoadLineTypeFile(db, L"HIDDEN", L"acad.lin"), Zcad::eOk);
    const Case cases[] = {
        {"already loaded", L"hidden", L"acad.lin", Zcad::eDuplicateRecordName},
        {"Continuous is built in", L"Continuous", L"acadiso.lin", Zcad::eDuplicateRecordName},
        {"not in the file", L"ZIGZAG", L"acad.lin", Zcad::eKeyNotFound},
        {"no such file", L"DASHED", L"other.lin", Zcad::eFileNotFound},
        {"empty name", L"", L"acad.lin", Zcad::eInvalidInput},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(zcdbLoadLineTypeFile(db, c.name, c.file), c.expected);
    }
    EXPECT_EQ(zcdbLoadLineTypeFile(nullptr, L"DASHED", L"acad.lin"), Zcad::eNoDatabase);
}

TEST_F(LinetypeFileTest, AFileOfTheCallersOwnByPath)
{
    const std::wstring path = platform::Machine::instance().documents_folder() + L"\\mine.lin";
    std::ofstream(platform::To_Host_Path(path))
        << ";; test\n*ZIG,Zig __ . __\nA,1.5,-0.5,0,-0.5\n"
           "*BROKEN\n*SHAPED,With a text\nA,1,[\"X\",STANDARD],-1\n"
           "*GAS,Gas ---GAS---\nA,.5,-.2,[\"GAS\",STANDARD,S=.1,R=0.0,X=-0.1,Y=-.05],-.25\n"
           "*TRACK,With shapes\nA,.15,[TRACK1,ltypeshp.shx,S=.25],.15\n";
    ASSERT_EQ(zcdbLoadLineTypeFile(db, L"*", path.c_str()), Zcad::eOk);
    EXPECT_EQ(Dashes(L"ZIG"), (std::vector<double>{1.5, -0.5, 0, -0.5}));
    // A text belongs to the element before it; the elements after it stay in the pattern.
    EXPECT_EQ(Dashes(L"SHAPED"), (std::vector<double>{1, -1}));
    EXPECT_EQ(Dashes(L"GAS"), (std::vector<double>{0.5, -0.2, -0.25}));
    // Shapes need their shape files, which are not read: such a linetype is not loaded.
    EXPECT_TRUE(Dashes(L"TRACK").empty());

    ZcDbLinetypeTable* table = nullptr;
    ASSERT_EQ(db->getLinetypeTable(table), Zcad::eOk);
    ZcDbLinetypeTableRecord* gas = nullptr;
    ASSERT_EQ(table->getAt(L"GAS", gas, ZcDb::kForRead), Zcad::eOk);
    table->close();
    const wchar_t* text = nullptr;
    ASSERT_EQ(gas->textAt(1, text), Zcad::eOk);
    EXPECT_STREQ(text, L"GAS");
    EXPECT_DOUBLE_EQ(gas->shapeScaleAt(1), 0.1);
    EXPECT_DOUBLE_EQ(gas->shapeOffsetAt(1).x, -0.1);
    EXPECT_DOUBLE_EQ(gas->shapeOffsetAt(1).y, -0.05);
    EXPECT_EQ(gas->shapeStyleAt(1), db->textstyle());
    ASSERT_EQ(gas->textAt(0, text), Zcad::eOk);
    EXPECT_STREQ(text, L"");
    gas->close();
}

// A user's file is in the ANSI code page (CP936), in a folder with a Chinese name.
TEST_F(LinetypeFileTest, ChineseNamesAndDescriptionsOfAFileInTheAnsiCodePage)
{
    const std::wstring folder = platform::Machine::instance().documents_folder() + L"\\线型 资料";
    std::filesystem::create_directories(platform::To_Host_Path(folder));
    const std::wstring path = folder + L"\\中文.lin";
    std::ofstream(platform::To_Host_Path(path), std::ios::binary)
        << platform::To_Ansi(L";; 线型\r\n*虚线,虚线 __ __ __\r\nA,2,-1\r\n*DOT2,点 . . .\r\nA,0,-0.5\r\n");
    ASSERT_EQ(zcdbLoadLineTypeFile(db, L"*", path.c_str()), Zcad::eOk);
    std::wstring comments;
    EXPECT_EQ(Dashes(L"虚线", &comments), (std::vector<double>{2, -1}));
    EXPECT_EQ(comments, L"虚线 __ __ __");
    EXPECT_EQ(Dashes(L"DOT2", &comments), (std::vector<double>{0, -0.5}));
    EXPECT_EQ(comments, L"点 . . .");
}

}  // namespace
