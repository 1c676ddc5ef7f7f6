// Pattern hatches whose drawing file carries no pattern lines take them from the host's
// "acad.pat" / "acadiso.pat" (tests/fixtures/gen_hatch_patterns.py writes each hatch twice:
// with the lines ezdxf's own tables give, and bare): the same families, the same ink.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "db/dbhatch.h"
#include "db/hatch_pattern_file.h"
#include "db/linetype_file.h"
#include "dxf/dxf_reader.h"
#include "render_test_drawing.h"
#include "script/utf8.h"
#include "win/machine.h"
#include "win/win_files.h"
#include "ink_compare.h"
#include "ink_plot.h"

namespace {

std::string Pattern_Fixture(const std::string& name) { return std::string(KORVEL_SOURCE_DIR) + "/tests/fixtures/dxf/" + name; }

struct Family {
    double angle, baseX, baseY, offsetX, offsetY;
    std::vector<double> dashes;
};

class HatchPatternFiles : public ::testing::Test {
protected:
    void SetUp() override { platform::Machine::instance().set_root(root); }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    static std::unique_ptr<ZcDbDatabase> Read(const std::string& name)
    {
        auto db = std::make_unique<ZcDbDatabase>(false, true);
        platform::DxfReadReport report;
        if (platform::Read_Dxf_File(db.get(), platform::From_Utf8(Pattern_Fixture(name)), &report) != Zcad::eOk) return nullptr;
        return db;
    }

    // The pattern families of each hatch by its layer's name.
    static std::map<std::string, std::vector<Family>> Families(ZcDbDatabase* db)
    {
        std::map<std::string, std::vector<Family>> out;
        ZcDbObjectPointer<ZcDbBlockTableRecord> space(db->modelSpaceId());
        for (const ZcDbObjectId& id : space->entityIds()) {
            ZcDbObjectPointer<ZcDbHatch> hatch(id);
            if (hatch.openStatus() != Zcad::eOk) continue;
            wchar_t* layer = hatch->layer();
            std::vector<Family>& families = out[platform::To_Utf8(layer)];
            delete[] layer;
            for (int i = 0; i < hatch->numPatternDefinitions(); ++i) {
                Family f;
                ZcGeDoubleArray dashes;
                hatch->getPatternDefinitionAt(i, f.angle, f.baseX, f.baseY, f.offsetX, f.offsetY, dashes);
                for (int k = 0; k < dashes.length(); ++k) f.dashes.push_back(dashes[k]);
                families.push_back(f);
            }
        }
        return out;
    }

    const std::filesystem::path root = std::filesystem::temp_directory_path() / ("korvel_pat_" + std::to_string(getpid()));
};

TEST_F(HatchPatternFiles, TheHostWritesBothFilesWithTheStandardPatterns)
{
    ASSERT_TRUE(platform::Install_Host_Pattern_Files());
    struct Case {
        const wchar_t* file;
        const wchar_t* pattern;
        double angle, dy;  // of the first family
        size_t families;
    };
    const Case cases[] = {
        {L"acad.pat", L"ANSI31", 45, 0.125, 1},
        {L"acadiso.pat", L"ansi31", 45, 3.175, 1},
        {L"acad.pat", L"ANSI34", 45, 0.75, 4},
        {L"acadiso.pat", L"ISO02W100", 0, 5, 1},
        {L"acad.pat", L"ISO02W100", 0, 5 / 25.4, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::To_Utf8(c.pattern));
        const std::vector<platform::Pat_Family> families = platform::Read_Hatch_Pattern(c.file, c.pattern);
        ASSERT_EQ(families.size(), c.families);
        EXPECT_DOUBLE_EQ(families[0].angle, c.angle);
        EXPECT_NEAR(families[0].dy, c.dy, 1e-9);
    }
    EXPECT_TRUE(platform::Read_Hatch_Pattern(L"acad.pat", L"NO_SUCH_PATTERN").empty());
    EXPECT_TRUE(std::filesystem::exists(platform::To_Host_Path(platform::Host_Support_Folder() + L"\\acadiso.pat")));
}

TEST_F(HatchPatternFiles, AFileThatChangesIsReadAgain)
{
    std::filesystem::create_directories(root / "c" / "pats");
    const std::filesystem::path file = root / "c" / "pats" / "mine.pat";
    auto write = [&](const char* text) {
        std::ofstream(file, std::ios::binary) << text;
    };
    write("; a pattern of our own\n*MINE, lines\n0, 0,0, 0,1\n*OTHER\n90, 0,0, 0,3\n");
    ASSERT_EQ(platform::Read_Hatch_Pattern(L"C:\\pats\\mine.pat", L"mine").size(), 1u);
    EXPECT_DOUBLE_EQ(platform::Read_Hatch_Pattern(L"C:\\pats\\mine.pat", L"MINE")[0].dy, 1.0);
    write("*MINE, lines\n0, 0,0, 0,2\n45, 0,0, 0,2, 1,-1\n");
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(2));
    const std::vector<platform::Pat_Family> again = platform::Read_Hatch_Pattern(L"C:\\pats\\mine.pat", L"MINE");
    ASSERT_EQ(again.size(), 2u);
    EXPECT_DOUBLE_EQ(again[0].dy, 2.0);
    EXPECT_EQ(again[1].dashes, (std::vector<double>{1, -1}));
}

