// The host's page setup dialog: it shows the layout's device and paper, writes the choice
// into the layout on OK and nothing on Cancel.
#include "db/dbsymtb.h"
#include "mfc/window_table.h"
#include "plot_fixture.h"
#include "script/script_input.h"
#include "ui/zcaplmgr.h"

namespace plot_test {
namespace {

class PageSetupTest : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        Add_Printer(L"Laser", {{L"A4", 210, 297}, {L"A3", 297, 420}});
        Add_Printer(L"Wide", {{L"A1", 594, 841}, {L"A0", 841, 1189}});
    }
    // Device and canonical paper of the active layout.
    std::pair<std::wstring, std::wstring> Layout_Page() const
    {
        std::pair<std::wstring, std::wstring> page;
        With_Active_Layout([&](ZcDbLayout& layout) {
            const wchar_t* device = nullptr;
            const wchar_t* media = nullptr;
            layout.getPlotCfgName(device);
            layout.getCanonicalMediaName(media);
            page = {device != nullptr ? device : L"", media != nullptr ? media : L""};
        });
        return page;
    }
    static int Device_Index(const wchar_t* name)
    {
        ZcArray<const wchar_t*> devices;
        zcdbHostApplicationServices()->plotSettingsValidator()->plotDeviceList(devices);
        for (int i = 0; i < devices.length(); ++i)
            if (std::wstring(devices[i]) == name)
                return i;
        return -1;
    }
    static std::string Choose_Device(const wchar_t* name)
    {
        return "choose IDC_ZC_PAGE_SETUP_DEVICE " + std::to_string(Device_Index(name)) + "\n";
    }
};

TEST_F(PageSetupTest, OkWritesTheChosenDeviceAndPaperIntoTheCurrentLayout)
{
    ASSERT_GE(Device_Index(L"Wide"), 1);
    // The paper list follows the device: "A0" is the second paper of "Wide".
    Script((Choose_Device(L"Wide") + "choose IDC_ZC_PAGE_SETUP_PAPER 1\n@IDD_ZC_PAGE_SETUP click IDOK\n").c_str());
    EXPECT_EQ(zcapLayoutManagerPtr()->pageSetup(), IDOK);
    EXPECT_EQ(platform::ScriptInput::instance().size(), 0u);
    EXPECT_EQ(Layout_Page(), std::make_pair(std::wstring(L"Wide"), std::wstring(L"A0")));

    // Opened again it shows what the layout has; OK alone keeps it.
    Script("@IDD_ZC_PAGE_SETUP click IDOK\n");
    EXPECT_EQ(zcapLayoutManagerPtr()->pageSetup(), IDOK);
    EXPECT_EQ(Layout_Page(), std::make_pair(std::wstring(L"Wide"), std::wstring(L"A0")));
}

TEST_F(PageSetupTest, CancelLeavesTheLayoutAsItWas)
{
    const auto before = Layout_Page();
    Script((Choose_Device(L"Laser") + "choose IDC_ZC_PAGE_SETUP_PAPER 1\nclick IDCANCEL\n").c_str());
    EXPECT_EQ(zcapLayoutManagerPtr()->pageSetup(), IDCANCEL);
    EXPECT_EQ(Layout_Page(), before);
}

TEST_F(PageSetupTest, TheLayoutOfAGivenBlockRecordIsTheOneSet)
{
    Make_Paper_Layout(L"Sheet");
    ZcDbBlockTable* table = nullptr;
    ASSERT_EQ(Db()->getBlockTable(table, ZcDb::kForRead), Zcad::eOk);
    ZcDbObjectId model_space;
    table->getAt(L"*Model_Space", model_space);
    table->close();
    Script((Choose_Device(L"Laser") + "click IDOK\n").c_str());
    ASSERT_EQ(zcapLayoutManagerPtr()->pageSetup(model_space), IDOK);
    // The current layout is still the paper layout, untouched.
    EXPECT_NE(Layout_Page().first, L"Laser");
    ZcDbObjectPointer<ZcDbBlockTableRecord> record(model_space, ZcDb::kForRead);
    ZcDbObjectPointer<ZcDbLayout> model(record->getLayoutId(), ZcDb::kForRead);
    const wchar_t* device = nullptr;
    model->getPlotCfgName(device);
    EXPECT_EQ(std::wstring(device), L"Laser");
}

TEST_F(PageSetupTest, ABlockRecordWithoutALayoutOpensNothing)
{
    ZcDbBlockTable* table = nullptr;
    ASSERT_EQ(Db()->getBlockTable(table, ZcDb::kForWrite), Zcad::eOk);
    auto* block = new ZcDbBlockTableRecord;
    block->setName(L"PLAIN");
    ZcDbObjectId block_id;
    ASSERT_EQ(table->add(block_id, block), Zcad::eOk);
    block->close();
    table->close();
    EXPECT_EQ(zcapLayoutManagerPtr()->pageSetup(block_id), IDCANCEL);
}

}  // namespace
}  // namespace plot_test
