// How the plug-in's custom entity classes register with the host: DWG version 33, the
// flavour's maintenance version, proxy flags 0xBFF, the class name as DXF name and the
// application name "\"KV_Soft_DivezUrez\"" (with its quote characters).
#pragma once

#include "core/flavour.h"
#include "rx/rxobject.h"

#define KORVEL_DEFINE_CUSTOM_CLASS(CLASS, PARENT)                                        \
    ZCRX_DXF_DEFINE_MEMBERS(CLASS, PARENT, 33, Flavour_Class_Maintenance_Version(), 0xBFF, \
                            CLASS, "KV_Soft_DivezUrez")
