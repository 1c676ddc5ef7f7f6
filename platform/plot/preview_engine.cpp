// The preview engine: checks the order of the calls, logs them, draws the page with the
// plot engine into the preview window's image when the graphics are generated, and waits in
// endPage for the user's choice; a `snapshot` step meanwhile saves that image.
#include <cwchar>
#include <filesystem>

#include "ed/command_line.h"
#include "ed/input.h"
#include "plot/preview_image.h"
#include "plot/preview_job.h"
#include "plot/preview_log.h"
#include "plot/zcplplotengine.h"
#include "script/utf8.h"
#include "win/host_path_text.h"
#include "win/win_files.h"

namespace {

using Status = ZcPlPreviewEndPlotInfo::PreviewStatus;

bool gEngineAlive = false;

// While the preview waits, `snapshot` steps save its image; steps aimed at a dialog and
// snapshots after the wait go where they went before.
class Snapshot_Scope {
public:
    explicit Snapshot_Scope(const platform::Preview_Image& image)
    {
        if (const platform::StepHandler* previous = platform::Find_Step_Handler(platform::StepKind::Snapshot, false)) {
            mPrevious = *previous;
            mTopLevel = platform::Find_Step_Handler(platform::StepKind::Snapshot, true) != nullptr;
        }
        platform::Register_Step_Handler(
            platform::StepKind::Snapshot,
            [this, &image](const platform::Step& step) {
                if (step.target != 0)
                    return Pass_On(step);
                if (!image.Save_Png(platform::Host_Path_From_Text(step.text)))
                    throw platform::UnansweredInput(
                        platform::To_Utf8(step.describe() + L": cannot write the preview image " + step.text));
            },
            mTopLevel);
    }
    ~Snapshot_Scope()
    {
        if (mPrevious)
            platform::Register_Step_Handler(platform::StepKind::Snapshot, mPrevious, mTopLevel);
        else
            platform::Register_Step_Handler(platform::StepKind::Snapshot, No_Window, false);
    }
    Snapshot_Scope(const Snapshot_Scope&) = delete;
    Snapshot_Scope& operator=(const Snapshot_Scope&) = delete;

private:
    static void No_Window(const platform::Step& step)
    {
        throw platform::UnansweredInput(platform::To_Utf8(step.describe() + L": no window is open"));
    }
    void Pass_On(const platform::Step& step) const { mPrevious ? mPrevious(step) : No_Window(step); }

    platform::StepHandler mPrevious;
    bool mTopLevel = false;
};

class Preview_Engine : public ZcPlPlotEngine {
public:
    explicit Preview_Engine(long flags) : mFlags(flags) { gEngineAlive = true; }

    Zcad::ErrorStatus beginPlot(ZcPlPlotProgressDialog*, void*) override { return Step(State::Created, State::Plot, L"beginPlot"); }
    Zcad::ErrorStatus endPlot(void*) override { return Step(State::Plot, State::Ended, L"endPlot"); }

    Zcad::ErrorStatus beginDocument(ZcPlPlotInfo& plotInfo, const wchar_t* pDocname, void*, long nCopies,
                                    bool bPlotToFile, const wchar_t*) override
    {
        if (mState != State::Plot || !plotInfo.isValidated() || nCopies < 1)
            return Zcad::eInvalidInput;
        std::wstring name = pDocname != nullptr ? pDocname : L"";
        size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos)
            name = name.substr(slash + 1);
        return Step(State::Plot, State::Document,
                    L"beginDocument " + name + L" copies=" + std::to_wstring(nCopies) + L" file=" +
                        (bPlotToFile ? L"1" : L"0"));
    }
    Zcad::ErrorStatus endDocument(void*) override { return Step(State::Document, State::Plot, L"endDocument"); }

    Zcad::ErrorStatus beginPage(ZcPlPlotPageInfo&, ZcPlPlotInfo& plotInfo, bool bLastPage, void*) override
    {
        if (!plotInfo.isValidated())
            return Zcad::eInvalidInput;
        if (mState == State::Document)
            mInfo = &plotInfo;
        return Step(State::Document, State::Page, std::wstring(L"beginPage last=") + (bLastPage ? L"1" : L"0"));
    }
    Zcad::ErrorStatus beginGenerateGraphics(void*) override
    {
        return Step(State::Page, State::Graphics, L"beginGenerateGraphics");
    }
    Zcad::ErrorStatus endGenerateGraphics(void*) override
    {
        if (mState != State::Graphics)
            return Zcad::eInvalidInput;
        Draw_Page();
        return Step(State::Graphics, State::Generated, L"endGenerateGraphics");
    }

