#include "core/point_monitor.h"

#include "ed/docman.h"

MyInputPointMonitor g_Point_Monitor;

namespace {
ZcApDocument* Attached_Document = nullptr;
}

void Attach_Point_Monitor()
{
    ZcApDocument* document = zcDocManager->curDocument();
    if (document != nullptr && document != Attached_Document)
        Attached_Document = document;
}

void Detach_Point_Monitor() { Attached_Document = nullptr; }
