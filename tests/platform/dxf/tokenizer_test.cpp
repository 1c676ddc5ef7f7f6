#include "dxf/dxf_tokenizer.h"
#include "dxf/dxf_warnings.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "real_drawings.h"

namespace platform {
namespace {

std::vector<DxfGroup> All_Groups(std::string_view text) {
  DxfTokenizer tokens(text);
  std::vector<DxfGroup> groups;
  DxfGroup g;
  while (tokens.next(g)) groups.push_back(g);
  return groups;
}

std::string Read_File(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(DxfTokenizer, SplitsGroupsAcrossLineEndingsAndSkipsComments) {
  for (std::string_view text : {"  0\nSECTION\n  2\nHEADER\n999\nnote\n 10\n 1.5 \n  0\nEOF\n",
                                "\xEF\xBB\xBF  0\r\nSECTION\r\n  2\r\nHEADER\r\n999\r\nnote\r\n 10\r\n 1.5 \r\n  0\r\nEOF\r\n\r\n"}) {
    auto groups = All_Groups(text);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].code, 0);
    EXPECT_EQ(groups[0].value, "SECTION");
    EXPECT_EQ(groups[1].value, "HEADER");
    EXPECT_EQ(groups[2].code, 10);
    EXPECT_DOUBLE_EQ(groups[2].to_double(), 1.5);
    EXPECT_EQ(groups[2].line, 7u);
    EXPECT_EQ(groups[3].value, "EOF");
  }
}

TEST(DxfTokenizer, KeepsBlanksOfStringValues) {
  auto groups = All_Groups("  1\n  two words  \n");
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].value, "  two words  ");
  EXPECT_EQ(groups[0].trimmed(), "two words");
}

TEST(DxfTokenizer, ParsesNumbersAsWritersWriteThem) {
  struct Case {
    const char* value;
    double real;
  } cases[] = {{"+1.0", 1.0}, {"-.5", -0.5}, {"1e3", 1000.0}, {"  7", 7.0}, {"2.", 2.0}};
  for (const Case& c : cases) {
    DxfGroup g{40, c.value, 1};
    EXPECT_DOUBLE_EQ(g.to_double(), c.real) << c.value;
  }
  EXPECT_EQ((DxfGroup{70, " 1.0", 1}.to_int()), 1);  // a real where an integer belongs
  EXPECT_EQ((DxfGroup{5, "1A2f", 1}.to_handle()), 0x1A2Fu);
  EXPECT_EQ((DxfGroup{160, "8589934592", 1}.to_int64()), 8589934592);
}

// Every real is the double nearest its decimal, whichever way it is parsed (a short plain
// decimal takes a quicker way than one with an exponent or many digits).
TEST(DxfTokenizer, RealsAreTheNearestDoubles) {
  for (const char* value : {"0.1", "-12.375", "0.3", "2.675", "123456789.123456", "999999999999999",
                            "0.000000000000001", "1234567890123456789", "-0", "3.14159265358979",
                            "3.141592653589793", "1e-7", "4.35", "0.07"}) {
    double expected = 0;
    std::from_chars(value, value + std::strlen(value), expected);
    const double read = DxfGroup{40, value, 1}.to_double();
    EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0) << value << ": " << read << " instead of " << expected;
  }
}

// A value that does not fit its group code is a warning naming the value's line; the
// fallback stands for it.
TEST(DxfTokenizer, BadValuesAreWarningsNamingTheirLine) {
  struct Case {
    DxfGroup group;
    const char* message;
  } cases[] = {
      {{40, "abc", 11}, "expected a real number for group code 40, found 'abc'; ignored"},
      {{70, "1.5", 3}, "expected an integer for group code 70, found '1.5'"},
      {{70, "99999999999", 3}, "expected an integer for group code 70"},
      {{70, "1e10", 3}, "expected an integer for group code 70"},  // a whole real beyond 32 bits
      {{160, "1e19", 3}, "expected an integer for group code 160"},
      {{340, "Standard", 1}, "expected a hexadecimal handle for group code 340, found 'Standard'"},
      {{341, "", 1}, "expected a hexadecimal handle for group code 341, found ''"},
      {{40, "nan", 1}, "expected a real number"},
      {{40, "inf", 1}, "expected a real number"},
      {{40, "1e999", 1}, "expected a real number"},
  };
  for (const Case& c : cases) {
    DxfWarnings warnings;
    double real = 0;
    int64_t integer = 0;
    {
      DxfWarningScope scope(warnings);
      if (c.group.code == 40) real = c.group.to_double(-2);
      else if (c.group.code >= 340) integer = static_cast<int64_t>(c.group.to_handle());
      else if (c.group.code == 160) integer = c.group.to_int64(-2);
      else integer = c.group.to_int(-2);
    }
    ASSERT_EQ(warnings.count(), 1u) << c.group.value;
    EXPECT_EQ(warnings.listed()[0].line, c.group.line + 1);
    EXPECT_NE(warnings.listed()[0].reason.find(c.message), std::string::npos) << warnings.listed()[0].reason;
    if (c.group.code == 40) EXPECT_EQ(real, -2) << c.group.value;
    else EXPECT_EQ(integer, c.group.code >= 340 ? 0 : -2) << c.group.value;
  }
}

