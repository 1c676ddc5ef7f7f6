// The plug-in's editor reactor, the one instance g_Editor_Reactor: it tells the plot
// drivers whether a companion command really started, and keeps the pop-up menu in the
// host's menu bar after the host's menu and workspace changes.
#pragma once

#include <cstdint>

#include "ed/editor.h"

class MyAcEditorReactor : public ZcEditorReactor {
public:
    ~MyAcEditorReactor() override = default;
    void commandWillStart(const wchar_t* cmdStr) override;
    void commandEnded(const wchar_t* cmdStr) override;
    void commandCancelled(const wchar_t* cmdStr) override {}
    void commandFailed(const wchar_t* cmdStr) override {}
    void sysVarChanged(const wchar_t* varName, bool success) override;
    void beginDoubleClick(const double clickPoint[3]) override {}
    void beginRightClick(const double clickPoint[3]) override {}
};

// Null while the module is not loaded.
extern MyAcEditorReactor* g_Editor_Reactor;

// Set to 1 when the companion command "K_PDF_Merge", respectively "K_PDF_Rotate",
// starts; the plot output clears and tests them, the reactor never clears them.
extern int32_t g_Merge_Cmd_Ran;
extern int32_t g_Rotate_Cmd_Ran;
// The host variable MENUBAR changed since the last command start.
extern bool g_Menubar_Changed;
