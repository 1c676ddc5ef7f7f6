// The ZWCAD 2025 build of the module.
#include "core/flavour.h"
#include "app/module_entry.h"
#include "com/zcadmenu.h"

int Flavour_Api_Version() { return 0x07E90000; }
int Flavour_Class_Maintenance_Version() { return 248; }
const GUID& Flavour_Application_Iid() { return IID_IZcadApplication2025; }
bool Flavour_Has_Multi_Drawing_Batch() { return false; }

extern "C" __attribute__((visibility("default"))) int zcrxGetApiVersion()
{
    return Flavour_Api_Version();
}
