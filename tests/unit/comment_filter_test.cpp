// The character walk: line breaks, comments and directive lines never reach the parser, and
// everything else does, in the order of the filter's rules.

#include "reader/comment_filter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tests/unit/reader_walk.h"

namespace fontscan::testing {
namespace {

using namespace std::string_literals;

// All with two bytes per symbol.
struct FilterCase {
  const char* name;
  std::string text;
  std::string out;
  Symbols symbols;
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.name; }

class FilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTest, WhatReachesTheParser) {
  const FilterCase& c = GetParam();
  WalkResult result = Walk(2, c.text);
  EXPECT_EQ(result.out, c.out);
  ExpectSymbolTable(result.state, c.symbols);
}

const std::string kOne = Finished(1);
const std::string kTwo = Finished(1) + Finished(2);

const FilterCase kCases[] = {
    // Line breaks vanish, even inside a number.
    {"HexNumberAcrossCrLf", "{{0x1\r\n2,3}}", kOne, {{0x12, 3}}},
    {"DecimalNumberAcrossLf", "{{1\n2,3}}", kOne, {{12, 3}}},
    {"LineBreakAfterPrefix", "{{0x\r\n12,3}}", kOne, {{0x12, 3}}},
    {"HashDoesNotEndNumber", "{{0x1#C\r\n2,3}}", kOne, {{0x12, 3}}},
    // The first '/' of a comment is an ordinary character: it ends the number, and a digit
    // after the comment is a second number without a comma, which is ignored.
    {"SlashOfLineCommentEndsNumber", "{{0x1//c\n2,3}}", kOne, {{1, 3}}},
    {"SlashOfBlockCommentEndsNumber", "{{0x1/*c*/2,3}}", kOne, {{1, 3}}},
    // Directive lines.
    {"DirectiveLineBeforeArray", "#define GLYPH {9,9}\r\n{{1,2}}", kOne, {{1, 2}}},
    {"HashMidLineSkipsRestOfLine", "{{1,2}, # {3,4}}\n{5,6}}", kTwo, {{1, 2}, {5, 6}}},
    {"CrAloneEndsDirective", "#x\r{{1,2}}", kOne, {{1, 2}}},
    {"BlockCommentFromDirectiveRunsPastLineEnd",
     "#define A /* {\n{{9,9}} */\n{{1,2}}",
     kOne,
     {{1, 2}}},
    {"DirectiveOutlivesBlockCommentOnItsLine",
     "#define A /* x */ {{9,9}}\n{{1,2}}",
     kOne,
     {{1, 2}}},
    {"DirectiveEndsAtBreakInsideBlockComment", "#define A /* x\n */ {{1,2}}", kOne, {{1, 2}}},
    // Comments.
    {"LineCommentAfterLastByte", "{{1,2}, // {9,9},\n{3,4}}", kTwo, {{1, 2}, {3, 4}}},
    {"CrAloneEndsLineComment", "{{1,2}, // x\r{3,4}}", kTwo, {{1, 2}, {3, 4}}},
    {"HashInsideBlockComment", "/* # */{{1,2}}", kOne, {{1, 2}}},
    {"SlashesInsideBlockComment", "/* // */{{1,2}}", kOne, {{1, 2}}},
    {"BlockOpeningInsideLineComment", "// /* \n{{1,2}}", kOne, {{1, 2}}},
    {"SymbolsInsideBlockComment", "/* {{1,2},{3,4}} */ and nothing else", "", {}},
    {"TextEndsInsideBlockComment", "{{1,2},{3,4}, /* {5,6}} ", kTwo, {{1, 2}, {3, 4}}},
    {"CommentEndOutsideComment", "{{1,2}*/,{3,4}}", kTwo, {{1, 2}, {3, 4}}},
    {"SlashStarSlashOpensAndCloses", "{{1/*/,2}}", kOne, {{1, 2}}},
    {"StarSlashSlashClosesThenOpensLineComment", "/* c *// {{9,9}}\n{{1,2}}", kOne, {{1, 2}}},
    // The previous character is the raw one before, filtered or not.
    {"StarAfterClosingSlashOpensAnotherComment", "/* a */* {{9,9}} */{{1,2}}", kOne, {{1, 2}}},
    {"SlashAndStarOnTwoLinesAreNoComment", "{{1,2},/\r\n* {3,4}}", kTwo, {{1, 2}, {3, 4}}},
    {"LineBreakBetweenZeroAndX",
     "{{0\r\nx1,2}}",
     ErrorReport(6, "Letter x found in wrong place. Symbol #1. Byte #0. Content: '0'."),
     {{0, 0}}},
    // Only a to z are upper-cased; other bytes, NUL included, are ordinary characters.
    {"HighBytesBetweenSymbols", "{{1,2}\xE1\xC1\xAA\xFF,{3,4}}", kTwo, {{1, 2}, {3, 4}}},
    {"NulEndsNumber", "{{1\0 2,3}}"s, kOne, {{1, 3}}},
    // Positions count every byte, filtered ones included.
    {"PositionAfterBlockComment",
     "/* c */\r\n}",
     ErrorReport(10, "Found symbol } in wrong place. Current symbol #0, current byte #0."),
     {}},
    {"PositionAfterLineCommentAndDirective",
     "// x\n#y\r\n}",
     ErrorReport(10, "Found symbol } in wrong place. Current symbol #0, current byte #0."),
     {}},
};

INSTANTIATE_TEST_SUITE_P(Filter, FilterTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace fontscan::testing
