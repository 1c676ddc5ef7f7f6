#include "core/editor_reactor.h"

MyAcEditorReactor* g_Editor_Reactor = nullptr;
