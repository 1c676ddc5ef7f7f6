// The plug-in's editor reactor, the one instance g_Editor_Reactor.
// Filled in when the reactors land: for now it is added to and removed from the host
// editor and reacts to nothing.
#pragma once

#include "ed/editor.h"

class MyAcEditorReactor : public ZcEditorReactor {
public:
    ~MyAcEditorReactor() override = default;
};

// Null while the module is not loaded.
extern MyAcEditorReactor* g_Editor_Reactor;
