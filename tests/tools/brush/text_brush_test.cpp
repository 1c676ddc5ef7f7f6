// The text brush: the source's text, flat or raw as the target takes it, replaces or (Tab
// held while a target selection ends) is appended to texts, multiline texts, attribute
// definitions and every shown attribute under the cursor.
#include "core/cursor_overlays.h"
#include "core/command_handlers.h"
#include "drafting_fixture.h"
#include "mfc/winuser.h"
#include "tools/text_brush.h"

namespace {

class Text_Brush_Test : public Drafting_Test {
protected:
    void TearDown() override
    {
        platform::Clear_Key_State();
        g_Brush_Overlay_Text = Overlay_Text();
        Drafting_Test::TearDown();
    }
};

TEST(Text_Brush_Rules, FlatAndCursorTextsAndTheJoinsOfAppendedText)
{
    struct Join_Case {
        const wchar_t* old_text;
        const wchar_t* blank_joined;
        const wchar_t* paragraph_joined;
    };
    const Join_Case joins[] = {
        {L"", L"", L""},
        {L"A", L"A ", L"A\\P"},
        {L"A ", L"A ", L"A \\P"},
        {L"A\\P", L"A\\P ", L"A\\P"},
        {L"A\n", L"A\n ", L"A\n"},
    };
    for (const Join_Case& c : joins) {
        CString blank = c.old_text, paragraph = c.old_text;
        Add_Trailing_Blank(blank);
        Add_Trailing_Paragraph(paragraph);
        EXPECT_EQ(blank, CString(c.blank_joined)) << "[" << CStringA(c.old_text).GetString() << "]";
        EXPECT_EQ(paragraph, CString(c.paragraph_joined)) << "[" << CStringA(c.old_text).GetString() << "]";
    }
    struct Flat_Case {
        const wchar_t* raw;
        const wchar_t* flat;
        const wchar_t* cursor;
    };
    const Flat_Case flats[] = {
        {L"  ONE\\PTWO\nTHREE  ", L"ONE TWO THREE", L"ONE ..."},
        {L"ABCD", L"ABCD", L"ABCD"},
        {L"ABCDE", L"ABCDE", L"ABCD..."},
        {L"A\r\nB", L"A\r B", L"A\r B"},
    };
    for (const Flat_Case& c : flats) {
        EXPECT_EQ(Flat_Brush_Text(c.raw), CString(c.flat));
        EXPECT_EQ(Brush_Cursor_Text(c.flat), CString(c.cursor));
    }
}

TEST_F(Text_Brush_Test, EveryTargetKindTakesTheRawOrFlatTextReplacedOrAppended)
{
    const ZcDbObjectId source = Add_MText(0, 50, L"ONE\\PTWO");
    const ZcDbObjectId text = Add_Text(100, 0, L"T");
    const ZcDbObjectId empty = Add_Text(100, 20, L"");
    const ZcDbObjectId mtext = Add_MText(100, 50, L"M\\P");
    auto* tag_definition = new ZcDbAttributeDefinition(ZcGePoint3d(100, 80, 0), L"default", L"TG", L"prompt");
    tag_definition->setHeight(5.0);
    const ZcDbObjectId definition = Append(tag_definition);
    const ZcDbObjectId card = Add_Card(200, 0, {{L"A", L"a"}, {L"B", L"b"}, {L"H", L"h", 0, true},
                                                {L"M", L"m", 0, false, true}, {L"FAR", L"far", 40}});
    Script("point 1,47\n"
           "point 101,2\n"
           "key TAB down\n"
           "select window 99,19 120,30\n"   // the empty text
           "point 101,47\n"
           "point 101,82\n"
           "point 201,2\n"
           "key TAB up\n"
           "esc\n");
    Brush_Text();
    EXPECT_EQ(Text_Of(source), L"ONE\\PTWO");
    EXPECT_EQ(Text_Of(text), L"ONE TWO");
    EXPECT_EQ(Text_Of(empty), L"ONE TWO") << "no leading blank";
    EXPECT_EQ(Text_Of(mtext), L"M\\PONE\\PTWO") << "no second paragraph";
    EXPECT_EQ(Text_Of(definition), L"TG") << "the host takes no tag with a blank";
    EXPECT_EQ(Attributes(card), (std::vector<std::wstring>{L"A=a ONE TWO", L"B=b ONE TWO", L"H=h",
                                                           L"M=m\\PONE\\PTWO", L"FAR=far"}))
        << "both attributes under the cursor change, the hidden one and the one elsewhere do not";
    EXPECT_FALSE(g_Brush_Overlay_Text.On) << "the badge goes with the command";
    EXPECT_EQ(g_Brush_Overlay_Text.Text, L"ONE ...");
}

TEST_F(Text_Brush_Test, TheFirstSourceWithMoreThanBlanksGivesTheTextOrNothingIsBrushed)
{
    const ZcDbObjectId blank = Add_Text(0, 0, L"   ");
    Add_Text(0, 20, L" Z ");
    const ZcDbObjectId target = Add_Text(100, 0, L"T");
    Add_Card(200, 0, {{L"A", L"under"}});
    auto* tag_definition = new ZcDbAttributeDefinition(ZcGePoint3d(100, 80, 0), L"default", L"TG", L"prompt");
    tag_definition->setHeight(5.0);
    const ZcDbObjectId definition = Append(tag_definition);

    // A card picked away from its attribute gives no text; a window's first blank text neither.
    Script("point 250,2\n");
    Brush_Text();
    EXPECT_NE(Printed().find(L"未选择到源字符！！！"), std::wstring::npos);
    EXPECT_FALSE(g_Brush_Overlay_Text.On);

    Script("select window -1,-1 30,30\npoint 101,2\npoint 101,82\nesc\n");
    Brush_Text();
    EXPECT_EQ(Text_Of(target), L"Z") << "the blanks around the text are trimmed";
    EXPECT_EQ(Text_Of(definition), L"Z") << "a definition takes the text as its tag";
    EXPECT_EQ(Text_Of(blank), L"   ");

    Script("point 201,2\npoint 101,2\nenter\n");
    Brush_Text();
    EXPECT_EQ(Text_Of(target), L"under") << "the attribute under the cursor is the source";
}

}  // namespace
