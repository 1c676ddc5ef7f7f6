// Detection feedback in windows: the progress window (percent counter), the pop-up choice
// list and a message box over the host's main window.
#pragma once

#include "core/detection_feedback.h"

class Dialog_Detection_Feedback final : public Detection_Feedback {
public:
    void Progress_Begin(const wchar_t* title, int range) override;
    void Progress_Step() override;
    void Progress_End() override;
    int Choose(const wchar_t* title, std::span<const wchar_t* const> items, int preselected) override;
    // Caption "Korvel".
    void Notice(const wchar_t* text) override;
};
