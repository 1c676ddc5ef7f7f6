#include "ed/editor.h"

#include <algorithm>
#include <vector>

#include "db/color.h"
#include "ed/host_reset.h"
#include "rx/rxregistry.h"

ZCRX_NO_CONS_DEFINE_MEMBERS(ZcEditor, ZcRxObject)

namespace {

std::vector<ZcEditorReactor*>& Reactors()
{
    static std::vector<ZcEditorReactor*> reactors;
    return reactors;
}

ZcEditor& The_Editor()
{
    static ZcEditor* editor = [] {
        ZcEditor::rxInit();
        auto* created = new ZcEditor();
        zcrxSysRegistry()->atPut(ZCED_EDITOR_OBJ, created);
        return created;
    }();
    return *editor;
}

const bool gRegistered = (The_Editor(), true);

}  // namespace

void ZcEditor::addReactor(ZcEditorReactor* newObj)
{
    auto& reactors = Reactors();
    if (newObj != nullptr && std::find(reactors.begin(), reactors.end(), newObj) == reactors.end())
        reactors.push_back(newObj);
}

void ZcEditor::removeReactor(ZcEditorReactor* delObj)
{
    auto& reactors = Reactors();
    reactors.erase(std::remove(reactors.begin(), reactors.end(), delObj), reactors.end());
}

DWORD zcedGetRGB(int color)
{
    uint32_t rgb = platform::Index_Color_Rgb(color);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

ZcEditor* zcedEditorPtr()
{
    return ZcEditor::cast(zcrxSysRegistry()->at(ZCED_EDITOR_OBJ));
}

namespace platform {

void Notify_Editor(const std::function<void(ZcEditorReactor*)>& notification)
{
    std::vector<ZcEditorReactor*> snapshot = Reactors();
    for (ZcEditorReactor* reactor : snapshot) {
        auto& now = Reactors();
        if (std::find(now.begin(), now.end(), reactor) != now.end())
            notification(reactor);
    }
}

void Remove_All_Editor_Reactors() { Reactors().clear(); }

}  // namespace platform
