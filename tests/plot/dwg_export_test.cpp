// Sheets written out as drawing files: each file, read back by our reader and by ezdxf,
// holds its sheet's entities and nothing of the neighbouring sheets, in one block centred at
// the origin, with the source's layers, "Standard" text and table styles and line-type scales;
// the result window shows the progress and its stop button ends the export.
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "core/hidden_layers.h"
#include "core/layer_helpers.h"
#include "core/plot_option.h"
#include "dialogs/result_windows.h"
#include "core/space_helpers.h"
#include "sheets/wblock_to_file.h"
#include "db/dbblkref.h"
#include "db/dbcurve.h"
#include "db/dbdict.h"
#include "db/dblayout.h"
#include "db/dbpl.h"
#include "db/dbsymtb.h"
#include "db/dbtablestyle.h"
#include "db/dbtext.h"
#include "db/dbviewport.h"
#include "db/drawing_file_io.h"
#include "dialogs/dlg_bplot1.h"
#include "drawing_builders.h"
#include "ed/command_runner.h"
#include "ed/docman.h"
#include "ed/host_window.h"
#include "mfc/afxdll.h"
#include "mfc/rc/resource_script.h"
#include "plot/dwg_export.h"
#include "plot/dwg_table_style.h"
#include "plot/dwg_window_pick.h"
#include "plot/standard_style_rename.h"
#include "res/resource.h"
#include "res/resource_script.h"
#include "sheet_builders.h"
#include "sheets/sheet_records.h"
#include "dxf_test_support.h"
#include "services_fixture.h"
#include "win/machine.h"

