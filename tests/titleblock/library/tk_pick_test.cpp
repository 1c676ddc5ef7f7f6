// A new definition's frame from a picked block reference, and the catalogue's text settings
// from a picked text.
#include <cmath>

#include "core/layer_helpers.h"
#include "db/dbblkref.h"
#include "db/dbents.h"
#include "db/dbmtext.h"
#include "db/dbsymtb.h"
#include "db/dbtext.h"
#include "drawing_builders.h"
#include "expect_box.h"
#include "tk_library_fixture.h"

namespace {

class Pick_Test : public TK_Library_Test {
protected:
    static ZcDbObjectId Add(ZcDbEntity* entity, ZcDbObjectId block_id = ZcDbObjectId::kNull)
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id.isNull() ? Db()->modelSpaceId() : block_id,
                                                      ZcDb::kForWrite);
        ZcDbObjectId id;
        EXPECT_EQ(block->appendZcDbEntity(id, entity), Zcad::eOk);
        entity->close();
        return id;
    }
    // A block of a w x h frame from the origin, with a title text reaching beyond it.
    static ZcDbObjectId Add_Frame_Block(const wchar_t* name, double w, double h)
    {
        const ZcDbObjectId block = Add_Block(name);
        auto* frame = new ZcDbPolyline;
        const ZcGePoint2d corners[] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
        for (unsigned i = 0; i < 4; ++i) frame->addVertexAt(i, corners[i]);
        frame->setClosed(true);
        Add(frame, block);
        auto* title = new ZcDbText(ZcGePoint3d(w - 10, h - 5, 0), L"a title that reaches far beyond the frame", {}, 20);
        Add(title, block);
        return block;
    }
    static ZcDbObjectId Insert(ZcDbObjectId block, const ZcGePoint3d& at, double scale_x, double scale_y)
    {
        auto* reference = new ZcDbBlockReference(at, block);
        reference->setScaleFactors(ZcGeScale3d(scale_x, scale_y, 1));
        return Add(reference);
    }
    // Marks the block dynamic, or makes it an anonymous variant of the dynamic block.
    static void Make_Dynamic(ZcDbObjectId block)
    {
        ZcDbObjectPointer<ZcDbBlockTableRecord> record(block, ZcDb::kForWrite);
        record->setDynamicBlock(true);
    }
    static void Make_Variant_Of(ZcDbObjectId variant, ZcDbObjectId dynamic)
    {
        ZcDbRegAppTable* apps = nullptr;
        ASSERT_EQ(Db()->getRegAppTable(apps, ZcDb::kForWrite), Zcad::eOk);
        auto* app = new ZcDbRegAppTableRecord;
        app->setName(L"AcDbBlockRepBTag");
        apps->add(app);
        app->close();
        apps->close();
        wchar_t handle[32] = {0};
        dynamic.handle().getIntoAsciiBuffer(handle, 32);
        resbuf* xdata = zcutBuildList(1001, L"AcDbBlockRepBTag", 1070, 1, 1005, handle, 0);
        ZcDbObjectPointer<ZcDbBlockTableRecord> record(variant, ZcDb::kForWrite);
        EXPECT_EQ(record->setXData(xdata), Zcad::eOk);
        zcutRelRb(xdata);
    }
};

