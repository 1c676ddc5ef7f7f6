// Small text helpers shared by every subsystem.
#pragma once

#include "mfc/afxstr.h"

// The two cancel characters that precede command text queued to start one of the
// program's commands again, so that a running command ends first.
CString Cancel_Prefix();
