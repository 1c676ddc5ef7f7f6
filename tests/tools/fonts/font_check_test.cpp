// The font check writing its repairs into the text styles, and the font export's copies
// and closing message.
#include <gtest/gtest.h>

#include "core/command_handlers.h"
#include "db/dbsymtb.h"
#include "font_files.h"
#include "font_fixture.h"
#include "script/script_input.h"
#include "script/utf8.h"
#include "tools/dlg_font.h"
#include "tools/font_export.h"
#include "win/win_msgbox.h"

namespace {

ZcDbObjectId Add_Style(const wchar_t* name, const wchar_t* file, const wchar_t* typeface)
{
    ZcDbDatabase* db = zcdbHostApplicationServices()->workingDatabase();
    ZcDbTextStyleTable* table = nullptr;
    EXPECT_EQ(db->getTextStyleTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* style = new ZcDbTextStyleTableRecord;
    style->setName(name);
    style->setFileName(file);
    style->setFont(typeface, false, false, 134, 2);
    ZcDbObjectId id;
    EXPECT_EQ(table->add(id, style), Zcad::eOk);
    style->close();
    table->close();
    return id;
}

struct Style_Fonts {
    std::wstring file, big, typeface;
};

Style_Fonts Read_Style(ZcDbObjectId id)
{
    ZcDbObjectPointer<ZcDbTextStyleTableRecord> style(id, ZcDb::kForRead);
    const wchar_t* file = nullptr;
    const wchar_t* big = nullptr;
    style->fileName(file);
    style->bigFontFileName(big);
    return {file, big, style->typeface()};
}

}  // namespace

TEST_F(Font_Test, A_Shx_File_Chosen_For_A_TrueType_Style_Replaces_Its_Face)
{
    Write(L"C:\\Windows\\Fonts\\korvel_a.shx", Shx_File("AutoCAD-86 shapes 1.0"));
    const ZcDbObjectId standard = Add_Style(L"Zz_Shx", L"korvel_a.shx", L"");
    const ZcDbObjectId truetype = Add_Style(L"Aa_TrueType", L"simsun.ttf", L"SimSun");
    // The missing rows only: the TrueType style is row 0; its standard file gets the SHX file.
    platform::ScriptInput::instance().push_text("cell 1164 0 2\npick 0\nclick 1\n");
    Check_Font_Files();

    const Style_Fonts repaired = Read_Style(truetype);
    EXPECT_EQ(repaired.file, L"korvel_a.shx");
    EXPECT_EQ(repaired.typeface, L"");
    const Style_Fonts kept = Read_Style(standard);
    EXPECT_EQ(kept.file, L"korvel_a.shx");
    EXPECT_TRUE(platform::ScriptInput::instance().empty());
}

TEST_F(Font_Test, Export_Counts_The_Files_Written_And_Names_Each_Failed_Copy)
{
    Write(L"C:\\FontTest\\a.shx", "a");
    Write(L"C:\\FontTest\\b.ttc", "b");
    std::filesystem::create_directories(Host(L"C:\\FontTest\\Out"));
    CStringArray paths, failed;
    paths.Add(L"C:\\FontTest\\a.shx");
    paths.Add(L"C:\\FontTest\\gone.shx");
    paths.Add(L"C:\\FontTest\\b.ttc");
    EXPECT_EQ(Copy_Font_Files(paths, L"C:\\FontTest\\Out", failed), 2);
    ASSERT_EQ(failed.GetSize(), 1);
    EXPECT_EQ(std::wstring(failed[0].GetString()), L"C:\\FontTest\\gone.shx");

    platform::Machine::instance().deny_writes(L"C:\\FontTest\\Out");
    failed.RemoveAll();
    EXPECT_EQ(Copy_Font_Files(paths, L"C:\\FontTest\\Out", failed), 0);
    EXPECT_EQ(failed.GetSize(), 3);
    platform::Machine::instance().allow_writes(L"C:\\FontTest\\Out");
}

TEST(Font_Export_Report, Names_The_Missing_Fonts_And_The_Failed_Copies)
{
    CStringArray none, missing, failed;
    missing.Add(L"gone.shx");
    missing.Add(L"lost.shx");
    failed.Add(L"C:\\Fonts\\b.ttc");
    struct Case {
        int written;
        const CStringArray& missing;
        const CStringArray& failed;
        const wchar_t* text;
    };
    const Case cases[] = {
        {3, none, none, L"共计导出 3 个字体文件 !"},
        {2, missing, none,
         L"当前图形共用到字体文件 4 个：\n\n    其中缺失字体文件 2 个，导出字体文件 2 个 !\n\n缺失的字体文件如下：\n\n"
         L"    gone.shx\n    lost.shx"},
        {1, none, failed, L"共计导出 1 个字体文件 !\n\n复制失败的字体文件 1 个：\n\n    C:\\Fonts\\b.ttc"},
        {0, missing, failed,
         L"当前图形共用到字体文件 3 个：\n\n    其中缺失字体文件 2 个，导出字体文件 0 个 !\n\n缺失的字体文件如下：\n\n"
         L"    gone.shx\n    lost.shx\n\n复制失败的字体文件 1 个：\n\n    C:\\Fonts\\b.ttc"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::wstring(Font_Export_Report(c.written, c.missing, c.failed).GetString()), c.text);
}

TEST(Font_Picker, Has_More_Columns_For_More_Fonts)
{
    const std::pair<int, int> counts[] = {{0, 0}, {19, 0}, {40, 2}, {300, 7}, {320, 7}, {400, 10},
                                          {550, 12}, {600, 13}};
    for (const auto& [fonts, extra] : counts)
        EXPECT_EQ(Font_Picker_Extra_Columns(fonts), extra) << fonts << " fonts";
}
