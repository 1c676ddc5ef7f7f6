// Plot options: defaults, the settings-file block and the drawing's record
// "DWG_PLOT_SETTING", with the fields each older version stamp holds.
#include <functional>
#include <sstream>
#include <vector>

#include "core/plot_option.h"
#include "core/version_stamp.h"
#include "db/dbdict.h"
#include "db/dbmain.h"
#include "drawing_builders.h"
#include "services_fixture.h"

namespace {

// One stored field (or group stored together): its date and a non-default value.
struct Field_Change {
    int32_t since;
    int tokens;  // values it stores
    std::function<void(Plot_Option&)> set;
};

const std::vector<Field_Change>& Changes()
{
    static const std::vector<Field_Change> changes = {
        {0, 1, [](Plot_Option& o) { o.Output_Type = 6; }},
        {0, 1, [](Plot_Option& o) { o.Folder_Mode = 2; }},
        {0, 1, [](Plot_Option& o) { o.Folder = L"D:\\出图 目录\\PDF"; }},
        {0, 1, [](Plot_Option& o) { o.Margin = -100; }},
        {0, 1, [](Plot_Option& o) { o.Back_Red = 1; }},
        {0, 1, [](Plot_Option& o) { o.Back_Green = 2; }},
        {0, 1, [](Plot_Option& o) { o.Back_Blue = 3; }},
        {0, 1, [](Plot_Option& o) { o.Scale = 0.5; }},
        {0, 1, [](Plot_Option& o) { o.Prefix = L"??? 纸张"; }},
        {0, 1, [](Plot_Option& o) { o.Start_No = 17; }},
        {0, 1, [](Plot_Option& o) { o.Suffix = L"-终"; }},
        {0, 1, [](Plot_Option& o) { o.Digits = 4; }},
        {0, 1, [](Plot_Option& o) { o.Sort_Type = 9; }},
        {20200711, 1, [](Plot_Option& o) { o.TK_Order = 1; }},
        {20210125, 1, [](Plot_Option&) {}},  // Auto_Scale: always read as 0
        {20210129, 1, [](Plot_Option& o) { o.Filter_Percent = 12.5; }},
        {20210213, 1, [](Plot_Option& o) { o.Print_Sign = 0; }},
        {20210213, 1, [](Plot_Option& o) { o.Use_Reg_Stamp = 1; }},
        {20210213, 1, [](Plot_Option& o) { o.Use_Issue_Stamp = 1; }},
        {20210213, 1, [](Plot_Option& o) { o.Reg_Stamp_Name = L"注册章 一"; }},
        {20210213, 1, [](Plot_Option& o) { o.Issue_Stamp_Name = L"出图章"; }},
        {20210401, 1, [](Plot_Option& o) { o.Image_Frame_Off = 1; }},
        {20220608, 1, [](Plot_Option& o) { o.Use_Project_Stamp = 1; }},
        {20220608, 1, [](Plot_Option& o) { o.Use_Done_Stamp = 1; }},
        {20220608, 1, [](Plot_Option& o) { o.Project_Stamp_Name = L"项目章"; }},
        {20220608, 1, [](Plot_Option& o) { o.Done_Stamp_Name = L"竣工章"; }},
        {20220608, 1, [](Plot_Option& o) { o.Stamps_On = 1; }},
        {20230510, 1, [](Plot_Option& o) { o.Device_Name = L"HP LaserJet.pc5"; }},
        {20230510, 1, [](Plot_Option& o) { o.Plt_Output = 1; }},
        {20230510, 1, [](Plot_Option& o) { o.Auto_Rotate = 0; }},
        {20230516, 1, [](Plot_Option& o) { o.Plt_Folder = L"E:\\plt"; }},
        {20230629, 1, [](Plot_Option& o) { o.Collate = 0; }},
        {20250908, 1, [](Plot_Option& o) { o.Reserved_Flag = 0; }},
        {20250912, 1, [](Plot_Option& o) { o.Style_Name = L"黑白.ctb"; }},
        {20250913, 10,
         [](Plot_Option& o) {
             o.Unequal_Margin = 1;
             o.Unequal_Mode = 1;
             o.Land_Top = 3;
             o.Land_Bottom = 4;
             o.Land_Left = 5;
             o.Land_Right = 6;
             o.Port_Top = 7;
             o.Port_Bottom = 8;
             o.Port_Left = 9;
             o.Port_Right = 11;
         }},
    };
    return changes;
}

Plot_Option Changed_Up_To(int32_t stamp)
{
    Plot_Option option;
    for (const Field_Change& change : Changes())
        if (change.since <= stamp)
            change.set(option);
    return option;
}

int Tokens_Up_To(int32_t stamp)
{
    int count = 0;
    for (const Field_Change& change : Changes())
        count += change.since <= stamp ? change.tokens : 0;
    return count;
}

// Every field as the block writes it, for comparing whole records.
std::string Fields_Of(const Plot_Option& option)
{
    std::ostringstream out;
    option.Write_Block(out);
    return out.str();
}

// A block of an older version: its stamp and the fields it held.
std::string Old_Block(int32_t stamp)
{
    std::istringstream full(Fields_Of(Changed_Up_To(Program_Version_Stamp)));
    std::string line, block = std::to_string(stamp) + "\n";
    std::getline(full, line);
    for (int i = 0; i < Tokens_Up_To(stamp) && std::getline(full, line); ++i)
        block += line + "\n";
    return block;
}

const int32_t Old_Stamps[] = {20190101, 20200711, 20210125, 20210129, 20210213, 20210401, 20220608,
                              20230510, 20230516, 20230629, 20250908, 20250912, 20250913, 20251231};

TEST(Plot_Option_Block, RestoresEveryField)
{
    const Plot_Option changed = Changed_Up_To(Program_Version_Stamp);
    ASSERT_NE(Fields_Of(changed), Fields_Of(Plot_Option()));
    std::istringstream in(Fields_Of(changed));
    Plot_Option read;
    read.Read_Block(in);
    EXPECT_EQ(Fields_Of(read), Fields_Of(changed));
    std::string rest;
    EXPECT_FALSE(in >> rest);  // the block is read to its end
}

TEST(Plot_Option_Block, OlderStampsRestoreOnlyTheFieldsOfTheirDate)
{
    for (int32_t stamp : Old_Stamps) {
        SCOPED_TRACE(stamp);
        std::istringstream in(Old_Block(stamp) + "777\n");
        Plot_Option read;
        read.Read_Block(in);
        EXPECT_EQ(Fields_Of(read), Fields_Of(Changed_Up_To(stamp)));
        int32_t next = 0;
        EXPECT_TRUE(in >> next);
        EXPECT_EQ(next, 777);  // what follows the block is left for its owner
    }
}

TEST(Plot_Option_Block, RepairsValuesOutOfRange)
{
    const struct {
        int field;  // token index after the stamp
        const char* stored;
        std::function<bool(const Plot_Option&)> repaired;
    } cases[] = {
        {3, "150", [](const Plot_Option& o) { return o.Margin == 0; }},
        {3, "-101", [](const Plot_Option& o) { return o.Margin == 0; }},
        {3, "100", [](const Plot_Option& o) { return o.Margin == 100; }},
        {3, "-100", [](const Plot_Option& o) { return o.Margin == -100; }},
        // A zero scale from the settings file would divide by zero later: 1.0.
        {7, "0", [](const Plot_Option& o) { return o.Scale == 1.0; }},
        {7, "1e-05", [](const Plot_Option& o) { return o.Scale == 1.0; }},
        {7, "-5", [](const Plot_Option& o) { return o.Scale == 1.0; }},
        {7, "2e-05", [](const Plot_Option& o) { return o.Scale == 2e-5; }},
        {0, "7", [](const Plot_Option& o) { return o.Output_Type == 0; }},
        {0, "-1", [](const Plot_Option& o) { return o.Output_Type == 0; }},
        {1, "3", [](const Plot_Option& o) { return o.Folder_Mode == 1; }},
        {9, "2147483647", [](const Plot_Option& o) { return o.Start_No == 1; }},
        {9, "-999999999", [](const Plot_Option& o) { return o.Start_No == -Max_Start_No; }},
        {11, "0", [](const Plot_Option& o) { return o.Digits == 2; }},
        {12, "10", [](const Plot_Option& o) { return o.Sort_Type == 1; }},
        {12, "0", [](const Plot_Option& o) { return o.Sort_Type == 1; }},
        {14, "1", [](const Plot_Option& o) { return o.Auto_Scale == 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.field) + " " + c.stored);
        std::istringstream full(Fields_Of(Plot_Option()));
        std::string line, block;
        for (int i = -1; std::getline(full, line); ++i)
            block += (i == c.field ? std::string(c.stored) : line) + "\n";
        std::istringstream in(block);
        Plot_Option read;
        read.Read_Block(in);
        EXPECT_TRUE(c.repaired(read));
    }
}

TEST(Plot_Option_Block, ATruncatedBlockKeepsTheFieldsAfterTheEnd)
{
    const std::string full = Fields_Of(Changed_Up_To(Program_Version_Stamp));
    for (size_t cut : {size_t(0), size_t(3), full.size() / 3, full.size() / 2, full.size() - 3}) {
        std::istringstream in(full.substr(0, cut));
        Plot_Option read;
        read.Scale = 42;
        read.Port_Right = 99;
        read.Read_Block(in);  // stops cleanly
        EXPECT_EQ(read.Port_Right, 99);
    }
}

TEST(Plot_Option_Block, StringsAreEscapedOnLinesOfTheirOwn)
{
    Plot_Option option;
    option.Folder = L" ";
    option.Suffix = L"";
    const std::string block = Fields_Of(option);
    EXPECT_NE(block.find("\n*?*\n"), std::string::npos);
    EXPECT_NE(block.find("\n<><\n"), std::string::npos);
    std::istringstream in(block);
    Plot_Option read;
    read.Folder = L"x";
    read.Suffix = L"x";
    read.Read_Block(in);
    EXPECT_STREQ(read.Folder, L" ");
    EXPECT_STREQ(read.Suffix, L"");
}

TEST(Plot_Option_Copy, KeepsTheNamingFieldsOfItsOwn)
{
    Plot_Option target;
    target.Prefix = L"A";
    target.Start_No = 5;
    target.Suffix = L"B";
    target.Digits = 3;
    target.Reserved_Flag = 0;
    target.Style_Name = L"彩色.ctb";
    Plot_Option source = Changed_Up_To(Program_Version_Stamp);
    source.Auto_Scale = 1;

    target.Copy_Common(source);

    Plot_Option expected = source;
    expected.Prefix = L"A";
    expected.Start_No = 5;
    expected.Suffix = L"B";
    expected.Digits = 3;
    expected.Reserved_Flag = 0;
    expected.Style_Name = L"彩色.ctb";
    expected.Auto_Scale = 0;
    expected.Image_Frame_Off = 0;
    EXPECT_EQ(Fields_Of(target), Fields_Of(expected));
}

// The drawing's record.
class Dwg_Plot_Setting_Test : public Services_Test {
public:
    // The record's chain (freed by the caller); null when there is none.
    static resbuf* Record_Chain(ZcDbDatabase* db)
    {
        ZcDbDictionary* named = nullptr;
        if (zcdbOpenObject(named, db->namedObjectsDictionaryId(), ZcDb::kForRead) != Zcad::eOk)
            return nullptr;
        resbuf* chain = nullptr;
        ZcDbDictionary* ours = nullptr;
        ZcDbObjectId ours_id, record_id;
        if (named->getAt(Dwg_Plot_Setting_Name, ours_id) == Zcad::eOk &&
            zcdbOpenObject(ours, ours_id, ZcDb::kForRead) == Zcad::eOk) {
            ZcDbXrecord* record = nullptr;
            if (ours->getAt(Dwg_Plot_Setting_Name, record_id) == Zcad::eOk &&
                zcdbOpenObject(record, record_id, ZcDb::kForRead) == Zcad::eOk) {
                record->rbChain(&chain);
                record->close();
            }
            ours->close();
        }
        named->close();
        return chain;
    }
    static void Set_Record_Chain(ZcDbDatabase* db, const resbuf* chain)
    {
        ZcDbDictionary* named = nullptr;
        ASSERT_EQ(zcdbOpenObject(named, db->namedObjectsDictionaryId(), ZcDb::kForRead), Zcad::eOk);
        ZcDbObjectId ours_id, record_id;
        ZcDbDictionary* ours = nullptr;
        ASSERT_EQ(named->getAt(Dwg_Plot_Setting_Name, ours_id), Zcad::eOk);
        named->close();
        ASSERT_EQ(zcdbOpenObject(ours, ours_id, ZcDb::kForRead), Zcad::eOk);
        ASSERT_EQ(ours->getAt(Dwg_Plot_Setting_Name, record_id), Zcad::eOk);
        ours->close();
        ZcDbXrecord* record = nullptr;
        ASSERT_EQ(zcdbOpenObject(record, record_id, ZcDb::kForWrite), Zcad::eOk);
        resbuf empty{};
        empty.restype = 90;
        record->setFromRbChain(chain != nullptr ? *chain : empty);
        record->close();
    }
    static int Chain_Length(const resbuf* chain)
    {
        int length = 0;
        for (; chain != nullptr; chain = chain->rbnext)
            ++length;
        return length;
    }
    // Keeps the first `keep` items of the chain and frees the rest.
    static void Cut_Chain(resbuf* chain, int keep)
    {
        for (int i = 1; i < keep && chain != nullptr; ++i)
            chain = chain->rbnext;
        if (chain != nullptr && chain->rbnext != nullptr) {
            zcutRelRb(chain->rbnext);
            chain->rbnext = nullptr;
        }
    }
};

TEST_F(Dwg_Plot_Setting_Test, TheRecordHoldsTheStampAndEveryFieldInOrder)
{
    Changed_Up_To(Program_Version_Stamp).Write_Dwg_Setting();
    resbuf* chain = Record_Chain(Db());
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(Chain_Length(chain), 45);
    EXPECT_EQ(chain->restype, 90);
    EXPECT_EQ(chain->resval.rlong, Program_Version_Stamp);
    const resbuf* folder = chain->rbnext->rbnext->rbnext;
    EXPECT_EQ(folder->restype, 1);
    EXPECT_STREQ(folder->resval.rstring, L"D:\\出图*?*目录\\PDF");
    zcutRelRb(chain);
}

TEST_F(Dwg_Plot_Setting_Test, ReadsBackEveryFieldAndUpdatesTheProgramSettings)
{
    const Plot_Option changed = Changed_Up_To(Program_Version_Stamp);
    changed.Write_Dwg_Setting();
    changed.Write_Dwg_Setting();  // a second store replaces the first

    Plot_Option read;
    read.Read_Dwg_Setting();
    EXPECT_EQ(Fields_Of(read), Fields_Of(changed));

    Plot_Option expected_settings;
    expected_settings.Copy_Common(changed);
    EXPECT_EQ(Fields_Of(g_Plot_Config.Option), Fields_Of(expected_settings));
}

TEST_F(Dwg_Plot_Setting_Test, ADrawingWithoutTheRecordStartsFromTheProgramSettings)
{
    Plot_Option stored = Changed_Up_To(Program_Version_Stamp);
    g_Plot_Config.Option = stored;
    Plot_Option read;
    read.Read_Dwg_Setting();
    Plot_Option expected;
    expected.Copy_Common(stored);
    EXPECT_EQ(Fields_Of(read), Fields_Of(expected));
    EXPECT_STREQ(read.Prefix, L"???");
    EXPECT_EQ(read.Image_Frame_Off, 0);
}

TEST_F(Dwg_Plot_Setting_Test, OlderRecordsRestoreOnlyTheFieldsOfTheirDate)
{
    for (int32_t stamp : Old_Stamps) {
        SCOPED_TRACE(stamp);
        Changed_Up_To(Program_Version_Stamp).Write_Dwg_Setting();
        resbuf* chain = Record_Chain(Db());
        ASSERT_NE(chain, nullptr);
        chain->resval.rlong = stamp;
        Cut_Chain(chain, 1 + Tokens_Up_To(stamp));
        Set_Record_Chain(Db(), chain);
        zcutRelRb(chain);

        Plot_Option read;
        read.Read_Dwg_Setting();
        EXPECT_EQ(Fields_Of(read), Fields_Of(Changed_Up_To(stamp)));
    }
}

TEST_F(Dwg_Plot_Setting_Test, BrokenChainsStopCleanly)
{
    Changed_Up_To(Program_Version_Stamp).Write_Dwg_Setting();
    resbuf* chain = Record_Chain(Db());
    // The sixth field (Back_Green) stored as a string: reading stops there.
    resbuf* green = chain;
    for (int i = 0; i < 6; ++i)
        green = green->rbnext;
    green->restype = 1;
    green->resval.rstring = nullptr;
    zcutNewString(L"x", green->resval.rstring);
    Set_Record_Chain(Db(), chain);
    zcutRelRb(chain);

    Plot_Option read;
    read.Read_Dwg_Setting();
    EXPECT_EQ(read.Back_Red, 1);
    EXPECT_EQ(read.Back_Green, 255);
    EXPECT_DOUBLE_EQ(read.Scale, 100.0);

    Set_Record_Chain(Db(), nullptr);  // a record holding a bare item
    read.Read_Dwg_Setting();
    EXPECT_EQ(Fields_Of(read), Fields_Of(Plot_Option()));
}

TEST_F(Dwg_Plot_Setting_Test, RepairsMarginAndScaleFromTheDrawing)
{
    const struct {
        int margin;
        double scale;
        int margin_read;
        double scale_read;
    } cases[] = {{150, 0.0, 0, 1.0}, {-100, 1e-5, -100, 1.0}, {100, 2.5, 100, 2.5}, {-101, -3, 0, 1.0}};
    for (const auto& c : cases) {
        Plot_Option option;
        option.Margin = c.margin;
        option.Scale = c.scale;
        option.Write_Dwg_Setting();
        Plot_Option read;
        read.Read_Dwg_Setting();
        EXPECT_EQ(read.Margin, c.margin_read) << c.margin;
        EXPECT_DOUBLE_EQ(read.Scale, c.scale_read) << c.scale;
    }
}

// The numbering dialogs take start numbers up to Max_Start_No of either sign; one beyond them
// would overflow the numbers of the rows after it and becomes 1.
TEST_F(Dwg_Plot_Setting_Test, StartNumbersBeyondTheNumberingDialogsBecomeOne)
{
    const struct {
        int stored, read;
    } cases[] = {{2147483647, 1},  {-2147483647 - 1, 1}, {Max_Start_No + 1, 1}, {-Max_Start_No - 1, 1},
                 {Max_Start_No, Max_Start_No}, {-Max_Start_No, -Max_Start_No}, {0, 0}, {17, 17}};
    for (const auto& c : cases) {
        Plot_Option option;
        option.Start_No = c.stored;
        option.Write_Dwg_Setting();
        Plot_Option read;
        read.Read_Dwg_Setting();
        EXPECT_EQ(read.Start_No, c.read) << c.stored;
    }
}

TEST_F(Dwg_Plot_Setting_Test, LongStringsAreCutWithoutBreakingAnEscape)
{
    Plot_Option option;
    option.Prefix = CString(L'a', 97) + L" b";  // escaped: 97 + 3 + 1 characters
    option.Folder = CString(L'f', 400);
    option.Write_Dwg_Setting();
    Plot_Option read;
    read.Read_Dwg_Setting();
    EXPECT_EQ(std::wstring(read.Prefix.GetString()), std::wstring(97, L'a'));
    EXPECT_EQ(read.Folder.GetLength(), 299);
}

TEST_F(Dwg_Plot_Setting_Test, TheRecordSurvivesADrawingFileSaveAndReload)
{
    const Plot_Option changed = Changed_Up_To(Program_Version_Stamp);
    changed.Write_Dwg_Setting();
    const CString path = g_Config_Folder + L"\\record.dxf";
    ASSERT_EQ(Db()->saveAs(path.GetString()), Zcad::eOk);

    ZcDbDatabase* reloaded = new ZcDbDatabase(false, true);
    ASSERT_EQ(reloaded->readDwgFile(path.GetString()), Zcad::eOk);
    ZcDbDatabase* current = Db();
    zcdbHostApplicationServices()->setWorkingDatabase(reloaded);
    Plot_Option read;
    read.Read_Dwg_Setting();
    zcdbHostApplicationServices()->setWorkingDatabase(current);
    delete reloaded;
    EXPECT_EQ(Fields_Of(read), Fields_Of(changed));
}

}  // namespace
