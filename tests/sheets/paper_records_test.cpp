// The per-frame records "PAPER_INFOR" and "SC_INFOR": what is written, what is read back,
// how current sheets replace stored entries, and that the records survive a drawing file.
#include <sstream>

#include "core/rb_chain.h"
#include "core/version_stamp.h"
#include "db/dbdatabase.h"
#include "db/dbdict.h"
#include "drawing_builders.h"
#include "services_fixture.h"
#include "sheet_builders.h"
#include "sheets/paper_records.h"

namespace {

class Paper_Records_Test : public Services_Test {
public:
    void TearDown() override
    {
        Sheets.Clear();
        Services_Test::TearDown();
    }

    // A listed sheet of the set.
    Plot_Drawing1* Add_Sheet(double x0, double y0, double x1, double y1, const wchar_t* paper, int copies,
                             double scale)
    {
        auto* sheet = new Plot_Drawing1;
        sheet->Min_Corner.set(x0, y0);
        sheet->Max_Corner.set(x1, y1);
        sheet->Paper_Name = paper;
        sheet->Copies = copies;
        sheet->Plot_Scale = scale;
        return List_Sheet(Sheets, sheet);
    }
    static void Add_Stored(Sheet_Infor_List& list, double x0, double y0, double x1, double y1, const wchar_t* paper,
                           int copies, double scale)
    {
        list.Min_Corners.append(ZcGePoint2d(x0, y0));
        list.Max_Corners.append(ZcGePoint2d(x1, y1));
        list.Copies.append(copies);
        list.Scales.append(scale);
        list.Names.Add(paper);
    }

    // The record's chain as "code:value" words, the version stamp as "stamp".
    static std::string Chain_Text(const wchar_t* name)
    {
        std::ostringstream text;
        ZcDbObject* object = nullptr;
        if (zcdbOpenObject(object, Db()->namedObjectsDictionaryId(), ZcDb::kForRead) != Zcad::eOk)
            return "no dictionary";
        ZcDbObject* entry = nullptr;
        ZcDbObject* record = nullptr;
        resbuf* chain = nullptr;
        if (ZcDbDictionary::cast(object)->getAt(name, entry, ZcDb::kForRead) == Zcad::eOk) {
            if (ZcDbDictionary::cast(entry)->getAt(name, record, ZcDb::kForRead) == Zcad::eOk) {
                ZcDbXrecord::cast(record)->rbChain(&chain);
                record->close();
            }
            entry->close();
        }
        object->close();
        int index = 0;
        for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext, ++index) {
            if (index > 0)
                text << ' ';
            text << rb->restype << ':';
            if (rb->restype == 90 && index == 1)
                text << (rb->resval.rlong == Program_Version_Stamp ? "stamp" : "old");
            else if (rb->restype == 90)
                text << rb->resval.rlong;
            else if (rb->restype == 40)
                text << rb->resval.rreal;
            else
                text << platform::To_Utf8(rb->resval.rstring);
        }
        if (chain != nullptr)
            zcutRelRb(chain);
        return text.str();
    }

    // Stores a chain of the program's own making as the record.
    static void Store_Chain(const wchar_t* name, resbuf* chain)
    {
        ZcDbObject* object = nullptr;
        ASSERT_EQ(zcdbOpenObject(object, Db()->namedObjectsDictionaryId(), ZcDb::kForWrite), Zcad::eOk);
        auto* dictionary = new ZcDbDictionary;
        ZcDbObjectId id;
        ASSERT_EQ(ZcDbDictionary::cast(object)->setAt(name, dictionary, id), Zcad::eOk);
        object->close();
        auto* xrecord = new ZcDbXrecord;
        ASSERT_EQ(dictionary->setAt(name, xrecord, id), Zcad::eOk);
        xrecord->setFromRbChain(*chain);
        xrecord->close();
        dictionary->close();
        Rb_Free_Chain(chain);
    }

    static std::string Names(const Sheet_Infor_List& list)
    {
        std::string names;
        for (INT_PTR i = 0; i < list.Names.GetSize(); ++i)
            names += (i > 0 ? "," : "") + platform::To_Utf8(list.Names[i].GetString());
        return names;
    }

