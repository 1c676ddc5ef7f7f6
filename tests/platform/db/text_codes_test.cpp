// The "%%" codes of texts and the format codes of multiline texts: what they decode to, what
// the texts draw for them, and that their extents cover what they draw.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "db/dbents.h"
#include "db/dbmtext.h"
#include "db/gi_recorder.h"
#include "db/text_codes.h"
#include "db/text_metrics.h"
#include "db_test_support.h"

namespace {

using platform::Gi_Record;
using platform::GiRecorder;

double Advance(const std::wstring& s, double height) { return platform::Measure_Text_Line(s, height).width; }

// The recorded drawing lies inside the entity's extents, and reaches its box edges.
void Expect_Extents_Cover_Drawing(ZcDbEntity& e, const GiRecorder& rec, const char* what)
{
    ZcDbExtents measured;
    ASSERT_EQ(e.getGeomExtents(measured), Zcad::eOk) << what;
    ZcDbExtents drawn = rec.extents();
    EXPECT_LE(measured.minPoint().x, drawn.minPoint().x + 1e-9) << what;
    EXPECT_LE(measured.minPoint().y, drawn.minPoint().y + 1e-9) << what;
    EXPECT_GE(measured.maxPoint().x, drawn.maxPoint().x - 1e-9) << what;
    EXPECT_GE(measured.maxPoint().y, drawn.maxPoint().y - 1e-9) << what;
}

}  // namespace

TEST(TextCodes, DecodeToCharactersAndLines)
{
    struct Case {
        const wchar_t* source;
        const wchar_t* plain;
        std::vector<platform::Text_Stroke_Span> strokes;
    } cases[] = {
        {L"%%c20", L"\u00D820", {}},
        {L"%%C20", L"\u00D820", {}},
        {L"45%%d", L"45\u00B0", {}},
        {L"10%%p0.1", L"10\u00B10.1", {}},
        {L"100%%%", L"100%", {}},
        {L"%%0651", L"A1", {}},
        {L"%%176 %%177", L"\u00B0 \u00B1", {}},
        {L"50% off %%x %%", L"50% off %%x %%", {}},  // not codes: printed as they stand
        {L"%%uAB%%uC", L"ABC", {{0, 2, false}}},
        {L"A%%oBC", L"ABC", {{1, 3, true}}},  // still on at the end
        {L"%%u%%oAB%%u%%o", L"AB", {{0, 2, false}, {0, 2, true}}},
        {L"%%u%%uA", L"A", {}},  // nothing between the toggles
        // Caret notation: control characters (line breaks left out, others blanks), "^ " a caret.
        {L"Elypse ^J(1:20)", L"Elypse (1:20)", {}},
        {L"A^ B^IC^MD", L"A^B CD", {}},
        {L"x^y 2^", L"x^y 2^", {}},  // not codes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.source)));
        platform::Decoded_Text d = platform::Decode_Text_Codes(c.source);
        EXPECT_EQ(d.plain, c.plain);
        ASSERT_EQ(d.strokes.size(), c.strokes.size());
        for (size_t i = 0; i < d.strokes.size(); ++i) {
            EXPECT_EQ(d.strokes[i].begin, c.strokes[i].begin);
            EXPECT_EQ(d.strokes[i].end, c.strokes[i].end);
            EXPECT_EQ(d.strokes[i].overline, c.strokes[i].overline);
        }
    }
}

