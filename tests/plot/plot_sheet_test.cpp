// One sheet through the host's "-plot" command: the long-path message, the signature
// switches around the call, and a failed plot reported as failed.
#include <string>

#include "plot/plot_sheet.h"
#include "script/script_input.h"
#include "services_fixture.h"

namespace {

class Plot_Sheet_Test : public Services_Test {};

CString Path_Of_Length(int length)
{
    CString path = L"C:\\Out\\";
    while (path.GetLength() < length - 4)
        path += L"a";
    return path + L".pdf";
}

TEST_F(Plot_Sheet_Test, LongPathsAreReportedAndStillPlotted)
{
    struct Case {
        int length;
        bool message;
    } cases[] = {{255, false}, {256, true}};
    for (const Case& c : cases) {
        platform::MessageBoxLog.clear();
        if (c.message)
            platform::ScriptInput::instance().push_text("msgbox OK\n");
        const CString path = Path_Of_Length(c.length);
        ASSERT_EQ(path.GetLength(), c.length);
        Plot_Sheet_To_File(false, path, 0, true, CString());
        ASSERT_EQ(platform::MessageBoxLog.size(), c.message ? 1u : 0u) << c.length;
        if (c.message) {
            EXPECT_EQ(platform::MessageBoxLog[0].caption, L"Korvel打印");
            EXPECT_NE(platform::MessageBoxLog[0].text.find(path.GetString()), std::wstring::npos);
        }
        EXPECT_NE(Printed().find(L"Detailed plot configuration"), std::wstring::npos);  // the plot was attempted
    }
}

TEST_F(Plot_Sheet_Test, AFailedPlotIsNotCountedAndTheSwitchesComeBack)
{
    // No device of ours is prepared, so the host command fails and writes nothing.
    for (bool layout : {false, true}) {
        EXPECT_FALSE(Plot_Sheet_To_File(layout, L"C:\\Out\\sheet.pdf", 0, false, CString()));
        EXPECT_EQ(g_Show_Signatures, 1);
        EXPECT_EQ(g_Plot_Running, 0);
    }
    Plot_Sheet_To_Paper(false, CString(), 0, true);
    EXPECT_EQ(g_Show_Signatures, 1);
    EXPECT_EQ(g_Plot_Running, 0);
}

}  // namespace