    Plot_Sheet_Set Sheets;
};

TEST_F(Paper_Records_Test, Written_Sheets_Come_First_Then_Stored_Entries_Of_Other_Frames)
{
    Add_Sheet(0, 0, 420, 297, L"KV_A3", 2, 1.0);
    Add_Sheet(500, 0, 1341, 594, L"KV_A1", 1, 1.0);
    Sheet_Infor_List list;
    list.Sheet_Set = &Sheets;
    Add_Stored(list, 500, 0, 1341, 594, L"KV_A0", 5, 2.0);   // the second sheet's frame: replaced
    Add_Stored(list, -900, 0, -480, 297, L"KV_A4", 3, 1.0);  // another frame: kept

    Write_Paper_Infor(list);
    EXPECT_EQ(Chain_Text(Paper_Infor_Name),
              "90:3 90:stamp 40:0 40:0 40:420 40:297 90:2 1:KV_A3 40:500 40:0 40:1341 40:594 90:1 1:KV_A1 "
              "40:-900 40:0 40:-480 40:297 90:3 1:KV_A4");

    Sheet_Infor_List read;
    ASSERT_TRUE(Read_Paper_Infor(read));
    EXPECT_EQ(Names(read), "KV_A3,KV_A1,KV_A4");
    EXPECT_EQ(read.Copies.length(), 3);
    EXPECT_EQ(read.Copies[0], 2);
    EXPECT_EQ(read.Copies[2], 3);
    EXPECT_TRUE(read.Scales.isEmpty());
    EXPECT_EQ(read.Max_Corners[1], ZcGePoint2d(1341, 594));
    EXPECT_EQ(Find_Frame_Infor(read, *Sheets.Plot_List[1]), 1);
}

TEST_F(Paper_Records_Test, Scale_Record_Keeps_Scales_And_Unnamed_Entries)
{
    Add_Sheet(0, 0, 42000, 29700, L"KV_A3", 1, 100.0);
    Add_Sheet(0, 40000, 100, 40050, L"", 1, 2.5);
    Add_Sheet(0, 50000, 100, 50050, L"KV_A4", 1, 0.0);  // no scale: dropped on reading
    Sheet_Infor_List list;
    list.Sheet_Set = &Sheets;
    Write_Sc_Infor(list);
    EXPECT_EQ(Chain_Text(Sc_Infor_Name),
              "90:3 90:stamp 40:0 40:0 40:42000 40:29700 40:100 1:KV_A3 40:0 40:40000 40:100 40:40050 40:2.5 1:<>< "
              "40:0 40:50000 40:100 40:50050 40:0 1:KV_A4");

    Sheet_Infor_List read;
    ASSERT_TRUE(Read_Sc_Infor(read));
    EXPECT_EQ(Names(read), "KV_A3,");
    ASSERT_EQ(read.Scales.length(), 2);
    EXPECT_EQ(read.Scales[0], 100.0);
    EXPECT_EQ(read.Scales[1], 2.5);
    EXPECT_TRUE(read.Copies.isEmpty());
}

TEST_F(Paper_Records_Test, Names_With_Blanks_And_Empty_Names)
{
    Add_Sheet(0, 0, 10, 10, L"My paper  A", 1, 1.0);
    Add_Sheet(20, 0, 30, 10, L"", 4, 1.0);
    Sheet_Infor_List list;
    list.Sheet_Set = &Sheets;
    Write_Paper_Infor(list);
    EXPECT_NE(Chain_Text(Paper_Infor_Name).find("1:My*?*paper*?**?*A"), std::string::npos);

    Sheet_Infor_List read;
    ASSERT_TRUE(Read_Paper_Infor(read));
    EXPECT_EQ(Names(read), "My paper  A");  // the unnamed entry is dropped
}