namespace {

ZcDbObjectId Append(ZcDbObjectId block_id, ZcDbEntity* entity, ZcDbObjectId layer = ZcDbObjectId())
{
    ZcDbObjectPointer<ZcDbBlockTableRecord> block(block_id, ZcDb::kForWrite);
    entity->setDatabaseDefaults(Db());
    if (!layer.isNull())
        entity->setLayer(layer);
    ZcDbObjectId id;
    EXPECT_EQ(block->appendZcDbEntity(id, entity), Zcad::eOk);
    entity->close();
    return id;
}

ZcDbObjectId Text(ZcDbObjectId block_id, double x, double y, const wchar_t* text, ZcDbObjectId layer = {})
{
    return Append(block_id, new ZcDbText(ZcGePoint3d(x, y, 0), text, ZcDbObjectId::kNull, 5.0, 0.0), layer);
}

ZcDbObjectId Rectangle(ZcDbObjectId block_id, double x1, double y1, double x2, double y2)
{
    auto* frame = new ZcDbPolyline();
    const double corners[4][2] = {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
    for (int i = 0; i < 4; ++i)
        frame->addVertexAt(i, ZcGePoint2d(corners[i][0], corners[i][1]));
    frame->setClosed(true);
    return Append(block_id, frame);
}

bool Has_Dimension_Style(ZcDbDatabase* db, const wchar_t* name)
{
    ZcDbDimStyleTable* table = nullptr;
    if (db->getDimStyleTable(table, ZcDb::kForRead) != Zcad::eOk)
        return false;
    const bool has = table->has(name);
    table->close();
    return has;
}

// The source's "Standard" table style: every copied value off its default, and a title row
// of its own that the copy does not take (all rows take the data row's values).
void Change_Standard_Table_Style()
{
    ZcDbObjectPointer<ZcDbTableStyle> style(Standard_Table_Style(Db()), ZcDb::kForWrite);
    ASSERT_EQ(style.openStatus(), Zcad::eOk);
    style->setDescription(L"明细表");
    style->setBitFlags(0);
    style->setFlowDirection(ZcDb::kBtoT);
    style->setHorzCellMargin(2.5);
    style->setVertCellMargin(1.25);
    style->suppressTitleRow(true);
    style->suppressHeaderRow(true);
    ZcCmColor green, cyan, magenta;
    green.setColorIndex(3);
    cyan.setColorIndex(4);
    magenta.setColorIndex(6);
    style->setTextHeight(3.0, ZcDb::kDataRow);
    style->setTextHeight(9.0, ZcDb::kTitleRow);
    style->setAlignment(ZcDb::kBottomRight, ZcDb::kDataRow);
    style->setColor(green, ZcDb::kDataRow);
    style->setBackgroundColor(cyan, ZcDb::kDataRow);
    style->setBackgroundColorNone(false, ZcDb::kDataRow);
    style->setDataType(ZcValue::kLong, ZcValue::kUnitless, ZcDb::kDataRow);
    style->setFormat(L"%lu2", ZcDb::kDataRow);
    style->setGridLineWeight(ZcDb::kLnWt050, ZcDb::kAllGridLineTypes, ZcDb::kDataRow);
    style->setGridColor(magenta, ZcDb::kAllGridLineTypes, ZcDb::kDataRow);
    style->setGridVisibility(ZcDb::kInvisible, ZcDb::kAllGridLineTypes, ZcDb::kDataRow);
}

class Dwg_Export_Test : public Services_Test {
protected:
    void SetUp() override
    {
        Services_Test::SetUp();
        g_Cur_Plot_Option = &m_Options;
        m_Options.Output_Type = 6;
        m_Options.Folder_Mode = 2;
        m_Options.Folder = L"C:\\Out";
        CreateDirectoryW(L"C:\\Out", nullptr);
    }
    void TearDown() override
    {
        g_Cur_Plot_Option = nullptr;
        Services_Test::TearDown();
    }

    // Model space: sheet A (0,0)-(420,297) and sheet B (1000,0)-(1420,297); a layout
    // "Sheets" with sheet L (0,0)-(420,297) and one floating viewport clipped by a polyline.
    void Draw_Drawing()
    {
        ZcDbDatabase* db = Db();
        db->setLtscale(2.5);
        db->setCeltscale(0.5);
        ZcDbObjectId standard;
        {
            ZcDbTextStyleTable* styles = nullptr;
            ASSERT_EQ(db->getTextStyleTable(styles, ZcDb::kForRead), Zcad::eOk);
            styles->getAt(L"Standard", standard);
            styles->close();
            ZcDbObjectPointer<ZcDbTextStyleTableRecord> style(standard, ZcDb::kForWrite);
            ASSERT_EQ(style.openStatus(), Zcad::eOk);
            style->setFileName(L"gbenor.shx");
            style->setXScale(0.7);
        }
        Change_Standard_Table_Style();
        ZcDbObjectId walls, frozen, off;
        Ensure_Layer(walls, L"WALLS");
        Ensure_Layer(frozen, L"FROZEN");
        Ensure_Layer(off, L"OFF");
        {
            ZcDbObjectPointer<ZcDbLayerTableRecord> layer(frozen, ZcDb::kForWrite);
            layer->setIsFrozen(true);
        }
        {
            ZcDbObjectPointer<ZcDbLayerTableRecord> layer(off, ZcDb::kForWrite);
            layer->setIsOff(true);
        }
        const ZcDbObjectId model = db->modelSpaceId();
        Rectangle(model, 0, 0, 420, 297);
        Append(model, new ZcDbCircle(ZcGePoint3d(100, 100, 0), ZcGeVector3d::kZAxis, 20), walls);
        Text(model, 200, 200, L"SHEET-A");
        Text(model, 300, 50, L"ON-OFF-LAYER", off);
        Text(model, 300, 80, L"ON-FROZEN-LAYER", frozen);
        // Crosses the window with both ends outside it: taken.
        Append(model, new ZcDbLine(ZcGePoint3d(-50, 150, 0), ZcGePoint3d(470, 160, 0)));
        // Its box meets the window, the line passes beside it: left out.
        Append(model, new ZcDbLine(ZcGePoint3d(-50, 250, 0), ZcGePoint3d(50, 400, 0)));
        Rectangle(model, 1000, 0, 1420, 297);
        Append(model, new ZcDbCircle(ZcGePoint3d(1100, 100, 0), ZcGeVector3d::kZAxis, 30), walls);
        Text(model, 1200, 200, L"SHEET-B");

        ZcDbObjectId layout_id;
        ASSERT_EQ(zcdbHostApplicationServices()->layoutManager()->createLayout(L"Sheets", layout_id, m_Layout_Block),
                  Zcad::eOk);
        // Shown once, as a user would have: the layout gets its overall viewport first.
        Activate_Layout_Of_Block(m_Layout_Block);
        Activate_Layout_Of_Block(model);
        Rectangle(m_Layout_Block, 0, 0, 420, 297);
        Text(m_Layout_Block, 30, 30, L"SHEET-L");
        const ZcDbObjectId clip = Rectangle(m_Layout_Block, 150, 100, 250, 200);
        auto* viewport = new ZcDbViewport();
        viewport->setCenterPoint(ZcGePoint3d(200, 150, 0));
        viewport->setWidth(100);
        viewport->setHeight(100);
        viewport->setViewCenter(ZcGePoint2d(100, 100));
        viewport->setViewHeight(300);
        const ZcDbObjectId viewport_id = Append(m_Layout_Block, viewport);
        ZcDbObjectPointer<ZcDbViewport> open(viewport_id, ZcDb::kForWrite);
        ASSERT_EQ(open.openStatus(), Zcad::eOk);
        open->setNonRectClipEntityId(clip);
        open->setNonRectClipOn();
        ZcDbObjectIdArray frozen_here;
        frozen_here.append(walls);
        open->freezeLayersInViewport(frozen_here);
    }

    void Add_Sheet(ZcDbObjectId space, double x1, double y1, double x2, double y2, const wchar_t* name)
    {
        auto* sheet = new Plot_Drawing1();
        sheet->Space_Id = space;
        sheet->Min_Corner = ZcGePoint2d(x1, y1);
        sheet->Max_Corner = ZcGePoint2d(x2, y2);
        sheet->Output_Name = name;
        List_Sheet(m_Set, sheet);
    }

    static CString File(const wchar_t* name)
    {
        return CString(L"C:\\Out\\") + name + platform::Drawing_File_Extension;
    }

    static std::string Ezdxf(const CString& file)
    {
        std::string output;
        platform::dxf_test::Run_Command(platform::dxf_test::Oracle("export_check.py") + " '" + Host(file).string() + "'",
                                        output);
        return output;
    }

    // Dimension and table styles of a drawing file as ezdxf reads them.
    static std::string Ezdxf_Styles(const CString& file)
    {
        std::string output;
        platform::dxf_test::Run_Command("/usr/bin/python3 " + std::string(KORVEL_SOURCE_DIR) +
                                            "/tests/platform/dxf/dxf_styles_check.py '" + Host(file).string() + "'",
                                        output);
        return output;
    }

    Plot_Option m_Options;
    Plot_Sheet_Set m_Set;
    ZcDbObjectId m_Layout_Block;
};

// The entities of the first "BK" block of a drawing read by our reader, as "KIND text/x y".
std::vector<std::string> Read_Block(const CString& file, std::string& model_space)
{
    std::vector<std::string> found;
    ZcDbDatabase db(false, true);
    EXPECT_EQ(db.readDwgFile(file), Zcad::eOk) << platform::To_Utf8(file.GetString());
    ZcDbBlockTable* table = nullptr;
    if (db.getBlockTable(table, ZcDb::kForRead) != Zcad::eOk)
        return found;
    ZcDbBlockTableIterator* it = nullptr;
    table->newIterator(it);
    for (; !it->done(); it->step()) {
        ZcDbObjectId id;
        it->getRecordId(id);
        ZcDbObjectPointer<ZcDbBlockTableRecord> block(id, ZcDb::kForRead);
        std::wstring name;
        block->getName(name);
        const bool model = id == db.modelSpaceId();
        const ZcGePoint3d base = block->origin();
        if (!model && name.rfind(L"BK", 0) != 0)
            continue;
        ZcDbBlockTableRecordIterator* entities = nullptr;
        block->newIterator(entities);
        for (; !entities->done(); entities->step()) {
            ZcDbObjectId entity_id;
            entities->getEntityId(entity_id);
            ZcDbObjectPointer<ZcDbEntity> entity(entity_id, ZcDb::kForRead);
            char line[200];
            if (auto* text = ZcDbText::cast(entity.object()))
                std::snprintf(line, sizeof line, "TEXT %s %.3f %.3f", platform::To_Utf8(text->textStringConst()).c_str(),
                              text->position().x - base.x, text->position().y - base.y);
            else if (auto* circle = ZcDbCircle::cast(entity.object()))
                std::snprintf(line, sizeof line, "CIRCLE %.3f %.3f", circle->center().x - base.x, circle->center().y - base.y);
            else if (auto* reference = ZcDbBlockReference::cast(entity.object()))
                std::snprintf(line, sizeof line, "INSERT %.3f %.3f", reference->position().x, reference->position().y);
            else
                std::snprintf(line, sizeof line, "%s", platform::To_Utf8(entity->isA()->name()).c_str());
            (model ? model_space += std::string(line) + "\n" : (found.push_back(line), model_space));
        }
        delete entities;
    }
    delete it;
    table->close();
    return found;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The copied table style of an exported file, read by our reader: the data row's values in
// every row and on every grid line.
void Expect_Copied_Table_Style(const CString& file)
{
    ZcDbDatabase db(false, true);
    ASSERT_EQ(db.readDwgFile(file), Zcad::eOk);
    EXPECT_TRUE(Has_Dimension_Style(&db, L"Standard"));
    ZcDbObjectPointer<ZcDbTableStyle> style(Standard_Table_Style(&db), ZcDb::kForRead);
    ASSERT_EQ(style.openStatus(), Zcad::eOk);
    EXPECT_EQ(std::wstring(style->description()), L"明细表");
    EXPECT_EQ(style->flowDirection(), ZcDb::kBtoT);
    EXPECT_EQ(style->horzCellMargin(), 2.5);
    EXPECT_EQ(style->vertCellMargin(), 1.25);
    EXPECT_TRUE(style->isTitleSuppressed());
    EXPECT_TRUE(style->isHeaderSuppressed());
    for (ZcDb::RowType row : {ZcDb::kDataRow, ZcDb::kTitleRow, ZcDb::kHeaderRow}) {
        EXPECT_EQ(style->textHeight(row), 3.0) << row;
        EXPECT_EQ(style->alignment(row), ZcDb::kBottomRight) << row;
        EXPECT_EQ(style->color(row).colorIndex(), 3) << row;
        EXPECT_EQ(style->backgroundColor(row).colorIndex(), 4) << row;
        EXPECT_FALSE(style->isBackgroundColorNone(row)) << row;
        ZcValue::DataType type = ZcValue::kUnknown;
        ZcValue::UnitType unit = ZcValue::kDistance;
        style->getDataType(type, unit, row);
        EXPECT_EQ(type, ZcValue::kLong) << row;
        EXPECT_EQ(unit, ZcValue::kUnitless) << row;
        EXPECT_EQ(std::wstring(style->format(row)), L"%lu2") << row;
        for (ZcDb::GridLineType grid : ZcDbTableStyle::kGridOrder) {
            EXPECT_EQ(style->gridLineWeight(grid, row), ZcDb::kLnWt050) << row << " " << grid;
            EXPECT_EQ(style->gridColor(grid, row).colorIndex(), 6) << row << " " << grid;
            EXPECT_EQ(style->gridVisibility(grid, row), ZcDb::kInvisible) << row << " " << grid;
        }
    }
}


TEST_F(Dwg_Export_Test, SheetsOfModelSpaceAndALayoutEachBecomeADrawingOfTheirOwn)
{
    Draw_Drawing();
    Add_Sheet(Db()->modelSpaceId(), 0, 0, 420, 297, L"A");
    Add_Sheet(Db()->modelSpaceId(), 1000, 0, 1420, 297, L"B");
    Add_Sheet(m_Layout_Block, 0, 0, 420, 297, L"L");
    g_Hidden_Layers.Collect_Hidden_Layers();
    CString folder;
    int written = -1;
    ASSERT_TRUE(Export_Sheets_To_Dwg1(m_Set, folder, &written));
    EXPECT_EQ(folder, CString(L"C:\\Out"));
    EXPECT_EQ(written, 3);
    EXPECT_TRUE(platform::MessageBoxLog.empty());

    // Sheet A: its circle, text, crossing line, frame and the text on the layer that is off;
    // centred at the origin (window centre (210, 148.5)).
    std::string model;
    const std::vector<std::string> a = Read_Block(File(L"A"), model);  // less the block's base point
    EXPECT_EQ(model, "INSERT 0.000 0.000\n");
    std::string joined;
    for (const std::string& line : a)
        joined += line + "\n";
    EXPECT_EQ(a.size(), 5u) << joined;
    EXPECT_TRUE(Has(joined, "CIRCLE -110.000 -48.500")) << joined;
    EXPECT_TRUE(Has(joined, "TEXT SHEET-A -10.000 51.500")) << joined;
    EXPECT_TRUE(Has(joined, "TEXT ON-OFF-LAYER")) << joined;
    EXPECT_FALSE(Has(joined, "FROZEN")) << joined;
    EXPECT_FALSE(Has(joined, "SHEET-B")) << joined;

    const std::string oracle_a = Ezdxf(File(L"A"));
    for (const char* line : {"ltscale 2.5", "celtscale 0.5", "standard gbenor.shx 0.7", "layer WALLS",
                             "in:BK261208231430 CIRCLE -110.000 -48.500 20.000 WALLS", "in:BK261208231430 TEXT SHEET-A -10.000 51.500",
                             "in:BK261208231430 LINE", "in:BK261208231430 LWPOLYLINE"})
        EXPECT_TRUE(Has(oracle_a, line)) << line << "\n" << oracle_a;
    EXPECT_TRUE(Has(oracle_a, "model INSERT BK261208231430 0.000 0.000")) << oracle_a;
    EXPECT_FALSE(Has(oracle_a, "SHEET-B")) << oracle_a;
    // The "Standard" table style as the source has it, its data row in every row and grid line.
    Expect_Copied_Table_Style(File(L"A"));
    const std::string styles_a = Ezdxf_Styles(File(L"A"));
    const std::string row = "140=3 170=9 62=3 63=4 283=1 90=1 1=%lu2 274=50 284=0 64=6 275=50 285=0 65=6 276=50 286=0 "
                            "66=6 277=50 287=0 67=6 278=50 288=0 68=6 279=50 289=0 69=6";
    EXPECT_TRUE(Has(styles_a, "tablestyle Standard 3=明细表 70=1 71=0 40=2.5 41=1.25 280=1 281=1 7=Standard " + row +
                                  " 7=Standard " + row + " 7=Standard " + row + "\n"))
        << styles_a;
    EXPECT_TRUE(Has(styles_a, "dimstyle Standard ")) << styles_a;
    EXPECT_FALSE(Has(styles_a, "dimstyle KV")) << styles_a;

    const std::string oracle_b = Ezdxf(File(L"B"));
    EXPECT_TRUE(Has(oracle_b, "in:BK261208231430 CIRCLE -110.000 -48.500 30.000 WALLS")) << oracle_b;
    EXPECT_TRUE(Has(oracle_b, "in:BK261208231430 TEXT SHEET-B -10.000 51.500")) << oracle_b;
    EXPECT_FALSE(Has(oracle_b, "SHEET-A")) << oracle_b;

    // Sheet L: the layout named after the file holds the block and the rebuilt viewport with
    // its clip boundary and frozen layer; model space holds the whole model as "temp_block".
    const std::string oracle_l = Ezdxf(File(L"L"));
    for (const char* line : {"paper:L INSERT BK261208231430 0.000 0.000", "paper:L VIEWPORT clip=True frozen=WALLS",
                             "in:BK261208231430 TEXT SHEET-L -180.000 -118.500", "model INSERT temp_block 0.000 0.000",
                             "in:temp_block TEXT SHEET-A 200.000 200.000", "in:temp_block TEXT SHEET-B"})
        EXPECT_TRUE(Has(oracle_l, line)) << line << "\n" << oracle_l;
    EXPECT_FALSE(Has(oracle_l, "in:BK261208231430 VIEWPORT")) << oracle_l;

    // The export went back to the space it started in, the styles to their names.
    EXPECT_FALSE(Is_Paper_Space());
    EXPECT_TRUE(Has_Dimension_Style(Db(), L"Standard"));
    EXPECT_FALSE(Has_Dimension_Style(Db(), L"KV261208231430"));
}

TEST_F(Dwg_Export_Test, ExplodedWithoutTheBlockOption)
{
    Draw_Drawing();
    g_Plot_Config.Dwg_As_Block = 0;
    Add_Sheet(Db()->modelSpaceId(), 1000, 0, 1420, 297, L"B");
    CString folder;
    ASSERT_TRUE(Export_Sheets_To_Dwg1(m_Set, folder));
    const std::string oracle = Ezdxf(File(L"B"));
    EXPECT_TRUE(Has(oracle, "model CIRCLE -110.000 -48.500 30.000 WALLS")) << oracle;
    EXPECT_TRUE(Has(oracle, "model TEXT SHEET-B -10.000 51.500")) << oracle;
    EXPECT_FALSE(Has(oracle, "model INSERT")) << oracle;
}

TEST_F(Dwg_Export_Test, FailedSaveAndUncreatableFolderAreShownAndNotCounted)
{
    Draw_Drawing();
    // The sheet's file would go into a folder that does not exist: the save fails.
    Add_Sheet(Db()->modelSpaceId(), 0, 0, 420, 297, L"missing\\A");
    Add_Sheet(Db()->modelSpaceId(), 1000, 0, 1420, 297, L"B");
    Answer_Boxes(1);
    CString folder;
    int written = -1;
    ASSERT_TRUE(Export_Sheets_To_Dwg1(m_Set, folder, &written));
    EXPECT_EQ(written, 1);
    // One message at the end names the sheet and why.
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text,
              L"共 2 张图纸，其中以下 1 张未能输出 !\n\nmissing\\A ：输出文件夹不存在\n\n这些图纸原有的输出文件保持不变 !");
    EXPECT_TRUE(Exists(File(L"B")));

    // A file stands where the type's sub-folder should be made.
    platform::MessageBoxLog.clear();
    m_Options.Folder_Mode = 1;
    wchar_t profile[260] = {};
    GetEnvironmentVariableW(L"USERPROFILE", profile, 260);
    Write_File(CString(profile) + L"\\DWG", "not a folder");
    Answer_Boxes(1);
    EXPECT_FALSE(Export_Sheets_To_Dwg1(m_Set, folder, &written)) << "nothing was written";
    EXPECT_EQ(written, 0);
    EXPECT_EQ(folder, CString(profile) + L"\\DWG");
    EXPECT_EQ(platform::MessageBoxLog.size(), 1u);
}

TEST_F(Dwg_Export_Test, DrawingFilesThatCannotBeWrittenWholeKeepTheOldFileAndAreShown)
{
    Draw_Drawing();
    ZcDbObjectIdArray ids;
    ids.append(Append(Db()->modelSpaceId(), new ZcDbCircle(ZcGePoint3d(500, 500, 0), ZcGeVector3d::kZAxis, 10)));
    const CString piece = File(L"piece");
    ASSERT_TRUE(Wblock_Ids_To_File(ids, piece, L"K_TK_BK", false));
    const std::string good = File_Bytes(piece);
    // The folder is a full disk from here on.
    platform::Machine::instance().set_disk_free(L"C:\\Out", 100);
    ids.append(Append(Db()->modelSpaceId(), new ZcDbCircle(ZcGePoint3d(500, 500, 0), ZcGeVector3d::kZAxis, 20)));
    Answer_Boxes(1);
    EXPECT_FALSE(Wblock_Ids_To_File(ids, piece, L"K_TK_BK", true));
    EXPECT_EQ(File_Bytes(piece), good);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_TRUE(Has(platform::To_Utf8(platform::MessageBoxLog[0].text), "C:\\Out\\piece.dxf")) ;

    // The sheet export over earlier files: none is counted, the failures are told in one
    // message, and every earlier file stays byte for byte with nothing beside it.
    platform::Machine::instance().set_disk_free(L"C:\\Out", std::nullopt);
    Write_File(File(L"A"), "earlier A");
    Write_File(File(L"B"), "earlier B");
    const auto files = [this] {
        std::map<std::string, std::string> bytes;
        for (const auto& entry : std::filesystem::directory_iterator(Host(L"C:\\Out")))
            bytes[entry.path().filename().string()] = File_Bytes(CString(entry.path().c_str()));
        return bytes;
    };
    const std::map<std::string, std::string> before = files();
    platform::Machine::instance().set_disk_free(L"C:\\Out", 100);
    platform::MessageBoxLog.clear();
    Add_Sheet(Db()->modelSpaceId(), 0, 0, 420, 297, L"A");
    Add_Sheet(Db()->modelSpaceId(), 1000, 0, 1420, 297, L"B");
    Answer_Boxes(1);
    CString folder;
    int written = -1;
    EXPECT_FALSE(Export_Sheets_To_Dwg1(m_Set, folder, &written));
    platform::Machine::instance().set_disk_free(L"C:\\Out", std::nullopt);
    EXPECT_EQ(written, 0);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].text, L"全部 2 张图纸均未能输出 !\n\nA ：磁盘空间不足\n"
                                               L"B ：磁盘空间不足\n\n这些图纸原有的输出文件保持不变 !");
    EXPECT_EQ(files(), before);
}

