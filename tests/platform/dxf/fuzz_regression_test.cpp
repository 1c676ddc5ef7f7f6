// Inputs that once crashed the reader under the fuzzer (scripts/fuzz_dxf.sh keeps them in
// fuzz/crashes/): each now ends in success or a clear error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dxf_test_support.h"

namespace platform {
namespace {

TEST(DxfFuzzRegressions, EveryKeptInputReadsWithoutCrashing) {
  const std::filesystem::path dir = std::filesystem::path(KORVEL_SOURCE_DIR) / "tests/platform/dxf/fuzz/crashes";
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file() || entry.path().filename() == ".gitkeep") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream data;
    data << in.rdbuf();
    ZcDbDatabase db(false, true);
    DxfReadReport report;
    const Zcad::ErrorStatus es = Read_Dxf_Data(&db, data.str(), entry.path().filename().string(), &report);
    EXPECT_TRUE(es == Zcad::eOk || !report.error.empty()) << entry.path();
    ++inputs;
  }
  RecordProperty("inputs", inputs);
}

}  // namespace
}  // namespace platform