    Zcad::ErrorStatus endPage(void* pParams) override
    {
        if (mState != State::Generated)
            return Zcad::eInvalidInput;
        Status status = ZcPlPreviewEndPlotInfo::kNormal;
        {
            Snapshot_Scope snapshots(mImage);
            status = Ask_Choice();
        }
        mImage.Clear();
        mInfo = nullptr;
        if (auto* info = static_cast<ZcPlPreviewEndPlotInfo*>(pParams))
            info->mStatus = status;
        static const wchar_t* const kNames[] = {L"close", L"plot", L"cancel", L"next", L"previous"};
        return Step(State::Generated, State::Document, std::wstring(L"endPage ") + kNames[status]);
    }

    void destroy() override
    {
        platform::Preview_Log().push_back(L"destroy");
        gEngineAlive = false;
        delete this;
    }

private:
    enum class State { Created, Plot, Document, Page, Graphics, Generated, Ended };

    Zcad::ErrorStatus Step(State from, State to, const std::wstring& call)
    {
        if (mState != from)
            return Zcad::eInvalidInput;
        mState = to;
        platform::Preview_Log().push_back(call);
        return Zcad::eOk;
    }

    // The page as the validated settings plot it; a page that cannot be drawn is said so
    // and the preview shows an empty window.
    void Draw_Page()
    {
        mImage.Clear();
        std::wstring error;
        platform::PlotJob job;
        const ZcDbPlotSettings* settings = mInfo != nullptr ? mInfo->validatedSettings() : nullptr;
        if (settings == nullptr)
            error = L"no validated plot settings";
        else if (platform::Build_Layout_Job(mInfo->layout(), *settings, job, error) && mImage.Render(job, error))
            return;
        platform::CommandLine::instance().write(L"\nThe preview cannot draw the page: " + error);
    }

    // The choices this preview offers: closing, plotting, and the next or previous sheet
    // when its flags offer them. Anything else is asked again.
    Status Ask_Choice()
    {
        std::wstring offer = L"Close/Plot";
        if (mFlags & ZcPlPlotFactory::kShowNextSheet)
            offer += L"/Next";
        if (mFlags & ZcPlPlotFactory::kShowPreviousSheet)
            offer += L"/Previous";
        const std::wstring prompt = L"\nPreview [" + offer + L"]: ";
        platform::CommandLine& line = platform::CommandLine::instance();
        for (;;) {
            line.write(prompt);
            platform::InputAnswer answer = platform::Wait_For_Input(
                platform::InputRequest{prompt, true},
                {platform::StepKind::Answer, platform::StepKind::Enter, platform::StepKind::Esc});
            line.write(platform::Describe_Answer(answer));
            if (answer.kind == platform::InputAnswer::Kind::Cancel)
                return ZcPlPreviewEndPlotInfo::kCancel;
            if (answer.kind == platform::InputAnswer::Kind::Enter)
                return ZcPlPreviewEndPlotInfo::kNormal;
            const std::wstring& text = answer.text;
            if (platform::Equal_No_Case(text, L"close"))
                return ZcPlPreviewEndPlotInfo::kNormal;
            if (platform::Equal_No_Case(text, L"plot"))
                return ZcPlPreviewEndPlotInfo::kPlot;
            if (platform::Equal_No_Case(text, L"next") && (mFlags & ZcPlPlotFactory::kShowNextSheet))
                return ZcPlPreviewEndPlotInfo::kNext;
            if (platform::Equal_No_Case(text, L"previous") && (mFlags & ZcPlPlotFactory::kShowPreviousSheet))
                return ZcPlPreviewEndPlotInfo::kPrevious;
            if (answer.source == platform::InputAnswer::Source::AnswerList)
                throw platform::HostCommandError(platform::To_Utf8(L"prompt '" + prompt.substr(1) + L"': answer '" +
                                                                  text + L"' not offered"));
            line.write(L"\nThe preview does not offer " + text + L".");
        }
    }

    long mFlags;
    State mState = State::Created;
    ZcPlPlotInfo* mInfo = nullptr;  // the page's plot info, from beginPage to endPage
    platform::Preview_Image mImage;
};

}  // namespace

namespace platform {

std::vector<std::wstring>& Preview_Log()
{
    static std::vector<std::wstring> log;
    return log;
}

}  // namespace platform

namespace ZcPlPlotFactory {

Zcad::ErrorStatus createPreviewEngine(ZcPlPlotEngine*& pPreviewEngine, long nPreviewFlags)
{
    pPreviewEngine = nullptr;
    if (gEngineAlive)
        return Zcad::eNotApplicable;
    pPreviewEngine = new Preview_Engine(nPreviewFlags);
    platform::Preview_Log().push_back(L"create " + std::to_wstring(nPreviewFlags));
    return Zcad::eOk;
}

ProcessPlotState processPlotState() { return gEngineAlive ? kForegroundPlotInProgress : kNotPlotting; }

}  // namespace ZcPlPlotFactory
