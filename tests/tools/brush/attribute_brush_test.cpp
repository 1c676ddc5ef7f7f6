// The attribute brush: the source reference's shown attributes as rows, whole whatever their
// length; checked rows written by tag (without regard to case) into the picked references at
// each refresh; sorting, checking and editing in the window.
#include "core/command_handlers.h"
#include "drafting_fixture.h"
#include "tools/attribute_brush.h"
#include "tools/dlg_prop_revise.h"

namespace {

const std::string Window = "@833 ";

class Attribute_Brush_Test : public Drafting_Test {
protected:
    // The rows the window lists, printed by a rows step.
    std::vector<std::wstring> Listed() const
    {
        std::vector<std::wstring> rows;
        const std::wstring printed = Printed();
        const std::wstring prefix = L"rows 1164: ";
        for (size_t at = printed.find(prefix); at != std::wstring::npos; at = printed.find(prefix, at + 1)) {
            const size_t end = printed.find(L'\n', at);
            rows.push_back(printed.substr(at + prefix.size(), end == std::wstring::npos ? end : end - at - prefix.size()));
        }
        return rows;
    }
};

TEST_F(Attribute_Brush_Test, ValuesOfAnyLengthAreReadAndWrittenWhole)
{
    const std::wstring long_value(1000, L'v');
    const ZcDbObjectId source = Add_Card(0, 0, {{L"NAME", long_value.c_str()}, {L"HIDDEN", L"h", 0, true},
                                                {L"NOTE", L"a\\Pb", 0, false, true}});
    std::vector<Attribute_Row> rows;
    {
        ZcDbObjectPointer<ZcDbBlockReference> reference(source, ZcDb::kForRead);
        Read_Block_Attributes(reference.object(), rows);
    }
    ASSERT_EQ(rows.size(), 2u) << "the hidden attribute is no row";
    EXPECT_EQ(std::wstring(rows[0].Value), long_value);
    EXPECT_EQ(rows[1].Value, L"a\\Pb") << "a multi-line value as stored";
    EXPECT_TRUE(rows[0].Checked && rows[1].Checked);

    const ZcDbObjectId target = Add_Card(100, 0, {{L"name", L"old"}, {L"NOTE", L"old"}, {L"OTHER", L"kept"}});
    Script("point 1,2\n" + Window + "click 965\npoint 101,2\n" + Window + "click 1\n");
    Brush_Block_Attributes();
    EXPECT_EQ(Attributes(target), (std::vector<std::wstring>{L"name=" + long_value, L"NOTE=a\\Pb", L"OTHER=kept"}));
}

TEST_F(Attribute_Brush_Test, AReferenceWithoutShownAttributesIsNoSource)
{
    Add_Card(0, 0, {{L"NAME", L"n", 0, true}});
    Script("point 1,2\n");
    Brush_Block_Attributes();
    EXPECT_NE(Printed().find(L"未选择到带属性图块！！！"), std::wstring::npos) << platform::To_Utf8(Printed());
}

TEST_F(Attribute_Brush_Test, TheWindowSortsChecksAndEditsItsRowsBeforeEachRefresh)
{
    Add_Card(0, 0, {{L"b", L"2"}, {L"A", L"3"}, {L"a", L"1"}, {L"A", L"4"}});
    const ZcDbObjectId target = Add_Card(100, 0, {{L"A", L"x"}, {L"B", L"y"}});
    Script("point 1,2\n" +
           Window + "rows 1164\n" +                    // by tag ascending, upper case first
           Window + "header 1164 3\n" + Window + "rows 1164\n" +   // by value ascending
           Window + "header 1164 1\n" + Window + "rows 1164\n" +   // all unchecked
           Window + "header 1164 1\n" +                // all checked again
           Window + "cell 1164 0 1\n" +                // "a 1" unchecked
           Window + "cell 1164 1 3\n" + "@809 text 202 \"  \"\n@809 click 1\n" +
           Window + "rows 1164\n" +
           Window + "click 965\npoint 101,2\n" + Window + "click 1\n");
    Brush_Block_Attributes();
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{
                            L" 1 | √ | A | 3", L" 2 | √ | A | 4", L" 3 | √ | a | 1", L" 4 | √ | b | 2",
                            L" 1 | √ | a | 1", L" 2 | √ | b | 2", L" 3 | √ | A | 3", L" 4 | √ | A | 4",
                            L" 1 | X | a | 1", L" 2 | X | b | 2", L" 3 | X | A | 3", L" 4 | X | A | 4",
                            L" 1 | X | a | 1", L" 2 | √ | b | ", L" 3 | √ | A | 3", L" 4 | √ | A | 4"}));
    // Rows in list order: "b" empties B, then "A 3" and "A 4" both write A: the later stays.
    EXPECT_EQ(Attributes(target), (std::vector<std::wstring>{L"A=4", L"B="}));
}

}  // namespace
