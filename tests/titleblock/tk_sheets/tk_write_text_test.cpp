// An edited title-block text written back whole into the first entity it was read from,
// the others emptied, kept centred where the library centres that field.
#include "core/erase_helpers.h"
#include "db/dbents.h"
#include "db/dbmtext.h"
#include "sheets/exact_extents.h"
#include "tk_sheet_fixture.h"

namespace {

constexpr double Quarter_Turn = 1.5707963267948966;  // 90 degrees

class TK_Write_Text : public TK_Sheet_Test {
public:
    static ZcDbObjectId Add_Text(const wchar_t* text, double x, double y)
    {
        return Add(new ZcDbText(ZcGePoint3d(x, y, 0), text, ZcDbObjectId::kNull, 10.0));
    }
    // The entity's text as Write_Text sets it.
    static std::string Text_Of(ZcDbObjectId id)
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        if (entity.openStatus() != Zcad::eOk)
            return "<not open>";
        if (const auto* definition = ZcDbAttributeDefinition::cast(entity.object()))
            return platform::To_Utf8(definition->tagConst());
        if (const auto* text = ZcDbText::cast(entity.object()))
            return platform::To_Utf8(text->textStringConst());
        if (const auto* mtext = ZcDbMText::cast(entity.object()))
            return platform::To_Utf8(mtext->contentsConst());
        return "<no text>";
    }
    static ZcGePoint3d Centre_Of(ZcDbObjectId id) { return Get_Extents_Centre(Get_Entity_Extents_By_Id(id)); }
};

TEST_F(TK_Write_Text, Each_Text_Kind_Takes_The_New_Text_In_Its_Own_Field)
{
    // An attribute on a reference, an attribute definition in a block, a text and a multiline text.
    const ZcDbObjectId block_id = Add_Block(L"TK_FRAME");
    const ZcDbObjectId definition_id =
        Add(new ZcDbAttributeDefinition(ZcGePoint3d(0, 0, 0), L"default", L"NUMBER", L"Number?"), block_id);
    const ZcDbObjectId reference_id = Add(new ZcDbBlockReference(ZcGePoint3d(0, 0, 0), block_id));
    ZcDbObjectId attribute_id;
    {
        Doc_Lock lock;
        ZcDbObjectPointer<ZcDbBlockReference> reference(reference_id, ZcDb::kForWrite);
        ASSERT_EQ(reference.openStatus(), Zcad::eOk);
        auto* attribute = new ZcDbAttribute(ZcGePoint3d(0, 0, 0), L"S-01", L"NUMBER");
        ASSERT_EQ(reference->appendAttribute(attribute_id, attribute), Zcad::eOk);
        attribute->close();
    }
    auto* mtext = new ZcDbMText;
    mtext->setContents(L"old title");
    mtext->setTextHeight(10);
    const ZcDbObjectId mtext_id = Add(mtext);
    const ZcDbObjectId text_id = Add_Text(L"R1", 100, 0);

    Plot_Drawing2* sheet = Add_Sheet(0, 0, 500, 300);
    sheet->Text_Ids[0].append(attribute_id);
    sheet->Text_Ids[1].append(text_id);
    sheet->Text_Ids[2].append(mtext_id);
    sheet->Text_Ids[4].append(definition_id);
    sheet->Text[0] = L"S-01";

    struct Case {
        int field;
        const wchar_t* text;
        ZcDbObjectId id;
    };
    const Case cases[] = {
        {1, L"S-02", attribute_id}, {2, L"R2", text_id}, {3, L"new title", mtext_id}, {5, L"INFO", definition_id}};
    Doc_Lock lock;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        EXPECT_TRUE(sheet->Write_Text(c.field, c.text));
        EXPECT_EQ(Text_Of(c.id), platform::To_Utf8(c.text));
    }
    EXPECT_EQ(platform::To_Utf8(sheet->Text[0].GetString()), "S-01");  // the record is the caller's
}

