// A sheet prepared as the batch drivers prepare it (device files, plot settings of the
// active layout) and plotted to a file of each output type, from model space and from a
// layout: the file is there, of its type, the PDF page is the paper and holds the texts.
#include <array>
#include <cstdio>
#include <memory>

#include "core/doc_lock.h"
#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "db/dbents.h"
#include "db/dblayout.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "plot/machine_printers.h"
#include "plot/plot_sheet.h"
#include "services_fixture.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"

namespace {

std::string Shell_Output(const std::string& command)
{
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::array<char, 4096> buffer;
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get()))
        output += buffer.data();
    return output;
}

class Plot_Sheet_Output_Test : public Services_Test {
protected:
    void SetUp() override
    {
        Services_Test::SetUp();
        g_Cur_Plot_Option = &m_Options;
        g_Plot_Config.Pdf_Orientation = 0;
    }
    void TearDown() override
    {
        g_Cur_Plot_Option = nullptr;
        Delete_All_Objects(m_Papers);
        Services_Test::TearDown();
    }

    // An A3 frame at (1000, 0) with its drawing number, in the block (model space when null).
    static void Draw_Sheet(ZcDbObjectId block_id)
    {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        if (block_id.isNull())
            block_id = db->modelSpaceId();
        ZcDbBlockTableRecord* block = nullptr;
        ASSERT_EQ(zcdbOpenObject(block, block_id, ZcDb::kForWrite), Zcad::eOk);
        auto* frame = new ZcDbPolyline();
        const double corners[4][2] = {{1000, 0}, {1420, 0}, {1420, 297}, {1000, 297}};
        for (int i = 0; i < 4; ++i)
            frame->addVertexAt(i, ZcGePoint2d(corners[i][0], corners[i][1]));
        frame->setClosed(true);
        auto* number = new ZcDbText(ZcGePoint3d(1300, 20, 0), L"DWG-NO-7", ZcDbObjectId::kNull, 8.0, 0.0);
        for (ZcDbEntity* entity : {static_cast<ZcDbEntity*>(frame), static_cast<ZcDbEntity*>(number)}) {
            entity->setDatabaseDefaults(db);
            ZcDbObjectId id;
            ASSERT_EQ(block->appendZcDbEntity(id, entity), Zcad::eOk);
            entity->close();
        }
        block->close();
    }

    // What a batch driver does before the plot: device files for the papers, then device,
    // media and window on the active layout.
    void Prepare(int output_type)
    {
        m_Options.Output_Type = output_type;
        Delete_All_Objects(m_Papers);
        m_Papers.Add(new MyPaper(420, 297));
        ASSERT_TRUE(Build_Plot_Device_Files(m_Papers));
        Doc_Lock lock;
        Plot_Set plot_set;
        ASSERT_TRUE(plot_set.Is_Open());
        ASSERT_TRUE(plot_set.Set_Device(Get_Pc5_File_Name(output_type)));
        ASSERT_EQ(plot_set.Set_Media(L"KV_A3", false), CString(L"KV_A3"));
        plot_set.Set_Window(ZcGePoint2d(1000, 0), ZcGePoint2d(1420, 297), 1.0, false);
    }

    Plot_Option m_Options;
    Paper_Array m_Papers;
};

