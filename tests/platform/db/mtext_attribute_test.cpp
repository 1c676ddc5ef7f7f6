// Multi-line attributes and attribute definitions: the multiline text is what they draw and
// measure, it follows their transforms, copies and the definition an attribute is made from.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/dbents.h"
#include "db/gi_recorder.h"
#include "db_test_support.h"

namespace {

using platform::Gi_Record;
using platform::GiRecorder;

std::unique_ptr<ZcDbMText> Two_Line_Text()
{
    auto m = std::make_unique<ZcDbMText>();
    m->setLocation(ZcGePoint3d(5, 5, 0));
    m->setTextHeight(2.0);
    m->setContents(L"first\\Psecond");
    return m;
}

std::vector<std::wstring> Drawn_Texts(ZcDbEntity* e)
{
    GiRecorder rec;
    rec.run(e);
    std::vector<std::wstring> out;
    for (const Gi_Record& r : rec.ofKind(Gi_Record::kText)) out.push_back(r.text);
    return out;
}

// The two kinds that carry a multiline text, made single-line with the text "single".
struct Kind {
    const char* name;
    const wchar_t* single_line;  // what the single-line one shows
    std::function<std::unique_ptr<ZcDbText>()> make;
    std::function<Zcad::ErrorStatus(ZcDbText*, const ZcDbMText*)> set;
    std::function<ZcDbMText*(const ZcDbText*)> get;
};

const Kind kKinds[] = {
    {"attribute", L"single", [] { return std::make_unique<ZcDbAttribute>(ZcGePoint3d(1, 1, 0), L"single", L"TAG"); },
     [](ZcDbText* t, const ZcDbMText* m) { return static_cast<ZcDbAttribute*>(t)->setMTextAttribute(m); },
     [](const ZcDbText* t) { return static_cast<const ZcDbAttribute*>(t)->getMTextAttribute(); }},
    {"definition", L"TAG",
     [] { return std::make_unique<ZcDbAttributeDefinition>(ZcGePoint3d(1, 1, 0), L"single", L"TAG", L"Prompt"); },
     [](ZcDbText* t, const ZcDbMText* m) { return static_cast<ZcDbAttributeDefinition*>(t)->setMTextAttributeDefinition(m); },
     [](const ZcDbText* t) { return static_cast<const ZcDbAttributeDefinition*>(t)->getMTextAttributeDefinition(); }},
};

TEST(MTextAttribute, DrawsAndMeasuresItsMultilineTextInsteadOfItsSingleLine)
{
    for (const Kind& k : kKinds) {
        std::unique_ptr<ZcDbText> t = k.make();
        t->setHeight(2.0);
        t->setColorIndex(1);
        std::unique_ptr<ZcDbMText> m = Two_Line_Text();
        ASSERT_EQ(k.set(t.get(), m.get()), Zcad::eOk) << k.name;

        EXPECT_EQ(Drawn_Texts(t.get()), (std::vector<std::wstring>{L"first", L"second"})) << k.name;
        GiRecorder rec;
        rec.run(t.get());
        for (const Gi_Record& r : rec.ofKind(Gi_Record::kText)) EXPECT_EQ(r.colorIndex, 1) << k.name;
        ZcDbExtents own, expected;
        ASSERT_EQ(t->getGeomExtents(own), Zcad::eOk) << k.name;
        ASSERT_EQ(m->getGeomExtents(expected), Zcad::eOk);
        EXPECT_TRUE(Near_Extents(own, expected.minPoint(), expected.maxPoint(), 1e-9)) << k.name;

        // Without it the single line is back.
        ASSERT_EQ(k.set(t.get(), nullptr), Zcad::eOk) << k.name;
        EXPECT_EQ(Drawn_Texts(t.get()), (std::vector<std::wstring>{k.single_line})) << k.name;
    }
}

TEST(MTextAttribute, CopiesAndTransformsKeepTheMultilineText)
{
    for (const Kind& k : kKinds) {
        std::unique_ptr<ZcDbText> t = k.make();
        ASSERT_EQ(k.set(t.get(), Two_Line_Text().get()), Zcad::eOk) << k.name;

        // What the getter gives is a copy: changing it leaves the attribute alone.
        std::unique_ptr<ZcDbMText> handed(k.get(t.get()));
        ASSERT_TRUE(handed) << k.name;
        handed->setContents(L"changed");
        std::unique_ptr<ZcDbMText> kept(k.get(t.get()));
        EXPECT_STREQ(kept->contentsConst(), L"first\\Psecond") << k.name;

        std::unique_ptr<ZcDbText> copy(ZcDbText::cast(t->clone()));
        ASSERT_TRUE(copy) << k.name;
        std::unique_ptr<ZcDbMText> copied(k.get(copy.get()));
        ASSERT_TRUE(copied) << k.name;
        EXPECT_STREQ(copied->contentsConst(), L"first\\Psecond") << k.name;
        EXPECT_EQ(copied->location(), ZcGePoint3d(5, 5, 0)) << k.name;

        // A quarter turn about the origin, twice the size, then 100 along x.
        ZcGeMatrix3d xform = ZcGeMatrix3d::translation(ZcGeVector3d(100, 0, 0)) *
                             ZcGeMatrix3d::scaling(2.0) *
                             ZcGeMatrix3d::rotation(3.14159265358979323846 / 2, ZcGeVector3d::kZAxis);
        ASSERT_EQ(t->transformBy(xform), Zcad::eOk) << k.name;
        std::unique_ptr<ZcDbMText> moved(k.get(t.get()));
        EXPECT_TRUE(moved->location().isEqualTo(ZcGePoint3d(90, 10, 0))) << k.name;
        EXPECT_TRUE(moved->direction().isEqualTo(ZcGeVector3d::kYAxis)) << k.name;
        EXPECT_DOUBLE_EQ(moved->textHeight(), 4.0) << k.name;
    }
}

TEST(MTextAttribute, AnAttributeTakesTheMultilineTextOfItsDefinition)
{
    ZcDbAttributeDefinition def(ZcGePoint3d(5, 5, 0), L"", L"NOTE", L"Note");
    ASSERT_EQ(def.setMTextAttributeDefinition(Two_Line_Text().get()), Zcad::eOk);
    ZcDbAttribute attribute;
    ASSERT_EQ(attribute.setAttributeFromBlock(&def, ZcGeMatrix3d::translation(ZcGeVector3d(100, 0, 0))), Zcad::eOk);
    ASSERT_TRUE(attribute.isMTextAttribute());
    std::unique_ptr<ZcDbMText> m(attribute.getMTextAttribute());
    EXPECT_STREQ(m->contentsConst(), L"first\\Psecond");
    EXPECT_TRUE(m->location().isEqualTo(ZcGePoint3d(105, 5, 0)));

    // A single-line definition makes the attribute single-line again.
    ZcDbAttributeDefinition single(ZcGePoint3d(5, 5, 0), L"value", L"NOTE", L"Note");
    ASSERT_EQ(attribute.setAttributeFromBlock(&single, ZcGeMatrix3d::kIdentity), Zcad::eOk);
    EXPECT_FALSE(attribute.isMTextAttribute());
    EXPECT_EQ(Drawn_Texts(&attribute), (std::vector<std::wstring>{L"value"}));
}

// Cancelling a write opening gives back the multiline text as it was.
TEST(MTextAttribute, CancelRestoresTheMultilineText)
{
    const struct {
        const char* name;
        std::function<Zcad::ErrorStatus(ZcDbAttribute*)> change;
    } cases[] = {
        {"dropped", [](ZcDbAttribute* a) { return a->setMTextAttribute(nullptr); }},
        {"replaced",
         [](ZcDbAttribute* a) {
             ZcDbMText other;
             other.setContents(L"other");
             return a->setMTextAttribute(&other);
         }},
        {"moved", [](ZcDbAttribute* a) { return a->transformBy(ZcGeMatrix3d::translation(ZcGeVector3d(7, 0, 0))); }},
    };
    for (const auto& c : cases) {
        Test_Drawing d;
        auto* attribute = new ZcDbAttribute(ZcGePoint3d(1, 1, 0), L"", L"TAG");
        attribute->setMTextAttribute(Two_Line_Text().get());
        ZcDbObjectId id = d.add(attribute);
        ZcDbAttribute* open = nullptr;
        ASSERT_EQ(zcdbOpenObject(open, id, ZcDb::kForWrite), Zcad::eOk) << c.name;
        ASSERT_EQ(c.change(open), Zcad::eOk) << c.name;
        open->cancel();
        ZcDbObjectPointer<ZcDbAttribute> back(id, ZcDb::kForRead);
        ASSERT_EQ(back.openStatus(), Zcad::eOk) << c.name;
        std::unique_ptr<ZcDbMText> m(back->getMTextAttribute());
        ASSERT_TRUE(m) << c.name;
        EXPECT_STREQ(m->contentsConst(), L"first\\Psecond") << c.name;
        EXPECT_EQ(m->location(), ZcGePoint3d(5, 5, 0)) << c.name;
    }
}

// A reference at (100, 0) of a block with a constant multi-line definition and a multi-line
// attribute: both show and explode as their multiline texts, placed with the reference.
TEST(MTextAttribute, AReferenceShowsAndExplodesItsMultiLineAttributes)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"NOTE");
    auto* constant = new ZcDbAttributeDefinition(ZcGePoint3d(0, 0, 0), L"", L"FIXED", L"");
    constant->setConstant(true);
    std::unique_ptr<ZcDbMText> fixed = Two_Line_Text();
    fixed->setContents(L"fixed\\Pnote");
    constant->setMTextAttributeDefinition(fixed.get());
    d.add(constant, block);

    auto* ref = new ZcDbBlockReference(ZcGePoint3d(100, 0, 0), block);
    ZcDbObjectId refId = d.add(ref);
    ZcDbObjectPointer<ZcDbBlockReference> r(refId, ZcDb::kForWrite);
    ASSERT_EQ(r.openStatus(), Zcad::eOk);
    auto* attribute = new ZcDbAttribute(ZcGePoint3d(100, 20, 0), L"", L"VALUE");
    std::unique_ptr<ZcDbMText> value = Two_Line_Text();
    value->setLocation(ZcGePoint3d(100, 20, 0));
    value->setContents(L"a\\Pb");
    attribute->setMTextAttribute(value.get());
    ASSERT_EQ(r->appendAttribute(attribute), Zcad::eOk);
    attribute->close();

    std::vector<std::wstring> drawn = Drawn_Texts(r.object());
    EXPECT_EQ(drawn, (std::vector<std::wstring>{L"fixed", L"note", L"a", L"b"}));

    ZcDbVoidPtrArray pieces;
    ASSERT_EQ(r->explode(pieces), Zcad::eOk);
    std::vector<std::unique_ptr<ZcDbEntity>> owned;
    for (int i = 0; i < pieces.length(); ++i) owned.emplace_back(static_cast<ZcDbEntity*>(pieces[i]));
    ASSERT_EQ(owned.size(), 2u);
    const struct {
        const wchar_t* contents;
        ZcGePoint3d location;
    } expected[] = {{L"fixed\\Pnote", ZcGePoint3d(105, 5, 0)}, {L"a\\Pb", ZcGePoint3d(100, 20, 0)}};
    for (size_t i = 0; i < owned.size(); ++i) {
        auto* m = ZcDbMText::cast(owned[i].get());
        ASSERT_NE(m, nullptr) << i;
        EXPECT_STREQ(m->contentsConst(), expected[i].contents);
        EXPECT_TRUE(m->location().isEqualTo(expected[i].location)) << i;
    }
}

}  // namespace
