#include "mfc/zcui.h"

namespace {
int g_zcui_init_count = 0;
}

void InitZcUiDLL() {
    ++g_zcui_init_count;
}

namespace platform {

int ZcUi_Init_Count() {
    return g_zcui_init_count;
}

}  // namespace platform