TEST_F(Paper_Records_Test, Empty_Plot_List_Rewrites_The_Stored_Entries)
{
    Add_Sheet(0, 0, 10, 10, L"KV_A4", 1, 1.0);
    Add_Sheet(20, 0, 30, 10, L"KV_A3", 2, 1.0);
    Sheet_Infor_List list;
    list.Sheet_Set = &Sheets;
    Write_Paper_Infor(list);

    Sheets.Clear();
    Sheet_Infor_List stored;
    stored.Sheet_Set = &Sheets;
    ASSERT_TRUE(Read_Paper_Infor(stored));
    const std::string before = Chain_Text(Paper_Infor_Name);
    Write_Paper_Infor(stored);
    EXPECT_EQ(Chain_Text(Paper_Infor_Name), before);
    EXPECT_EQ(Names(stored), "KV_A4,KV_A3");
}

TEST_F(Paper_Records_Test, Duplicate_Stored_Frames_Go_One_Per_Matching_Sheet)
{
    Sheet_Infor_List list;
    Add_Stored(list, 0, 0, 10, 10, L"first", 1, 1.0);
    Add_Stored(list, 0, 0, 10, 10, L"second", 1, 1.0);
    Plot_Drawing1* sheet = Add_Sheet(0, 0, 10, 10, L"current", 1, 1.0);
    EXPECT_EQ(Find_Frame_Infor(list, *sheet), 0);
    // Within the host's tolerance the corners are the same.
    sheet->Max_Corner.set(10, 10 + 1e-12);
    EXPECT_EQ(Find_Frame_Infor(list, *sheet), 0);
    sheet->Max_Corner.set(10, 10.01);
    EXPECT_EQ(Find_Frame_Infor(list, *sheet), -1);
    sheet->Max_Corner.set(10, 10);

    list.Sheet_Set = &Sheets;
    Write_Paper_Infor(list);
    Sheet_Infor_List read;
    ASSERT_TRUE(Read_Paper_Infor(read));
    EXPECT_EQ(Names(read), "current,second");
}

TEST_F(Paper_Records_Test, Removing_An_Entry_Spares_Arrays_Too_Short_For_It)
{
    Sheet_Infor_List list;
    Add_Stored(list, 0, 0, 10, 10, L"a", 1, 1.0);
    Add_Stored(list, 20, 0, 30, 10, L"b", 2, 2.0);
    list.Scales.removeAll();
    list.Copies.removeLast();
    Plot_Drawing1* sheet = Add_Sheet(20, 0, 30, 10, L"x", 1, 1.0);
    Remove_Frame_Infor(list, *sheet);
    EXPECT_EQ(Names(list), "a");
    EXPECT_EQ(list.Min_Corners.length(), 1);
    EXPECT_EQ(list.Copies.length(), 1);
    EXPECT_TRUE(list.Scales.isEmpty());
}

TEST_F(Paper_Records_Test, Missing_Or_Damaged_Records)
{
    Sheet_Infor_List list;
    Add_Stored(list, 0, 0, 10, 10, L"old", 1, 1.0);
    EXPECT_FALSE(Read_Paper_Infor(list));
    EXPECT_TRUE(list.Names.IsEmpty());
    EXPECT_TRUE(list.Min_Corners.isEmpty());

    // A count larger than the entries that follow, then an entry cut short.
    resbuf* tail = nullptr;
    resbuf* head = Rb_Append_Int(tail, 5);
    Rb_Append_Int(tail, 20200101);
    for (double value : {0.0, 0.0, 10.0, 10.0})
        Rb_Append_Real(tail, value);
    Rb_Append_Int(tail, 2);
    Rb_Append_Text(tail, L"KV_A4");
    for (double value : {20.0, 0.0, 30.0})
        Rb_Append_Real(tail, value);
    Store_Chain(Paper_Infor_Name, head);
    ASSERT_TRUE(Read_Paper_Infor(list));
    EXPECT_EQ(Names(list), "KV_A4");

    // The copies of a paper entry where the scale record has its scale: a wrong type ends
    // the reading.
    tail = nullptr;
    head = Rb_Append_Int(tail, 2);
    Rb_Append_Int(tail, 20200101);
    for (double value : {0.0, 0.0, 10.0, 10.0, 5.0})
        Rb_Append_Real(tail, value);
    Rb_Append_Text(tail, L"KV_A4");
    for (double value : {0.0, 0.0, 10.0, 10.0})
        Rb_Append_Real(tail, value);
    Rb_Append_Int(tail, 2);
    Rb_Append_Text(tail, L"KV_A3");
    Store_Chain(Sc_Infor_Name, head);
    ASSERT_TRUE(Read_Sc_Infor(list));
    EXPECT_EQ(Names(list), "KV_A4");
}

