#include "dxf/proxy_graphics.h"

#include <cstring>

#include "dxf/dxf_text_codec.h"

namespace platform {

namespace {

// Command numbers of the proxy graphics stream.
enum Command : uint32_t {
  kExtents = 1,
  kCircle = 2,
  kCircle3p = 3,
  kArc = 4,
  kPolyline = 6,
  kPolygon = 7,
  kShell = 9,
  kText = 10,
  kText2 = 11,
  kColor = 14,
  kFill = 20,
  kTrueColor = 22,
  kPushMatrix = 29,
  kPushMatrix2 = 30,
  kPopMatrix = 31,
  kPolylineWithNormals = 32,
  kUnicodeText = 36,
  kUnicodeText2 = 38,
};

constexpr size_t kMaxMatrixDepth = 64;

struct Truncated {};

// Little-endian values padded to 4-byte boundaries.
class ByteStream {
 public:
  explicit ByteStream(std::string_view data) : data_(data) {}
  size_t left() const { return data_.size() - pos_; }

  template <typename T>
  T read() {
    if (left() < sizeof(T)) throw Truncated{};
    T v;
    std::memcpy(&v, data_.data() + pos_, sizeof(T));
    advance(sizeof(T));
    return v;
  }
  ZcGePoint3d point() {
    ZcGePoint3d p;
    p.x = read<double>();
    p.y = read<double>();
    p.z = read<double>();
    return p;
  }
  ZcGeVector3d vector() {
    ZcGePoint3d p = point();
    return {p.x, p.y, p.z};
  }
  std::string_view narrow_string() {
    const void* z = std::memchr(data_.data() + pos_, 0, left());
    if (!z) throw Truncated{};
    size_t len = static_cast<size_t>(static_cast<const char*>(z) - (data_.data() + pos_));
    std::string_view s = data_.substr(pos_, len);
    advance(len + 1);
    return s;
  }
  std::wstring unicode_string() {
    std::wstring s;
    for (;;) {
      uint16_t unit = read_raw<uint16_t>();
      if (unit == 0) break;
      if (unit >= 0xD800 && unit < 0xDC00 && left() >= 2) {
        uint16_t low;
        std::memcpy(&low, data_.data() + pos_, 2);
        if (low >= 0xDC00 && low < 0xE000) {
          pos_ += 2;
          s += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
          continue;
        }
      }
      s += static_cast<wchar_t>(unit);
    }
    advance(0);
    return s;
  }

 private:
  template <typename T>
  T read_raw() {
    if (left() < sizeof(T)) throw Truncated{};
    T v;
    std::memcpy(&v, data_.data() + pos_, sizeof(T));
    pos_ += sizeof(T);
    return v;
  }
  void advance(size_t n) {
    pos_ += n;
    pos_ = (pos_ + 3) & ~size_t{3};
    if (pos_ > data_.size()) pos_ = data_.size();
  }
  std::string_view data_;
  size_t pos_ = 0;
};

// Row-major 4x4 transform applied to column vectors.
struct Matrix {
  double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  ZcGePoint3d apply(const ZcGePoint3d& p) const {
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3], m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7],
            m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11]};
  }
  ZcGeVector3d apply_vector(const ZcGeVector3d& v) const {
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[4] * v.x + m[5] * v.y + m[6] * v.z,
            m[8] * v.x + m[9] * v.y + m[10] * v.z};
  }
  Matrix operator*(const Matrix& o) const {
    Matrix r;
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j) {
        double s = 0;
        for (int k = 0; k < 4; ++k) s += m[i * 4 + k] * o.m[k * 4 + j];
        r.m[i * 4 + j] = s;
      }
    return r;
  }
};

class Decoder {
 public:
  Decoder(const DxfTextDecoder* text, ProxyGraphics& out) : text_(text), out_(out) {}