TEST_F(TK_Write_Text, The_Whole_Text_Goes_To_The_First_Source_And_The_Others_Are_Emptied)
{
    // A number read from "JS" and "-01", a title from two lines, a revision whose first
    // source is gone.
    const ZcDbObjectId prefix = Add_Text(L"JS", 0, 0), suffix = Add_Text(L"-01", 30, 0);
    const ZcDbObjectId upper = Add_Text(L"总平面", 0, -20), lower = Add_Text(L"布置图", 0, -40);
    const ZcDbObjectId erased = Add_Text(L"A", 0, -60), kept = Add_Text(L"B", 0, -80);
    Plot_Drawing2* sheet = Add_Sheet(0, -100, 500, 300);
    sheet->Text_Ids[0].append(prefix);
    sheet->Text_Ids[0].append(suffix);
    sheet->Text_Ids[2].append(upper);
    sheet->Text_Ids[2].append(lower);
    sheet->Text_Ids[1].append(erased);
    sheet->Text_Ids[1].append(kept);
    Doc_Lock lock;
    ASSERT_TRUE(Erase_Entity(erased));

    EXPECT_TRUE(sheet->Write_Text(1, L"JS-02"));
    EXPECT_EQ(Text_Of(prefix), "JS-02");
    EXPECT_EQ(Text_Of(suffix), "");
    EXPECT_TRUE(sheet->Write_Text(3, L"总平面布置图"));
    EXPECT_EQ(Text_Of(upper), "总平面布置图");
    EXPECT_EQ(Text_Of(lower), "");
    // The first source that can be written takes the text.
    EXPECT_TRUE(sheet->Write_Text(2, L"C"));
    EXPECT_EQ(Text_Of(kept), "C");
    // Texts of exploded copies (no ids), only an erased source and fields outside 1..6 fail.
    sheet->Text_Ids[3].append(erased);
    for (int field : {4, 5, 0, 7, -1}) {
        SCOPED_TRACE(field);
        EXPECT_FALSE(sheet->Write_Text(field, L"X"));
    }
    EXPECT_EQ(Text_Of(prefix), "JS-02");
}

TEST_F(TK_Write_Text, A_Centred_Field_Keeps_Its_Centre_Where_Others_Keep_Their_Start)
{
    const ZcDbObjectId centred = Add_Text(L"AB", 100, 100), plain = Add_Text(L"AB", 100, 200);
    const ZcGePoint3d centre_before = Centre_Of(centred), plain_before = Centre_Of(plain);
    Plot_Drawing2* sheet = Add_Sheet(0, 0, 500, 300);
    sheet->Text_Ids[2].append(centred);
    sheet->Text_Ids[3].append(plain);
    g_TK_Library.Centre_Text[2] = 1;
    Doc_Lock lock;

    ASSERT_TRUE(sheet->Write_Text(3, L"ABCDEFGH"));
    ASSERT_TRUE(sheet->Write_Text(4, L"ABCDEFGH"));
    const ZcGePoint3d centre_after = Centre_Of(centred), plain_after = Centre_Of(plain);
    EXPECT_NEAR(centre_after.x, centre_before.x, 1e-6);
    EXPECT_NEAR(centre_after.y, centre_before.y, 1e-6);
    EXPECT_GT(plain_after.x, plain_before.x + 10);  // grew to the right from its start
    ZcDbObjectPointer<ZcDbText> text(plain, ZcDb::kForRead);
    EXPECT_DOUBLE_EQ(text->position().x, 100);
}

TEST_F(TK_Write_Text, Centring_Measures_In_The_Remembered_Ucs)
{
    // A UCS turned by 90 degrees: the text's run along world y is its run along the UCS x.
    const ZcDbObjectId id = Add(new ZcDbText(ZcGePoint3d(100, 100, 0), L"AB", ZcDbObjectId::kNull, 10.0, Quarter_Turn));
    const ZcGePoint3d world_before = Get_Extents_Centre([&] {
        ZcDbExtents box;
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        entity->getGeomExtents(box);
        return box;
    }());
    g_Ucs.Active = true;
    g_Ucs.Ucs_To_World_Matrix = ZcGeMatrix3d::rotation(Quarter_Turn, ZcGeVector3d::kZAxis, ZcGePoint3d::kOrigin);
    g_Ucs.World_To_Ucs_Matrix = g_Ucs.Ucs_To_World_Matrix.inverse();
    Plot_Drawing2* sheet = Add_Sheet(0, 0, 500, 300);
    sheet->Text_Ids[0].append(id);
    g_TK_Library.Centre_Text[0] = 1;
    Doc_Lock lock;
    ASSERT_TRUE(sheet->Write_Text(1, L"ABCDEFGH"));
    ZcDbExtents box;
    {
        ZcDbObjectPointer<ZcDbEntity> entity(id, ZcDb::kForRead);
        entity->getGeomExtents(box);
    }
    const ZcGePoint3d world_after = Get_Extents_Centre(box);
    EXPECT_NEAR(world_after.x, world_before.x, 1e-6);
    EXPECT_NEAR(world_after.y, world_before.y, 1e-6);
}

}  // namespace
