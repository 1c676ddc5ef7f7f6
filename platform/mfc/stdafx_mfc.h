// Everything of the framework a module includes: strings, runtime classes,
// collections, windows, extension-module entry and conversions.
#pragma once

#include "win/windows.h"
#include "mfc/afxassert.h"
#include "mfc/afxstr.h"
#include "mfc/afx.h"
#include "mfc/afxtempl.h"
#include "mfc/afxcoll.h"
#include "mfc/afxwin.h"
#include "mfc/afxdc.h"
#include "mfc/afxcmn.h"
#include "mfc/afxtime.h"
#include "mfc/afxdlgs.h"
#include "mfc/afxdll.h"
#include "mfc/atlconv.h"
#include "mfc/zcui.h"