TEST(DxfTokenizer, ReadsLinesEndedByDoubledCarriageReturns) {
  auto groups = All_Groups("  0\r\r\nSECTION\r\r\n  2\r\r\nENTITIES\r\r\n");
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].value, "SECTION");
  EXPECT_EQ(groups[1].value, "ENTITIES");
  EXPECT_EQ(groups[1].line, 3u);
}

TEST(DxfTokenizer, MalformedStructureNamesTheLine) {
  struct Case {
    std::string_view text;
    const char* message;
  } cases[] = {
      {"  0\nSECTION\nHEADER\n", "line 3: expected a group code, found 'HEADER'"},
      {"  0\nSECTION\n  2\n", "line 3: expected the value of group code 2, found the end of the file"},
      {"  0\nSECTION\n70000\nX\n", "line 3: expected a group code, found '70000'"},
      {"  0\nSECTION\n-1\nX\n", "line 3: expected a group code"},
      {"  0\nSECTION\n\n  0\nEOF\n", "line 3: expected a group code, found ''"},
  };
  for (const Case& c : cases) {
    try {
      All_Groups(c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const DxfError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(DxfTokenizer, UnreadGivesTheGroupBackOnce) {
  DxfTokenizer tokens("  0\nLINE\n  8\nA\n");
  DxfGroup g;
  ASSERT_TRUE(tokens.next(g));
  tokens.unread(g);
  DxfGroup again;
  ASSERT_TRUE(tokens.next(again));
  EXPECT_EQ(again.value, "LINE");
  ASSERT_TRUE(tokens.next(again));
  EXPECT_EQ(again.value, "A");
  EXPECT_FALSE(tokens.next(again));
}

// The binary files of the real-world set read to the same groups an ASCII reader would see.
TEST(BinaryDxf, ConvertsRealFilesOfR12AndLater) {
  struct Case {
    const char* file;
    const char* version;
  } cases[] = {{"acadsharp/samples/sample_AC1009_binary.dxf", "AC1009"},
               {"acadsharp/samples/sample_AC1032_binary.dxf", "AC1032"},
               {"ezdxf/integration_tests/data/bin_dxf_r13.dxf", "AC1012"}};
  for (const Case& c : cases) KORVEL_REQUIRE_REAL_DRAWING(c.file);
  for (const Case& c : cases) {
    std::string data = Read_File(korvel_test::Real_Drawing(c.file));
    ASSERT_TRUE(Is_Binary_Dxf(data)) << c.file;
    std::string text = Binary_Dxf_To_Text(data);
    auto groups = All_Groups(text);
    ASSERT_GT(groups.size(), 100u) << c.file;
    EXPECT_EQ(groups[0].value, "SECTION");
    EXPECT_EQ(groups[1].value, "HEADER");
    EXPECT_EQ(groups[2].value, "$ACADVER");
    EXPECT_EQ(groups[3].value, c.version);
    EXPECT_EQ(groups.back().value, "EOF") << c.file;
    size_t entities = 0;
    for (auto& g : groups)
      if (g.code == 2 && g.value == "ENTITIES") ++entities;
    EXPECT_EQ(entities, 1u) << c.file;
  }
}

TEST(BinaryDxf, TruncatedDataIsAnErrorNotACrash) {
  KORVEL_REQUIRE_REAL_DRAWING("acadsharp/samples/sample_AC1032_binary.dxf");
  std::string data = Read_File(korvel_test::Real_Drawing("acadsharp/samples/sample_AC1032_binary.dxf"));
  for (size_t cut : {size_t{23}, size_t{25}, data.size() - 3, data.size() - 1}) {
    EXPECT_THROW(Binary_Dxf_To_Text(std::string_view(data).substr(0, cut)), DxfError)
        << cut << " of " << data.size();
  }
  EXPECT_FALSE(Is_Binary_Dxf("  0\nSECTION\n"));
}

}  // namespace
}  // namespace platform