TEST_F(HatchPatternFiles, BareHatchesGetTheFamiliesEzdxfWrote)
{
    std::unique_ptr<ZcDbDatabase> full = Read("hatch_patterns.dxf"), bare = Read("hatch_patterns_bare.dxf");
    ASSERT_TRUE(full && bare);
    const auto expected = Families(full.get()), found = Families(bare.get());
    ASSERT_EQ(expected.size(), 11u);
    for (const auto& [layer, families] : expected) {
        if (layer.rfind("iso", 0) == 0) continue;  // the ISO definitions are ours: compared by ink
        SCOPED_TRACE(layer);
        ASSERT_EQ(found.count(layer), 1u);
        const std::vector<Family>& ours = found.at(layer);
        ASSERT_EQ(ours.size(), families.size());
        for (size_t i = 0; i < ours.size(); ++i) {
            const Family &a = ours[i], &b = families[i];
            EXPECT_NEAR(std::remainder(a.angle - b.angle, 2 * M_PI), 0, 1e-9);
            EXPECT_NEAR(a.baseX, b.baseX, 1e-6);
            EXPECT_NEAR(a.baseY, b.baseY, 1e-6);
            EXPECT_NEAR(a.offsetX, b.offsetX, 1e-6);
            EXPECT_NEAR(a.offsetY, b.offsetY, 1e-6);
            ASSERT_EQ(a.dashes.size(), b.dashes.size());
            for (size_t k = 0; k < a.dashes.size(); ++k) EXPECT_NEAR(a.dashes[k], b.dashes[k], 1e-6);
        }
    }
}

TEST_F(HatchPatternFiles, BareHatchesPlotTheInkOfTheFullOnes)
{
    std::unique_ptr<ZcDbDatabase> bare = Read("hatch_patterns_bare.dxf");
    ASSERT_TRUE(bare);
    const auto dir = render_test::Output_Folder("hatch_patterns");
    const std::string pdf = (dir / "bare.pdf").string();
    korvel_test::Ink_Plot plot;
    plot.extents = false;
    plot.window[0] = -5, plot.window[1] = -5, plot.window[2] = 545, plot.window[3] = 45;
    plot.page_width_mm = 1100, plot.page_height_mm = 100;
    std::string error;
    ASSERT_TRUE(korvel_test::Plot_For_Ink(*bare, pdf, plot, error)) << error;
    // ezdxf draws the hatches from the lines the full file carries.
    const korvel_test::Ink_Figures ink =
        korvel_test::Compare_Ink(Pattern_Fixture("hatch_patterns.dxf"), pdf, korvel_test::Ink_Window_Argument(plot));
    ASSERT_TRUE(ink.ok) << ink.output;
    EXPECT_GE(ink.ezdxf_in_plot, 0.98) << ink.output;
    EXPECT_GE(ink.plot_in_ezdxf, 0.98) << ink.output;
}

}  // namespace