TEST_F(Dwg_Export_Test, AFileThatCannotBeReplacedIsSkippedAndTheSameNameOverwrites)
{
    Draw_Drawing();
    ASSERT_TRUE(CreateDirectoryW(File(L"Locked"), nullptr));  // stands where the file goes
    Add_Sheet(Db()->modelSpaceId(), 0, 0, 420, 297, L"Locked");
    Add_Sheet(Db()->modelSpaceId(), 0, 0, 420, 297, L"B");
    Add_Sheet(Db()->modelSpaceId(), 1000, 0, 1420, 297, L"B");
    Answer_Boxes(1);
    CString folder;
    int written = -1;
    ASSERT_TRUE(Export_Sheets_To_Dwg1(m_Set, folder, &written));
    EXPECT_EQ(written, 2);
    ASSERT_EQ(platform::MessageBoxLog.size(), 1u);
    EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel打印");
    EXPECT_TRUE(Has(platform::To_Utf8(platform::MessageBoxLog[0].text), "以下 1 张未能输出 !\n\nLocked ："))
        << platform::To_Utf8(platform::MessageBoxLog[0].text);
    EXPECT_TRUE(std::filesystem::is_directory(Host(File(L"Locked"))));
    const std::string b = Ezdxf(File(L"B"));
    EXPECT_TRUE(Has(b, "SHEET-B")) << b;
    EXPECT_FALSE(Has(b, "SHEET-A")) << b;
}

