// Stamps on a plotted sheet: the chosen stamp's picture written for the run, placed at
// the title block's stamp position with the sheet's scale and angle, printed in the PDF,
// and gone from the drawing when the run ends, IMAGEFRAME back as it was.
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

#include "core/doc_lock.h"
#include "core/layer_helpers.h"
#include "core/plot_option.h"
#include "core/space_helpers.h"
#include "db/dbdict.h"
#include "db/dbents.h"
#include "db/dbimage.h"
#include "db/dbsort.h"
#include "db/dbsymtb.h"
#include "mfc/atlimage.h"
#include "plot/plot_sheet.h"
#include "services_fixture.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "signstamp/stamp_inserter.h"
#include "signstamp/stamp_library.h"
#include "stamp_test_support.h"
#include "titleblock/tk_sheets.h"
#include "win/host_path_text.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
const COLORREF Stamp_Red = RGB(220, 0, 0);

class Stamp_Inserter_Test : public Services_Test {
protected:
    void SetUp() override
    {
        Services_Test::SetUp();
        g_Cur_Plot_Option = &Options;
        g_Stamp_Library.Clear();
        // A red stamp of 124 x 56 pixels, 62 x 28 mm.
        const CString png = g_Config_Folder + L"\\red.png";
        stamp_test::Write_Png(png, 124, 56, Stamp_Red);
        auto stamp = std::make_unique<KV_Stamp>();
        ASSERT_TRUE(stamp->Load_Picture(png));
        stamp->Name = L"Red";
        g_Stamp_Library.Stamps.push_back(std::move(stamp));
        Options.Use_Reg_Stamp = 1;
        Options.Reg_Stamp_Name = L"Red";
    }
    void TearDown() override
    {
        g_Cur_Plot_Option = nullptr;
        g_Stamp_Library.Clear();
        Services_Test::TearDown();
    }

    // The images of model space.
    static std::vector<ZcDbObjectId> Images()
    {
        std::vector<ZcDbObjectId> found;
        ZcDbObjectIdArray ids;
        Collect_Space_Entity_Ids(ids, zcdbHostApplicationServices()->workingDatabase()->modelSpaceId(), false);
        for (int i = 0; i < ids.length(); ++i)
            if (!ids[i].isErased() && ids[i].objectClass() == ZcDbRasterImage::desc())
                found.push_back(ids[i]);
        return found;
    }

    static void Orientation(ZcDbObjectId id, ZcGePoint3d& origin, ZcGeVector3d& u, ZcGeVector3d& v)
    {
        ZcDbObjectPointer<ZcDbRasterImage> image(id, ZcDb::kForRead);
        ASSERT_EQ(image.openStatus(), Zcad::eOk);
        image->getOrientation(origin, u, v);
    }

    Plot_Option Options;
};

std::string Shell_Output(const std::string& command)
{
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::array<char, 4096> buffer;
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get()))
        output += buffer.data();
    return output;
}

TEST_F(Stamp_Inserter_Test, Size_Corner_And_Turn_Follow_The_Stamp_And_The_Sheet)
{
    struct Case {
        double scale, angle_degrees;
        double width, height;  // drawing units
        double corner_dx, corner_dy;  // lower-left corner from the point before the turn
    };
    const Case cases[] = {
        {100, 0, 6200, 2800, -3100, -1400},
        {1.5, 0, 93, 42, -46, -21},
        {1, 90, 62, 28, -31, -14},
    };
    Stamp_Inserter inserter;
    inserter.Prepare_Folder();
    inserter.Write_Picture(1, L"Red");
    const ZcGePoint3d point(500, 300, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        inserter.Insert_Picture(1, L"Red", ZcGePoint2d(point.x, point.y), c.scale, c.angle_degrees * Pi / 180);
        ASSERT_FALSE(inserter.Inserted.isEmpty());
        ZcGePoint3d origin;
        ZcGeVector3d u, v;
        Orientation(inserter.Inserted.last(), origin, u, v);
        const ZcGeMatrix3d turn = ZcGeMatrix3d::rotation(c.angle_degrees * Pi / 180, ZcGeVector3d::kZAxis, point);
        EXPECT_TRUE(origin.isEqualTo(turn * ZcGePoint3d(point.x + c.corner_dx, point.y + c.corner_dy, 0)))
            << origin.x << "," << origin.y;
        EXPECT_TRUE(u.isEqualTo(turn * ZcGeVector3d(c.width, 0, 0))) << u.x << "," << u.y;
        EXPECT_TRUE(v.isEqualTo(turn * ZcGeVector3d(0, c.height, 0))) << v.x << "," << v.y;
    }
    // Every sheet's image uses the one definition of its kind.
    ZcDbDictionary* named = nullptr;
    ASSERT_EQ(zcdbHostApplicationServices()->workingDatabase()->getNamedObjectsDictionary(named, ZcDb::kForRead),
              Zcad::eOk);
    ZcDbObjectId images_id;
    ASSERT_EQ(named->getAt(L"ACAD_IMAGE_DICT", images_id), Zcad::eOk);
    named->close();
    ZcDbObjectPointer<ZcDbDictionary> images(images_id, ZcDb::kForRead);
    EXPECT_EQ(images->numEntries(), 1);
    EXPECT_TRUE(images->has(L"Temp_Pic1"));
}

