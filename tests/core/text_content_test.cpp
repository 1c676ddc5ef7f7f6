// Texts of plain and custom text entities.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/text_content.h"
#include "db/dbmain.h"
#include "db/dbmtext.h"
#include "db/dbtext.h"

namespace {

struct Piece {
    double x, y, height, rotation;
    const wchar_t* text;
};

// Stands in for the custom text entities of other applications: explodes into TEXT
// pieces (or, as a nested kind, into entities that explode into TEXT pieces).
class Foreign_Text : public ZcDbEntity {
public:
    std::vector<Piece> pieces;
    std::vector<std::vector<Piece>> nested;

protected:
    Zcad::ErrorStatus subExplode(ZcDbVoidPtrArray& entities) const override
    {
        for (const Piece& p : pieces) {
            auto* text = new ZcDbText(ZcGePoint3d(p.x, p.y, 0), p.text, ZcDbObjectId(), p.height, p.rotation);
            entities.append(text);
        }
        for (const auto& group : nested) {
            auto* inner = Make_Like(this);
            inner->pieces = group;
            entities.append(inner);
        }
        return Zcad::eOk;
    }
    virtual Foreign_Text* Make_Like(const Foreign_Text*) const = 0;
};

#define FOREIGN_TEXT_CLASS(NAME)                                                            \
    class NAME : public Foreign_Text {                                                      \
    public:                                                                                 \
        ZCRX_DECLARE_MEMBERS(NAME);                                                         \
                                                                                            \
    protected:                                                                              \
        Foreign_Text* Make_Like(const Foreign_Text*) const override { return new NAME(); } \
    };                                                                                      \
    ZCRX_DXF_DEFINE_MEMBERS(NAME, ZcDbEntity, 33, 0, 0, NAME, "TEST")

FOREIGN_TEXT_CLASS(TCH_TEXT);
FOREIGN_TEXT_CLASS(TCH_MTEXT);
FOREIGN_TEXT_CLASS(IAEC_MTEXT);
FOREIGN_TEXT_CLASS(OTHER_TEXT);

class Text_Content_Test : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TCH_TEXT::rxInit();
        TCH_MTEXT::rxInit();
        IAEC_MTEXT::rxInit();
        OTHER_TEXT::rxInit();
    }
};

TEST_F(Text_Content_Test, PlainTexts)
{
    CString text = L"stale", raw = L"stale";
    ZcDbText single(ZcGePoint3d(0, 0, 0), L"图号^C1");
    EXPECT_EQ(Get_Text_Content(&single, text, raw), Text_Single);
    EXPECT_STREQ(text.GetString(), L"图号^C1");
    EXPECT_TRUE(raw.IsEmpty());

    ZcDbMText multi;
    multi.setContents(L"{\\fSimSun;A}\\PB");
    EXPECT_EQ(Get_Text_Content(&multi, text, raw), Text_Multi);
    EXPECT_STREQ(text.GetString(), L"{\\fSimSun;A}\\PB");
    EXPECT_TRUE(raw.IsEmpty());

    OTHER_TEXT other;
    other.pieces = {{0, 0, 1, 0, L"x"}};
    EXPECT_EQ(Get_Text_String(&other, text), Text_None);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(Get_Text_String(nullptr, text), Text_None);
}

TEST_F(Text_Content_Test, CustomSingleLineJoinsItsPieces)
{
    TCH_TEXT entity;
    entity.pieces = {{0, 0, 2, 0, L"A^C"}, {5, 0, 2, 0, L""}, {10, 30, 2, 0, L"-101"}};
    CString text, raw;
    EXPECT_EQ(Get_Text_Content(&entity, text, raw), Text_Custom_Single);
    EXPECT_STREQ(raw.GetString(), L"A^C-101");
    EXPECT_STREQ(text.GetString(), L"A-101");
}

TEST_F(Text_Content_Test, CustomMultiLineBreaksBetweenLines)
{
    TCH_MTEXT entity;
    // Two pieces on the first line, one a line lower, one rotated piece beside it.
    entity.pieces = {{0, 10, 2.5, 0, L"第一"}, {10, 10, 2.5, 0, L"行"}, {0, 5, 2.5, 0, L"第二行"}};
    CString text, raw;
    EXPECT_EQ(Get_Text_Content(&entity, text, raw), Text_Custom_Multi);
    EXPECT_STREQ(raw.GetString(), L"第一行\\P第二行");

    IAEC_MTEXT nested;
    nested.nested = {{{0, 0, 1, 0, L"a"}, {3, 0, 1, 0, L"b"}}, {{0, 0, 1, 0, L""}}, {{0, -5, 1, 0, L"c^C"}}};
    EXPECT_EQ(Get_Text_Content(&nested, text, raw), Text_Custom_Multi);
    EXPECT_STREQ(raw.GetString(), L"ab\\Pc^C");
    EXPECT_STREQ(text.GetString(), L"ab\\Pc");
}

}  // namespace
