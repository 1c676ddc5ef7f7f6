// The host editor: editor reactors and their notifications. Including this header also
// gives the ads-style editor calls (prompts, selection, system variables, commands).
#pragma once

#include <functional>

#include "rx/rxobject.h"
#include "ed/command_line.h"
#include "ed/command_runner.h"
#include "ed/host_window.h"
#include "ed/prompts.h"
#include "ed/selection.h"
#include "ed/sysvars.h"
#include "ed/ucs.h"

class ZcDbDatabase;

#define ZCED_EDITOR_OBJ L"ZcEditor"

class ZcEditorReactor : public ZcRxObject {
public:
    ~ZcEditorReactor() override = default;

    // cmdStr is the command's global name.
    virtual void commandWillStart(const wchar_t* cmdStr) {}
    virtual void commandEnded(const wchar_t* cmdStr) {}
    virtual void commandCancelled(const wchar_t* cmdStr) {}
    virtual void commandFailed(const wchar_t* cmdStr) {}
    virtual void unknownCommand(const wchar_t* cmdStr, void* al) {}

    virtual void lispWillStart(const wchar_t* firstLine) {}
    virtual void lispEnded() {}
    virtual void lispCancelled() {}

    virtual void sysVarWillChange(const wchar_t* varName) {}
    virtual void sysVarChanged(const wchar_t* varName, bool success) {}

    virtual void beginQuit() {}
    virtual void quitAborted() {}
    virtual void quitWillStart() {}

    virtual void beginSave(ZcDbDatabase*, const wchar_t* pIntendedName) {}
    virtual void saveComplete(ZcDbDatabase*, const wchar_t* pActualName) {}
    virtual void beginDoubleClick(const double clickPoint[3]) {}
    virtual void beginRightClick(const double clickPoint[3]) {}
};

class ZcEditor : public ZcRxObject {
    ZCRX_DECLARE_MEMBERS(ZcEditor);

public:
    // A reactor is notified once however often it was added.
    virtual void addReactor(ZcEditorReactor* newObj);
    virtual void removeReactor(ZcEditorReactor* delObj);
};

// The colour the editor shows for an index colour (0..256), as a Windows COLORREF: red in
// the lowest byte.
DWORD zcedGetRGB(int color);

// The editor from the system registry (nullptr when not registered).
ZcEditor* zcedEditorPtr();
#define zcedEditor zcedEditorPtr()

namespace platform {

// Notifies every editor reactor (in the order they were added; a reactor removed during
// the notification is skipped).
void Notify_Editor(const std::function<void(ZcEditorReactor*)>& notification);
// Drops every editor reactor (tests).
void Remove_All_Editor_Reactors();

}  // namespace platform