TEST_F(Pick_Test, A_Picked_Frame_Gives_Its_Block_Scale_Centre_Extents_And_Paper)
{
    const ZcDbObjectId a3 = Add_Frame_Block(L"TK_A3", 420, 297);
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(Insert(a3, ZcGePoint3d(1000, 500, 0), -100, 100),
                                                        ZcDb::kForWrite);
        reference->setRotation(0.25);
    }
    TK_Customization tk;
    Script("select all\n");
    ASSERT_TRUE(Pick_TK_Sample(tk));
    EXPECT_TRUE(Script_Used());
    EXPECT_EQ(tk.Block_Name, CString(L"TK_A3"));
    EXPECT_EQ(tk.Is_Dynamic, 0);
    EXPECT_DOUBLE_EQ(tk.Angle, 0.25);
    EXPECT_DOUBLE_EQ(tk.Scale, 100.0);
    // The text beyond the frame is left out; the geometry is centred on the frame.
    const double w = std::abs(420 * 100 * std::cos(0.25)) + 297 * 100 * std::sin(0.25);
    const double h = 420 * 100 * std::sin(0.25) + 297 * 100 * std::cos(0.25);
    Expect_Box(tk.Frame_Ext, -w / 2, -h / 2, w / 2, h / 2);
    EXPECT_EQ(tk.Frame_Ext.minPoint().z, 0.0);
    EXPECT_EQ(tk.Centre.z, 0.0);
    // w / 100 / 100 and h / 100 / 100 in millimetres, brought to 100 .. 1000 on the short side.
    EXPECT_EQ(tk.Paper.Long_Side, static_cast<int>(std::floor(w / 100 + 0.5)));
    EXPECT_EQ(tk.Paper.Short_Side, static_cast<int>(std::floor(h / 100 + 0.5)));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(Pick_Test, Paper_Sizes_Come_Into_Range_And_Snap_To_The_Standard_Sizes)
{
    const struct {
        double w, h, scale;
        int long_side, short_side;
        bool standard;
    } cases[] = {
        {420, 297, 100, 420, 297, true},       // 1:100 of A3
        {41.9, 29.71, 1, 420, 297, true},      // a tenth, snapped
        {84100, 59400, 1, 841, 594, true},     // a hundred times
        {1189 * 8, 841, 1, 951, 84, false},    // the long side brought below 5080 takes the short one below 100
        {1000, 700, 100, 1000, 700, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.w);
        platform::Reset_Host_For_Tests();
        ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
        Insert(Add_Frame_Block(L"F", c.w, c.h), ZcGePoint3d(0, 0, 0), c.scale, c.scale);
        TK_Customization tk;
        Script("select all\n");
        ASSERT_TRUE(Pick_TK_Sample(tk));
        EXPECT_EQ(tk.Paper.Long_Side, c.long_side);
        EXPECT_EQ(tk.Paper.Short_Side, c.short_side);
        EXPECT_EQ(tk.Paper.Standard, c.standard);
    }
}

TEST_F(Pick_Test, A_Variant_Of_A_Dynamic_Block_Gives_The_Dynamic_Block_Name)
{
    const ZcDbObjectId dynamic = Add_Frame_Block(L"TK_DYN", 594, 420);
    Make_Dynamic(dynamic);
    const ZcDbObjectId variant = Add_Frame_Block(L"*U12", 594, 420);
    Make_Variant_Of(variant, dynamic);
    Insert(variant, ZcGePoint3d(0, 0, 0), 1, 1);
    TK_Customization tk;
    Script("select all\n");
    ASSERT_TRUE(Pick_TK_Sample(tk));
    EXPECT_EQ(tk.Block_Name, CString(L"TK_DYN"));
    EXPECT_EQ(tk.Is_Dynamic, 1);
    EXPECT_EQ(tk.Paper.Long_Side, 594);
}

