// The editor's jig: samples from point input, the statuses that end a drag, the entity
// shown while it runs.
#include "ed_fixture.h"

#include "db/dbcurve.h"
#include "ed/command_line.h"
#include "ed/input.h"
#include "ed/jig.h"
#include "ge/gemat3d.h"

using namespace ed_test;

namespace {

// A rubber line from the origin to the cursor; every sampler status is logged.
class Line_Jig : public ZcEdJig {
public:
    Line_Jig() : mLine(ZcGePoint3d::kOrigin, ZcGePoint3d::kOrigin) {}

    DragStatus sampler() override
    {
        ZcGePoint3d point = cursor;
        DragStatus status = acquirePoint(point);
        if (point.isEqualTo(cursor))
            status = status == kNormal ? kNoChange : status;
        else
            cursor = point;
        samples.push_back(status);
        return status;
    }
    bool update() override
    {
        mLine.setEndPoint(cursor);
        return true;
    }
    ZcDbEntity* entity() const override { return const_cast<ZcDbLine*>(&mLine); }

    ZcGePoint3d cursor = ZcGePoint3d::kOrigin;
    std::vector<int> samples;

private:
    ZcDbLine mLine;
};

class JigTest : public EdTest {
protected:
    size_t Script_Size() const { return platform::ScriptInput::instance().size(); }
};

constexpr int N = ZcEdJig::kNormal, Same = ZcEdJig::kNoChange, Cancel = ZcEdJig::kCancel,
              Other = ZcEdJig::kOther, Null = ZcEdJig::kNull;

TEST_F(JigTest, ScriptInputGivesSamplesAndEndsTheDrag)
{
    struct Case {
        const char* script;
        std::vector<int> samples;
        int drag;
        ZcGePoint3d cursor;
        size_t left;  // steps the drag leaves in the script
    };
    const Case cases[] = {
        {"point 1,2\n", {N}, N, {1, 2, 0}, 0},
        {"point 1,2\npoint 3,4\npoint 5,6,7\n", {N, N, N}, N, {5, 6, 7}, 0},
        // A cursor that did not move; then the drag still ends normally on it.
        {"point 1,2\npoint 1,2\n", {N, Same}, N, {1, 2, 0}, 0},
        {"point 1,2\npoint 1,2\npoint 3,4\n", {N, Same, N}, N, {3, 4, 0}, 0},
        {"point 1,2\nesc\n", {N, Cancel}, Cancel, {1, 2, 0}, 0},
        {"esc\n", {Cancel}, Cancel, {0, 0, 0}, 0},
        {"enter\n", {Null}, Null, {0, 0, 0}, 0},
        {"answer \"7,8\"\n", {N}, N, {7, 8, 0}, 0},
        {"answer \"Left\"\n", {Other}, Other, {0, 0, 0}, 0},
        // Input that is neither a point nor an Esc is not the drag's: it stays for the next asker.
        {"point 1,2\nenter\n", {N}, N, {1, 2, 0}, 1},
        {"point 1,2\nanswer \"Left\"\n", {N}, N, {1, 2, 0}, 1},
        {"point 1,2\ncommand LINE\n", {N}, N, {1, 2, 0}, 1},
        // A dialog hidden for the drag gets its steps after it.
        {"point 1,2\npoint 3,4\nclick 1\n", {N, N}, N, {3, 4, 0}, 1},
        {"point 1,2\nquit\n", {N}, N, {1, 2, 0}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        platform::ScriptInput::instance().reset();
        Script(c.script);
        Line_Jig jig;
        EXPECT_EQ(jig.drag(), c.drag);
        EXPECT_EQ(jig.samples, c.samples);
        EXPECT_TRUE(jig.cursor.isEqualTo(c.cursor));
        EXPECT_EQ(Script_Size(), c.left);
    }
}

TEST_F(JigTest, TypedTextAndAnswerListsGiveSamplesToo)
{
    Line_Jig typed;
    platform::Queue_Typed_Text(L"3,4\n5,6\nLINE\n");
    platform::Promote_Pending_Text();
    EXPECT_EQ(typed.drag(), N);
    EXPECT_EQ(typed.samples, (std::vector<int>{N, N}));
    EXPECT_TRUE(typed.cursor.isEqualTo(ZcGePoint3d(5, 6, 0)));
    EXPECT_EQ(platform::Typed_Text(), L"LINE\n");
    platform::Clear_Typed_Input();

    // A host command that drags, run with an answer list of two points.
    static Line_Jig* listed = nullptr;
    Line_Jig jig;
    listed = &jig;
    ASSERT_EQ(platform::Register_Host_Command(L"DRAGTEST", [] { listed->drag(); }), Zcad::eOk);
    ASSERT_EQ(Add_Command(L"OUTER", [] {
                  const ads_point a = {1, 1, 0}, b = {2, 3, 0};
                  zcedCommandS(RTSTR, L"DRAGTEST", RT3DPOINT, a, RT3DPOINT, b, RTNONE);
              }),
              Zcad::eOk);
    Script("command OUTER\n");
    platform::HostSession session;
    EXPECT_EQ(session.run_script(), 0) << session.error();
    zcedRegCmds->removeCmd(ZCAD_HOST_COMMAND_GROUP, L"DRAGTEST");
    EXPECT_EQ(jig.samples, (std::vector<int>{N, N}));
    EXPECT_TRUE(jig.cursor.isEqualTo(ZcGePoint3d(2, 3, 0)));
}

TEST_F(JigTest, EntityIsShownAtTheStartAndAfterEveryUpdate)
{
    Script("point 10,0\npoint 10,0\npoint 20,5\n");
    Line_Jig jig;
    jig.drag();
    const platform::Drag_Graphics& shown = platform::Last_Drag_Graphics();
    EXPECT_FALSE(shown.dragging);
    // The start, then the two moves; the unmoved sample shows nothing new.
    EXPECT_EQ(shown.shows, 3);
    ASSERT_EQ(shown.records.size(), 1u);
    ASSERT_EQ(shown.records[0].points.size(), 2u);
    EXPECT_TRUE(shown.records[0].points[1].isEqualTo(ZcGePoint3d(20, 5, 0)));
}

// The drag state a key watcher saw, and the cursor then.
bool gKeyDuringDrag = false;
void Note_Key(const MSG* message)
{
    if (message->message == WM_KEYDOWN && message->wParam == 9)
        gKeyDuringDrag = platform::Last_Drag_Graphics().dragging;
}

TEST_F(JigTest, KeysBetweenSamplesArePressedDuringTheDrag)
{
    zcedRegisterWatchWinMsg(Note_Key);
    struct Case {
        const char* script;
        size_t samples;
    };
    const Case cases[] = {
        {"point 1,1\nkey TAB\npoint 2,2\n", 2},
        {"point 1,1\nkey TAB\n", 1},
        {"key TAB\npoint 1,1\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        gKeyDuringDrag = false;
        Script(c.script);
        Line_Jig jig;
        EXPECT_EQ(jig.drag(), N);
        EXPECT_EQ(jig.samples.size(), c.samples);
        EXPECT_TRUE(gKeyDuringDrag);
        EXPECT_EQ(Script_Size(), 0u);
    }
    zcedRemoveWatchWinMsg(Note_Key);
}

TEST_F(JigTest, PointsAreTakenFromTheUcsToTheWorld)
{
    ASSERT_EQ(zcedSetCurrentUCS(ZcGeMatrix3d::translation(ZcGeVector3d(100, 0, 0))), Zcad::eOk);
    Script("point 1,2\n");
    Line_Jig jig;
    jig.drag();
    EXPECT_TRUE(jig.cursor.isEqualTo(ZcGePoint3d(101, 2, 0)));
}

TEST_F(JigTest, PromptAndTheEndingInputAreEchoed)
{
    struct Case {
        const char* script;
        const wchar_t* prompt;
        const wchar_t* output;
    };
    const Case cases[] = {
        {"point 1,2\npoint 5,6\n", L"\nCorner: ", L"\nCorner: 5,6"},
        {"point 1,2\nesc\n", L"\nCorner: ", L"\nCorner: *Cancel*"},
        {"point 1,2\n", nullptr, L"1,2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        platform::CommandLine::instance().clear();
        Script(c.script);
        Line_Jig jig;
        jig.setDispPrompt(c.prompt);
        jig.drag();
        EXPECT_EQ(Output(), c.output);
    }
}

TEST_F(JigTest, UnansweredDragNamesItsPrompt)
{
    Script("select all\n");
    Line_Jig jig;
    jig.setDispPrompt(L"\nInsertion point: ");
    try {
        jig.drag();
        FAIL() << "no error";
    } catch (const platform::UnansweredInput& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("Insertion point"), std::string::npos) << message;
        EXPECT_NE(message.find("select all"), std::string::npos) << message;
    }
    EXPECT_FALSE(platform::Last_Drag_Graphics().dragging);
}

class JigCommandTest : public ReactorTest {};

TEST_F(JigCommandTest, EscInADragCancelsTheCommand)
{
    ASSERT_EQ(Add_Command(L"DRAGIT", [] {
                  Line_Jig jig;
                  jig.drag();
              }),
              Zcad::eOk);
    Script("command DRAGIT\npoint 1,1\nesc\ncommand DRAGIT\npoint 1,1\n");
    platform::HostSession session;
    EXPECT_EQ(session.run_script(), 0) << session.error();
    EXPECT_EQ(reactor.log, (std::vector<std::wstring>{L"willStart:DRAGIT", L"cancelled:DRAGIT", L"willStart:DRAGIT",
                                                       L"ended:DRAGIT"}));
}

}  // namespace
