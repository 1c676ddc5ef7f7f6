// The host application's layout manager: the database's layout manager with the host's
// page setup dialog.
#pragma once

#include "db/dblayout.h"

class ZcApLayoutManager : public ZcDbLayoutManager {
public:
    // The host's page setup dialog ("页面设置", template IDD_ZC_PAGE_SETUP) for the layout of
    // the block record, the current layout for a null id: the plot device and its paper,
    // checked through the plot-settings validator. OK writes them into the layout; Cancel
    // changes nothing. pParent is the owner window (a CWnd*), or none. Returns IDOK, or
    // IDCANCEL also when the layout cannot be opened.
    virtual int pageSetup(ZcDbObjectId layoutBTRId = ZcDbObjectId::kNull, void* pParent = nullptr,
                          bool isPageSetupDlg = true);
};

// The host's application layout manager.
ZcApLayoutManager* zcapLayoutManagerPtr();
