// Text extraction in the ranges of a title block: which source a field is read from, how
// several texts are joined, multiline codes, and moving found texts to the range centre.
#include <cmath>
#include <string>
#include <vector>

#include "dxf_test_support.h"
#include "db/dbblkref.h"
#include "db/dbmtext.h"
#include "db/dbtext.h"
#include "script/utf8.h"
#include "dxf/dxf_writer.h"
#include "sheets/exact_extents.h"
#include "tk_fixture.h"
#include "titleblock/tk_find_sheets.h"
#include "titleblock/tk_library.h"
#include "titleblock/tk_text_codes.h"
#include "titleblock/tk_text_extraction.h"
#include "titleblock/tk_text_joins.h"

namespace {

std::string Utf8(const CString& text) { return platform::To_Utf8(text.GetString()); }

// Saves the drawing to path; what ezdxf reads of its attributes and multiline texts, a line each.
std::string Saved_As_Ezdxf_Reads_It(const std::string& path)
{
    EXPECT_EQ(platform::Write_Dxf_File(Db(), platform::dxf_test::Wide(path)), Zcad::eOk);
    std::string dump;
    EXPECT_EQ(platform::dxf_test::Run_Command(
                  "/usr/bin/python3 " KORVEL_SOURCE_DIR "/tests/titleblock/recognition/attrib_dump.py " +
                      platform::dxf_test::Quoted(path),
                  dump),
              0)
        << dump;
    return dump;
}

TEST(TK_Text_Codes, Strip_Keeps_Escaped_Characters_And_Stacks)
{
    struct Case {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"{\\C1;Title}\\PLine", L"Title\\PLine"},
        {L"\\pxqc;\\LUnder\\l \\OOver\\o", L"Under Over"},
        {L"{\\fSimSun|b0|i0;A}{\\H2x;B}", L"AB"},
        {L"C:\\\\dir;x", L"C:\\dir;x"},
        {L"\\{x\\}", L"{x}"},
        {L"a\\~b", L"a b"},
        {L"\\U+5DE5\\U+7A0B", L"\u5DE5\u7A0B"},
        {L"\\S1/2;", L"1/2"},
        {L"1\\S+0.1^-0.2;", L"1+0.1/-0.2"},
    };
    for (const Case& c : cases) {
        CString text = c.in;
        Strip_MText_Codes(text);
        EXPECT_EQ(std::wstring(text.GetString()), c.out) << platform::To_Utf8(c.in);
    }
    EXPECT_EQ(std::wstring(MText_Field_Text(L"{\\C1;A}\\PB\nC").GetString()), L"A[++}B[++}C");
}

