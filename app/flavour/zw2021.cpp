// The ZWCAD 2021 build of the module.
#include "core/flavour.h"
#include "app/module_entry.h"
#include "com/zcadmenu.h"

int Flavour_Api_Version() { return 0x07E50014; }
int Flavour_Class_Maintenance_Version() { return 55; }
const GUID& Flavour_Application_Iid() { return IID_IZcadApplication2021; }
bool Flavour_Has_Multi_Drawing_Batch() { return true; }

extern "C" __attribute__((visibility("default"))) int zcrxGetApiVersion()
{
    return Flavour_Api_Version();
}
