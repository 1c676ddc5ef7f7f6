// Recursive walks of block definitions (extents, drawing, exploding nested references) go
// through Block_Walk_Guard: a definition already on the walk (a block that holds itself,
// directly or through others, as a damaged drawing may) or nesting deeper than
// kMaxBlockNesting ends that branch of the walk.
#pragma once
#include "db/dbid.h"
#include "db/gi.h"

class ZcDbBlockReference;

namespace platform {

constexpr int kMaxBlockNesting = 64;

class Block_Walk_Guard {
public:
    explicit Block_Walk_Guard(ZcDbObjectId blockId);
    ~Block_Walk_Guard();
    Block_Walk_Guard(const Block_Walk_Guard&) = delete;
    Block_Walk_Guard& operator=(const Block_Walk_Guard&) = delete;
    // True when the walk must not enter the definition.
    bool refused() const { return mRefused; }

private:
    bool mRefused = false;
};

// The clip boundary of a reference's enabled spatial filter ("ACAD_FILTER" / "SPATIAL" in its
// extension dictionary), in the coordinates the reference is placed in (its block transform
// applied). False when the reference is not clipped.
bool Block_Clip_Boundary(const ZcDbBlockReference* ref, ZcGiClipBoundary& boundary);

}  // namespace platform
