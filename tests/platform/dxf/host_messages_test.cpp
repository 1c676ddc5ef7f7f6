// What `cadhost` says about a drawing it cannot open, or opened leniently.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dxf_test_support.h"

namespace platform {
namespace {

using namespace dxf_test;

std::string Cadhost() { return std::string(KORVEL_BINARY_DIR) + "/bin/cadhost"; }

std::string Write_Temp(const std::string& name, const std::string& data) {
  const std::string path = Temp_Path(name);
  std::ofstream(path, std::ios::binary) << data;
  return path;
}

size_t Occurrences(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// A refused drawing: one line naming the file and the reader's reason, never a status code.
TEST(CadhostMessages, RefusalNamesTheFileAndTheReasonOnceOnItsOwnLine) {
  ASSERT_TRUE(std::filesystem::exists(Cadhost()));
  struct Case {
    const char* name;
    std::string data;
    const char* reason;
  } cases[] = {
      {"empty.dxf", "", "the file is empty"},
      {"picture.dxf", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR", "not a DXF file"},
      {"text.dxf", "Dear reader,\nthis is a letter.\n", "not a DXF file"},
      {"no_section.dxf", "  0\nLINE\n  0\nEOF\n", "line 1: expected 0 SECTION, found 0 LINE"},
      {"cut.dxf", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n", "line 7: expected the value of group code 8"},
  };
  for (const Case& c : cases) {
    const std::string path = Write_Temp(c.name, c.data);
    std::string output;
    EXPECT_EQ(Run_Command(Cadhost() + " " + Quoted(path), output), 1) << c.name;
    const std::string expected = "\ncadhost: cannot open the drawing " + path + ": " + c.reason;
    EXPECT_NE(("\n" + output).find(expected), std::string::npos) << c.name << ": " << output;
    EXPECT_EQ(Occurrences(output, "cannot open"), 1u) << output;
    EXPECT_EQ(output.find("eBad"), std::string::npos) << output;
  }
  std::string output;
  EXPECT_EQ(Run_Command(Cadhost() + " /nonexistent/none.dxf", output), 1);
  EXPECT_NE(output.find("cadhost: cannot open the drawing /nonexistent/none.dxf: the file does not exist"),
            std::string::npos)
      << output;
  // A folder exists but is no drawing file.
  const std::string folder = std::filesystem::path(Write_Temp("beside.dxf", "")).parent_path().string();
  EXPECT_EQ(Run_Command(Cadhost() + " " + Quoted(folder), output), 1);
  EXPECT_NE(output.find("cadhost: cannot open the drawing " + folder + ": cannot be opened"), std::string::npos)
      << output;
}

// A lenient read says how many details it dropped; --list-warnings lists them by line.
TEST(CadhostMessages, WarningsAreCountedAndListedOnRequest) {
  const std::string path = Write_Temp("lenient.dxf",
                                      "  0\nSECTION\n  2\nENTITIES\n"
                                      "  0\nLINE\n  8\n0\n 10\nabc\n 20\n1\n 11\n5\n 21\n5\n"
                                      "  0\nENDSEC\n");
  std::string output;
  ASSERT_EQ(Run_Command(Cadhost() + " " + Quoted(path), output), 0) << output;
  EXPECT_NE(output.find("cadhost: " + path + ": 2 warnings while reading (--list-warnings lists them)"),
            std::string::npos)
      << output;
  EXPECT_EQ(output.find("line 10:"), std::string::npos) << output;

  ASSERT_EQ(Run_Command(Cadhost() + " --list-warnings " + Quoted(path), output), 0) << output;
  EXPECT_NE(output.find("  line 10: expected a real number for group code 10, found 'abc'; ignored\n"),
            std::string::npos)
      << output;
  EXPECT_NE(output.find("  line 19: the file ends without 0 EOF\n"), std::string::npos) << output;

  // A clean drawing says nothing about warnings.
  ASSERT_EQ(Run_Command(Cadhost() + " --list-warnings " + Quoted(Fixture("drawing.dxf")), output), 0) << output;
  EXPECT_EQ(output.find("warning"), std::string::npos) << output;
}

}  // namespace
}  // namespace platform
