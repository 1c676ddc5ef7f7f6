// What differs between the 2021 and the 2025 build of the module. Each build links
// exactly one source of app/flavour/ that defines these.
#pragma once

struct GUID;

// The API version of the host SDK the build is made for (what zcrxGetApiVersion reports).
int Flavour_Api_Version();
// The maintenance version the custom entity classes register with.
int Flavour_Class_Maintenance_Version();
// True when the build holds the batch over several drawing files.
bool Flavour_Has_Multi_Drawing_Batch();
// The host application interface the build asks the host's application object for.
const GUID& Flavour_Application_Iid();
