// The library file "BPlot_TK.tk": the round trip, what files of older versions restore,
// imports, and files cut short or damaged, which are never written over at unload.
#include "core/extents_checks.h"
#include "core/plot_option.h"
#include "core/version_stamp.h"
#include "script/utf8.h"
#include "tk_library_fixture.h"

namespace {

using File_Test = TK_Library_Test;

// A box of the seeded file: range r of seed k.
void Expect_Seeded_Box(const ZcDbExtents& box, int range, int seed)
{
    const double base = range * 100.0 + seed;
    EXPECT_EQ(box.minPoint().x, base);
    EXPECT_EQ(box.minPoint().y, base + 1);
    EXPECT_EQ(box.maxPoint().x, base + 50);
    EXPECT_EQ(box.maxPoint().y, base + 41);
}

// The definition of TK_File_Text::Definition, with what the version holds.
void Expect_Seeded_Definition(const TK_Customization& tk, const wchar_t* block, int seed, int version)
{
    SCOPED_TRACE(platform::To_Utf8(block));
    EXPECT_EQ(tk.Title, CString(L"Frame ") + std::to_wstring(seed).c_str());
    EXPECT_EQ(tk.Block_Name, CString(block));
    EXPECT_EQ(tk.Name_Rule, CString(L"A_B_T"));
    EXPECT_EQ(tk.Angle, 0.5 * seed);
    EXPECT_EQ(tk.Scale, 10.0 * seed);
    EXPECT_EQ(tk.Paper.Long_Side, 841);
    EXPECT_EQ(tk.Paper.Short_Side, 594);
    EXPECT_FALSE(tk.Paper.Standard);
    const ZcDbExtents* stored[] = {&tk.Frame_Ext, &tk.Range_A,       &tk.Range_B,       &tk.Range_C,      &tk.Range_D,
                                   &tk.Range_E,   &tk.Range_F,       &tk.Stamp_Range_1, &tk.Stamp_Range_2,
                                   &tk.Stamp_Range_3};
    for (int range = 0; range < 10; ++range) Expect_Seeded_Box(*stored[range], range, seed);
    EXPECT_EQ(tk.Seq_Digits, 3);
    EXPECT_EQ(tk.Priority, seed % 9);
    if (version >= 20200629)
        Expect_Seeded_Box(tk.Plot_Range, 10, seed);
    else
        EXPECT_FALSE(Check_Extents(tk.Plot_Range));
    EXPECT_EQ(tk.Is_Dynamic, version >= 20200726 ? 1 : 0);
    if (version >= 20220607)
        Expect_Seeded_Box(tk.Stamp_Range_4, 11, seed);
    else
        EXPECT_FALSE(Check_Extents(tk.Stamp_Range_4));
    EXPECT_EQ(tk.Centre, ZcGePoint3d(0, 0, 0));
}

ZcDbExtents Box(double x0, double y0, double x1, double y1)
{
    return ZcDbExtents(ZcGePoint3d(x0, y0, 0), ZcGePoint3d(x1, y1, 0));
}

// A definition with every field away from its default; values exact in six digits.
TK_Customization* Full_Definition(const wchar_t* block, double offset)
{
    auto* tk = new TK_Customization;
    tk->Centre = ZcGePoint3d(5000, 6000, 0);
    tk->Title = L"一层 平面  图";
    tk->Block_Name = block;
    tk->Angle = 1.5708;
    tk->Scale = 50;
    tk->Name_Rule = L"AA_B C";
    tk->Paper.Long_Side = 1189;
    tk->Paper.Short_Side = 841;
    tk->Paper.Standard = true;
    ZcDbExtents* ranges[] = {&tk->Frame_Ext,     &tk->Range_A,       &tk->Range_B,       &tk->Range_C,
                             &tk->Range_D,       &tk->Range_E,       &tk->Range_F,       &tk->Plot_Range,
                             &tk->Stamp_Range_1, &tk->Stamp_Range_2, &tk->Stamp_Range_3, &tk->Stamp_Range_4};
    for (int i = 0; i < 12; ++i) *ranges[i] = Box(-100.5 * i - offset, -20 - i, 30.25 * i + offset, 40 + i);
    tk->Seq_Digits = 4;
    tk->Priority = 8;
    tk->Is_Dynamic = 1;
    return tk;
}

void Expect_Same_Definition(const TK_Customization& read, const TK_Customization& written)
{
    EXPECT_EQ(read.Centre, ZcGePoint3d(0, 0, 0));  // not stored
    EXPECT_EQ(read.Title, written.Title);
    EXPECT_EQ(read.Block_Name, written.Block_Name);
    EXPECT_EQ(read.Angle, written.Angle);
    EXPECT_EQ(read.Scale, written.Scale);
    EXPECT_EQ(read.Name_Rule, written.Name_Rule);
    EXPECT_EQ(read.Paper.Long_Side, written.Paper.Long_Side);
    EXPECT_EQ(read.Paper.Short_Side, written.Paper.Short_Side);
    EXPECT_FALSE(read.Paper.Standard);  // not stored
    for (int type : {0, 1, 2, 3, 4, 5, 6, 11, 12, 13, 14}) {
        EXPECT_EQ(read.Range_Of_Type(type).minPoint(), written.Range_Of_Type(type).minPoint()) << type;
        EXPECT_EQ(read.Range_Of_Type(type).maxPoint(), written.Range_Of_Type(type).maxPoint()) << type;
    }
    EXPECT_EQ(read.Frame_Ext.minPoint(), written.Frame_Ext.minPoint());
    EXPECT_EQ(read.Frame_Ext.maxPoint(), written.Frame_Ext.maxPoint());
    EXPECT_EQ(read.Seq_Digits, written.Seq_Digits);
    EXPECT_EQ(read.Priority, written.Priority);
    EXPECT_EQ(read.Is_Dynamic, written.Is_Dynamic);
}

TEST_F(File_Test, Every_Field_Comes_Back_From_The_File)
{
    TK_Library written;
    written.Records.Add(Full_Definition(L"图框A1", 0));
    written.Records.Add(Full_Definition(L"Frame A0", 7));
    TK_Text_Settings& text = written.Text_Settings;
    text.Style_Name = L"目录 样式";
    text.Font_File = L"simplex.shx";
    text.Big_Font_File = L"gbcbig.shx";
    text.Style_Height = 2.5;
    text.Style_Width = 0.65;
    text.Style_Is_Shx = 0;
    text.Text_Height = 350;
    text.Text_Width = 0.9;
    text.Text_Color = 4;
    text.Layer_Name = L"CAT LAYER";
    text.Layer_Color = 6;
    text.Layer_Linetype = L"HIDDEN";
    text.Layer_Lineweight = 35;
    written.Cat_Border = 0;
    written.Cat_Row_Height = 750.5;
    written.Cat_Col_Widths.RemoveAll();
    written.Cat_Col_Kinds.RemoveAll();
    for (double width : {500.0, 1200.0, 8000.5, 3000.0}) written.Cat_Col_Widths.Add(width);
    for (int kind : {3, 2, 1, 0}) written.Cat_Col_Kinds.Add(kind);
    written.No_In_Front = 1;
    written.No_Prefix = L"";
    written.No_Start = -3;
    written.No_Suffix = L" - ";
    written.No_Digits = 4;
    for (int i = 0; i < 6; ++i) written.Centre_Text[i] = i % 2;
    written.Last_Name_Rule = L"C B";
    written.Line_Separator = L"";
    written.Paper_Name_Style = 7;
    written.Reserved = 12;
    written.Long_Paper_Names[0] = L"长 A3";
    written.Long_Paper_Names[1] = L"";
    written.Long_Paper_Names[46] = L"A0加长1";
    written.Save(false, false);

    TK_Library read;
    EXPECT_TRUE(read.Load(0));
    ASSERT_EQ(read.Records.GetSize(), 2);
    for (int i = 0; i < 2; ++i) Expect_Same_Definition(*read.Records[i], *written.Records[i]);
    const TK_Text_Settings& back = read.Text_Settings;
    EXPECT_EQ(back.Style_Name, text.Style_Name);
    EXPECT_EQ(back.Font_File, text.Font_File);
    EXPECT_EQ(back.Big_Font_File, text.Big_Font_File);
    EXPECT_EQ(back.Style_Height, text.Style_Height);
    EXPECT_EQ(back.Style_Width, text.Style_Width);
    EXPECT_EQ(back.Style_Is_Shx, text.Style_Is_Shx);
    EXPECT_EQ(back.Text_Height, text.Text_Height);
    EXPECT_EQ(back.Text_Width, text.Text_Width);
    EXPECT_EQ(back.Text_Color, text.Text_Color);
    EXPECT_EQ(back.Layer_Name, text.Layer_Name);
    EXPECT_EQ(back.Layer_Color, text.Layer_Color);
    EXPECT_EQ(back.Layer_Linetype, text.Layer_Linetype);
    EXPECT_EQ(back.Layer_Lineweight, text.Layer_Lineweight);
    EXPECT_EQ(read.Cat_Border, 0);
    EXPECT_EQ(read.Cat_Row_Height, 750.5);
    ASSERT_EQ(read.Cat_Col_Widths.GetSize(), 4);
    ASSERT_EQ(read.Cat_Col_Kinds.GetSize(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(read.Cat_Col_Widths[i], written.Cat_Col_Widths[i]);
        EXPECT_EQ(read.Cat_Col_Kinds[i], written.Cat_Col_Kinds[i]);
    }
    EXPECT_EQ(read.No_In_Front, 1);
    EXPECT_EQ(read.No_Prefix, CString());
    EXPECT_EQ(read.No_Start, -3);
    EXPECT_EQ(read.No_Suffix, CString(L" - "));
    EXPECT_EQ(read.No_Digits, 4);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(read.Centre_Text[i], i % 2);
    EXPECT_EQ(read.Last_Name_Rule, CString(L"C B"));
    EXPECT_EQ(read.Line_Separator, CString());
    EXPECT_EQ(read.Paper_Name_Style, 7);
    EXPECT_EQ(read.Reserved, 12);
    ASSERT_EQ(read.Long_Paper_Names.GetSize(), 47);
    for (int i = 0; i < 47; ++i) EXPECT_EQ(read.Long_Paper_Names[i], written.Long_Paper_Names[i]) << i;

    // On disk: the current stamp first, blanks and empty strings escaped, the strings in CP936.
    const std::string bytes = File_Bytes(Library_Path());
    EXPECT_EQ(bytes.rfind(std::to_string(Program_Version_Stamp) + "\r\n", 0), 0u);
    EXPECT_NE(bytes.find(platform::To_Ansi(L"\r\n一层*?*平面*?**?*图\r\n")), std::string::npos);
    EXPECT_NE(bytes.find("\r\n*?*-*?*\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n<><\r\n"), std::string::npos);
}

TEST_F(File_Test, Coordinates_Are_Kept_To_Six_Significant_Digits)
{
    TK_Library written;
    TK_Customization* tk = Full_Definition(L"F", 0);
    tk->Range_A = Box(12345.678, 0.000123456789, 98765432.1, 1);
    written.Records.Add(tk);
    written.Save(false, false);
    EXPECT_NE(File_Bytes(Library_Path()).find("\r\n12345.7\r\n0.000123457\r\n9.87654e+07\r\n1\r\n"), std::string::npos);
    TK_Library read;
    read.Load(0);
    ASSERT_EQ(read.Records.GetSize(), 1);
    EXPECT_EQ(read.Records[0]->Range_A.minPoint().x, 12345.7);
    EXPECT_EQ(read.Records[0]->Range_A.maxPoint().x, 98765400.0);
}

// Each version restores the fields it has: loaded at start-up the others keep the defaults,
// imported they keep what the library held in memory.
TEST_F(File_Test, Older_Versions_Restore_Only_Their_Fields)
{
    const int versions[] = {20200101, 20200628, 20200629, 20200725, 20200726, 20210124, 20210125, 20210907,
                            20210908, 20220606, 20220607, 20241215, 20241216, Program_Version_Stamp};
    for (int version : versions) {
        SCOPED_TRACE(version);
        Write_File(Library_Path(), TK_File_Text(version).Int(2).Definition(L"TK1", 1).Definition(L"TK2", 2).Settings().Text);
        const bool has_names = version > 20210124, has_style = version > 20210907, has_papers = version > 20241215;

        TK_Library started;
        EXPECT_TRUE(started.Load(0));
        ASSERT_EQ(started.Records.GetSize(), 2);
        Expect_Seeded_Definition(*started.Records[0], L"TK1", 1, version);
        Expect_Seeded_Definition(*started.Records[1], L"TK2", 2, version);
        EXPECT_EQ(started.Text_Settings.Style_Name, CString(L"Cat Style"));
        EXPECT_EQ(started.Cat_Col_Widths.GetSize(), 3);
        EXPECT_EQ(started.No_Suffix, CString(L"-S"));
        EXPECT_EQ(started.Centre_Text[2], 1);
        EXPECT_EQ(started.Last_Name_Rule, CString(has_names ? L"C_A" : L"A_B_T_C"));
        EXPECT_EQ(started.Line_Separator, CString(has_names ? L"~" : L"+"));
        EXPECT_EQ(started.Paper_Name_Style, has_style ? 7 : 0);
        EXPECT_EQ(started.Reserved, has_style ? 9 : 0);
        ASSERT_EQ(started.Long_Paper_Names.GetSize(), 47);
        EXPECT_EQ(started.Long_Paper_Names[5], CString(has_papers ? L"L5" : L"A3+3"));

        TK_Library edited;
        edited.Last_Name_Rule = L"mine";
        edited.Line_Separator = L"|";
        edited.Paper_Name_Style = 3;
        edited.Reserved = 4;
        edited.Long_Paper_Names[5] = L"own";
        edited.No_Suffix = L"own";
        Script("file \"" + platform::To_Utf8(Library_Path().GetString()) + "\"\n");
        EXPECT_TRUE(edited.Load(1));
        EXPECT_TRUE(Script_Used());
        EXPECT_EQ(edited.Records.GetSize(), 2);
        EXPECT_EQ(edited.No_Suffix, CString(L"-S"));
        EXPECT_EQ(edited.Last_Name_Rule, CString(has_names ? L"C_A" : L"mine"));
        EXPECT_EQ(edited.Line_Separator, CString(has_names ? L"~" : L"|"));
        EXPECT_EQ(edited.Paper_Name_Style, has_style ? 7 : 3);
        EXPECT_EQ(edited.Reserved, has_style ? 9 : 4);
        EXPECT_EQ(edited.Long_Paper_Names[5], CString(has_papers ? L"L5" : L"own"));
    }
}

TEST_F(File_Test, A_Layer_Colour_Of_Zero_Or_Less_Brings_The_Layer_Defaults)
{
    const struct {
        int color;
        int loaded_color;
        const wchar_t* linetype;
        int lineweight;
    } cases[] = {{0, 1, L"Continuous", -3}, {-2, 1, L"Continuous", -3}, {5, 5, L"DASHED", 25}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.color);
        Write_File(Library_Path(), TK_File_Text(20241216).Int(0).Settings(c.color).Text);
        TK_Library library;
        EXPECT_TRUE(library.Load(0));
        EXPECT_EQ(library.Text_Settings.Layer_Color, c.loaded_color);
        EXPECT_EQ(library.Text_Settings.Layer_Linetype, CString(c.linetype));
        EXPECT_EQ(library.Text_Settings.Layer_Lineweight, c.lineweight);
    }
}

// A start number beyond what the numbering dialog takes would overflow the numbers of the
// sheets after it: 1.
TEST_F(File_Test, A_Start_Number_Beyond_The_Numbering_Dialog_Becomes_One)
{
    const struct {
        int stored, read;
    } cases[] = {{2147483647, 1}, {-2147483647 - 1, 1}, {Max_Start_No + 1, 1}, {-Max_Start_No, -Max_Start_No}, {0, 0}};
    for (const auto& c : cases) {
        Write_File(Library_Path(), TK_File_Text(20241216).Int(0).Settings(5, 47, c.stored).Text);
        TK_Library library;
        EXPECT_TRUE(library.Load(0));
        EXPECT_EQ(library.No_Start, c.read) << c.stored;
    }
}

TEST_F(File_Test, The_First_Definition_Of_A_Block_Name_Wins_Whatever_Its_Case)
{
    Write_File(Library_Path(),
               TK_File_Text(20241216).Int(3).Definition(L"Frame_A", 1).Definition(L"FRAME_a", 2).Definition(L"B", 3).Settings().Text);
    TK_Library library;
    EXPECT_TRUE(library.Load(0));
    ASSERT_EQ(library.Records.GetSize(), 2);
    Expect_Seeded_Definition(*library.Records[0], L"Frame_A", 1, 20241216);
    Expect_Seeded_Definition(*library.Records[1], L"B", 3, 20241216);
    EXPECT_EQ(library.Find(L"frame_A"), library.Records[0]);
    EXPECT_EQ(library.Find(L"C"), nullptr);
}

TEST_F(File_Test, An_Import_Keeps_Or_Replaces_The_Definitions_And_Always_Takes_The_Settings)
{
    const CString import_path = g_Config_Folder + L"\\导入\\other.tk";
    Write_File(import_path, TK_File_Text(20241216).Int(2).Definition(L"tk1", 1).Definition(L"New", 2).Settings().Text);
    const std::string answer = "file \"" + platform::To_Utf8(import_path.GetString()) + "\"\n";
    const struct {
        const char* what;
        std::string script;
        std::vector<std::wstring> blocks;
        int title_seed;  // of the definition of TK1 that stays
    } cases[] = {
        {"kept", answer + "msgbox YES\n", {L"TK1", L"Old", L"New"}, 5},
        {"replaced", answer + "msgbox NO\n", {L"tk1", L"New"}, 1},
        {"cancelled", "esc\n", {L"TK1", L"Old"}, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::MessageBoxLog.clear();
        TK_Library library;
        library.Records.Add(Full_Definition(L"TK1", 0));
        library.Records[0]->Title = L"Frame 5";
        library.Records.Add(Full_Definition(L"Old", 0));
        library.No_Start = 77;
        Script(c.script);
        EXPECT_TRUE(library.Load(1));
        EXPECT_TRUE(Script_Used());
        ASSERT_EQ(library.Records.GetSize(), static_cast<INT_PTR>(c.blocks.size()));
        for (size_t i = 0; i < c.blocks.size(); ++i)
            EXPECT_EQ(library.Records[i]->Block_Name, CString(c.blocks[i].c_str()));
        EXPECT_EQ(library.Find(L"TK1")->Title, CString(L"Frame ") + std::to_wstring(c.title_seed).c_str());
        const bool read = std::string(c.what) != "cancelled";
        EXPECT_EQ(library.No_Start, read ? 5 : 77);
        EXPECT_EQ(library.Cat_Col_Widths.GetSize(), 3);
        if (read) {
            ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
            EXPECT_NE(platform::MessageBoxLog[0].text.find(L"原图框信息是否保留 ？"), std::wstring::npos);
        }
    }
}

TEST_F(File_Test, An_Import_Into_An_Empty_Library_Asks_Nothing)
{
    const CString import_path = g_Config_Folder + L"\\other.tk";
    Write_File(import_path, TK_File_Text(20241216).Int(1).Definition(L"tk1", 1).Settings().Text);
    TK_Library library;
    Script("file \"" + platform::To_Utf8(import_path.GetString()) + "\"\n");
    EXPECT_TRUE(library.Load(1));
    EXPECT_EQ(library.Records.GetSize(), 1);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
}

TEST_F(File_Test, Paper_Names_Fill_The_47_Entries_In_Order)
{
    const struct {
        const char* what;
        std::string tail;  // after the reserved field
        const wchar_t* first;
        const wchar_t* second;
        const wchar_t* last;
    } cases[] = {
        {"two names, the rest defaults", "2\r\nX\r\n<><\r\n", L"X", L"", L"A0+1"},
        {"more names than places", [] {
             std::string t = "50\r\n";
             for (int i = 0; i < 50; ++i) t += "N" + std::to_string(i) + "\r\n";
             return t;
         }(), L"N0", L"N1", L"N46"},
        {"no names", "0\r\n", L"A3+1∕2", L"A3+1", L"A0+1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TK_File_Text file(20241216);
        file.Int(0).Settings(5, 0);
        file.Text.resize(file.Text.size() - 3);  // the count of no names
        Write_File(Library_Path(), file.Text + c.tail);
        TK_Library library;
        library.Long_Paper_Names[1] = L"before";
        EXPECT_TRUE(library.Load(0));
        ASSERT_EQ(library.Long_Paper_Names.GetSize(), 47);
        EXPECT_EQ(library.Long_Paper_Names[0], CString(c.first));
        EXPECT_EQ(library.Long_Paper_Names[1], CString(c.second));
        EXPECT_EQ(library.Long_Paper_Names[46], CString(c.last));
    }
}

// A file cut short or damaged gives its whole definitions, says so on the command line and
// is left as it is by the write-back at unload.
TEST_F(File_Test, A_Damaged_File_Gives_Its_Whole_Definitions_And_Is_Not_Written_Back)
{
    const std::string whole = TK_File_Text(20241216).Int(3).Definition(L"TK1", 1).Definition(L"TK2", 2).Definition(L"TK3", 3).Settings().Text;
    const size_t third = whole.find("Frame*?*3");
    const size_t settings = whole.find("Cat*?*Style");
    const struct {
        const char* what;
        std::string text;
        int definitions;
    } cases[] = {
        {"cut in the third definition", whole.substr(0, third + 40), 2},
        {"cut in the settings", whole.substr(0, settings + 20), 3},
        {"cut in the paper names", whole.substr(0, whole.size() - 10), 3},
        {"a word where a number belongs", whole.substr(0, third + 40) + "x12\r\n" + whole.substr(third + 40), 2},
        {"more definitions than the file can hold", "20241216\r\n2000000000\r\n" + whole.substr(whole.find("Frame")), 0},
        {"a negative count", "20241216\r\n-1\r\n", 0},
        {"no version", "", 0},
        {"a version of no value", "x\r\n1\r\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write_File(Library_Path(), c.text);
        platform::CommandLine::instance().clear();
        TK_Library library;
        EXPECT_FALSE(library.Load(0));
        EXPECT_EQ(library.Records.GetSize(), c.definitions);
        CString notice;
        notice.Format(L"图框信息配置文件 < %s > 不完整或已损坏，读入了其中完整的 %d 个图框信息。",
                      Library_Path().GetString(), c.definitions);
        EXPECT_NE(Printed().find(notice.GetString()), std::wstring::npos) << platform::To_Utf8(Printed());

        library.No_Prefix = L"in memory";
        library.Resave();
        EXPECT_EQ(File_Bytes(Library_Path()), c.text);
        EXPECT_EQ(library.No_Prefix, CString(L"in memory"));

        // A save over it (the dialog's OK) keeps the file aside first.
        const CString kept = Library_Path() + L".bad";
        library.Save(false, false);
        EXPECT_EQ(File_Bytes(kept), c.text);
        EXPECT_FALSE(Exists(Library_Path() + L".2.bad"));
        EXPECT_TRUE(library.Load(0));
        std::filesystem::remove(Host(kept));
    }
}

TEST_F(File_Test, Resave_Writes_The_File_As_It_Was_With_The_Numbering_In_Memory)
{
    Write_File(Library_Path(), TK_File_Text(20200101).Int(1).Definition(L"TK1", 1).Settings().Text);
    TK_Library library;
    ASSERT_TRUE(library.Load(0));
    library.Records[0]->Title = L"edited";
    library.Text_Settings.Style_Name = L"edited";
    library.No_In_Front = 0;
    library.No_Prefix = L"P ";
    library.No_Start = 9;
    library.No_Suffix = L"";
    library.No_Digits = 5;
    library.Resave();

    const std::string bytes = File_Bytes(Library_Path());
    EXPECT_EQ(bytes.rfind(std::to_string(Program_Version_Stamp) + "\r\n", 0), 0u);
    TK_Library read;
    ASSERT_TRUE(read.Load(0));
    ASSERT_EQ(read.Records.GetSize(), 1);
    Expect_Seeded_Definition(*read.Records[0], L"TK1", 1, 20200101);
    EXPECT_EQ(read.Text_Settings.Style_Name, CString(L"Cat Style"));
    EXPECT_EQ(read.No_In_Front, 0);
    EXPECT_EQ(read.No_Prefix, CString(L"P "));
    EXPECT_EQ(read.No_Start, 9);
    EXPECT_EQ(read.No_Suffix, CString());
    EXPECT_EQ(read.No_Digits, 5);
    EXPECT_EQ(read.Centre_Text[0], 1);
}

TEST_F(File_Test, Without_A_File_Loading_Changes_Nothing_And_Resave_Writes_The_Library)
{
    TK_Library library;
    library.Records.Add(Full_Definition(L"kept", 0));
    library.No_Start = 3;
    EXPECT_TRUE(library.Load(0));
    EXPECT_EQ(library.Records.GetSize(), 1);
    EXPECT_EQ(library.Cat_Col_Widths.GetSize(), 3);
    library.Resave();
    TK_Library read;
    ASSERT_TRUE(read.Load(0));
    ASSERT_EQ(read.Records.GetSize(), 1);
    EXPECT_EQ(read.No_Start, 3);
}

TEST_F(File_Test, A_Failed_Save_Is_Reported_Only_When_Asked)
{
    platform::Machine::instance().deny_writes(g_Config_Folder.GetString());
    TK_Library library;
    library.Save(false, false);
    EXPECT_TRUE(platform::MessageBoxLog.empty());
    Answer_Boxes(1);
    library.Save(true, false);
    platform::Machine::instance().allow_writes(g_Config_Folder.GetString());
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_NE(platform::MessageBoxLog[0].text.find(Library_Path().GetString()), std::wstring::npos);
    EXPECT_FALSE(Exists(Library_Path()));
}

TEST_F(File_Test, Save_As_Writes_The_Chosen_File_And_A_Cancel_Writes_Nothing)
{
    TK_Library library;
    library.Records.Add(Full_Definition(L"exported", 0));
    const CString path = g_Config_Folder + L"\\export.tk";
    Script("esc\n");
    library.Save(true, true);
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(Exists(Library_Path()));
    Script("file \"" + platform::To_Utf8(path.GetString()) + "\"\n");
    library.Save(true, true);
    EXPECT_TRUE(Script_Used());
    EXPECT_TRUE(Exists(path));
    EXPECT_FALSE(Exists(Library_Path()));
}

}  // namespace