TEST(TK_Text_Joins, Rect_Overlap_By_A_Fraction_Of_The_Second_Box)
{
    struct Case {
        const char* what;
        double a[4], b[4], fraction;
        bool overlap;
    } cases[] = {
        {"wholly inside", {0, 0, 100, 20}, {10, 5, 30, 10}, 0.1, true},
        {"corners given the other way round", {100, 20, 0, 0}, {30, 10, 10, 5}, 0.1, true},
        {"5 % of its width inside", {0, 0, 100, 20}, {99, 5, 119, 10}, 0.1, false},
        {"10 % of its width inside", {0, 0, 100, 20}, {98, 5, 118, 10}, 0.1, true},
        {"touching", {0, 0, 100, 20}, {100, 5, 120, 10}, 0.1, false},
        {"touching, no fraction asked", {0, 0, 100, 20}, {100, 5, 120, 10}, 0.0, true},
        {"apart", {0, 0, 100, 20}, {101, 5, 120, 10}, 0.0, false},
        {"too little in y", {0, 0, 100, 20}, {10, 19.5, 30, 29.5}, 0.1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Check_Rect_Overlap(ZcGePoint3d(c.a[0], c.a[1], 0), ZcGePoint3d(c.a[2], c.a[3], 0),
                                     ZcGePoint3d(c.b[0], c.b[1], 0), ZcGePoint3d(c.b[2], c.b[3], 0), c.fraction),
                  c.overlap)
            << c.what;
}

TEST(TK_Find_Sheets, Frames_Inside_Others_Are_Dropped)
{
    struct Case {
        const char* what;
        std::vector<std::array<double, 4>> boxes;
        std::vector<int> kept;
    } cases[] = {
        {"small inside large", {{10, 10, 50, 50}, {0, 0, 420, 297}}, {1}},
        {"large first", {{0, 0, 420, 297}, {10, 10, 50, 50}}, {0}},
        {"same rectangle: the later stays", {{0, 0, 420, 297}, {0, 0, 420, 297}}, {1}},
        {"within the tolerance", {{-0.000005, 0, 420, 297}, {0, 0, 420, 297.000005}}, {1}},
        {"overlapping only", {{0, 0, 420, 297}, {400, 0, 820, 297}}, {0, 1}},
        {"without area", {{5, 5, 5, 9}, {1000, 0, 1420, 297}}, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TK_Sheet_Array sheets;
        std::vector<Plot_Drawing2*> made;
        for (const auto& box : c.boxes) {
            auto* sheet = new Plot_Drawing2;
            sheet->Min_Corner.set(box[0], box[1]);
            sheet->Max_Corner.set(box[2], box[3]);
            sheets.Add(sheet);
            made.push_back(sheet);
        }
        Drop_Inner_TK_Sheets(sheets);
        ASSERT_EQ(sheets.GetSize(), static_cast<INT_PTR>(c.kept.size()));
        for (size_t i = 0; i < c.kept.size(); ++i)
            EXPECT_EQ(sheets[static_cast<INT_PTR>(i)], made[c.kept[i]]);
        Delete_All_Objects(sheets);
    }
}

// A frame block "TKF" (the fixture's A3 cells) built in a new drawing, one reference at the
// origin with the attributes each test gives it.
class TK_Text_Extraction_Test : public TK_Drawing_Test {
protected:
    void SetUp() override
    {
        TK_Drawing_Test::SetUp();
        frame_block = Add_Block(L"TKF");
        Add_Rect(0, 0, 420, 297, frame_block);
        frame = Insert(frame_block, ZcGePoint3d(0, 0, 0));
        tk = Make_Definition(L"TKF", false);
        g_TK_Library.Records.Add(tk);
    }

    ZcDbObjectId Add_Attribute(const wchar_t* tag, const wchar_t* text, double x, double y, bool invisible = false)
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(frame, ZcDb::kForWrite);
        auto* attribute = new ZcDbAttribute(ZcGePoint3d(x, y, 0), text, tag);
        attribute->setHeight(4);
        attribute->setInvisible(invisible);
        ZcDbObjectId id;
        EXPECT_EQ(reference->appendAttribute(id, attribute), Zcad::eOk);
        attribute->close();
        return id;
    }
    // A column width of 0 lets the lines run as long as they are.
    ZcDbObjectId Add_MText_Attribute(const wchar_t* tag, const wchar_t* contents, double x, double y,
                                     double column_width = 0)
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(frame, ZcDb::kForWrite);
        auto* attribute = new ZcDbAttribute(ZcGePoint3d(x, y, 0), L"", tag);
        attribute->setHeight(3);
        ZcDbMText mtext;
        mtext.setLocation(ZcGePoint3d(x, y, 0));
        mtext.setTextHeight(3);
        mtext.setContents(contents);
        mtext.setWidth(column_width);
        EXPECT_EQ(attribute->setMTextAttribute(&mtext), Zcad::eOk);
        ZcDbObjectId id;
        EXPECT_EQ(reference->appendAttribute(id, attribute), Zcad::eOk);
        attribute->close();
        return id;
    }
    static ZcDbObjectId Add_Text(const wchar_t* text, double x, double y)
    {
        auto* entity = new ZcDbText(ZcGePoint3d(x, y, 0), text);
        entity->setHeight(4);
        return Add(entity);
    }
    CString Field(int field)
    {
        ZcDbObjectIdArray ids;
        return Get_Range_Text(tk, frame, field, ids);
    }

    ZcDbObjectId frame_block, frame;
    TK_Customization* tk = nullptr;
};