TEST_F(Stamp_Inserter_Test, The_Random_Turn_Is_A_Whole_Number_Of_Degrees_From_Minus_15_To_14)
{
    g_Plot_Config.Stamp_Jitter = 1;
    Stamp_Inserter inserter;
    inserter.Prepare_Folder();
    inserter.Write_Picture(1, L"Red");
    Seed_Stamp_Jitter();
    for (int i = 0; i < 40; ++i) {
        inserter.Insert_Picture(1, L"Red", ZcGePoint2d(0, 0), 1, Pi / 2);
        ZcGePoint3d origin;
        ZcGeVector3d u, v;
        Orientation(inserter.Inserted.last(), origin, u, v);
        const double extra = std::atan2(u.y, u.x) * 180 / Pi - 90;
        EXPECT_NEAR(extra, std::round(extra), 1e-6);
        EXPECT_GE(std::round(extra), -15);
        EXPECT_LE(std::round(extra), 14);
    }
}

TEST_F(Stamp_Inserter_Test, Nothing_Is_Placed_Without_A_Position_A_Stamp_Or_A_Size)
{
    Stamp_Inserter inserter;
    inserter.Prepare_Folder();
    inserter.Write_Picture(1, L"Red");
    inserter.Write_Picture(2, L"Gone");
    EXPECT_TRUE(inserter.Picture_Path[1].IsEmpty());
    inserter.Insert_Picture(1, L"Red", Stamp_Pos_Unset, 100, 0);
    inserter.Insert_Picture(2, L"Gone", ZcGePoint2d(0, 0), 100, 0);
    EXPECT_TRUE(Images().empty());
    // Below one drawing unit wide: the host refuses the size, the message says so and no
    // half-made image is left where the end of the run would not find it.
    inserter.Insert_Picture(1, L"Red", ZcGePoint2d(0, 0), 0.01, 0);
    EXPECT_TRUE(inserter.Inserted.isEmpty());
    EXPECT_NE(Printed().find(L"Failed，未能修改AcDbRasterImage参数 !"), std::wstring::npos) << Printed();
    EXPECT_TRUE(Images().empty());
}

TEST_F(Stamp_Inserter_Test, The_End_Of_The_Run_Erases_The_Images_On_A_Locked_Layer_And_Puts_Imageframe_Back)
{
    for (int earlier : {1, 2}) {
        SCOPED_TRACE(earlier);
        ZcDbObjectId layer_id;
        Ensure_Layer(layer_id, L"KV_Stamp");
        Set_Layer_State(layer_id, Layer_Locked, true);
        Set_Var(L"IMAGEFRAME", earlier);
        Options.Image_Frame_Off = 0;
        {
            Doc_Lock lock;
            Stamp_Inserter inserter;
            inserter.Prepare_Folder();
            inserter.Settle_Image_Frames(Options);
            EXPECT_EQ(Var_Int(L"IMAGEFRAME"), 0);
            EXPECT_EQ(Options.Image_Frame_Off, 1);
            inserter.Write_Picture(1, L"Red");
            inserter.Insert_Picture(1, L"Red", ZcGePoint2d(0, 0), 1, 0);
            inserter.Insert_Picture(1, L"Red", ZcGePoint2d(100, 0), 1, 0);
            EXPECT_EQ(Images().size(), 2u);
            EXPECT_TRUE(Get_Layer_State(layer_id, Layer_Locked));
        }
        EXPECT_TRUE(Images().empty());
        EXPECT_TRUE(Get_Layer_State(layer_id, Layer_Locked));
        EXPECT_EQ(Var_Int(L"IMAGEFRAME"), earlier);
    }
}

