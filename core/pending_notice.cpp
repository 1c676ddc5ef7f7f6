#include "core/pending_notice.h"

#include "ed/editor.h"

void Print_Pending_Notice() { zcutPrintf(L"\n该功能尚未提供。"); }