// The result window: the progress runs over the sheets exported; a stop request is seen after
// the sheet in hand and asked about, Yes ends the export (the styles get their names back),
// No carries on. A sheet whose file cannot be replaced is told at the end.
TEST_F(Dwg_Export_Test, TheResultWindowShowsProgressAndItsStopButtonEndsTheExport)
{
    std::string error;
    ASSERT_TRUE(platform::Register_Resource_Script(AfxGetResourceHandle(), Resource_Script_Path(), &error)) << error;
    Draw_Drawing();
    CreateDirectoryW(File(L"Locked"), nullptr);  // stands where the file goes
    ASSERT_TRUE(Exists(File(L"Locked")));
    Add_Sheet(Db()->modelSpaceId(), 0, 0, 420, 297, L"Locked");
    Add_Sheet(Db()->modelSpaceId(), 0, 0, 420, 297, L"A");
    Add_Sheet(Db()->modelSpaceId(), 1000, 0, 1420, 297, L"B");
    const struct {
        const char* answer;
        bool exported;  // A and B
        int steps;
        int written;
    } cases[] = {{"NO", true, 3, 2}, {"YES", false, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        DeleteFileW(File(L"A"));
        DeleteFileW(File(L"B"));
        platform::MessageBoxLog.clear();
        auto* window = new Dlg_BPlot1();
        ASSERT_TRUE(window->Create(IDD_DLG_BPLOT1, nullptr));
        window->ShowWindow(SW_SHOW);
        g_Dlg_BPlot1 = window;
        window->Stop_Flag = 1;  // pressed before the export starts
        platform::ScriptInput::instance().push_text(std::string("msgbox ") + c.answer + "\nmsgbox OK\n");
        CString folder;
        int written = -1;
        EXPECT_EQ(Export_Sheets_To_Dwg1(m_Set, folder, &written), c.written > 0);

        EXPECT_EQ(written, c.written);
        EXPECT_EQ(Exists(File(L"A")), c.exported);
        EXPECT_EQ(Exists(File(L"B")), c.exported);
        ASSERT_EQ(platform::MessageBoxLog.size(), 2u);
        EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel");
        EXPECT_EQ(platform::MessageBoxLog[0].text, L"是否中断 ？");
        EXPECT_EQ(platform::MessageBoxLog[0].type, UINT(MB_YESNO | MB_ICONINFORMATION));
        EXPECT_EQ(platform::MessageBoxLog[0].owner, adsw_zcadMainWnd());
        EXPECT_EQ(platform::MessageBoxLog[1].caption, L"Korvel打印");
        EXPECT_EQ(window->Stop_Flag, 0);
        CWnd* bar = window->GetDlgItem(IDC_BP1_PROGRESS);
        PBRANGE range{-1, -1};
        bar->SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        EXPECT_EQ(range.iLow, 0);
        EXPECT_EQ(range.iHigh, 3);
        EXPECT_EQ(bar->SendMessage(PBM_GETPOS), c.steps);
        EXPECT_FALSE(bar->IsWindowVisible());  // ended
        EXPECT_TRUE(window->GetDlgItem(IDOK)->IsWindowVisible());
        EXPECT_TRUE(Has_Dimension_Style(Db(), L"Standard"));
        EXPECT_FALSE(Has_Dimension_Style(Db(), L"KV261208231430"));
        EXPECT_FALSE(Is_Paper_Space());

        g_Dlg_BPlot1 = nullptr;
        window->DestroyWindow();
        delete window;
    }
    platform::Unregister_Resource_Script(AfxGetResourceHandle());
}

TEST_F(Dwg_Export_Test, TheSinglePlotOpensItsFileAndKeepsTheLayoutName)
{
    Draw_Drawing();
    const CString file = File(L"opened");
    ASSERT_TRUE(Export_Window_To_Dwg(ZcGePoint2d(1000, 0), ZcGePoint2d(1420, 297), file, true, false));
    ZcApDocument* document = zcDocManager->curDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(CString(document->fileName()), file);
}

TEST_F(Dwg_Export_Test, TheHostOpensAnExportedFileAndSaysSo)
{
    Draw_Drawing();
    const CString file = File(L"by_command");
    ASSERT_TRUE(Export_Window_To_Dwg(ZcGePoint2d(0, 0), ZcGePoint2d(420, 297), file, false, true));
    Set_Var(L"FILEDIA", 0);
    ASSERT_EQ(zcedCommandS(RTSTR, L"_.OPEN", RTSTR, file.GetString(), RTNONE), RTNORM);
    EXPECT_EQ(CString(zcDocManager->curDocument()->fileName()), file);
    EXPECT_NE(Printed().find(L"Opened drawing file C:\\Out\\by_command"), std::wstring::npos);
    ASSERT_EQ(zcedCommandS(RTSTR, L"_.OPEN", RTSTR, L"C:\\Out\\none.dxf", RTNONE), RTNORM);
    EXPECT_NE(Printed().find(L"Cannot open drawing file C:\\Out\\none.dxf."), std::wstring::npos);
}

TEST_F(Dwg_Export_Test, WindowPicking)
{
    ZcDbExtents window(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 100, 0));
    struct Box {
        double x1, y1, x2, y2;
        bool overlap;
    } boxes[] = {
        {50, 50, 150, 150, true},       // plain overlap
        {100, 0, 200, 100, false},      // touching: not apart, but thin for both
        {101, 0, 200, 100, false},      // apart
        {99.5, 0, 199.5, 100, false},   // 0.5 % of its width, under 1 % of the window's
        {99, 0, 199, 100, true},        // 1 % of its width
        {99.5, 0, 149.5, 100, true},    // 1 % of a narrower entity
    };
    for (const Box& b : boxes) {
        ZcDbExtents e(ZcGePoint3d(b.x1, b.y1, 0), ZcGePoint3d(b.x2, b.y2, 0));
        EXPECT_EQ(Extents_Overlap(window, e, 0.01), b.overlap) << b.x1 << " " << b.x2;
    }
    EXPECT_FALSE(Extents_Overlap(window, ZcDbExtents(), 0.01));
    EXPECT_TRUE(Line_Separates_Rect(ZcGePoint2d(-10, 50), ZcGePoint2d(-5, 52), window));
    EXPECT_FALSE(Line_Separates_Rect(ZcGePoint2d(-10, 0), ZcGePoint2d(0, 100), window));  // touches a corner only
    EXPECT_TRUE(Line_Separates_Rect(ZcGePoint2d(50, -10), ZcGePoint2d(50, 200), window));   // vertical
    EXPECT_FALSE(Line_Separates_Rect(ZcGePoint2d(150, -10), ZcGePoint2d(150, 200), window));
    EXPECT_TRUE(Extents_Inside_Window(window, ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100, 100, 0))));
    EXPECT_FALSE(Extents_Inside_Window(window, ZcDbExtents(ZcGePoint3d(0, 0, 0), ZcGePoint3d(100.1, 100, 0))));
}

