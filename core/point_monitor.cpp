#include "core/point_monitor.h"

#include <memory>

#include "core/cursor_overlays.h"
#include "ed/docman.h"

MyInputPointMonitor g_Point_Monitor;

namespace {
ZcApDocument* Attached_Document = nullptr;
}

Zcad::ErrorStatus MyInputPointMonitor::monitorInputPoint(const ZcEdInputPoint& input,
                                                         ZcEdInputPointMonitorResult& /*output*/)
{
    Draw_Brush_Badge(input.drawContext(), input.rawPoint());
    Draw_Scale_Label(input.drawContext(), input.rawPoint());
    Draw_Outline_Preview(input.drawContext(), input.rawPoint());
    return Zcad::eOk;
}

void Attach_Point_Monitor()
{
    ZcApDocument* document = zcDocManager->curDocument();
    if (document == nullptr || document == Attached_Document)
        return;
    ZcEdInputPointManager* manager = zcedInputPointManager(document);
    manager->removePointMonitor(&g_Point_Monitor);
    manager->addPointMonitor(&g_Point_Monitor);
    Attached_Document = document;
}

void Detach_Point_Monitor()
{
    std::unique_ptr<ZcApDocumentIterator> documents(zcDocManager->newIterator());
    for (; !documents->done(); documents->step())
        zcedInputPointManager(documents->document())->removePointMonitor(&g_Point_Monitor);
    Attached_Document = nullptr;
}
