// `cadhost DRAWING --save OUT.dxf` round-trips a drawing (checked by ezdxf).
#include <gtest/gtest.h>

#include <filesystem>

#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

TEST(HostRoundTrip, CadhostSavesWhatItOpened) {
  const std::string cadhost = std::string(KORVEL_BINARY_DIR) + "/bin/cadhost";
  ASSERT_TRUE(std::filesystem::exists(cadhost)) << cadhost;
  for (const char* fixture : {"drawing.dxf", "proxy.dxf", "r12_gbk.dxf"}) {
    const std::string saved = Temp_Path(std::string("host_") + fixture);
    std::filesystem::remove(saved);
    std::string output;
    ASSERT_EQ(Run_Command(cadhost + " --save " + Quoted(saved) + " " + Quoted(Fixture(fixture)), output), 0) << output;
    EXPECT_EQ(Run_Command(Oracle("dxf_compare.py") + " " + Quoted(Fixture(fixture)) + " " + Quoted(saved), output), 0)
        << fixture << ": " << output;
  }
}

}  // namespace
}  // namespace platform