TEST(TextCodes, TextsDrawTheirCharactersAndLinesAndMeasureWhatTheyDraw)
{
    const double h = 5.0;
    struct Case {
        const char* what;
        const wchar_t* source;
        const wchar_t* drawn;
        double oblique;
        // Expected lines: from and to along the baseline, height above it.
        std::vector<std::array<double, 3>> lines;
    } cases[] = {
        {"diameter", L"%%c20", L"\u00D820", 0.0, {}},
        {"underline", L"%%uAB%%uC", L"ABC", 0.0, {{0.0, Advance(L"AB", h), -0.2 * h}}},
        {"overline to the end", L"A%%oBC", L"ABC", 0.0, {{Advance(L"A", h), Advance(L"ABC", h), 1.2 * h}}},
        {"oblique underline", L"%%uAB", L"AB", 0.3, {{0.0, Advance(L"AB", h), -0.2 * h}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZcDbText text(ZcGePoint3d(10, 20, 0), c.source, ZcDbObjectId::kNull, h);
        text.setOblique(c.oblique);
        GiRecorder rec;
        rec.run(&text);
        std::vector<Gi_Record> texts = rec.ofKind(Gi_Record::kText);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, c.drawn);
        std::vector<Gi_Record> lines = rec.ofKind(Gi_Record::kPolyline);
        ASSERT_EQ(lines.size(), c.lines.size());
        const double shear = std::tan(c.oblique);
        for (size_t i = 0; i < lines.size(); ++i) {
            const auto& [x0, x1, y] = c.lines[i];
            ASSERT_EQ(lines[i].points.size(), 2u);
            EXPECT_NEAR(lines[i].points[0].x, 10 + x0 + y * shear, 1e-9);
            EXPECT_NEAR(lines[i].points[1].x, 10 + x1 + y * shear, 1e-9);
            EXPECT_NEAR(lines[i].points[0].y, 20 + y, 1e-9);
            EXPECT_NEAR(lines[i].points[1].y, 20 + y, 1e-9);
        }
        // The extents are those of the text it draws, lines included.
        ZcDbExtents measured;
        ASSERT_EQ(text.getGeomExtents(measured), Zcad::eOk);
        EXPECT_TRUE(Near_Extents(measured, rec.extents().minPoint(), rec.extents().maxPoint(), 1e-9));
        ZcDbText plain(ZcGePoint3d(10, 20, 0), c.drawn, ZcDbObjectId::kNull, h);
        plain.setOblique(c.oblique);
        ZcDbExtents plainExtents;
        ASSERT_EQ(plain.getGeomExtents(plainExtents), Zcad::eOk);
        EXPECT_NEAR(measured.maxPoint().x, plainExtents.maxPoint().x, 1e-9) << "as wide as the characters drawn";
    }
}

TEST(TextCodes, CenteredTextsCentreTheCharactersTheyDraw)
{
    ZcDbText text(ZcGePoint3d(0, 0, 0), L"%%c20", ZcDbObjectId::kNull, 5.0);
    text.setHorizontalMode(ZcDb::kTextCenter);
    text.setAlignmentPoint(ZcGePoint3d(100, 0, 0));
    EXPECT_NEAR(text.layout().origin.x, 100 - Advance(L"\u00D820", 5.0) / 2, 1e-9);
}

TEST(MTextFormat, ParagraphsAlignWithinTheColumn)
{
    const double h = 2.5;
    const double wide = Advance(L"BBBBBBBB", h);
    struct Case {
        const char* what;
        const wchar_t* contents;
        ZcDbMText::AttachmentPoint attachment;
        double width;
        std::vector<std::wstring> texts;
        std::vector<double> xs;
    } cases[] = {
        {"codes in a column", L"\\pxqc;AA\\P\\pxqr;AA\\P\\pxql;AA\\P\\pxqj;AA\\PAA", ZcDbMText::kTopLeft, 100,
         {L"AA", L"AA", L"AA", L"AA", L"AA"},
         {(100 - Advance(L"AA", h)) / 2, 100 - Advance(L"AA", h), 0, 0, 0}},
        {"without a column: within the widest line", L"\\pxqr;A\\PBBBBBBBB", ZcDbMText::kTopCenter, 0,
         {L"A", L"BBBBBBBB"}, {-wide / 2 + wide - Advance(L"A", h), -wide / 2}},
        {"other options before the alignment", L"\\pxi-3,l3,qc;AA", ZcDbMText::kTopLeft, 100, {L"AA"},
         {(100 - Advance(L"AA", h)) / 2}},
        {"a group keeps its alignment inside", L"{\\pxqc;AA\\PAA}\\PAA", ZcDbMText::kTopRight, 100,
         {L"AA", L"AA", L"AA"},
         {-100 + (100 - Advance(L"AA", h)) / 2, -100 + (100 - Advance(L"AA", h)) / 2, -Advance(L"AA", h)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZcDbMText mt;
        mt.setTextHeight(h);
        mt.setWidth(c.width);
        mt.setAttachment(c.attachment);
        mt.setContents(c.contents);
        std::vector<ZcDbMText::Line> lines = mt.layoutLines();
        ASSERT_EQ(lines.size(), c.texts.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].text, c.texts[i]) << i;
            EXPECT_NEAR(lines[i].x, c.xs[i], 1e-9) << i;
        }
    }
}

// Lines of a column break at blanks, or next to Chinese characters; a word wider than the column
// runs past it whole. A "^J" breaks the paragraph.
TEST(MTextFormat, LinesBreakAtBlanksNotInsideWords)
{
    const double h = 2.5;
    // Lines are filled character by character.
    auto Advance = [](const std::wstring& s, double height) {
        double w = 1e-9;
        for (wchar_t c : s) w += platform::Char_Advance(c, height);
        return w;
    };
    struct Case {
        const char* what;
        const wchar_t* contents;
        double width;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"words wider than the column", L"SPLINE BYLAYER", Advance(L"SP", h), {L"SPLINE", L"BYLAYER"}},
        {"at the last blank that fits", L"AB CD EF", Advance(L"AB CD", h), {L"AB CD", L"EF"}},
        {"a word after one too wide", L"BYLAYER A B", Advance(L"A B", h), {L"BYLAYER", L"A B"}},
        {"between Chinese characters", L"图纸目录", Advance(L"图纸", h), {L"图纸", L"目录"}},
        {"before a Chinese character", L"PART图纸", Advance(L"PART图", h), {L"PART图", L"纸"}},
        {"caret line feed", L"FIRST^JSECOND", 0, {L"FIRST", L"SECOND"}},
        {"other caret codes", L"A^IB^MC^ D", 0, {L"A BC^D"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZcDbMText mt;
        mt.setTextHeight(h);
        mt.setWidth(c.width);
        mt.setContents(c.contents);
        std::vector<std::wstring> texts;
        for (const ZcDbMText::Line& l : mt.layoutLines()) texts.push_back(l.text);
        EXPECT_EQ(texts, c.lines);
    }
}

TEST(MTextFormat, StacksAndLinesAreLaidOutInTheLine)
{
    const double h = 10.0;
    const double small = 0.7 * h;
    const double one = Advance(L"1", h);
    struct Run {
        std::wstring text;
        double x, y, height;
    };
    struct Case {
        const char* what;
        const wchar_t* contents;
        std::wstring text;
        std::vector<Run> runs;
        std::vector<ZcDbMText::Stroke> strokes;
    } cases[] = {
        {"fraction", L"1\\S3/4;", L"13/4",
         {{L"1", 0, 0, h}, {L"3", one, 6, small}, {L"4", one, -3, small}},
         {{one, 5, one + Advance(L"3", small), 5}}},
        {"tolerance without a bar", L"1\\S+0.1^-0.2;", L"1+0.1/-0.2",
         {{L"1", 0, 0, h}, {L"+0.1", one, 6, small}, {L"-0.2", one, -3, small}}, {}},
        {"tolerance with its caret as files keep it", L"1\\S+0.1^ -0.2;", L"1+0.1/-0.2",
         {{L"1", 0, 0, h}, {L"+0.1", one, 6, small}, {L"-0.2", one, -3, small}}, {}},
        {"slanted", L"\\S1#2;", L"1/2",
         {{L"1", 0, 6, small}, {L"2", Advance(L"1", small), -3, small}},
         {{Advance(L"1", small) - 1.5, -3 + small / 2, Advance(L"1", small) + 1.5, 6 + small / 2}}},
        {"no separator: plain characters", L"A\\S12;B", L"A12B", {{L"A12B", 0, 0, h}}, {}},
        {"underline and overline", L"\\LAB\\lC %%oD%%o", L"ABC D",
         {{L"ABC D", 0, 0, h}},
         {{0, -2, Advance(L"AB", h), -2}, {Advance(L"ABC ", h), 12, Advance(L"ABC D", h), 12}}},
        {"underline under a stack", L"%%u1\\S3/4;%%u", L"13/4",
         {{L"1", 0, 0, h}, {L"3", one, 6, small}, {L"4", one, -3, small}},
         {{one, 5, one + Advance(L"3", small), 5}, {0, -2, one + Advance(L"3", small), -2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ZcDbMText mt;
        mt.setTextHeight(h);
        mt.setContents(c.contents);
        std::vector<ZcDbMText::Line> lines = mt.layoutLines();
        ASSERT_EQ(lines.size(), 1u);
        const ZcDbMText::Line& l = lines[0];
        EXPECT_EQ(l.text, c.text);
        ASSERT_EQ(l.runs.size(), c.runs.size());
        for (size_t i = 0; i < l.runs.size(); ++i) {
            EXPECT_EQ(l.runs[i].text, c.runs[i].text) << i;
            EXPECT_NEAR(l.runs[i].x, c.runs[i].x, 1e-9) << i;
            EXPECT_NEAR(l.runs[i].y, c.runs[i].y, 1e-9) << i;
            EXPECT_NEAR(l.runs[i].height, c.runs[i].height, 1e-9) << i;
        }
        ASSERT_EQ(l.strokes.size(), c.strokes.size());
        for (size_t i = 0; i < l.strokes.size(); ++i) {
            EXPECT_NEAR(l.strokes[i].x0, c.strokes[i].x0, 1e-9) << i;
            EXPECT_NEAR(l.strokes[i].y0, c.strokes[i].y0, 1e-9) << i;
            EXPECT_NEAR(l.strokes[i].x1, c.strokes[i].x1, 1e-9) << i;
            EXPECT_NEAR(l.strokes[i].y1, c.strokes[i].y1, 1e-9) << i;
        }
        // The plain text reads the stack as a fraction and drops the line codes.
        wchar_t* plain = mt.text();
        EXPECT_EQ(std::wstring(plain), c.text);
        delete[] plain;
    }
}

TEST(MTextFormat, DrawsItsRunsAndLinesAndItsExtentsCoverThem)
{
    ZcDbMText mt;
    mt.setLocation(ZcGePoint3d(50, 80, 0));
    mt.setTextHeight(5.0);
    mt.setWidth(60);
    mt.setAttachment(ZcDbMText::kBottomRight);
    mt.setContents(L"\\pxqc;%%c20 \\S+0.1^-0.2;\\P\\LPART\\l 1\\S1/2;");
    GiRecorder rec;
    rec.run(&mt);
    std::vector<ZcDbMText::Line> lines = mt.layoutLines();
    size_t runs = 0, strokes = 0;
    for (const ZcDbMText::Line& l : lines) runs += l.runs.size(), strokes += l.strokes.size();
    EXPECT_EQ(rec.ofKind(Gi_Record::kText).size(), runs);
    EXPECT_EQ(rec.ofKind(Gi_Record::kPolyline).size(), strokes);
    EXPECT_EQ(rec.ofKind(Gi_Record::kText)[0].text, L"\u00D820 ");
    Expect_Extents_Cover_Drawing(mt, rec, "mtext");

    // Exploded, it gives the same texts and lines.
    ZcDbVoidPtrArray pieces;
    ASSERT_EQ(mt.explode(pieces), Zcad::eOk);
    size_t texts = 0, segments = 0;
    for (int i = 0; i < pieces.length(); ++i) {
        auto* e = static_cast<ZcDbEntity*>(pieces[i]);
        texts += ZcDbText::cast(e) != nullptr;
        segments += ZcDbLine::cast(e) != nullptr;
        delete e;
    }
    EXPECT_EQ(texts, runs);
    EXPECT_EQ(segments, strokes);
}