TEST_F(TK_Text_Extraction_Test, Nearest_Attribute_Wins_And_Hidden_Ones_Pass_To_The_Next_Source)
{
    // Range A: 334.25,46 .. 410.75,64, centre 372.5,55.
    Add_Attribute(L"FAR", L"FAR", 336, 47);
    const ZcDbObjectId nearest = Add_Attribute(L"NEAR", L"NEAR", 366, 53);
    Add_Attribute(L"HIDDEN", L"HIDDEN", 368, 53, true);
    Add_Attribute(L"OUTSIDE", L"OUTSIDE", 100, 100);
    ZcDbObjectIdArray ids;
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_A, ids)), "NEAR");
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], nearest);

    // Range B holds only a hidden attribute: the loose text in it is read instead.
    Add_Attribute(L"HIDDEN_B", L"HIDDEN_B", 360, 33, true);
    const ZcDbObjectId loose = Add_Text(L"REV-LOOSE", 345, 33);
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_B, ids)), "REV-LOOSE");
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], loose);

    // Nothing anywhere in range E.
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_E, ids)), "");
    EXPECT_EQ(ids.length(), 0);
}

TEST_F(TK_Text_Extraction_Test, Multiline_Attribute_Joins_Its_Paragraphs_Only_For_The_Title)
{
    Add_MText_Attribute(L"TITLE", L"{\\C1;First}\\PSecond", 250, 55);
    Add_MText_Attribute(L"DATE", L"{\\C1;2026}\\P01", 250, 20);
    EXPECT_EQ(Utf8(Field(TK_Range_C)), "First[++}Second");
    EXPECT_EQ(Utf8(Field(TK_Range_D)), "202601");
}

TEST_F(TK_Text_Extraction_Test, Multiline_Attribute_Counts_By_Its_Lines_Not_Its_Column)
{
    // Range A: 334.25,46 .. 410.75,64. The column runs 300 wide from x 340, its box's centre
    // far outside the range; the number's line lies inside.
    const ZcDbObjectId number = Add_MText_Attribute(L"图号", L"JS-01", 340, 57, 300);
    ZcDbObjectIdArray ids;
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_A, ids)), "JS-01");
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], number);
    ZcDbObjectPointer<ZcDbAttribute> attribute(number, ZcDb::kForRead);
    ZcDbExtents box;
    ASSERT_TRUE(Get_Attribute_Extents(attribute.object(), box));
    EXPECT_GE(box.minPoint().x, 340 - 1e-6);
    EXPECT_LT(box.maxPoint().x, 380);
}

TEST_F(TK_Text_Extraction_Test, A_Number_Joined_From_Two_Texts_Reads_Back_As_Edited)
{
    // "JS" and "-01" side by side in range A (334.25,46 .. 410.75,64).
    Add_Text(L"JS", 350, 53);
    Add_Text(L"-01", 362, 53);
    ZcDbObjectIdArray ids;
    ASSERT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_A, ids)), "JS-01");
    ASSERT_EQ(ids.length(), 2);
    Plot_Drawing2 sheet;
    sheet.Text_Ids[0] = ids;
    ASSERT_TRUE(sheet.Write_Text(TK_Range_A, L"JS-02"));
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_A, ids)), "JS-02");
}

TEST_F(TK_Text_Extraction_Test, An_Edited_Multiline_Attribute_Keeps_Its_Number_Through_A_Save)
{
    Add_MText_Attribute(L"图号", L"{\\C1;JS-01}", 350, 57, 300);
    ZcDbObjectIdArray ids;
    ASSERT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_A, ids)), "JS-01");
    Plot_Drawing2 sheet;
    sheet.Text_Ids[0] = ids;
    ASSERT_TRUE(sheet.Write_Text(TK_Range_A, L"建施-02"));
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_A, ids)), "建施-02");

    // Saved, the file holds the new number in both texts of the attribute, and reading it
    // in again gives the number recognition reads.
    using namespace platform::dxf_test;
    const std::string path = Temp_Path("edited_number.dxf");
    const std::string dump = Saved_As_Ezdxf_Reads_It(path);
    EXPECT_NE(dump.find("图号|建施-02|建施-02\n"), std::string::npos) << dump;
    std::string error;
    const std::unique_ptr<ZcDbDatabase> saved = Read(path, &error);
    ASSERT_NE(saved, nullptr) << error;
    std::vector<std::string> numbers;
    ZcDbObjectPointer<ZcDbBlockTableRecord> model(saved->modelSpaceId(), ZcDb::kForRead);
    ASSERT_EQ(model.openStatus(), Zcad::eOk);
    for (ZcDbObjectId id : model->entityIds()) {
        ZcDbObjectPointer<ZcDbBlockReference> reference(id, ZcDb::kForRead);
        if (reference.openStatus() != Zcad::eOk)
            continue;
        std::unique_ptr<ZcDbObjectIterator> attributes(reference->attributeIterator());
        for (; !attributes->done(); attributes->step()) {
            ZcDbObjectPointer<ZcDbAttribute> attribute(attributes->objectId(), ZcDb::kForRead);
            if (attribute.openStatus() == Zcad::eOk && std::wstring(attribute->tagConst()) == L"图号")
                numbers.push_back(Utf8(Attribute_Field_Text(attribute.object())));
        }
    }
    EXPECT_EQ(numbers, std::vector<std::string>{"建施-02"});
}