TEST_F(Dwg_Export_Test, StandardStylesCarryATemporaryNameDuringTheExport)
{
    ZcDbObjectId dictionary_id;
    {
        ZcDbObjectPointer<ZcDbDictionary> named(Db()->namedObjectsDictionaryId(), ZcDb::kForWrite);
        auto* styles = new ZcDbDictionary();
        ASSERT_EQ(named->setAt(L"ACAD_MLINESTYLE", styles, dictionary_id), Zcad::eOk);
        ZcDbObjectId entry;
        styles->setAt(L"Standard", new ZcDbXrecord(), entry);
        styles->close();
    }
    auto has = [&](const wchar_t* name) {
        ZcDbObjectPointer<ZcDbDictionary> styles(dictionary_id, ZcDb::kForRead);
        const bool in_dictionary = styles->has(name);
        EXPECT_EQ(Has_Dimension_Style(Db(), name), in_dictionary) << platform::To_Utf8(name);
        return in_dictionary;
    };
    {
        Standard_Style_Rename rename;
        rename.Rename();
        EXPECT_EQ(rename.Temp_Name, CString(L"KV261208231430"));
        EXPECT_FALSE(has(L"Standard"));
        EXPECT_TRUE(has(L"KV261208231430"));
    }
    EXPECT_TRUE(has(L"Standard"));
    EXPECT_FALSE(has(L"KV261208231430"));
}

