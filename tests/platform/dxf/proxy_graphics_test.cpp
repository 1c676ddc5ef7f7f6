#include "dxf/proxy_graphics.h"

#include <gtest/gtest.h>

#include <cstring>

namespace platform {
namespace {

// Builds a proxy graphics stream command by command (values padded to 4 bytes).
class GraphicsBuilder {
 public:
  GraphicsBuilder& command(uint32_t type, const std::string& body) {
    std::string padded = body;
    while (padded.size() % 4) padded += '\0';
    put(stream_, static_cast<uint32_t>(padded.size() + 8));
    put(stream_, type);
    stream_ += padded;
    ++count_;
    return *this;
  }
  std::string bytes() const {
    std::string out;
    put(out, static_cast<uint32_t>(stream_.size() + 8));
    put(out, count_);
    return out + stream_;
  }
  template <typename T>
  static void put(std::string& s, T v) {
    char b[sizeof(T)];
    std::memcpy(b, &v, sizeof(T));
    s.append(b, sizeof(T));
  }
  static std::string point(double x, double y, double z) {
    std::string s;
    put(s, x), put(s, y), put(s, z);
    return s;
  }

 private:
  std::string stream_;
  uint32_t count_ = 0;
};

std::string Polyline_Body(std::initializer_list<ZcGePoint3d> points) {
  std::string s;
  GraphicsBuilder::put(s, static_cast<uint32_t>(points.size()));
  for (const ZcGePoint3d& p : points) s += GraphicsBuilder::point(p.x, p.y, p.z);
  return s;
}

std::string Text_Body(const std::string& text, double height) {
  std::string s = GraphicsBuilder::point(5, 6, 0) + GraphicsBuilder::point(0, 0, 1) +
                  GraphicsBuilder::point(1, 0, 0);
  GraphicsBuilder::put(s, height), GraphicsBuilder::put(s, 1.0), GraphicsBuilder::put(s, 0.0);
  s += text;
  s += '\0';
  return s;
}

std::string Unicode_Text_Body(const std::u16string& text) {
  std::string s = GraphicsBuilder::point(0, 0, 0) + GraphicsBuilder::point(0, 0, 1) +
                  GraphicsBuilder::point(0, 1, 0);
  GraphicsBuilder::put(s, 2.5), GraphicsBuilder::put(s, 0.8), GraphicsBuilder::put(s, 0.0);
  for (char16_t c : text) GraphicsBuilder::put(s, static_cast<uint16_t>(c));
  GraphicsBuilder::put(s, uint16_t{0});
  return s;
}

TEST(ProxyGraphics, DecodesPrimitivesWithTheirAttributes) {
  std::string color;
  GraphicsBuilder::put(color, uint32_t{3});
  std::string rgb;
  GraphicsBuilder::put(rgb, uint32_t{0xC2FF8000});
  std::string circle = GraphicsBuilder::point(1, 1, 0);
  GraphicsBuilder::put(circle, 4.0);
  circle += GraphicsBuilder::point(0, 0, 1);
  std::string data = GraphicsBuilder()
                         .command(1, GraphicsBuilder::point(0, 0, 0) + GraphicsBuilder::point(10, 5, 0))
                         .command(14, color)
                         .command(6, Polyline_Body({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}}))
                         .command(10, Text_Body("AB", 2.0))
                         .command(22, rgb)
                         .command(36, Unicode_Text_Body(u"\u4E2D\u6587"))
                         .command(2, circle)
                         .command(8, std::string(16, '\0'))  // mesh: not decoded
                         .bytes();
  std::string error;
  ProxyGraphics g = Decode_Proxy_Graphics(data, nullptr, &error);
  EXPECT_EQ(error, "");
  ASSERT_TRUE(g.has_extents);
  EXPECT_EQ(g.extents_max.x, 10);
  ASSERT_EQ(g.primitives.size(), 4u);
  EXPECT_EQ(g.primitives[0].kind, ZcDbProxyPrimitive::Kind::Polyline);
  EXPECT_EQ(g.primitives[0].points.size(), 3u);
  EXPECT_EQ(g.primitives[0].colorIndex, 3);
  EXPECT_EQ(g.primitives[1].kind, ZcDbProxyPrimitive::Kind::Text);
  EXPECT_EQ(g.primitives[1].text, L"AB");
  EXPECT_EQ(g.primitives[1].height, 2.0);
  EXPECT_EQ(g.primitives[1].position.x, 5);
  EXPECT_EQ(g.primitives[2].text, L"\u4E2D\u6587");
  EXPECT_EQ(g.primitives[2].trueColor, 0xFF8000);
  EXPECT_EQ(g.primitives[2].direction.y, 1);
  EXPECT_EQ(g.primitives[3].kind, ZcDbProxyPrimitive::Kind::Circle);
  EXPECT_EQ(g.primitives[3].radius, 4.0);
  EXPECT_EQ(g.skipped, 1);
}

TEST(ProxyGraphics, AppliesPushedTransforms) {
  std::string matrix;
  const double m[16] = {2, 0, 0, 100, 0, 2, 0, 50, 0, 0, 1, 0, 0, 0, 0, 1};  // scale 2, move
  for (double v : m) GraphicsBuilder::put(matrix, v);
  std::string data = GraphicsBuilder()
                         .command(29, matrix)
                         .command(6, Polyline_Body({{1, 1, 0}, {2, 1, 0}}))
                         .command(31, "")
                         .command(6, Polyline_Body({{1, 1, 0}, {2, 1, 0}}))
                         .bytes();
  ProxyGraphics g = Decode_Proxy_Graphics(data);
  ASSERT_EQ(g.primitives.size(), 2u);
  EXPECT_EQ(g.primitives[0].points[0].x, 102);
  EXPECT_EQ(g.primitives[0].points[0].y, 52);
  EXPECT_EQ(g.primitives[1].points[0].x, 1);
}

std::string Matrix_Body(std::initializer_list<double> values) {
  std::string s;
  for (double v : values) GraphicsBuilder::put(s, v);
  return s;
}

// Circles, arcs and texts inside a pushed transform (a table cell's block drawn at a small scale,
// a mirrored insert) take its scale and, when it mirrors, the turned-over normal.
TEST(ProxyGraphics, PushedTransformsScaleAndTurnPlanarPrimitives) {
  std::string circle = GraphicsBuilder::point(10, 0, 0);
  GraphicsBuilder::put(circle, 40.0);
  circle += GraphicsBuilder::point(0, 0, 1);
  std::string arc = GraphicsBuilder::point(0, 0, 0);
  GraphicsBuilder::put(arc, 2.0);
  arc += GraphicsBuilder::point(0, 0, 1) + GraphicsBuilder::point(1, 0, 0);
  GraphicsBuilder::put(arc, 1.5707963267948966);
  const std::string small = Matrix_Body({0.01, 0, 0, 5, 0, 0.01, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, 1});
  const std::string mirror = Matrix_Body({-3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 3, 0, 0, 0, 0, 1});
  const std::string stretch = Matrix_Body({4, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  struct Case {
    const char* name;
    const std::string& matrix;
    uint32_t command;
    std::string body;
    double radius, height, width_factor, normal_z, start_x, center_x;
  } cases[] = {
      {"small circle", small, 2, circle, 0.4, 0, 1, 1, 1, 5.1},
      {"mirrored arc", mirror, 4, arc, 6, 0, 1, -1, -3, 0},
      {"stretched text", stretch, 10, Text_Body("T", 2.5), 0, 5, 2, 1, 1, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ProxyGraphics g = Decode_Proxy_Graphics(
        GraphicsBuilder().command(29, c.matrix).command(c.command, c.body).command(31, "").bytes());
    ASSERT_EQ(g.primitives.size(), 1u);
    const ZcDbProxyPrimitive& p = g.primitives[0];
    EXPECT_NEAR(p.radius, c.radius, 1e-12);
    EXPECT_NEAR(p.height, c.height, 1e-12);
    EXPECT_NEAR(p.widthFactor, c.width_factor, 1e-12);
    EXPECT_NEAR(p.normal.z, c.normal_z, 1e-12);
    if (p.kind == ZcDbProxyPrimitive::Kind::Arc) {
      EXPECT_NEAR(p.startVector.x, c.start_x, 1e-12);
    }
    EXPECT_NEAR(p.kind == ZcDbProxyPrimitive::Kind::Text ? p.position.x : p.center.x, c.center_x, 1e-12);
  }
}

TEST(ProxyGraphics, DamagedDataKeepsWhatWasDecodedAndSaysWhere) {
  std::string good = GraphicsBuilder().command(6, Polyline_Body({{0, 0, 0}, {1, 0, 0}})).bytes();
  std::string huge_count;
  GraphicsBuilder::put(huge_count, uint32_t{0xFFFFFFF0});
  std::string unterminated = GraphicsBuilder::point(0, 0, 0) + GraphicsBuilder::point(0, 0, 1) +
                             GraphicsBuilder::point(1, 0, 0) + std::string(24, '\0') + "ABC";
  struct Case {
    std::string tail;  // commands after one good polyline
    size_t primitives;
  } cases[] = {
      {GraphicsBuilder().command(6, huge_count).bytes().substr(8), 1},
      {GraphicsBuilder().command(10, unterminated + "D").bytes().substr(8), 1},
      {std::string("\xFF\xFF\xFF\x7F\x06\x00\x00\x00", 8), 1},   // size beyond the data
      {std::string("\x04\x00\x00\x00\x06\x00\x00\x00", 8), 1},   // size below the header
  };
  for (const Case& c : cases) {
    std::string error;
    ProxyGraphics g = Decode_Proxy_Graphics(good + c.tail, nullptr, &error);
    EXPECT_EQ(g.primitives.size(), c.primitives);
    EXPECT_NE(error, "");
  }
  std::string error;
  EXPECT_TRUE(Decode_Proxy_Graphics(good.substr(0, 5), nullptr, &error).primitives.empty());
  EXPECT_NE(error, "");
}

}  // namespace
}  // namespace platform
