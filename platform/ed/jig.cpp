#include "ed/jig.h"

#include "ed/command_line.h"
#include "ed/input.h"
#include "ed/prompt_support.h"
#include "ed/ucs.h"
#include "ge/gemat3d.h"

namespace {

using platform::InputAnswer;
using platform::StepKind;

platform::Drag_Graphics& Drag_State()
{
    static platform::Drag_Graphics graphics;
    return graphics;
}

// Marks the drag as running while it lives (a drag may end by an exception).
class Drag_Scope {
public:
    Drag_Scope() : mWas(Drag_State().dragging)
    {
        Drag_State() = platform::Drag_Graphics();
        Drag_State().dragging = true;
    }
    ~Drag_Scope() { Drag_State().dragging = mWas; }

private:
    bool mWas;
};

void Show_Drag_Entity(ZcDbEntity* entity)
{
    platform::Drag_Graphics& graphics = Drag_State();
    ++graphics.shows;
    platform::GiRecorder recorder;
    if (entity != nullptr)
        recorder.run(entity);
    graphics.records = recorder.records();
}

platform::InputRequest Drag_Request(const std::wstring& prompt)
{
    return platform::InputRequest{prompt.empty() ? std::wstring(L"drag") : prompt, true};
}

// True when the next input is another sample of the drag: a point, or an Esc that ends it.
bool Sample_Follows(const std::wstring& prompt)
{
    const std::optional<InputAnswer> next =
        platform::Peek_Input(Drag_Request(prompt), {StepKind::Point, StepKind::Answer, StepKind::Esc}, {StepKind::Key});
    if (!next)
        return false;
    double pt[3];
    return next->kind == InputAnswer::Kind::Point || next->kind == InputAnswer::Kind::Cancel ||
           (next->kind == InputAnswer::Kind::Text && platform::Parse_Point_Text(next->text, pt));
}

}  // namespace

ZcEdJig::DragStatus ZcEdJig::drag()
{
    Drag_Scope scope;
    mEcho.clear();
    platform::CommandLine& line = platform::CommandLine::instance();
    line.write(mPrompt);
    Show_Drag_Entity(entity());
    DragStatus status = kNormal;
    for (;;) {
        const int acquired = mAcquired;
        status = sampler();
        if (status == kNormal) {
            if (update())
                Show_Drag_Entity(entity());
        } else if (status != kNoChange) {
            break;
        }
        // A sampler that took no input would sample for ever.
        if (mAcquired == acquired || !Sample_Follows(mPrompt)) {
            status = kNormal;
            break;
        }
    }
    line.write(mEcho);
    return status;
}

ZcEdJig::DragStatus ZcEdJig::acquirePoint(ZcGePoint3d& point)
{
    InputAnswer answer = platform::Wait_For_Input(Drag_Request(mPrompt),
                                                  {StepKind::Point, StepKind::Answer, StepKind::Enter, StepKind::Esc});
    ++mAcquired;
    mEcho = platform::Describe_Answer(answer);
    switch (answer.kind) {
    case InputAnswer::Kind::Point:
        break;
    case InputAnswer::Kind::Text:
        if (!platform::Parse_Point_Text(answer.text, answer.pt))
            return kOther;
        break;
    case InputAnswer::Kind::Enter:
        return kNull;
    case InputAnswer::Kind::Cancel:
        platform::Note_Command_Cancelled();
        return kCancel;
    default:
        return kOther;
    }
    ZcGeMatrix3d ucsToWorld;
    zcedGetCurrentUCS(ucsToWorld);
    point = ucsToWorld * ZcGePoint3d(answer.pt[0], answer.pt[1], answer.pt[2]);
    return kNormal;
}

ZcEdJig::DragStatus ZcEdJig::acquirePoint(ZcGePoint3d& point, const ZcGePoint3d& basePoint)
{
    (void)basePoint;  // the rubber band is not drawn here
    return acquirePoint(point);
}

namespace platform {

const Drag_Graphics& Last_Drag_Graphics() { return Drag_State(); }

}  // namespace platform