// What the user types into the title-block window goes into multiline texts as it stands:
// backslashes, braces and "%%" read back as typed, in a multiline attribute (range A) and a
// loose multiline text (range E), before and after a save, for the platform and for ezdxf.
TEST_F(TK_Text_Extraction_Test, Typed_Codes_In_Multiline_Texts_Read_Back_As_Typed_Through_A_Save)
{
    const ZcDbObjectId attribute_id = Add_MText_Attribute(L"图号", L"JS-01", 350, 57, 300);
    auto* loose = new ZcDbMText;
    loose->setLocation(ZcGePoint3d(340, 20, 0));
    loose->setTextHeight(3);
    loose->setWidth(60);
    loose->setContents(L"{\\C1;信息}");
    const ZcDbObjectId loose_id = Add(loose);
    Plot_Drawing2 sheet;
    sheet.Text_Ids[TK_Range_A - 1].append(attribute_id);
    sheet.Text_Ids[TK_Range_E - 1].append(loose_id);

    const wchar_t* const typed[] = {
        L"结施\\02 {甲}", L"{\\C1;图名}\\P第二行", L"角度%%d 50%%% 比例%", L"C:\\图纸\\新建\\", L"{}%%",
    };
    using namespace platform::dxf_test;
    for (const wchar_t* text : typed) {
        SCOPED_TRACE(Utf8(text));
        ASSERT_TRUE(sheet.Write_Text(TK_Range_A, text));
        ASSERT_TRUE(sheet.Write_Text(TK_Range_E, text));
        EXPECT_EQ(Utf8(Field(TK_Range_A)), Utf8(text));
        EXPECT_EQ(Utf8(Field(TK_Range_E)), Utf8(text));

        const std::string path = Temp_Path("typed_codes.dxf");
        const std::string dump = Saved_As_Ezdxf_Reads_It(path);
        EXPECT_NE(dump.find("图号|" + Utf8(text) + "|" + Utf8(text) + "\n"), std::string::npos) << dump;
        EXPECT_NE(dump.find("MTEXT|" + Utf8(text) + "\n"), std::string::npos) << dump;

        std::string error;
        const std::unique_ptr<ZcDbDatabase> saved = Read(path, &error);
        ASSERT_NE(saved, nullptr) << error;
        std::vector<std::string> read;
        ZcDbObjectPointer<ZcDbBlockTableRecord> model(saved->modelSpaceId(), ZcDb::kForRead);
        ASSERT_EQ(model.openStatus(), Zcad::eOk);
        for (ZcDbObjectId id : model->entityIds()) {
            ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
            if (entity.openStatus() != Zcad::eOk)
                continue;
            if (ZcDbMText::cast(entity.object()) != nullptr) {
                CString field;
                Loose_Field_Text(entity.object(), field);
                read.push_back(Utf8(field));
            }
            const ZcDbBlockReference* reference = ZcDbBlockReference::cast(entity.object());
            if (reference == nullptr)
                continue;
            std::unique_ptr<ZcDbObjectIterator> attributes(reference->attributeIterator());
            for (; !attributes->done(); attributes->step()) {
                ZcDbObjectPointer<ZcDbAttribute> attribute(attributes->objectId(), ZcDb::kForRead);
                if (attribute.openStatus() == Zcad::eOk)
                    read.push_back(Utf8(Attribute_Field_Text(attribute.object())));
            }
        }
        EXPECT_EQ(read, std::vector<std::string>(2, Utf8(text)));
    }
}

TEST_F(TK_Text_Extraction_Test, Title_Attributes_Are_Joined_In_Reading_Order)
{
    // Added bottom line first: the upper line still comes first.
    const ZcDbObjectId lower = Add_Attribute(L"T2", L"LOWER", 260, 35);
    const ZcDbObjectId upper = Add_Attribute(L"T1", L"UPPER", 260, 50);
    ZcDbObjectIdArray ids;
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_C, ids)), "UPPER[++}LOWER");
    ASSERT_EQ(ids.length(), 2);
    EXPECT_EQ(ids[0], upper);
    EXPECT_EQ(ids[1], lower);
}

