// The walk where its fast path takes over and hands back: runs of bytes, numbers that go on past
// a line break or a directive, comma counts at their limit, comments right after a comment, and
// texts that end in the middle of something. What is left behind must be what the one-character
// walk leaves, down to the number text the parser keeps.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tests/unit/reader_walk.h"

namespace fontscan::testing {
namespace {

struct FastCase {
  const char* name;
  std::int32_t symbol_size;
  std::string text;
  std::string out;
  Symbols symbols;
  std::string byte_data;  // BYTEDATA at the end
  bool byte_is_hex;
  bool in_symbol;  // STIN2 at the end
};

void PrintTo(const FastCase& c, std::ostream* os) { *os << c.name; }

const FastCase kCases[] = {
    {"HexRunWithAndWithoutBlanks",
     4,
     "{{0x01,0x02, 0xfe,\t0XAb}}",
     Finished(1),
     {{0x01, 0x02, 0xFE, 0xAB}},
     "AB",
     true,
     false},
    {"LoneHexDigitKeptWithAZeroInFront",
     2,
     "{{0x1,0x2 }}",
     Finished(1),
     {{0x01, 0x02}},
     "02",
     true,
     false},
    {"DecimalLastKeepsItsDigits", 2, "{{0x10,007}}", Finished(1), {{0x10, 7}}, "007", false, false},
    {"NumberGoesOnAfterALineBreak",
     2,
     "{{0x1\r\n2,3}}",
     Finished(1),
     {{0x12, 3}},
     "3",
     false,
     false},
    {"NumberGoesOnAfterADirective",
     2,
     "{{0x1#x\n2,3}}",
     Finished(1),
     {{0x12, 3}},
     "3",
     false,
     false},
    {"LineCommentEndsANumber", 2, "{{0x1// c\n,3}}", Finished(1), {{0x01, 3}}, "3", false, false},
    {"CommaAfterTheLastByteInARun",
     3,
     "{{0x01,0x02,0x03,0x04}}",
     ErrorReport(17,
                 "Too much comma symbols found in symbol #1 definition. Byte #2. Content: "
                 "'03'."),
     {{0x01, 0x02, 0x03}},
     "03",
     true,
     false},
    {"CommaAfterTheLastDecimal",
     2,
     "{{1,2,3}}",
     ErrorReport(6, "Too much comma symbols found in symbol #1 definition. Byte #1. Content: '2'."),
     {{1, 2}},
     "2",
     false,
     false},
    {"ClosingBraceTooEarly",
     3,
     "{{0x01,0x02}}",
     ErrorReport(12, "Wrong size of symbol #1. Size: 2 bytes. Expected: 3 bytes."),
     {{1, 2, 0}},
     "02",
     true,
     false},
    {"ClosingBraceAfterAComma",
     2,
     "{{0x01,}}",
     ErrorReport(8, "Wrong end syntax of symbol #1."),
     {{1, 0}},
     "",
     false,
     false},
    // The wrong byte still counts as read, so the comma after it moves on as usual.
    {"ThirdHexDigit",
     2,
     "{{0x123,1}}",
     ErrorReport(8, "Wrong byte found in symbol #1. Byte #0. Content: '123'."),
     {{0, 0}},
     "",
     false,
     false},
    {"OneByteSymbolsInARow",
     1,
     "{ {0x41}, {0x42},\n{66}}",
     Finished(1) + Finished(2) + Finished(3),
     {{0x41}, {0x42}, {66}},
     "66",
     false,
     false},
    {"LineCommentOpenedByACommentsEnd",
     2,
     "{{1,2}/*c*//,,\n,{3,4}}",
     Finished(1) + Finished(2),
     {{1, 2}, {3, 4}},
     "4",
     false,
     false},
    {"LineCommentOpenedByACommentsEndBeforeAStar",
     2,
     "{{1,2}/*c*//*,,\n,{3,4}}*/",
     Finished(1) + Finished(2),
     {{1, 2}, {3, 4}},
     "4",
     false,
     false},
    {"BlockCommentOpenedByACommentsEnd",
     2,
     "{{1,2}/*c*/*,,*/,{3,4}}",
     Finished(1) + Finished(2),
     {{1, 2}, {3, 4}},
     "4",
     false,
     false},
    {"EndsInALineComment", 2, "{{1,2},{3,// 4}}", Finished(1), {{1, 2}, {3, 0}}, "", false, true},
    {"EndsInABlockComment", 2, "{{1,2},{3/* ,4}}", Finished(1), {{1, 2}, {3, 0}}, "3", false, true},
    {"EndsInANumber", 2, "{{1,0x4", "", {{1, 0}}, "4", true, true},
    {"SecondCommaBetweenSymbols",
     2,
     "{{1,2}, ,{3,4}}",
     Finished(1) + ErrorReport(9, "Too much comma symbols found after symbol #1 definition."),
     {{1, 2}},
     "2",
     false,
     false},
};

class FastWalkTest : public ::testing::TestWithParam<FastCase> {};

TEST_P(FastWalkTest, LeavesWhatTheCharacterWalkLeaves) {
  const FastCase& c = GetParam();
  WalkResult result = Walk(c.symbol_size, c.text);
  EXPECT_EQ(result.out, c.out);
  ExpectSymbolTable(result.state, c.symbols);
  EXPECT_EQ(result.state.BYTEDATA, c.byte_data);
  EXPECT_EQ(result.state.BYTEISHEX, c.byte_is_hex);
  EXPECT_EQ(result.state.STIN2, c.in_symbol);
}

INSTANTIATE_TEST_SUITE_P(Fast, FastWalkTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Every byte value in every spelling the fast path reads, in lines laid out as fonts are.
TEST(FastWalk, ReadsEveryValueInEverySpelling) {
  const char* const kSpellings[] = {"0x%02X", "0x%02x", "0X%X", "%u", "%03u"};
  const char* const kGaps[] = {", ", ",", " , ", ",\n    ", ", // row\n", ",\t/* row */ "};
  constexpr std::int32_t kSize = 16;
  std::string text = "const unsigned char font[][16] = {\n";
  Symbols expected;
  std::uint32_t n = 0;
  for (const char* spelling : kSpellings) {
    for (const char* gap : kGaps) {
      for (int symbol = 0; symbol < 4; ++symbol) {
        expected.emplace_back();
        text += "  { ";
        for (std::int32_t row = 0; row < kSize; ++row, ++n) {
          const unsigned value = (n * 37 + 11) % 256;
          expected.back().push_back(static_cast<std::uint8_t>(value));
          char number[8];
          std::snprintf(number, sizeof number, spelling, value);
          text += number;
          text += row + 1 < kSize ? gap : " ";
        }
        text += "},  // glyph\n";
      }
    }
  }
  text += "};\n";
  WalkResult result = Walk(kSize, text);
  EXPECT_EQ(result.out, FinishedRange(1, static_cast<std::int32_t>(expected.size())));
  ExpectSymbolTable(result.state, expected);
}

}  // namespace
}  // namespace fontscan::testing
