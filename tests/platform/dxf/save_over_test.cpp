// Saving over a good drawing: a save that cannot be written whole keeps the old file byte for
// byte, leaves no temporary and does not rename the database.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "db/dbents.h"
#include "db/dbmain.h"
#include "db/dbsymtb.h"
#include "win/machine.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class SaveOver : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_root_ = Machine::instance().root();
        fs::remove_all(root_);
        Machine::instance().set_root(root_);
        fs::create_directories(root_ / "c" / "Drawings");
    }
    void TearDown() override
    {
        Machine::instance().set_root(previous_root_);
        fs::remove_all(root_);
    }

    static void Add_Line(ZcDbDatabase& db, double x)
    {
        ZcDbBlockTableRecord* model = nullptr;
        ASSERT_EQ(zcdbOpenObject(model, db.modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
        auto* line = new ZcDbLine(ZcGePoint3d(x, 0, 0), ZcGePoint3d(x, 100, 0));
        ASSERT_EQ(model->appendZcDbEntity(line), Zcad::eOk);
        line->close();
        model->close();
    }
    std::string Read(const fs::path& file) const
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path drawings() const { return root_ / "c" / "Drawings"; }

    const fs::path root_ = fs::temp_directory_path() / ("korvel_save_over_" + std::to_string(::getpid()));
    fs::path previous_root_;
};

TEST_F(SaveOver, AFailedSaveKeepsTheOldDrawingAndItsName)
{
    const wchar_t* const plan = L"C:\\Drawings\\plan.dxf";
    const struct {
        const char* what;
        std::function<void()> arrange;
    } cases[] = {
        {"denied folder", [] { Machine::instance().deny_writes(L"C:\\Drawings"); }},
        {"full disk", [] { Machine::instance().set_disk_free(L"C:\\", 4096); }},
        {"short write", [&] { Machine::instance().fail_writes_after(plan, 1000); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ZcDbDatabase db(true, false);
        Add_Line(db, 0);
        ASSERT_EQ(db.saveAs(plan), Zcad::eOk);
        const std::string good = Read(drawings() / "plan.dxf");
        ASSERT_NE(good.find("LINE"), std::string::npos);

        Add_Line(db, 50);
        db.setFilename(L"C:\\Drawings\\elsewhere.dxf");
        c.arrange();
        EXPECT_EQ(db.saveAs(plan), Zcad::eFileAccessErr);
        EXPECT_EQ(Read(drawings() / "plan.dxf"), good);
        EXPECT_EQ(std::distance(fs::directory_iterator(drawings()), {}), 1);
        EXPECT_STREQ(db.filename(), L"C:\\Drawings\\elsewhere.dxf");

        // Lifted, the same save goes through.
        Machine::instance().allow_writes(L"C:\\Drawings");
        Machine::instance().set_disk_free(L"C:\\", std::nullopt);
        EXPECT_EQ(db.saveAs(plan), Zcad::eOk);
        EXPECT_GT(Read(drawings() / "plan.dxf").size(), good.size());
        EXPECT_STREQ(db.filename(), plan);
    }
}

}  // namespace
}  // namespace platform