TEST_F(Paper_Records_Test, Stored_Copies_Outside_What_The_Batch_Offers_Become_One)
{
    const int stored[] = {1, Max_Sheet_Copies, 0, -3, Max_Sheet_Copies + 1, 2147483647};
    const int read[] = {1, Max_Sheet_Copies, 1, 1, 1, 1};
    resbuf* tail = nullptr;
    resbuf* head = Rb_Append_Int(tail, static_cast<int>(std::size(stored)));
    Rb_Append_Int(tail, Program_Version_Stamp);
    for (int copies : stored) {
        for (double value : {0.0, 0.0, 10.0, 10.0})
            Rb_Append_Real(tail, value);
        Rb_Append_Int(tail, copies);
        Rb_Append_Text(tail, L"KV_A4");
    }
    Store_Chain(Paper_Infor_Name, head);
    Sheet_Infor_List list;
    ASSERT_TRUE(Read_Paper_Infor(list));
    ASSERT_EQ(list.Copies.length(), static_cast<int>(std::size(read)));
    for (size_t i = 0; i < std::size(read); ++i)
        EXPECT_EQ(list.Copies[static_cast<int>(i)], read[i]) << stored[i];
}

TEST_F(Paper_Records_Test, Records_Survive_A_Drawing_File)
{
    Add_Sheet(0, 0, 420, 297, L"KV_A3 wide", 2, 1.5);
    Add_Sheet(500, 0, 1341, 594, L"KV_A1", 1, 100.0);
    Sheet_Infor_List papers;
    papers.Sheet_Set = &Sheets;
    Write_Paper_Infor(papers);
    Sheet_Infor_List scales;
    scales.Sheet_Set = &Sheets;
    Write_Sc_Infor(scales);
    const std::string paper_chain = Chain_Text(Paper_Infor_Name);
    const std::string scale_chain = Chain_Text(Sc_Infor_Name);

    const CString path = g_Config_Folder + L"\\records.dxf";
    ASSERT_EQ(Db()->saveAs(path.GetString()), Zcad::eOk);
    auto* reloaded = new ZcDbDatabase(false, true);
    ASSERT_EQ(reloaded->readDwgFile(path.GetString()), Zcad::eOk);
    ZcDbDatabase* current = Db();
    zcdbHostApplicationServices()->setWorkingDatabase(reloaded);
    EXPECT_EQ(Chain_Text(Paper_Infor_Name), paper_chain);
    EXPECT_EQ(Chain_Text(Sc_Infor_Name), scale_chain);
    Sheet_Infor_List read_papers, read_scales;
    EXPECT_TRUE(Read_Paper_Infor(read_papers));
    EXPECT_TRUE(Read_Sc_Infor(read_scales));
    zcdbHostApplicationServices()->setWorkingDatabase(current);
    delete reloaded;

    EXPECT_EQ(Names(read_papers), "KV_A3 wide,KV_A1");
    EXPECT_EQ(read_scales.Scales.length(), 2);
    EXPECT_EQ(read_scales.Scales[0], 1.5);
    EXPECT_EQ(read_papers.Copies[0], 2);
    EXPECT_EQ(read_scales.Min_Corners[1], ZcGePoint2d(500, 0));

    // An independent reader finds the records in the file.
    const std::string script =
        "import ezdxf,sys\n"
        "doc=ezdxf.readfile(sys.argv[1])\n"
        "for key in ('PAPER_INFOR','SC_INFOR'):\n"
        "  x=doc.rootdict[key][key]\n"
        "  print(key, len(x.tags), x.tags[0].value, x.tags[-1].value)\n";
    const std::string command = "/usr/bin/python3 -c \"" + script + "\" '" + Host(path).string() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr)
        output += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(output, "PAPER_INFOR 14 2 KV_A1\nSC_INFOR 14 2 KV_A1\n");
}

}  // namespace
