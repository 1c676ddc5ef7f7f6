#include "app/custom_classes.h"

#include "rx/rxclass.h"
#include "sheets/marker_entities.h"
#include "signstamp/kv_sign_class.h"
#include "signstamp/sign_base.h"
#include "signstamp/temp_sign.h"
#include "titleblock/my_pline.h"

void Register_Custom_Classes()
{
    Sign_Base::rxInit();
    KV_Sign_Class::rxInit();
    Temp_Sign::rxInit();
    Temp_PlotRec::rxInit();
    Temp_PlotRec2::rxInit();
    My_PLine::rxInit();
    zcrxBuildClassHierarchy();
}

void Remove_Custom_Classes()
{
    ZcRxClass* const classes[] = {Sign_Base::desc(),    KV_Sign_Class::desc(), Temp_Sign::desc(),
                                  Temp_PlotRec::desc(), Temp_PlotRec2::desc(), My_PLine::desc()};
    for (ZcRxClass* descriptor : classes)
        if (descriptor != nullptr)
            deleteZcRxClass(descriptor);
}
