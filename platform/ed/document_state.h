// The editor's state of one document.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "db/dbid.h"
#include "ed/view_state.h"
#include "ge/gemat3d.h"

class ZcEdInputPointManager;

namespace platform {

struct DocumentState {
    std::vector<int> locks;                   // lock modes, innermost last
    ZcGeMatrix3d ucs;                         // UCS to world
    std::vector<ZcDbObjectId> previousSelection;
    std::vector<ZcDbObjectId> pickFirst;
    std::wstring lastLayout;                  // last paper layout made current
    ViewState modelView;                      // the model tab's view
    std::map<std::wstring, ViewState> paperViews;  // paper space view by upper-case layout name
    std::shared_ptr<ZcEdInputPointManager> pointManager;  // made when first asked for
};

}  // namespace platform
