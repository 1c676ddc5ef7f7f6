// Proxy graphics: the drawing primitives a custom entity leaves in the file for programs that
// lack its class (lines, polylines, circles, arcs, texts), decoded so the platform can measure
// and explode such an entity.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ProxyPoint {
  double x = 0, y = 0, z = 0;
};

struct ProxyPrimitive {
  enum class Kind { Polyline, Polygon, Circle, Arc, Text };
  Kind kind = Kind::Polyline;
  std::vector<ProxyPoint> points;  // Polyline / Polygon (world coordinates)
  ProxyPoint center;               // Circle / Arc
  double radius = 0;
  ProxyPoint normal{0, 0, 1};
  ProxyPoint start_vector{1, 0, 0};  // Arc: direction of its start from the centre
  double sweep = 0;                  // Arc: sweep angle around the normal, radians
  ProxyPoint position;               // Text
  ProxyPoint direction{1, 0, 0};     // Text: baseline direction
  std::wstring text;
  double height = 0, width_factor = 1, oblique = 0;
  // Attributes current when the primitive was drawn.
  int color_index = 256;      // 256 = ByLayer, 0 = ByBlock
  int32_t true_color = -1;    // 0xRRGGBB, -1 = none
  int32_t layer_index = -1;   // index into the drawing's layer table, -1 = entity's layer
};

struct ProxyGraphics {
  std::vector<ProxyPrimitive> primitives;
  bool has_extents = false;
  ProxyPoint extents_min, extents_max;
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
