// The old batch plot's record "KPLOT_SETTING2", its name lists, and the cleaning, ordering
// and file names of its areas.
#include <string>

#include "core/named_records.h"
#include "core/rb_chain.h"
#include "plot/old_plot_setting.h"
#include "services_fixture.h"

namespace {

class Old_Plot_Setting_Test : public Services_Test {
public:
    // A setting whose drawing holds the blocks "KV_FRAME", "OTHER" and the layers "0", "FRAMES".
    static void Fill_Drawing(Old_Plot_Setting& setting)
    {
        for (const wchar_t* name : {L"KV_FRAME", L"OTHER"}) {
            setting.Drawing_Blocks.Add(name);
            setting.Drawing_Block_Ids.append(ZcDbObjectId());
        }
        for (const wchar_t* name : {L"0", L"FRAMES"}) {
            setting.Drawing_Layers.Add(name);
            setting.Drawing_Layer_Ids.append(ZcDbObjectId());
        }
    }
    static std::wstring Joined(const CStringArray& names)
    {
        std::wstring text;
        for (INT_PTR i = 0; i < names.GetSize(); ++i)
            text += (i ? L"," : L"") + std::wstring(names[i].GetString());
        return text;
    }
    // The record's values as "code:value" words.
    static std::wstring Record_Text()
    {
        resbuf* chain = Read_Named_Record(Old_Plot_Record_Name);
        std::wstring text;
        for (const resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
            text += std::to_wstring(rb->restype) + L":";
            if (rb->restype == 90)
                text += std::to_wstring(rb->resval.rlong);
            else if (rb->restype == 40)
                text += std::to_wstring(static_cast<int>(rb->resval.rreal * 10)) + L"/10";
            else
                text += rb->resval.rstring;
            text += L" ";
        }
        if (chain != nullptr)
            zcutRelRb(chain);
        return text;
    }
};

// One buffer of a hand-made record.
struct Value {
    short code;
    int integer = 0;
    double real = 0.0;
    const wchar_t* text = L"";
};

void Store_Record(std::initializer_list<Value> values)
{
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (const Value& value : values) {
        resbuf* rb = Rb_New(value.code);
        if (value.code == 90)
            rb->resval.rlong = value.integer;
        else if (value.code == 40 || value.code == 10)
            rb->resval.rreal = value.real;
        else if (value.code == 1)
            wcsncpy(rb->resval.rstring, value.text, Rb_Text_Max);
        if (head == nullptr)
            head = rb;
        else
            tail->rbnext = rb;
        tail = rb;
    }
    ASSERT_TRUE(Write_Named_Record(Old_Plot_Record_Name, head));
    Rb_Free_Chain(head);
}

Value Int(int value) { return {90, value}; }
Value Real(double value) { return {40, 0, value}; }
Value Text(const wchar_t* value) { return {1, 0, 0.0, value}; }

TEST_F(Old_Plot_Setting_Test, A_Short_Or_Damaged_Record_Is_Read_As_Far_As_It_Goes)
{
    struct Case {
        const char* what;
        std::initializer_list<Value> record;
        int auto_rotate, print_order, mode, copies, to_plt;
        double margin;
        const wchar_t* folder;
        const wchar_t* blocks;
        const wchar_t* layers;
    };
    const Case cases[] = {
        {"empty record", {}, 1, 5, 2, 1, 0, 0.0, L"", L"", L""},
        {"two values", {Int(0), Int(7)}, 0, 7, 2, 1, 0, 0.0, L"", L"", L""},
        {"text for the frame mode", {Int(0), Int(7), Text(L"3"), Int(4)}, 0, 7, 2, 1, 0, 0.0, L"", L"", L""},
        {"integer for the folder",
         {Int(0), Int(3), Int(4), Int(2), Int(0), Real(1.5), Int(12345), Int(1), Text(L"KV_FRAME")},
         0, 3, 4, 2, 0, 1.5, L"", L"", L""},
        {"fewer names than counted",
         {Int(1), Int(2), Int(0), Int(3), Int(0), Real(0.0), Text(L"C:\\out"), Int(5), Text(L"kv_frame")},
         1, 2, 0, 3, 0, 0.0, L"C:\\out", L"kv_frame", L""},
        {"names the drawing lacks and a real for the layer count",
         {Int(1), Int(9), Int(1), Int(1), Int(1), Real(2.0), Text(L""), Int(2), Text(L"GONE"), Text(L"OTHER"),
          Real(1.0), Text(L"FRAMES")},
         1, 9, 1, 1, 1, 2.0, L"", L"OTHER", L""},
        {"values beyond the dialog's ranges",
         {Int(5), Int(10), Int(7), Int(2147483647), Int(2), Real(0.0), Text(L"")}, 1, 1, 2, 1, 0, 0.0, L"", L"",
         L""},
        {"counts below the dialog's ranges", {Int(-1), Int(0), Int(-1), Int(0), Int(-1)}, 1, 1, 2, 1, 0, 0.0, L"",
         L"", L""},
        {"the largest copies the dialog takes", {Int(0), Int(9), Int(4), Int(99), Int(0)}, 0, 9, 4, 99, 0, 0.0, L"",
         L"", L""},
        {"whole record",
         {Int(0), Int(4), Int(3), Int(2), Int(1), Real(3.0), Text(L"D:\\plt"), Int(1), Text(L"KV_FRAME"), Int(2),
          Text(L"FRAMES"), Text(L"MISSING")},
         0, 4, 3, 2, 1, 3.0, L"D:\\plt", L"KV_FRAME", L"FRAMES"},
    };
    for (const Case& c : cases) {
        Store_Record(c.record);
        g_Plot_Config.Option.Sort_Type = 5;
        Old_Plot_Setting setting;
        Fill_Drawing(setting);
        setting.Chosen_Blocks.Add(L"stale");
        int mode = 2;
        setting.Read_Xrecord(mode);
        EXPECT_EQ(setting.Auto_Rotate, c.auto_rotate) << c.what;
        EXPECT_EQ(setting.Print_Order, c.print_order) << c.what;
        EXPECT_EQ(mode, c.mode) << c.what;
        EXPECT_EQ(setting.Copies, c.copies) << c.what;
        EXPECT_EQ(setting.To_Plt, c.to_plt) << c.what;
        EXPECT_DOUBLE_EQ(setting.Margin, c.margin) << c.what;
        EXPECT_EQ(std::wstring(setting.Output_Folder.GetString()), c.folder) << c.what;
        EXPECT_EQ(Joined(setting.Chosen_Blocks), c.blocks) << c.what;
        EXPECT_EQ(Joined(setting.Chosen_Layers), c.layers) << c.what;
    }
}

TEST_F(Old_Plot_Setting_Test, Without_A_Record_Only_The_Print_Order_Comes_From_The_Settings)
{
    g_Plot_Config.Option.Sort_Type = 6;
    Old_Plot_Setting setting;
    Fill_Drawing(setting);
    setting.Chosen_Layers.Add(L"FRAMES");
    int mode = 3;
    setting.Read_Xrecord(mode);
    EXPECT_EQ(mode, 3);
    EXPECT_EQ(setting.Print_Order, 6);
    EXPECT_EQ(setting.Chosen_Layers.GetSize(), 0);
}

TEST_F(Old_Plot_Setting_Test, The_Written_Record_Holds_The_Values_In_Order_And_Reads_Back)
{
    Old_Plot_Setting setting;
    Fill_Drawing(setting);
    setting.Auto_Rotate = 0;
    setting.Print_Order = 8;
    setting.Copies = 3;
    setting.To_Plt = 1;
    setting.Margin = 2.5;
    setting.Output_Folder = L"C:\\out";
    setting.Add_Block_Name(L"KV_FRAME");
    setting.Add_Layer_Name(L"0");
    setting.Add_Layer_Name(L"FRAMES");
    ASSERT_TRUE(setting.Write_Xrecord(4));
    EXPECT_EQ(Record_Text(), L"90:0 90:8 90:4 90:3 90:1 40:25/10 1:C:\\out 90:1 1:KV_FRAME 90:2 1:0 1:FRAMES ");
    EXPECT_EQ(g_Plot_Config.Option.Sort_Type, 8);

    Old_Plot_Setting read;
    Fill_Drawing(read);
    int mode = 0;
    read.Read_Xrecord(mode);
    EXPECT_EQ(mode, 4);
    EXPECT_EQ(read.Copies, 3);
    EXPECT_EQ(Joined(read.Chosen_Layers), L"0,FRAMES");
}

TEST_F(Old_Plot_Setting_Test, Chosen_Names_Are_Kept_Once_Without_Regard_To_Case)
{
    Old_Plot_Setting setting;
    Fill_Drawing(setting);
    setting.Add_Block_Name(L"OTHER");
    setting.Add_Block_Name(L"other");
    setting.Choose_Block(0);
    setting.Choose_Block(7);
    EXPECT_EQ(Joined(setting.Chosen_Blocks), L"OTHER,KV_FRAME");
    setting.Sort_Block_Names();
    EXPECT_EQ(Joined(setting.Drawing_Blocks), L"KV_FRAME,OTHER");
    setting.Remove_Block_Name(L"Other");
    EXPECT_EQ(Joined(setting.Chosen_Blocks), L"KV_FRAME");
    EXPECT_EQ(setting.Find_Drawing_Layer(L"frames"), 1);
    EXPECT_EQ(setting.Find_Layer_Name(L"FRAMES"), -1);

    const CString long_name(L'x', 320);
    setting.Add_Layer_Name(long_name);
    EXPECT_EQ(setting.Chosen_Layers[0].GetLength(), Rb_Text_Max);
}

struct Box {
    double x0, y0, x1, y1;
};

std::wstring Areas(const Old_Plot_Setting& setting)
{
    std::wstring text;
    for (int i = 0; i < setting.Area_Count(); ++i) {
        const ZcGePoint3d& lower = setting.Lower_Corners[i];
        const ZcGePoint3d& upper = setting.Upper_Corners[i];
        text += std::to_wstring(static_cast<int>(lower.x)) + L"," + std::to_wstring(static_cast<int>(lower.y)) + L"-" +
                std::to_wstring(static_cast<int>(upper.x)) + L"," + std::to_wstring(static_cast<int>(upper.y)) + L" ";
    }
    return text;
}

TEST_F(Old_Plot_Setting_Test, Areas_Are_Cleaned_Then_Put_In_Print_Order)
{
    struct Case {
        const char* what;
        int order;
        std::vector<Box> boxes;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"two identical rectangles give one area", 9, {{0, 0, 10, 10}, {0, 0, 10, 10}}, L"0,0-10,10 "},
        {"a window picked from upper right to lower left", 9, {{10, 10, 0, 0}}, L"0,0-10,10 "},
        {"an area inside another disappears", 9, {{2, 2, 5, 5}, {0, 0, 10, 10}}, L"0,0-10,10 "},
        {"an empty area disappears", 9, {{0, 0, 0, 10}, {20, 0, 30, 10}}, L"20,0-30,10 "},
        {"order 9 keeps areas picked right to left", 9, {{20, 0, 30, 10}, {0, 0, 10, 10}},
         L"20,0-30,10 0,0-10,10 "},
        {"order 1 plots left to right", 1, {{20, 0, 30, 10}, {0, 0, 10, 10}}, L"0,0-10,10 20,0-30,10 "},
    };
    for (const Case& c : cases) {
        Old_Plot_Setting setting;
        setting.Print_Order = c.order;
        for (const Box& b : c.boxes) {
            setting.Lower_Corners.append(ZcGePoint3d(b.x0, b.y0, 1.0));
            setting.Upper_Corners.append(ZcGePoint3d(b.x1, b.y1, 1.0));
        }
        setting.Order_Areas();
        EXPECT_EQ(Areas(setting), c.expected) << c.what;
        EXPECT_EQ(setting.Centres.length(), setting.Area_Count()) << c.what;
        if (setting.Area_Count() > 0) {
            EXPECT_EQ(setting.Lower_Corners[0].z, 0.0) << c.what;
        }
    }
}

TEST_F(Old_Plot_Setting_Test, Plt_Files_Are_Numbered_With_Three_Digits_Up_To_99)
{
    const std::pair<int, const wchar_t*> cases[] = {{1, L"C:\\out\\plan-001.plt"},  {9, L"C:\\out\\plan-009.plt"},
                                                    {10, L"C:\\out\\plan-010.plt"}, {99, L"C:\\out\\plan-099.plt"},
                                                    {100, L"C:\\out\\plan-100.plt"}, {120, L"C:\\out\\plan-120.plt"}};
    for (const auto& [k, name] : cases)
        EXPECT_EQ(std::wstring(Old_Plot_File_Name(L"C:\\out\\plan", k).GetString()), name) << k;
}

}  // namespace
