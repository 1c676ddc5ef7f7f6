// The editor's jig: an entity that follows the cursor while the user drags. drag() asks
// the sampler for samples; the sampler acquires a point, update() changes the entity to it
// and the editor shows the entity as its transient graphics.
// Input: each point (a `point` step, typed "x,y") is one sample, a cursor position; when the
// next input is not another point or an Esc, the drag ends normally on the last sample.
// Esc cancels the drag, Enter ends it with kNull, other text with kOther. Key steps between
// samples are pressed during the drag. While a dialog is hidden for editor input, its steps
// wait for the drag to end.
#pragma once

#include <string>
#include <vector>

#include "db/dbentity.h"
#include "db/gi_recorder.h"
#include "ge/gepnt3d.h"

class ZcEdJig {
public:
    enum DragStatus {
        kNoChange = -6,  // the sample is where the last one was: nothing to update
        kCancel = -4,
        kOther = -3,
        kNull = -1,
        kNormal = 0,
    };

    ZcEdJig() = default;
    virtual ~ZcEdJig() = default;
    ZcEdJig(const ZcEdJig&) = delete;
    ZcEdJig& operator=(const ZcEdJig&) = delete;

    // Runs the drag until it ends: kNormal after the last sample, else the status that ended
    // it. The display prompt is printed first, the input that ended the drag last.
    DragStatus drag();

    // One sample: acquire input and tell whether it changed anything.
    virtual DragStatus sampler() = 0;
    // Changes the entity to the last sample; false when there is nothing to show.
    virtual bool update() = 0;
    // The entity the drag shows (owned by the jig).
    virtual ZcDbEntity* entity() const = 0;

    // A cursor position in world coordinates (input is in the current UCS). The point is
    // left as it was unless the status is kNormal. With a base point the editor draws a
    // rubber band from it.
    DragStatus acquirePoint(ZcGePoint3d& point);
    DragStatus acquirePoint(ZcGePoint3d& point, const ZcGePoint3d& basePoint);

    void setDispPrompt(const wchar_t* prompt) { mPrompt = prompt != nullptr ? prompt : L""; }
    const wchar_t* dispPrompt() const { return mPrompt.c_str(); }

private:
    std::wstring mPrompt;
    std::wstring mEcho;     // the last input acquired, as the command line echoes it
    int mAcquired = 0;      // inputs acquired during this drag
};

namespace platform {

// The editor's transient graphics of the last drag: what the jig's entity drew when the
// editor last showed it (at the start of the drag and after every update that returned
// true). The records' entity pointers are valid only while the jig lives.
struct Drag_Graphics {
    bool dragging = false;             // a drag runs
    int shows = 0;                     // times the entity was shown during the drag
    std::vector<Gi_Record> records;    // its last drawing
};
const Drag_Graphics& Last_Drag_Graphics();

}  // namespace platform