  void command(uint32_t type, std::string_view body) {
    ByteStream in(body);
    switch (type) {
      case kExtents:
        out_.extents_min = in.point();
        out_.extents_max = in.point();
        out_.has_extents = true;
        return;
      case kCircle: {
        ZcDbProxyPrimitive p = start(ZcDbProxyPrimitive::Kind::Circle);
        p.center = in.point();
        p.radius = in.read<double>();
        p.normal = in.vector();
        add(std::move(p));
        return;
      }
      case kArc: {
        ZcDbProxyPrimitive p = start(ZcDbProxyPrimitive::Kind::Arc);
        p.center = in.point();
        p.radius = in.read<double>();
        p.normal = in.vector();
        p.startVector = in.vector();
        p.sweep = in.read<double>();
        add(std::move(p));
        return;
      }
      case kPolyline:
      case kPolygon:
      case kPolylineWithNormals: {
        ZcDbProxyPrimitive p =
            start(type == kPolygon ? ZcDbProxyPrimitive::Kind::Polygon : ZcDbProxyPrimitive::Kind::Polyline);
        uint32_t count = in.read<uint32_t>();
        // A count beyond the bytes present is damage, not a reason to allocate.
        if (count > in.left() / 24) throw Truncated{};
        p.points.reserve(count);
        for (uint32_t i = 0; i < count; ++i) p.points.push_back(in.point());
        if (type == kPolylineWithNormals) p.normal = in.vector();
        add(std::move(p));
        return;
      }
      case kShell: {
        // Vertices, then the face list: per face its corner count and corner indices (a
        // negative count: a hole in the face before, left out); edge and face data follow.
        const uint32_t count = in.read<uint32_t>();
        if (count > in.left() / 24) throw Truncated{};
        std::vector<ZcGePoint3d> vertices;
        vertices.reserve(count);
        for (uint32_t i = 0; i < count; ++i) vertices.push_back(in.point());
        const uint32_t entries = in.read<uint32_t>();
        if (entries > in.left() / 4) throw Truncated{};
        for (uint32_t used = 0; used < entries;) {
          const int32_t corners = in.read<int32_t>();
          const uint32_t n = static_cast<uint32_t>(corners < 0 ? -int64_t(corners) : corners);
          if (n > entries - used - 1) throw Truncated{};
          ZcDbProxyPrimitive p = start(ZcDbProxyPrimitive::Kind::Polygon);
          for (uint32_t k = 0; k < n; ++k) {
            const uint32_t index = in.read<uint32_t>();
            if (index >= vertices.size()) throw Truncated{};
            p.points.push_back(vertices[index]);
          }
          used += n + 1;
          if (corners > 0) add(std::move(p));
        }
        return;
      }
      case kFill:
        fill_ = in.read<uint32_t>() != 0;
        return;
      case kText:
      case kUnicodeText:
      case kText2:
      case kUnicodeText2: {
        ZcDbProxyPrimitive p = start(ZcDbProxyPrimitive::Kind::Text);
        p.position = in.point();
        p.normal = in.vector();
        p.direction = in.vector();
        const bool unicode = type == kUnicodeText || type == kUnicodeText2;
        if (type == kText || type == kUnicodeText) {
          p.height = in.read<double>();
          p.widthFactor = in.read<double>();
          p.oblique = in.read<double>();
          p.text = unicode ? in.unicode_string() : narrow(in.narrow_string());
        } else {
          p.text = unicode ? in.unicode_string() : narrow(in.narrow_string());
          in.read<int32_t>();  // length of the string
          in.read<int32_t>();  // raw flag
          p.height = in.read<double>();
          p.widthFactor = in.read<double>();
          p.oblique = in.read<double>();
        }
        add(std::move(p));
        return;
      }
      case kColor: {
        uint32_t c = in.read<uint32_t>();
        color_ = c <= 256 ? static_cast<int>(c) : 256;
        true_color_ = -1;
        return;
      }
      case kTrueColor: {
        // Colour method in the top byte: 0xC2 = RGB, 0xC3 = index, 0xC0 = ByLayer, 0xC1 = ByBlock.
        uint32_t raw = in.read<uint32_t>();
        switch (raw >> 24) {
          case 0xC2: true_color_ = static_cast<int32_t>(raw & 0xFFFFFF), color_ = 256; break;
          case 0xC3: color_ = static_cast<int>(raw & 0xFF), true_color_ = -1; break;
          case 0xC1: color_ = 0, true_color_ = -1; break;
          default: color_ = 256, true_color_ = -1; break;
        }
        return;
      }
      case kPushMatrix:
      case kPushMatrix2: {
        if (matrices_.size() >= kMaxMatrixDepth) throw Truncated{};
        Matrix m;
        for (double& v : m.m) v = in.read<double>();
        matrices_.push_back(matrices_.empty() ? m : matrices_.back() * m);
        return;
      }
      case kPopMatrix:
        if (!matrices_.empty()) matrices_.pop_back();
        return;
      default:
        ++out_.skipped;
        return;
    }
  }