TEST_F(Stamp_Inserter_Test, The_Plotted_Pdf_Shows_The_Stamp_At_The_Title_Blocks_Position)
{
    // An A3 sheet at (1000, 0) whose title block puts the stamp of kind 1 at (1100, 100).
    Plot_Drawing2 sheet;
    sheet.Stamp_Pos[0] = ZcGePoint2d(1100, 100);
    sheet.Plot_Scale = 1.0;
    sheet.Angle = 0.0;
    {
        ZcDbObjectId frame_id;
        auto* frame = new ZcDbPolyline();
        const double corners[4][2] = {{1000, 0}, {1420, 0}, {1420, 297}, {1000, 297}};
        for (int i = 0; i < 4; ++i)
            frame->addVertexAt(i, ZcGePoint2d(corners[i][0], corners[i][1]));
        frame->setClosed(true);
        Append_Entity(frame_id, frame, Keep_Color, true, ZcDbObjectId(), ZcDbObjectId());
    }
    Options.Output_Type = 0;
    Paper_Array papers;
    papers.Add(new MyPaper(420, 297));
    ASSERT_TRUE(Build_Plot_Device_Files(papers));
    Delete_All_Objects(papers);
    const CString pdf = L"C:\\Out\\stamped.pdf";
    CreateDirectoryW(L"C:\\Out", nullptr);
    {
        Doc_Lock lock;
        Stamp_Inserter inserter;
        inserter.Remove_Image_Defs();
        inserter.Prepare_Folder();
        inserter.Write_Picture(1, Options.Reg_Stamp_Name);
        inserter.Settle_Image_Frames(Options);
        {
            Plot_Set plot_set;
            ASSERT_TRUE(plot_set.Set_Device(Get_Pc5_File_Name(0)));
            ASSERT_EQ(plot_set.Set_Media(L"KV_A3", false), CString(L"KV_A3"));
            plot_set.Set_Window(ZcGePoint2d(1000, 0), ZcGePoint2d(1420, 297), 1.0, false);
        }
        inserter.Insert_Picture(1, Options.Reg_Stamp_Name, sheet.Stamp_Pos[0], sheet.Plot_Scale, sheet.Angle);
        inserter.Insert_Picture(2, Options.Reg_Stamp_Name, sheet.Stamp_Pos[1], sheet.Plot_Scale, sheet.Angle);
        ASSERT_EQ(inserter.Inserted.length(), 1);
        ASSERT_TRUE(Plot_Sheet_To_File(false, pdf, 1, false, CString())) << platform::To_Utf8(Printed());
    }
    EXPECT_TRUE(Images().empty());

    // 50 pixels an inch: the page is 827 x 585 pixels, one millimetre about 1.97 pixels.
    const std::string prefix = Host(L"C:\\Out\\page").string();
    Shell_Output("pdftoppm -r 50 -png '" + Host(pdf).string() + "' '" + prefix + "'");
    CImage page;
    ASSERT_EQ(page.Load(platform::Text_From_Host_Path(Host(L"C:\\Out\\page-1.png")).c_str()), S_OK);
    auto pixel_at_mm = [&](double x_mm, double y_mm_from_bottom) {
        return page.GetPixel(static_cast<int>(x_mm / 25.4 * 50), static_cast<int>((297 - y_mm_from_bottom) / 25.4 * 50));
    };
    auto reddish = [](COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 60 && GetBValue(c) < 60; };
    // The stamp covers 69..131 mm across and 86..114 mm up.
    for (const auto& [x, y] : {std::pair{100.0, 100.0}, {72.0, 88.0}, {128.0, 112.0}})
        EXPECT_TRUE(reddish(pixel_at_mm(x, y))) << x << "," << y << " " << std::hex << pixel_at_mm(x, y);
    for (const auto& [x, y] : {std::pair{60.0, 100.0}, {140.0, 100.0}, {100.0, 80.0}, {100.0, 120.0}})
        EXPECT_EQ(pixel_at_mm(x, y), RGB(255, 255, 255)) << x << "," << y;
}

TEST_F(Stamp_Inserter_Test, Stamps_Go_In_Front_Or_Behind_As_The_Option_Says)
{
    for (int behind : {0, 1}) {
        SCOPED_TRACE(behind);
        g_Plot_Config.Stamps_Behind = behind;
        ZcDbObjectId line_id;
        Append_Entity(line_id, new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 0, 0)), Keep_Color, true,
                      ZcDbObjectId(), ZcDbObjectId());
        Stamp_Inserter inserter;
        inserter.Prepare_Folder();
        inserter.Write_Picture(1, L"Red");
        inserter.Insert_Picture(1, L"Red", ZcGePoint2d(50, 0), 1, 0);
        ASSERT_EQ(inserter.Inserted.length(), 1);
        ZcDbObjectPointer<ZcDbBlockTableRecord> ms(zcdbHostApplicationServices()->workingDatabase()->modelSpaceId(),
                                                   ZcDb::kForRead);
        const std::vector<ZcDbObjectId> order = platform::Draw_Order(ms.object());
        ms.close();
        ASSERT_FALSE(order.empty());
        EXPECT_EQ(behind ? order.front() : order.back(), inserter.Inserted[0]);
        EXPECT_EQ(Printed().find(L"Unknown command"), std::wstring::npos) << Printed();
    }
}

}  // namespace
