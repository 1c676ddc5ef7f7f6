// How frame detection and title-block recognition show their progress and ask the user:
// the command that runs them passes it in.
#pragma once

#include <span>

class Detection_Feedback {
public:
    virtual ~Detection_Feedback() = default;

    // Shows the progress over 0..range with the title, replacing one already shown.
    virtual void Progress_Begin(const wchar_t* title, int range) = 0;
    // One step of the progress shown; nothing when none is.
    virtual void Progress_Step() = 0;
    virtual void Progress_End() = 0;
    // The position of the item the user picks under the title (the preselected one offered
    // first), or -1 when cancelled.
    virtual int Choose(const wchar_t* title, std::span<const wchar_t* const> items, int preselected) = 0;
    // A message the user only acknowledges.
    virtual void Notice(const wchar_t* text) = 0;
};