 private:
  ZcDbProxyPrimitive start(ZcDbProxyPrimitive::Kind kind) const {
    ZcDbProxyPrimitive p;
    p.kind = kind;
    p.colorIndex = static_cast<int16_t>(color_);
    p.trueColor = true_color_;
    p.filled = fill_ && kind == ZcDbProxyPrimitive::Kind::Polygon;
    return p;
  }
  void add(ZcDbProxyPrimitive p) {
    if (!matrices_.empty()) {
      const Matrix& m = matrices_.back();
      for (ZcGePoint3d& q : p.points) q = m.apply(q);
      p.center = m.apply(p.center);
      p.position = m.apply(p.position);
      carry_plane(m, p);
    }
    out_.primitives.push_back(std::move(p));
  }
  // A circle, arc or text lies in a plane: its axes are carried through the transform, so
  // that sizes scale with it and a mirrored plane turns its normal (and so its sweep) over.
  static void carry_plane(const Matrix& m, ZcDbProxyPrimitive& p) {
    const ZcGeVector3d normal = p.normal.normal();
    const bool text = p.kind == ZcDbProxyPrimitive::Kind::Text;
    ZcGeVector3d u = text ? p.direction.normal()
                          : (p.kind == ZcDbProxyPrimitive::Kind::Arc ? p.startVector.normal() : normal.perpVector());
    if (u.isZeroLength() || u.isParallelTo(normal)) u = normal.perpVector();
    const ZcGeVector3d mu = m.apply_vector(u);
    const ZcGeVector3d mv = m.apply_vector(normal.crossProduct(u));
    const ZcGeVector3d turned = mu.crossProduct(mv);
    if (turned.isZeroLength()) return;  // the plane collapses: keep the primitive as it was
    p.normal = turned.normal();
    p.direction = m.apply_vector(p.direction);
    p.startVector = m.apply_vector(p.startVector);
    p.radius *= mu.length();
    if (text) {
      p.height *= mv.length();
      p.widthFactor *= mu.length() / mv.length();
    }
  }
  std::wstring narrow(std::string_view s) const {
    if (text_) return text_->decode(s);
    DxfTextDecoder utf8;
    utf8.set_version("AC1021");
    return utf8.decode(s);
  }

  const DxfTextDecoder* text_;
  ProxyGraphics& out_;
  int color_ = 256;
  int32_t true_color_ = -1;
  bool fill_ = false;
  std::vector<Matrix> matrices_;
};

}  // namespace

ProxyGraphics Decode_Proxy_Graphics(std::string_view data, const DxfTextDecoder* text,
                                    std::string* error) {
  ProxyGraphics out;
  if (error) error->clear();
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
  };
  if (data.size() < 8) {
    if (!data.empty()) fail("proxy graphics shorter than their header");
    return out;
  }
  Decoder decoder(text, out);
  size_t pos = 8;  // total size and command count
  while (data.size() - pos >= 8) {
    uint32_t size, type;
    std::memcpy(&size, data.data() + pos, 4);
    std::memcpy(&type, data.data() + pos + 4, 4);
    if (size < 8 || size > data.size() - pos) {
      fail("proxy graphics command at byte " + std::to_string(pos) + " has an invalid size");
      return out;
    }
    try {
      decoder.command(type, data.substr(pos + 8, size - 8));
    } catch (const Truncated&) {
      fail("proxy graphics command " + std::to_string(type) + " at byte " + std::to_string(pos) +
           " is damaged");
      return out;
    }
    pos += size;
  }
  return out;
}

}  // namespace platform
