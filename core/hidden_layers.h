// The layers that were frozen or turned off when a command began: entities on them are
// skipped by the searches of that command.
#pragma once

#include "db/dbmain.h"

class Cad_Helper {
public:
    // Empties both lists, then walks the working drawing's layer table in its order: each
    // frozen layer goes to the frozen list, each layer that is off to the off list.
    void Collect_Hidden_Layers();

    ZcDbObjectIdArray Frozen_Layers;
    ZcDbObjectIdArray Off_Layers;
};

// The one instance, from module start to unload.
extern Cad_Helper g_Hidden_Layers;

// True when the entity is visible and its layer is in neither list of g_Hidden_Layers.
bool Is_Entity_Shown(const ZcDbEntity* entity);
