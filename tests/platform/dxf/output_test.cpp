#include "dxf/dxf_output.h"

#include <gtest/gtest.h>

#include "dxf/dxf_tokenizer.h"

namespace platform {
namespace {

TEST(DxfOutput, WritesGroupsThatReadBackExactly) {
  DxfOutput out;
  out.raw(0, "LINE");
  out.text(1, L"\u4E2D\nx");
  out.real(40, 0.1);
  out.real(41, 3);
  out.real(42, -1e-300);
  out.integer(90, -7);
  out.handle(5, 0x2AF);
  out.point(10, 1, 2, 3);
  out.integer(1071, 2147483647);
  const std::string start = "  0\nLINE\n  1\n\xE4\xB8\xAD^Jx\n 40\n0.1\n 41\n3.0\n";
  EXPECT_EQ(out.data().substr(0, start.size()), start);
  DxfTokenizer tokens(out.data());
  DxfGroup g;
  std::vector<DxfGroup> groups;
  while (tokens.next(g)) groups.push_back(g);
  ASSERT_EQ(groups.size(), 11u);
  EXPECT_EQ(groups[2].to_double(), 0.1);
  EXPECT_EQ(groups[4].to_double(), -1e-300);
  EXPECT_EQ(groups[6].value, "2AF");
  EXPECT_EQ(groups[9].code, 30);
  EXPECT_EQ(groups[10].code, 1071);
}

TEST(DxfOutput, SplitsBinaryDataIntoChunks) {
  DxfOutput out;
  out.binary(310, std::string(200, '\xAB'));
  DxfTokenizer tokens(out.data());
  DxfGroup g;
  ASSERT_TRUE(tokens.next(g));
  EXPECT_EQ(g.value.size(), 254u);
  ASSERT_TRUE(tokens.next(g));
  std::string rest;
  for (int i = 0; i < 73; ++i) rest += "AB";
  EXPECT_EQ(g.value, rest);
  EXPECT_FALSE(tokens.next(g));
}

}  // namespace
}  // namespace platform
