// A detection feedback without windows: every call is written to one list, in order, and
// the chooser gets a set answer.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/detection_feedback.h"

class Recording_Detection_Feedback : public Detection_Feedback {
public:
    void Progress_Begin(const wchar_t* title, int range) override
    {
        Calls.push_back(L"begin " + std::wstring(title) + L" " + std::to_wstring(range));
    }
    void Progress_Step() override { Calls.push_back(L"step"); }
    void Progress_End() override { Calls.push_back(L"end"); }
    // "choose <title> <item>|<item>... <preselected>".
    int Choose(const wchar_t* title, std::span<const wchar_t* const> items, int preselected) override
    {
        std::wstring call = L"choose " + std::wstring(title) + L" ";
        for (size_t i = 0; i < items.size(); ++i)
            call += (i > 0 ? L"|" : L"") + std::wstring(items[i]);
        Calls.push_back(call + L" " + std::to_wstring(preselected));
        return Answer;
    }
    void Notice(const wchar_t* text) override { Calls.push_back(L"notice " + std::wstring(text)); }

    // How many steps were recorded.
    int Steps() const
    {
        int steps = 0;
        for (const std::wstring& call : Calls)
            steps += call == L"step" ? 1 : 0;
        return steps;
    }

    int Answer = -1;
    std::vector<std::wstring> Calls;
};
