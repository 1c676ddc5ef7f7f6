// A drawing read into a side database and made the working database for a while: the
// host's database services serve it, the open document stays as it was, and the document's
// database is the working one again once it is given back.
#include <filesystem>

#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "ed/docman.h"
#include "plot_fixture.h"
#include "win/host_path_text.h"
#include "win/machine.h"

namespace plot_test {
namespace {

bool Has_Layer(ZcDbDatabase* db, const wchar_t* name)
{
    ZcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, ZcDb::kForRead) != Zcad::eOk)
        return false;
    const bool found = table->has(name);
    table->close();
    return found;
}

void Add_Layer(ZcDbDatabase* db, const wchar_t* name)
{
    ZcDbLayerTable* table = nullptr;
    ASSERT_EQ(db->getLayerTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* layer = new ZcDbLayerTableRecord;
    layer->setName(name);
    ZcDbObjectId id;
    ASSERT_EQ(table->add(id, layer), Zcad::eOk);
    layer->close();
    table->close();
}

class SideDatabaseTest : public PlotTest {
protected:
    // A drawing file with the layer "SIDE" and the paper layouts "P1" and "P2".
    std::wstring Write_Side_Drawing()
    {
        ZcDbDatabase other(true, true);
        Add_Layer(&other, L"SIDE");
        ZcDbLayoutManager* layouts = zcdbHostApplicationServices()->layoutManager();
        ZcDbObjectId layout_id, block_id;
        EXPECT_EQ(layouts->createLayout(L"P2", layout_id, block_id, &other), Zcad::eOk);
        EXPECT_EQ(layouts->createLayout(L"P1", layout_id, block_id, &other), Zcad::eOk);
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("korvel_side_" + std::to_string(::getpid()) + ".dxf");
        m_Layout_Count = layouts->countLayouts(&other);
        EXPECT_EQ(other.saveAs(platform::Text_From_Host_Path(path).c_str()), Zcad::eOk);
        m_Files.push_back(path);
        return platform::Text_From_Host_Path(path);
    }
    void TearDown() override
    {
        for (const auto& file : m_Files)
            std::filesystem::remove(file);
        PlotTest::TearDown();
    }
    std::vector<std::filesystem::path> m_Files;
    int m_Layout_Count = 0;
};

TEST_F(SideDatabaseTest, ServesTheHostWhileWorkingAndGivesTheDocumentBack)
{
    const std::wstring path = Write_Side_Drawing();
    ZcDbHostApplicationServices* services = zcdbHostApplicationServices();
    ASSERT_EQ(services->workingDatabase(), Db());

    auto* side = new ZcDbDatabase(false, true);
    ASSERT_EQ(side->readDwgFile(path.c_str()), Zcad::eOk);
    services->setWorkingDatabase(side);
    EXPECT_EQ(services->workingDatabase(), side);
    EXPECT_EQ(zcDocManager->curDocument(), doc);
    EXPECT_EQ(doc->database(), Db());
    EXPECT_TRUE(Has_Layer(services->workingDatabase(), L"SIDE"));
    // The layout manager answers for the working database when none is named.
    ZcDbLayoutManager* layouts = services->layoutManager();
    EXPECT_EQ(layouts->countLayouts(), m_Layout_Count);
    EXPECT_NE(layouts->countLayouts(Db()), m_Layout_Count);
    EXPECT_TRUE(layouts->layoutExists(L"P1"));
    // Changes go to the side database only.
    Add_Layer(services->workingDatabase(), L"ADDED");
    EXPECT_FALSE(Has_Layer(Db(), L"ADDED"));

    services->setWorkingDatabase(Db());
    delete side;
    EXPECT_EQ(services->workingDatabase(), Db());
    EXPECT_FALSE(Has_Layer(services->workingDatabase(), L"SIDE"));
    EXPECT_FALSE(layouts->layoutExists(L"P1"));
}

TEST_F(SideDatabaseTest, ADeletedWorkingDatabaseIsNotLeftWorking)
{
    const std::wstring path = Write_Side_Drawing();
    auto* side = new ZcDbDatabase(false, true);
    ASSERT_EQ(side->readDwgFile(path.c_str()), Zcad::eOk);
    zcdbHostApplicationServices()->setWorkingDatabase(side);
    delete side;
    EXPECT_NE(zcdbHostApplicationServices()->workingDatabase(), side);
}

}  // namespace
}  // namespace plot_test
