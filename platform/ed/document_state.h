// The editor's state of one document.
#pragma once

#include <string>
#include <vector>

#include "db/dbid.h"
#include "ge/gemat3d.h"

namespace platform {

struct DocumentState {
    std::vector<int> locks;                   // lock modes, innermost last
    ZcGeMatrix3d ucs;                         // UCS to world
    std::vector<ZcDbObjectId> previousSelection;
    std::vector<ZcDbObjectId> pickFirst;
    std::wstring lastLayout;                  // last paper layout made current
};

}  // namespace platform