TEST_F(Dwg_Export_Test, WblockIdsToFileCentresOneBlockNamedByPrefixAndTime)
{
    Draw_Drawing();
    ZcDbObjectIdArray ids;
    ids.append(Append(Db()->modelSpaceId(), new ZcDbCircle(ZcGePoint3d(500, 500, 0), ZcGeVector3d::kZAxis, 10)));
    ids.append(Text(Db()->modelSpaceId(), 520, 500, L"PIECE"));
    const CString file = File(L"piece");
    ASSERT_TRUE(Wblock_Ids_To_File(ids, file, L"K_TK_BK", false));
    EXPECT_TRUE(ids.isEmpty());
    const std::string oracle = Ezdxf(file);
    EXPECT_TRUE(Has(oracle, "block K_TK_BK261208231430")) << oracle;
    EXPECT_FALSE(Has(oracle, "model ")) << oracle;
    EXPECT_TRUE(Has(oracle, "ltscale 2.5")) << oracle;

    ids.append(Append(Db()->modelSpaceId(), new ZcDbCircle(ZcGePoint3d(500, 500, 0), ZcGeVector3d::kZAxis, 10)));
    ASSERT_TRUE(Wblock_Ids_To_File(ids, file, L"K_TK_BK", true));
    EXPECT_TRUE(Has(Ezdxf(file), "model CIRCLE 0.000 0.000 10.000")) << Ezdxf(file);

    // A drawing that cannot be saved is not reported as written.
    ids.append(Append(Db()->modelSpaceId(), new ZcDbCircle(ZcGePoint3d(500, 500, 0), ZcGeVector3d::kZAxis, 10)));
    Answer_Boxes(1);
    EXPECT_FALSE(Wblock_Ids_To_File(ids, L"C:\\Out\\nowhere\\piece.dxf", L"K_TK_BK", false));
    EXPECT_TRUE(ids.isEmpty());
}

}  // namespace
