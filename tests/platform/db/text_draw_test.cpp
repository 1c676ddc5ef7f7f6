// Texts draw with the same metrics they are measured with: the box of the drawn text primitive
// is the text's extents, and an MText draws exactly the lines it explodes into.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "db/dbents.h"
#include "db/gi_recorder.h"
#include "db/text_metrics.h"
#include "db_test_support.h"

namespace {

using platform::Gi_Record;
using platform::GiRecorder;
constexpr double kPi = 3.14159265358979323846;

struct Text_Case {
    const char* name;
    ZcDb::TextHorzMode horizontal;
    ZcDb::TextVertMode vertical;
    double rotation;
    double widthFactor;
    double oblique;
    bool mirrored;
};

TEST(TextDrawing, TheDrawnTextBoxIsTheTextsExtents)
{
    const Text_Case cases[] = {
        {"left baseline", ZcDb::kTextLeft, ZcDb::kTextBase, 0.0, 1.0, 0.0, false},
        {"centre middle rotated", ZcDb::kTextCenter, ZcDb::kTextVertMid, kPi / 6, 1.0, 0.0, false},
        {"right top narrow oblique", ZcDb::kTextRight, ZcDb::kTextTop, -kPi / 4, 0.7, 0.25, false},
        {"middle", ZcDb::kTextMid, ZcDb::kTextBase, kPi / 2, 1.3, 0.0, false},
        {"fit", ZcDb::kTextFit, ZcDb::kTextBase, 0.0, 1.0, 0.0, false},
        {"mirrored", ZcDb::kTextLeft, ZcDb::kTextBottom, kPi / 3, 1.0, 0.0, true},
    };
    for (const Text_Case& c : cases) {
        ZcDbText text(ZcGePoint3d(10, 20, 0), L"图号 Drg-07 gyq", ZcDbObjectId::kNull, 3.5, c.rotation);
        text.setWidthFactor(c.widthFactor);
        text.setOblique(c.oblique);
        text.mirrorInX(c.mirrored);
        text.setHorizontalMode(c.horizontal);
        text.setVerticalMode(c.vertical);
        text.setAlignmentPoint(ZcGePoint3d(40, 25, 0));
        GiRecorder rec;
        rec.run(&text);
        std::vector<Gi_Record> drawn = rec.ofKind(Gi_Record::kText);
        ASSERT_EQ(drawn.size(), 1u) << c.name;
        EXPECT_EQ(drawn[0].text, L"图号 Drg-07 gyq");
        ZcDbExtents measured;
        ASSERT_EQ(text.getGeomExtents(measured), Zcad::eOk);
        EXPECT_TRUE(Near_Extents(measured, rec.extents().minPoint(), rec.extents().maxPoint(), 1e-9)) << c.name;
        // The primitive's own arguments give back the measured width: advance x width factor.
        platform::Text_Line_Box box = platform::Measure_Text_Line(drawn[0].text, drawn[0].height, drawn[0].widthFactor);
        EXPECT_NEAR(drawn[0].points[0].distanceTo(drawn[0].points[1]), box.width, 1e-9) << c.name;
    }
}

TEST(TextDrawing, AttributesInABlockReferenceDrawWhereTheyMeasure)
{
    Test_Drawing d;
    ZcDbObjectId block = d.addBlock(L"TB");
    d.add(new ZcDbLine(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 0, 0)), block);
    auto* ref = new ZcDbBlockReference(ZcGePoint3d(50, 50, 0), block);
    ref->setRotation(kPi / 7);
    ZcDbObjectId refId = d.add(ref);
    ZcDbObjectPointer<ZcDbBlockReference> r(refId, ZcDb::kForWrite);
    auto* attr = new ZcDbAttribute(ZcGePoint3d(60, 40, 0), L"A-101", L"NO");
    attr->setHeight(5.0);
    attr->setRotation(kPi / 7);
    ASSERT_EQ(r->appendAttribute(attr), Zcad::eOk);
    attr->close();
    GiRecorder rec;
    rec.run(r.object());
    std::vector<Gi_Record> texts = rec.ofKind(Gi_Record::kText);
    ASSERT_EQ(texts.size(), 1u);
    ZcDbExtents drawn;
    for (const ZcGePoint3d& p : texts[0].points) drawn.addPoint(p);
    ZcDbExtents measured;
    ASSERT_EQ(attr->getGeomExtents(measured), Zcad::eOk);
    EXPECT_TRUE(Near_Extents(measured, drawn.minPoint(), drawn.maxPoint(), 1e-9));
}

TEST(TextDrawing, MTextDrawsTheLinesItExplodesInto)
{
    ZcDbMText mt;
    mt.setLocation(ZcGePoint3d(5, 50, 0));
    mt.setDirection(ZcGeVector3d(std::cos(0.4), std::sin(0.4), 0));
    mt.setTextHeight(2.5);
    mt.setWidth(30.0);
    mt.setAttachment(ZcDbMText::kMiddleCenter);
    mt.setContents(L"Drawing title wraps across the column width\\P图纸目录");
    GiRecorder rec;
    rec.run(&mt);
    std::vector<Gi_Record> drawn = rec.ofKind(Gi_Record::kText);
    ZcDbVoidPtrArray pieces;
    ASSERT_EQ(mt.explode(pieces), Zcad::eOk);
    ASSERT_EQ(int(drawn.size()), pieces.length());
    ASSERT_GE(drawn.size(), 3u);
    for (int i = 0; i < pieces.length(); ++i) {
        std::unique_ptr<ZcDbEntity> piece(static_cast<ZcDbEntity*>(pieces[i]));
        ZcDbExtents pe;
        ASSERT_EQ(piece->getGeomExtents(pe), Zcad::eOk);
        ZcDbExtents de;
        for (const ZcGePoint3d& p : drawn[size_t(i)].points) de.addPoint(p);
        EXPECT_TRUE(Near_Extents(pe, de.minPoint(), de.maxPoint(), 1e-9)) << i;
    }
}

}  // namespace