TEST_F(Pick_Test, No_Frame_Picked_Or_A_Frame_Of_No_Size_Is_Refused_With_A_Message)
{
    const struct {
        const char* what;
        double h;
        const char* script;
        const wchar_t* message;
    } cases[] = {
        {"nothing", 297, "enter\nmsgbox OK\n", L"未选择到图框对应的图块 !"},
        {"escape", 297, "esc\nmsgbox OK\n", L"未选择到图框对应的图块 !"},
        {"a frame of no height", 0, "select all\nmsgbox OK\n", L"图框图块对应的范围无效 !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::Reset_Host_For_Tests();
        ASSERT_EQ(zcDocManager->appContextNewDocument(L""), Zcad::eOk);
        const ZcDbObjectId block = Add_Block(L"LINE_ONLY");
        Add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(420, c.h, 0)), block);
        Insert(block, ZcGePoint3d(0, 0, 0), 1, 1);
        platform::MessageBoxLog.clear();
        TK_Customization tk;
        tk.Paper.Long_Side = 1;
        Script(c.script);
        EXPECT_FALSE(Pick_TK_Sample(tk));
        EXPECT_TRUE(Script_Used());
        ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
        EXPECT_EQ(platform::MessageBoxLog[0].text, c.message);
        EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");
        EXPECT_EQ(platform::MessageBoxLog[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(tk.Paper.Long_Side, 1);
    }
}

class Pick_Text_Test : public Pick_Test {
protected:
    void SetUp() override
    {
        Pick_Test::SetUp();
        ZcDbTextStyleTable* styles = nullptr;
        ASSERT_EQ(Db()->getTextStyleTable(styles, ZcDb::kForWrite), Zcad::eOk);
        auto* style = new ZcDbTextStyleTableRecord;
        style->setName(L"目录字");
        style->setFileName(L"txt.shx");
        style->setBigFontFileName(L"");
        style->setTextSize(3.5);
        style->setXScale(0.7);
        styles->add(Style_Id, style);
        style->close();
        styles->close();
        Set_Layer_Color(Layer_Id(), 3);
        Set_Layer_Lineweight(Layer_Id(), 35);
    }
    static ZcDbObjectId Layer_Id()
    {
        ZcDbObjectId id;
        Ensure_Layer(id, L"目录层");
        return id;
    }
    void Place(ZcDbEntity* text)
    {
        text->setLayer(Layer_Id());
        text->setColorIndex(5);
        Add(text);
    }

    ZcDbObjectId Style_Id;
};

TEST_F(Pick_Text_Test, A_Picked_Text_Gives_Its_Style_Size_Colour_And_Layer)
{
    auto* text = new ZcDbText(ZcGePoint3d(0, 0, 0), L"目录", Style_Id, 350);
    text->setWidthFactor(0.9);
    Place(text);
    TK_Text_Settings settings;
    Script("select all\n");
    ASSERT_TRUE(Pick_Catalogue_Text(settings));
    EXPECT_EQ(settings.Text_Height, 350.0);
    EXPECT_DOUBLE_EQ(settings.Text_Width, 0.9);
    EXPECT_EQ(settings.Text_Color, 5);
    EXPECT_EQ(settings.Layer_Name, CString(L"目录层"));
    EXPECT_EQ(settings.Style_Name, CString(L"目录字"));
    EXPECT_EQ(settings.Font_File, CString(L"txt.shx"));
    EXPECT_EQ(settings.Big_Font_File, CString(L"Korvel_HZ.shx"));  // the style has none
    EXPECT_EQ(settings.Style_Height, 3.5);
    EXPECT_DOUBLE_EQ(settings.Style_Width, 0.7);
    EXPECT_EQ(settings.Style_Is_Shx, 0);
    EXPECT_EQ(settings.Layer_Color, 3);
    EXPECT_EQ(settings.Layer_Linetype, CString(L"Continuous"));
    EXPECT_EQ(settings.Layer_Lineweight, 35);
}

TEST_F(Pick_Text_Test, A_Picked_Multiline_Text_Gives_Its_First_Line)
{
    auto* text = new ZcDbMText;
    text->setContents(L"第一行\\P第二行");
    text->setTextStyle(Style_Id);
    text->setTextHeight(500);
    Place(text);
    TK_Text_Settings settings;
    Script("select all\n");
    ASSERT_TRUE(Pick_Catalogue_Text(settings));
    EXPECT_EQ(settings.Text_Height, 500.0);
    EXPECT_EQ(settings.Style_Name, CString(L"目录字"));
    EXPECT_EQ(settings.Layer_Name, CString(L"目录层"));
    EXPECT_EQ(settings.Text_Color, 5);
}

TEST_F(Pick_Text_Test, Nothing_Picked_Leaves_The_Settings)
{
    Place(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(1, 1, 0)));
    TK_Text_Settings settings;
    Script("select all\n");
    EXPECT_FALSE(Pick_Catalogue_Text(settings));
    EXPECT_EQ(settings.Style_Name, CString(L"Standard"));
    EXPECT_EQ(settings.Layer_Name, CString(L"0"));
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

}  // namespace
