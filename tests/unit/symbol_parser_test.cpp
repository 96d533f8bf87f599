// The symbol definition parser, fed through the character walk: console text and symbol table.

#include "reader/symbol_parser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tests/unit/reader_walk.h"

namespace fontscan::testing {
namespace {

struct ParseCase {
  const char* name;
  std::int32_t symbol_size;
  std::string text;
  std::string out;  // the whole console text
  Symbols symbols;  // every symbol opened, with its bytes
  bool error;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ConsoleTextAndSymbolTable) {
  const ParseCase& c = GetParam();
  WalkResult result = Walk(c.symbol_size, c.text);
  EXPECT_EQ(result.out, c.out);
  EXPECT_EQ(result.state.CONTENTERROR, c.error);
  EXPECT_FALSE(result.state.FSHOWHELP);  // the walk leaves the help decision to the caller
  ASSERT_EQ(result.state.SYMBOLSCOUNT, static_cast<std::int32_t>(c.symbols.size()));
  ExpectSymbolTable(result.state, c.symbols);
}

const ParseCase kCases[] = {
    // Fonts of two bytes per symbol, as named 2X8_...
    {"HexAndDecimalSymbols",
     2,
     "{{0x01,0x02},{3,4}} } {5",
     Finished(1) + Finished(2),
     {{1, 2}, {3, 4}},
     false},
    {"OneHexDigitAndTopDecimal", 2, "{{0x1,255}}", Finished(1), {{0x01, 0xFF}}, false},
    {"MixedCaseHex", 2, "{{0XaB,0xfF}}", Finished(1), {{0xAB, 0xFF}}, false},
    {"SpacesAndTabsAround", 2, "{ {\t1 ,\t2 } }", Finished(1), {{1, 2}}, false},
    {"TextBeforeArrayIgnored",
     2,
     "const char font_2x8[2][2] = 0x55 {{1,2}}",
     Finished(1),
     {{1, 2}},
     false},
    {"DigitsBeforePrefixDropped", 2, "{{10x5,1}}", Finished(1), {{5, 1}}, false},
    {"SecondNumberWithoutCommaIgnored", 2, "{{1 2,3}}", Finished(1), {{1, 3}}, false},
    {"LeadingZerosDecimal", 2, "{{007,1}}", Finished(1), {{7, 1}}, false},
    {"CommaAfterArrayOpening", 2, "{,{1,2}}", Finished(1), {{1, 2}}, false},
    {"OtherLettersBetweenSymbolsIgnored",
     2,
     "{{1,2} G Z {3,4}}",
     Finished(1) + Finished(2),
     {{1, 2}, {3, 4}},
     false},
    {"TextEndsInsideSymbol", 2, "{{1,2},{3", Finished(1), {{1, 2}, {0, 0}}, false},
    {"DecimalAbove255",
     2,
     "{{256,1}}",
     ErrorReport(6, "Wrong byte found in symbol #1. Byte #0. Content: '256'.") +
         ErrorReport(6,
                     "Unexpected comma symbol found in symbol #1 definition. Byte #0. "
                     "Content: '256'."),
     {{0, 0}},
     true},
    {"DecimalPast32Bits",
     2,
     "{{4294967296,1}}",
     ErrorReport(13, "Wrong byte found in symbol #1. Byte #0. Content: '4294967296'.") +
         ErrorReport(13,
                     "Unexpected comma symbol found in symbol #1 definition. Byte #0. "
                     "Content: '4294967296'."),
     {{0, 0}},
     true},
    {"DecimalWithHexLetter",
     2,
     "{{1A,2}}",
     ErrorReport(5, "Wrong byte found in symbol #1. Byte #0. Content: '1A'.") +
         ErrorReport(5,
                     "Unexpected comma symbol found in symbol #1 definition. Byte #0. "
                     "Content: '1A'."),
     {{0, 0}},
     true},
    {"HexWithThreeDigits",
     2,
     "{{0x123}}",
     ErrorReport(8, "Wrong byte found in symbol #1. Byte #0. Content: '123'.") +
         ErrorReport(8, "Wrong size of symbol #1. Size: 1 bytes. Expected: 2 bytes."),
     {{0, 0}},
     true},
    {"HexWithoutDigits",
     2,
     "{{0x,1}}",
     ErrorReport(5, "Wrong byte found in symbol #1. Byte #0. Content: ''."),
     {{0, 0}},
     true},
    {"SecondPrefixInOneNumber",
     2,
     "{{0x10x5,1}}",
     ErrorReport(7, "Text 0x found in wrong place. Symbol #1. Byte #0. Content: ''."),
     {{0, 0}},
     true},
    {"PrefixAfterCompleteNumber",
     2,
     "{{0x01 0x02}}",
     ErrorReport(9, "Text 0x found in wrong place. Symbol #1. Byte #0. Content: '01'."),
     {{1, 0}},
     true},
    {"LetterXAfterDigit",
     2,
     "{{1x,2}}",
     ErrorReport(4, "Letter x found in wrong place. Symbol #1. Byte #0. Content: '1'."),
     {{0, 0}},
     true},
    {"TwoCommasInsideSymbol",
     2,
     "{{0x01,,0x02}}",
     ErrorReport(8, "Too much comma symbols found in symbol #1 definition. Byte #1. Content: ''."),
     {{1, 0}},
     true},
    {"CommaBeforeFirstNumber",
     2,
     "{{,1,2}}",
     ErrorReport(3, "Unexpected comma symbol found in symbol #1 definition. Byte #0. Content: ''."),
     {{0, 0}},
     true},
    {"CommaAfterLastNumber",
     2,
     "{{0x01,0x02,}}",
     ErrorReport(12,
                 "Too much comma symbols found in symbol #1 definition. Byte #1. Content: '02'."),
     {{1, 2}},
     true},
    {"TooFewBytes",
     2,
     "{{0x01}}",
     ErrorReport(7, "Wrong size of symbol #1. Size: 1 bytes. Expected: 2 bytes."),
     {{1, 0}},
     true},
    {"EmptySymbol",
     2,
     "{{}}",
     ErrorReport(3, "Wrong size of symbol #1. Size: 1 bytes. Expected: 2 bytes."),
     {{0, 0}},
     true},
    {"CommaWithoutNumberBeforeBrace",
     2,
     "{{0x01,}}",
     ErrorReport(8, "Wrong end syntax of symbol #1."),
     {{1, 0}},
     true},
    {"TwoCommasBetweenSymbols",
     2,
     "{{1,2},,{3,4}}",
     Finished(1) + ErrorReport(8, "Too much comma symbols found after symbol #1 definition."),
     {{1, 2}},
     true},
    {"TwoCommasAfterArrayOpening",
     2,
     "{,,{1,2}}",
     ErrorReport(3, "Too much comma symbols found after symbol #0 definition."),
     {},
     true},
    {"HexLetterBetweenSymbols",
     2,
     "{{1,2} A {3,4}}",
     Finished(1) + ErrorReport(8,
                               "Hex digit (0..9, A..F) or x found between symbol definitions "
                               "after symbol #1."),
     {{1, 2}},
     true},
    {"LowerCaseXBetweenSymbols",
     2,
     "{{1,2} x {3,4}}",
     Finished(1) + ErrorReport(8,
                               "Hex digit (0..9, A..F) or x found between symbol definitions "
                               "after symbol #1."),
     {{1, 2}},
     true},
    {"BraceInsideSymbol",
     2,
     "{{1,{2}}",
     ErrorReport(5, "Found symbol { in wrong place, current symbol #1, current byte #1."),
     {{1, 0}},
     true},
    {"ClosingBraceBeforeArray",
     2,
     "}{{1,2}}",
     ErrorReport(1, "Found symbol } in wrong place. Current symbol #0, current byte #0."),
     {},
     true},
    // One byte per symbol, as named 1X8_...: a three-digit hex number is reported, then counts
    // as complete with the value converted last.
    {"OneByteHexWithThreeDigits",
     1,
     "{{0x123}}",
     ErrorReport(8, "Wrong byte found in symbol #1. Byte #0. Content: '123'.") + Finished(1),
     {{0}},
     true},
    {"OneByteHexWithThreeDigitsKeepsLastValue",
     1,
     "{{7},{0x123}}",
     Finished(1) + ErrorReport(12, "Wrong byte found in symbol #2. Byte #0. Content: '123'.") +
         Finished(2),
     {{7}, {7}},
     true},
    {"OneByteAnyCommaInsideIsTooMany",
     1,
     "{{1,}}",
     ErrorReport(4, "Too much comma symbols found in symbol #1 definition. Byte #0. Content: '1'."),
     {{1}},
     true},
    {"SixteenBytesExpected",
     16,
     "{{1,2,3}}",
     ErrorReport(8, "Wrong size of symbol #1. Size: 3 bytes. Expected: 16 bytes."),
     {{1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
     true},
};

INSTANTIATE_TEST_SUITE_P(Parser, ParseTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A one-byte font of `count` symbols "{n}," inside the array, followed by `tail`. Returns the
// text; `position` receives the position of the last symbol's '{'.
std::string ManySymbols(int count, std::int32_t& position, const std::string& tail) {
  std::string text = "{";
  for (int i = 1; i <= count; ++i) {
    position = static_cast<std::int32_t>(text.size()) + 1;
    text += "{" + std::to_string(i * 7 % 256) + "},";
  }
  return text + tail;
}

TEST(ParserCapacity, FullTableIsNoProblem) {
  std::int32_t last = 0;
  WalkResult result = Walk(1, ManySymbols(4096, last, "}"));
  EXPECT_EQ(result.out, FinishedRange(1, 4096));
  EXPECT_FALSE(result.state.CONTENTERROR);
  EXPECT_EQ(result.state.SYMBOLSDATA.count(), 4096);
}

TEST(ParserCapacity, SymbolPastTheTableWarnsAndEndsTheWalk) {
  std::int32_t last = 0;
  // What follows the 4097th '{' would be an error if it were read.
  WalkResult result = Walk(1, ManySymbols(4097, last, "}}} x"));
  const std::string warning =
      "\r\nWARNING: Found too many symbols in input file!\r\n"
      "         File position: " +
      PositionText(last) +
      "\r\n"
      "         Symbols after #4096 will not be converted,\r\n"
      "         all text after that symbol definition will be ignored.\r\n";
  EXPECT_EQ(result.out, FinishedRange(1, 4096) + warning);
  EXPECT_FALSE(result.state.CONTENTERROR);
  EXPECT_FALSE(result.state.FSHOWHELP);
  EXPECT_EQ(result.state.SYMBOLSCOUNT, 4097);
  ASSERT_EQ(result.state.SYMBOLSDATA.count(), 4096);
  EXPECT_EQ(result.state.SYMBOLSDATA.at(1, 0), 7);
  EXPECT_EQ(result.state.SYMBOLSDATA.at(4096, 0), 4096 * 7 % 256);
}

struct DecimalCase {
  const char* text;
  std::int32_t value;  // -1: not a decimal number; 256: anything above 255
};

TEST(DecimalValue, JudgedInFull) {
  const DecimalCase cases[] = {
      {"0", 0},
      {"7", 7},
      {"255", 255},
      {"007", 7},
      {"00000000000000000000000000000000255", 255},
      {"256", 256},
      {"4294967296", 256},            // 2^32: zero if the value wrapped at 32 bits
      {"4294967551", 256},            // 2^32 + 255
      {"2147483903", 256},            // 2^31 + 255: negative if it wrapped at signed 32 bits
      {"18446744073709551871", 256},  // 2^64 + 255
      {"99999999999999999999999999999999999999", 256},
      {"", -1},
      {"A", -1},
      {"1A", -1},
      {"0F0", -1},
  };
  for (const DecimalCase& c : cases) {
    const std::int32_t value = DecimalValue(c.text);
    if (c.value == 256) {
      EXPECT_GT(value, 255) << c.text;
    } else {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

}  // namespace
}  // namespace fontscan::testing