TEST_F(TK_Text_Extraction_Test, Centred_Fields_Move_Their_Texts_To_The_Range_Centre)
{
    const ZcDbObjectId text = Add_Text(L"E-LEFT", 336, 12);
    const ZcDbObjectId attribute = Add_Attribute(L"A", L"KV-1", 336, 48);
    g_TK_Library.Centre_Text[TK_Range_E - 1] = 1;
    g_TK_Library.Centre_Text[TK_Range_A - 1] = 1;
    EXPECT_EQ(Utf8(Field(TK_Range_E)), "E-LEFT");
    EXPECT_EQ(Utf8(Field(TK_Range_A)), "KV-1");
    // Range E: 334.25,6 .. 410.75,24; range A: 334.25,46 .. 410.75,64.
    const ZcGePoint3d text_centre = Get_Extents_Centre(Get_Entity_Extents_By_Id(text));
    EXPECT_NEAR(text_centre.x, 372.5, 1e-6);
    EXPECT_NEAR(text_centre.y, 15, 1e-6);
    ZcDbObjectPointer<ZcDbAttribute> moved(attribute, ZcDb::kForRead);
    ZcDbExtents box;
    ASSERT_TRUE(Get_Attribute_Extents(moved.object(), box));
    EXPECT_NEAR(Get_Extents_Centre(box).x, 372.5, 1e-6);
    EXPECT_NEAR(Get_Extents_Centre(box).y, 55, 1e-6);
}

TEST_F(TK_Text_Extraction_Test, Plain_Texts_Of_The_Frame_Block_Read_When_They_Overlap_Enough)
{
    // Texts in the frame's own definition: only exploding the frame finds them. The one
    // reaching only 5 % of its width into range B is left out.
    auto* inside = new ZcDbText(ZcGePoint3d(345, 50, 0), L"INSIDE");
    inside->setHeight(4);
    Add(inside, frame_block);
    auto* edge = new ZcDbText(ZcGePoint3d(0, 30, 0), L"EDGE-ONLY");
    edge->setHeight(4);
    Add(edge, frame_block);
    {
        // Place the edge text so that 5 % of its width lies inside range B (x from 334.25).
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(frame_block, ZcDb::kForRead);
        ZcDbObjectId edge_id = block->entityIds().back();
        ZcDbObjectPointer<ZcDbText> text(edge_id, ZcDb::kForWrite);
        ZcDbExtents box;
        ASSERT_EQ(text->getGeomExtents(box), Zcad::eOk);
        const double width = box.maxPoint().x - box.minPoint().x;
        text->transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(334.25 - 0.95 * width - box.minPoint().x, 0, 0)));
    }
    ZcDbObjectIdArray ids;
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_A, ids)), "INSIDE");
    EXPECT_EQ(ids.length(), 0) << "exploded copies leave no ids";
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_B, ids)), "");
}

TEST_F(TK_Text_Extraction_Test, Free_Attribute_Definition_Gives_Its_Tag)
{
    auto* definition = new ZcDbAttributeDefinition(ZcGePoint3d(345, 10, 0), L"", L" INFO-TAG ", L"");
    definition->setHeight(4);
    const ZcDbObjectId id = Add(definition);
    ZcDbObjectIdArray ids;
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_E, ids)), "INFO-TAG");
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], id);
}

TEST_F(TK_Text_Extraction_Test, Ids_Name_Only_The_Source_The_Text_Came_From)
{
    // A blank loose text crossed by the fence gives nothing; the attribute definition behind
    // it gives the text, and the ids must name the definition alone (writing an edited text
    // back goes to the first id).
    Add_Text(L"   ", 345, 10);
    auto* definition = new ZcDbAttributeDefinition(ZcGePoint3d(360, 12, 0), L"", L"INFO-TAG", L"");
    definition->setHeight(4);
    const ZcDbObjectId id = Add(definition);
    ZcDbObjectIdArray ids;
    EXPECT_EQ(Utf8(Get_Range_Text(tk, frame, TK_Range_E, ids)), "INFO-TAG");
    ASSERT_EQ(ids.length(), 1);
    EXPECT_EQ(ids[0], id);
}

}  // namespace
