// Signatures on a plotted sheet: the PDF rendered back with pdftoppm shows the authorised
// and the code-free signature filled and the unauthorised one not at all; with the
// print-signatures switch off none of them.
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>

#include "app/custom_classes.h"
#include "core/doc_lock.h"
#include "core/plot_option.h"
#include "db/dbsymtb.h"
#include "plot/plot_sheet.h"
#include "services_fixture.h"
#include "sheets/plot_set.h"
#include "sheets/plotter_files.h"
#include "sign_test_support.h"
#include "signstamp/kv_sign_class.h"

using namespace sign_test;

namespace {

class Sign_Plot_Test : public Services_Test {
protected:
    void SetUp() override
    {
        Services_Test::SetUp();
        Register_Custom_Classes();
        g_Cur_Plot_Option = &m_Options;
        g_Plot_Config.Pdf_Orientation = 0;
        g_Sign_Library.Clear();
        g_Sign_Library.Signs.push_back(Make_Sign(1, L"Authorised", 500, 30));
        g_Sign_Library.Signs.push_back(Make_Sign(2, L"Unauthorised", 700, 30));
        g_Sign_Library.Signs.push_back(Make_Sign(3, L"Code free", 0, 30));
    }
    void TearDown() override
    {
        g_Cur_Plot_Option = nullptr;
        g_Sign_Library.Clear();
        Delete_All_Objects(m_Papers);
        Services_Test::TearDown();
    }

    // The library signer's signature centred at (x, 150) in model space.
    static void Place(int32_t person_no, double x, int32_t code)
    {
        ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
        const KV_Sign& record = *g_Sign_Library.Find(person_no);
        ZcArray<int32_t> counts;
        ZcGePoint3dArray points;
        record.To_Loops(counts, points);
        for (int i = 0; i < points.length(); ++i)
            points[i] += ZcGeVector3d(x, 150, 0);
        auto* sign = new KV_Sign_Class(person_no, record.Name, counts, points);
        sign->setDatabaseDefaults(db);
        sign->setColorIndex(7);
        if (code != 0)
            sign->Set_Authorisation(code, 20200101, 20991231);
        sign->Validate();  // as a placed signature is
        ZcDbBlockTableRecord* space = nullptr;
        ASSERT_EQ(zcdbOpenObject(space, db->modelSpaceId(), ZcDb::kForWrite), Zcad::eOk);
        ZcDbObjectId id;
        ASSERT_EQ(space->appendZcDbEntity(id, sign), Zcad::eOk);
        sign->close();
        space->close();
    }

    // An A3 PDF of the window (1000, 0)-(1420, 297), prepared as a batch driver does.
    CString Plot(int show_signatures, const wchar_t* name)
    {
        m_Options.Output_Type = 0;
        Delete_All_Objects(m_Papers);
        m_Papers.Add(new MyPaper(420, 297));
        EXPECT_TRUE(Build_Plot_Device_Files(m_Papers));
        {
            Doc_Lock lock;
            Plot_Set plot_set;
            EXPECT_TRUE(plot_set.Set_Device(Get_Pc5_File_Name(0)));
            EXPECT_EQ(plot_set.Set_Media(L"KV_A3", false), CString(L"KV_A3"));
            plot_set.Set_Window(ZcGePoint2d(1000, 0), ZcGePoint2d(1420, 297), 1.0, false);
        }
        CreateDirectoryW(L"C:\\Out", nullptr);
        const CString path = CString(L"C:\\Out\\") + name;
        EXPECT_TRUE(Plot_Sheet_To_File(false, path, show_signatures, false, CString()));
        return path;
    }

    // Dark pixels of the rendered page in its left, middle and right third.
    static std::array<int, 3> Dark_Thirds(const CString& pdf)
    {
        const std::string file = Host(pdf).string();
        const std::string image = file + ".pgm";
        EXPECT_EQ(std::system(("pdftoppm -r 20 -gray -singlefile '" + file + "' '" + file + "'").c_str()), 0);
        std::ifstream in(image, std::ios::binary);
        std::string magic;
        int width = 0, height = 0, max = 0;
        in >> magic >> width >> height >> max;
        in.get();
        std::array<int, 3> dark{0, 0, 0};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (in.get() < 128)
                    ++dark[static_cast<size_t>(std::min(2, 3 * x / width))];
        EXPECT_EQ(magic, "P5");
        return dark;
    }

    Plot_Option m_Options;
    Paper_Array m_Papers;
};

TEST_F(Sign_Plot_Test, Authorised_And_Code_Free_Are_Filled_Unauthorised_Absent_And_None_When_Switched_Off)
{
    Place(1, 1100, 500);
    Place(2, 1210, 0);
    Place(3, 1320, 0);

    const std::array<int, 3> shown = Dark_Thirds(Plot(1, L"signed.pdf"));
    // A 60 x 60 mm square with a 30 x 30 hole at 20 dpi: about 1650 pixels (2200 without
    // the hole).
    EXPECT_GT(shown[0], 1300);
    EXPECT_EQ(shown[1], 0);
    EXPECT_GT(shown[2], 1300);
    EXPECT_LT(shown[0], 2000);

    const std::array<int, 3> hidden = Dark_Thirds(Plot(0, L"unsigned.pdf"));
    EXPECT_EQ(hidden, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(g_Plot_Running, 0);
    EXPECT_EQ(g_Show_Signatures, 1);
}

}  // namespace
