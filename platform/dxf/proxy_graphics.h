// Proxy graphics: the drawing primitives a custom entity leaves in the file for programs that
// lack its class (lines, polylines, polygons and the faces of shells, filled while the fill is
// on, circles, arcs, texts), decoded so the platform can draw, measure and explode such an entity.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/dbproxy.h"

namespace platform {

struct ProxyGraphics {
  std::vector<ZcDbProxyPrimitive> primitives;
  bool has_extents = false;
  ZcGePoint3d extents_min, extents_max;
  // Commands that were skipped because they are not decoded (meshes, clips, ...).
  int skipped = 0;
};

class DxfTextDecoder;

// Decodes the graphics data; damaged data yields the primitives decoded up to the damage and
// sets `error` (empty when all went well). Never reads outside `data`. Narrow texts are in
// the drawing's code page (`text`; UTF-8 when null).
ProxyGraphics Decode_Proxy_Graphics(std::string_view data, const DxfTextDecoder* text = nullptr,
                                    std::string* error = nullptr);

}  // namespace platform
