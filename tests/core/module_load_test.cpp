// Loading and unloading the module in-process through its entry point.
#include "sheets/doc_reactors.h"
#include "core/editor_reactor.h"
#include "app/module_entry.h"
#include "dialogs/result_windows.h"
#include "app/window_watcher.h"
#include "res/resource_script.h"
#include "core_fixture.h"
#include "ed/host_window.h"
#include "rx/rxclass.h"

namespace {

using Module_Load_Test = Core_Test;

const wchar_t* const Banner =
    L"\n******* K-批打印软件已成功加载，若K-批打印菜单未显示，可输入korvel命令调出菜单 *******";

const wchar_t* const Custom_Classes[] = {L"Sign_Base",    L"KV_Sign_Class", L"Temp_Sign",
                                          L"Temp_PlotRec", L"Temp_PlotRec2", L"My_PLine"};

int Count_Of(const std::wstring& text, const std::wstring& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

int Editor_Reactors_Of_Plugin()
{
    int count = 0;
    platform::Notify_Editor([&count](ZcEditorReactor* reactor) {
        if (dynamic_cast<MyAcEditorReactor*>(reactor) != nullptr)
            ++count;
    });
    return count;
}

ZcRx::AppRetCode Send(ZcRx::AppMsgCode message) { return zcrxEntryPoint(message, nullptr); }

TEST_F(Module_Load_Test, LoadUnloadAndLoadAgain)
{
    Set_Var(L"FILEDIA", 0);
    ASSERT_EQ(Send(ZcRx::kInitAppMsg), ZcRx::kRetOK);
    EXPECT_EQ(Var_Int(L"FILEDIA"), 1);
    EXPECT_EQ(Group_Commands().size(), 32u);

    ASSERT_EQ(Send(ZcRx::kUnloadAppMsg), ZcRx::kRetOK);
    EXPECT_TRUE(Group_Commands().empty());
    EXPECT_EQ(Editor_Reactors_Of_Plugin(), 0);
    EXPECT_EQ(g_Editor_Reactor, nullptr);
    EXPECT_EQ(g_Doc_Reactors, nullptr);
    EXPECT_FALSE(zcedRemoveWatchWinMsg(Watch_Key_Message));
    for (const wchar_t* name : Custom_Classes)
        EXPECT_EQ(zcrxFindZcRxClass(name), nullptr) << platform::To_Utf8(name);

    ASSERT_EQ(Send(ZcRx::kInitAppMsg), ZcRx::kRetOK);
    EXPECT_EQ(Count_Of(Printed(), Banner), 2);
    EXPECT_EQ(Group_Commands().size(), 32u);
    EXPECT_EQ(Editor_Reactors_Of_Plugin(), 1);
    EXPECT_NE(g_Doc_Reactors, nullptr);
    EXPECT_TRUE(zcedRemoveWatchWinMsg(Watch_Key_Message));
    EXPECT_FALSE(zcedRemoveWatchWinMsg(Watch_Key_Message));
    for (const wchar_t* name : Custom_Classes)
        EXPECT_NE(zcrxFindZcRxClass(name), nullptr) << platform::To_Utf8(name);
}

TEST_F(Module_Load_Test, CustomClassesRegisterAsTheHostFilesThem)
{
    Send(ZcRx::kInitAppMsg);
    const std::pair<const wchar_t*, const wchar_t*> parents[] = {
        {L"Sign_Base", L"AcDbEntity"},    {L"KV_Sign_Class", L"Sign_Base"},
        {L"Temp_Sign", L"AcDbEntity"},    {L"Temp_PlotRec", L"AcDbEntity"},
        {L"Temp_PlotRec2", L"AcDbEntity"}, {L"My_PLine", L"AcDbEntity"}};
    for (const auto& [name, parent] : parents) {
        SCOPED_TRACE(platform::To_Utf8(name));
        ZcRxClass* descriptor = zcrxFindZcRxClass(name);
        ASSERT_NE(descriptor, nullptr);
        ASSERT_NE(descriptor->myParent(), nullptr);
        EXPECT_STREQ(descriptor->myParent()->name(), parent);
        EXPECT_STREQ(descriptor->dxfName(), name);
        EXPECT_STREQ(descriptor->appName(), L"\"KV_Soft_DivezUrez\"");
        EXPECT_EQ(descriptor->dwgVersion(), 33);
        EXPECT_EQ(descriptor->maintenanceVersion(), 248);
        EXPECT_EQ(descriptor->proxyFlags(), 0xBFF);
        EXPECT_TRUE(descriptor->hasConstructor());
    }
}

TEST_F(Module_Load_Test, OtherMessagesReturnOkAndDoNothing)
{
    for (int message = 0; message <= 16; ++message) {
        if (message == ZcRx::kInitAppMsg || message == ZcRx::kUnloadAppMsg)
            continue;
        EXPECT_EQ(Send(static_cast<ZcRx::AppMsgCode>(message)), ZcRx::kRetOK) << message;
    }
    EXPECT_EQ(Printed(), L"");
    EXPECT_TRUE(Group_Commands().empty());
    EXPECT_EQ(g_Editor_Reactor, nullptr);
    EXPECT_EQ(zcrxFindZcRxClass(L"Sign_Base"), nullptr);
}

// Records when the unload destroys and deletes it.
template <class Window>
class Recording_Window : public Window {
public:
    explicit Recording_Window(std::wstring& log, const wchar_t* name) : m_Log(log), m_Name(name) {}
    ~Recording_Window() override { m_Log += L"delete " + m_Name + L";"; }
    BOOL DestroyWindow() override
    {
        m_Log += L"destroy " + m_Name + L";";
        return TRUE;
    }

private:
    std::wstring& m_Log;
    std::wstring m_Name;
};

TEST_F(Module_Load_Test, UnloadDestroysOpenWindowsFirst)
{
    Send(ZcRx::kInitAppMsg);
    std::wstring log;
    g_Dlg_BPlot2 = new Recording_Window<Dlg_BPlot2>(log, L"BPlot2");
    g_Dlg_Progress = new Recording_Window<Dlg_Progress>(log, L"Progress");

    Send(ZcRx::kUnloadAppMsg);

    EXPECT_EQ(log, L"destroy BPlot2;delete BPlot2;destroy Progress;delete Progress;");
    EXPECT_EQ(g_Dlg_BPlot1, nullptr);
    EXPECT_EQ(g_Dlg_BPlot2, nullptr);
    EXPECT_EQ(g_Dlg_BPlot3, nullptr);
    EXPECT_EQ(g_Dlg_Progress, nullptr);
}

TEST_F(Module_Load_Test, LoadGoesOnWithoutCommandStackAndEditor)
{
    ZcRxObject* stack = zcrxSysRegistry()->remove(L"ZCAD_REGISTERED_COMMANDS");
    ZcRxObject* editor = zcrxSysRegistry()->remove(L"ZcEditor");
    Send(ZcRx::kInitAppMsg);
    Send(ZcRx::kUnloadAppMsg);
    zcrxSysRegistry()->atPut(L"ZCAD_REGISTERED_COMMANDS", stack);
    zcrxSysRegistry()->atPut(L"ZcEditor", editor);

    EXPECT_EQ(Count_Of(Printed(), Banner), 1);
    EXPECT_TRUE(Group_Commands().empty());
    EXPECT_EQ(Editor_Reactors_Of_Plugin(), 0);
}

}  // namespace

// The path is baked in at build time: it must not depend on the working folder of the host,
// nor on how the build named the source (ccache and relative build paths make __FILE__ relative).
TEST(Module_Resources_Test, ResourceScriptPathIsAbsoluteAndExists)
{
    const std::filesystem::path path = Resource_Script_Path();
    EXPECT_TRUE(path.is_absolute()) << path;
    EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
}
