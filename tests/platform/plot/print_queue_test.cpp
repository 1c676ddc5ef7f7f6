// The print queue of the machine's printers: each job sent to a printer is spooled with a
// shadow record of its document, paper, copies and collation, read back in the order sent.
#include <gtest/gtest.h>

#include <filesystem>

#include "db/dbents.h"
#include "db/dbsymtb.h"
#include "plot/print_queue.h"
#include "plot_fixture.h"
#include "script/utf8.h"
#include "win/host_path_text.h"

namespace {

class Print_Queue_Test : public plot_test::PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        Add_Printer(L"HP LaserJet", {{L"A4", 210, 297, 5, 5, 5, 5}, {L"A3", 297, 420}});
        Add_Printer(L"Canon", {{L"A4", 210, 297}});
        ZcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(zcdbOpenObject(space, Db()->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
        auto* line = new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 50, 0));
        space->appendZcDbEntity(line);
        line->close();
        space->close();
    }

    // A job of the printer on its paper, to its spool folder or into a file.
    platform::PlotJob Job(const std::wstring& printer, const std::wstring& media, const std::wstring& document)
    {
        platform::PlotJob job;
        job.database = Db();
        job.space = Db()->modelSpaceId();
        job.device_name = printer;
        job.document_name = document;
        job.driver = platform::PlotDriver::Printer;
        job.dpi = 72;
        job.paper.canonical_name = media;
        job.paper.width_mm = media == L"A3" ? 297 : 210;
        job.paper.height_mm = media == L"A3" ? 420 : 297;
        job.window_min = {0, 0};
        job.window_max = {100, 50};
        job.spool_folder = L"C:\\Spool\\" + printer;
        return job;
    }
    void Send(const platform::PlotJob& job)
    {
        const platform::PlotResult result = platform::Render_Plot(job);
        ASSERT_TRUE(result.ok) << platform::To_Utf8(result.error);
    }
};

TEST_F(Print_Queue_Test, Jobs_Come_Back_In_The_Order_Sent_With_Paper_Copies_And_Collation)
{
    platform::PlotJob first = Job(L"HP LaserJet", L"A3", L"plan-Model");
    first.copies = 2;
    first.collate = false;
    Send(first);
    Send(Job(L"Canon", L"A4", L"plan-Model"));
    Send(Job(L"HP LaserJet", L"A4", L"plan-布局1"));
    platform::PlotJob to_file = Job(L"HP LaserJet", L"A4", L"plan-Model");
    to_file.output_path = platform::Text_From_Host_Path(Host(L"C:\\Out\\plan.plt"));
    std::filesystem::create_directories(Host(L"C:\\Out"));
    Send(to_file);  // written into the file: not a job of the queue

    const std::vector<platform::Print_Queue_Job> queue = platform::Print_Queue(L"hp laserjet");
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[0].document, L"plan-Model");
    EXPECT_EQ(queue[0].media, L"A3");
    EXPECT_EQ(queue[0].width_mm, 297);
    EXPECT_EQ(queue[0].height_mm, 420);
    EXPECT_EQ(queue[0].copies, 2);
    EXPECT_FALSE(queue[0].collate);
    EXPECT_EQ(platform::Host_Path_From_Text(queue[0].file).filename(), "job-0001.pdf");
    EXPECT_TRUE(std::filesystem::exists(platform::Host_Path_From_Text(queue[0].file)));
    EXPECT_EQ(queue[1].document, L"plan-布局1");
    EXPECT_EQ(queue[1].media, L"A4");
    EXPECT_EQ(queue[1].copies, 1);
    EXPECT_TRUE(queue[1].collate);
    EXPECT_EQ(platform::Host_Path_From_Text(queue[1].file).filename(), "job-0002.pdf");

    ASSERT_EQ(platform::Print_Queue(L"Canon").size(), 1u);
    EXPECT_TRUE(platform::Print_Queue(L"No Such Printer").empty());
}

// Job numbers past 9999 keep their place after the shorter numbers.
TEST_F(Print_Queue_Test, Queue_Order_Follows_The_Job_Number_Not_The_Name)
{
    const std::filesystem::path spool = Host(L"C:\\Spool\\Canon");
    std::filesystem::create_directories(spool);
    for (const char* name : {"job-10000.shd", "job-9999.shd"})
        Write_File(L"C:\\Spool\\Canon\\" + platform::From_Utf8(name), std::string("document=") + name + "\n");
    const std::vector<platform::Print_Queue_Job> queue = platform::Print_Queue(L"Canon");
    ASSERT_EQ(queue.size(), 2u);
    EXPECT_EQ(queue[0].document, L"job-9999.shd");
    EXPECT_EQ(queue[1].document, L"job-10000.shd");
}

}  // namespace