TEST_F(Plot_Sheet_Output_Test, EveryOutputTypeFromModelSpaceAndALayout)
{
    struct Type {
        int output_type;
        const char* extension;
        std::string magic;
    } types[] = {{0, "pdf", "%PDF"}, {1, "dwf", "(DWF V06.00)"}, {2, "jpg", "\xFF\xD8\xFF"},
                 {3, "png", "\x89PNG"}, {4, "plt", "\x1B%-12345X@PJL"}, {5, "svg", "<?xml"}};
    ZcDbObjectId layout_id, layout_block;
    ASSERT_EQ(zcdbHostApplicationServices()->layoutManager()->createLayout(L"Sheets", layout_id, layout_block),
              Zcad::eOk);
    Draw_Sheet(ZcDbObjectId::kNull);
    Draw_Sheet(layout_block);
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();

    for (bool in_layout : {false, true}) {
        Activate_Layout_Of_Block(in_layout ? layout_block : db->modelSpaceId());
        for (const Type& type : types) {
            SCOPED_TRACE(std::string(type.extension) + (in_layout ? " layout" : " model"));
            Prepare(type.output_type);
            CString path;
            path.Format(L"C:\\Out\\sheet_%d_%d.%hs", in_layout ? 1 : 0, type.output_type, type.extension);
            CreateDirectoryW(L"C:\\Out", nullptr);
            ASSERT_TRUE(Plot_Sheet_To_File(in_layout, path, 1, false, CString())) << platform::To_Utf8(Printed());
            const std::string bytes = File_Bytes(path);
            EXPECT_EQ(bytes.compare(0, type.magic.size(), type.magic), 0);
            if (type.output_type != 0)
                continue;
            const std::string file = Host(path).string();
            const std::string info = Shell_Output("pdfinfo '" + file + "'");
            EXPECT_NE(info.find("1190.55 x 841.89 pts"), std::string::npos) << info;
            EXPECT_NE(Shell_Output("pdftotext '" + file + "' -").find("DWG-NO-7"), std::string::npos);
        }
    }
}

TEST_F(Plot_Sheet_Output_Test, PortraitPdfIsTurnedWhenAllPagesAreToBeLandscape)
{
    // The turn goes through the companion; without its libraries the user is told.
    Draw_Sheet(ZcDbObjectId::kNull);
    Prepare(0);
    CreateDirectoryW(L"C:\\Out", nullptr);
    g_Plot_Config.Pdf_Orientation = 1;
    platform::MessageBoxLog.clear();
    ASSERT_TRUE(Plot_Sheet_To_File(false, L"C:\\Out\\landscape.pdf", 1, false, CString()));
    EXPECT_TRUE(platform::MessageBoxLog.empty());  // landscape: nothing to turn
    Prepare(1);
    ASSERT_TRUE(Plot_Sheet_To_File(false, L"C:\\Out\\portrait.dwf", 1, true, CString()));
    EXPECT_TRUE(platform::MessageBoxLog.empty());  // DWF pages are never turned
    Prepare(0);
    platform::ScriptInput::instance().push_text("msgbox OK\n");
    ASSERT_TRUE(Plot_Sheet_To_File(false, L"C:\\Out\\portrait.pdf", 1, true, CString()));
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"DLL文件缺失报错");
}

TEST_F(Plot_Sheet_Output_Test, PaperPlotsGoToThePrinterOrIntoAFile)
{
    platform::Machine_Printer printer;
    printer.name = L"HP LaserJet M1536";
    printer.spool_folder = L"C:\\Spool\\LaserJet";
    platform::PlotPaper a3;
    a3.canonical_name = a3.display_name = L"A3";
    a3.width_mm = 297;
    a3.height_mm = 420;
    a3.margin_left_mm = a3.margin_bottom_mm = a3.margin_right_mm = a3.margin_top_mm = 5;
    printer.media.push_back(a3);
    ASSERT_TRUE(platform::Add_Machine_Printer(printer));
    Draw_Sheet(ZcDbObjectId::kNull);
    auto prepare = [&] {
        Doc_Lock lock;
        Plot_Set plot_set;
        ASSERT_TRUE(plot_set.Set_Device(printer.name.c_str()));
        plot_set.Set_Media(L"A3", false);
        plot_set.Set_Window(ZcGePoint2d(1000, 0), ZcGePoint2d(1420, 297), 1.0, false);
    };

    m_Options.Plt_Output = 0;
    prepare();
    Plot_Sheet_To_Paper(false, CString(), 1, false);
    EXPECT_TRUE(Exists(L"C:\\Spool\\LaserJet\\job-0001.pdf")) << platform::To_Utf8(Printed());

    m_Options.Plt_Output = 1;
    CreateDirectoryW(L"C:\\Plt", nullptr);
    prepare();
    Plot_Sheet_To_Paper(false, L"C:\\Plt\\plan.plt", 1, true);
    EXPECT_TRUE(Exists(L"C:\\Plt\\plan.plt")) << platform::To_Utf8(Printed());
    EXPECT_EQ(g_Show_Signatures, 1);
    EXPECT_EQ(g_Plot_Running, 0);
}

}  // namespace
