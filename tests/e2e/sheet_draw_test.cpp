// Drawing fonts: every pixel of the sheet written, against the sheet worked out here from the
// cell geometry, the bit of each pixel and the colour rules.

#include <string>
#include <vector>

#include "tests/e2e/sheet_fixture.h"

namespace fontscan::testing {
namespace {

struct DrawCase {
  const char* what;
  int width, height, count;
  std::vector<std::string> entries;
};

std::ostream& operator<<(std::ostream& out, const DrawCase& c) { return out << c.what; }

class SheetDraw : public SheetRun, public ::testing::WithParamInterface<DrawCase> {};

// Draws a font of the case's size into WxH_draw.png and checks the console and every pixel.
TEST_P(SheetDraw, WritesTheSheetOfItsGeometry) {
  const DrawCase& c = GetParam();
  const SheetOptions options = OptionsOf(c.entries);
  // No bits in padding rows here: those have their own test.
  const FontModel font = WithoutPadding(PatternFont(c.width, c.height, c.count, c.count),
                                        options.layout(), options.lsb());
  const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
  WriteFile(size + "_draw.h", FontSource(font));
  std::vector<std::string> arguments{size + "_draw.h"};
  arguments.insert(arguments.end(), c.entries.begin(), c.entries.end());

  const ProcessResult result = RunSheet(arguments);
  const std::string report_name =
      std::to_string(c.width) + "X" + std::to_string(c.height) + "_DRAW.H";
  EXPECT_EQ(result.out, Joined({ReadingLines(c.count), kWritten,
                                FoundSheetReport(report_name, c.width, c.height, options)}));
  EXPECT_EQ(result.exit_code, 0);
  const std::optional<std::string> png = ReadFile(size + "_draw.png");
  ASSERT_TRUE(png) << "no sheet written";
  EXPECT_TRUE(IsSheet(*png, ExpectedSheet(font, options)));
}

INSTANTIATE_TEST_SUITE_P(
    Geometries, SheetDraw,
    ::testing::Values(
        // 20 symbols in lines of 16: the last line has 12 unused cells.
        DrawCase{"horizontal, delimiters", 8, 8, 20, {}},
        DrawCase{"vertical, delimiters", 8, 8, 20, {"/V"}},
        DrawCase{"horizontal, no delimiters", 8, 8, 20, {"/ND"}},
        DrawCase{"vertical, no delimiters", 8, 8, 20, {"/ND", "/V"}},
        DrawCase{"one per line", 5, 7, 10, {"/L1"}},
        DrawCase{"one per line, vertical", 5, 7, 4, {"/L1", "/V"}},
        DrawCase{"three per line, vertical, two unused", 5, 7, 10, {"/L3", "/V"}},
        DrawCase{"seven per line at scale 3", 6, 8, 15, {"/L7", "/S3"}},
        DrawCase{"seven per line, one full line", 6, 8, 7, {"/L7", "/ND"}},
        DrawCase{"fewer symbols than a line", 6, 8, 3, {"/L7", "/S2"}},
        // From 10 pixels on both grid tints show: columns and rows 5 and 10 (counted from 1).
        DrawCase{"grid tints", 12, 16, 9, {"/L4"}},
        DrawCase{"grid tints at scale 3, vertical", 12, 16, 5, {"/L3", "/S3", "/V"}},
        DrawCase{"grid tints, no delimiters", 10, 10, 3, {"/ND"}},
        DrawCase{"scale 1 asked for", 12, 16, 2, {"/S1"}},
        DrawCase{"one pixel font at scale 16", 1, 1, 3, {"/S16"}},
        DrawCase{"grey scheme", 12, 16, 20, {"/BW"}},
        DrawCase{"every colour given",
                 12,
                 16,
                 19,
                 {"/CBF0E8D8", "/CD405060", "/CF102030", "/CG10D0E0F0", "/CG5A0B0C0"}},
        DrawCase{"grey scheme with a delimiter colour over it", 8, 8, 3, {"/BW", "/CD3355AA"}}));

// Each byte layout with each first bit, the 16x12 font making columns and pages differ.
INSTANTIATE_TEST_SUITE_P(
    Layouts, SheetDraw,
    ::testing::Values(
        DrawCase{"columns, LSB by default", 16, 12, 6, {"/L4"}},
        DrawCase{"columns, LSB", 16, 12, 6, {"/L4", "/LSB"}},
        DrawCase{"columns, MSB", 16, 12, 6, {"/L4", "/MSB"}},
        DrawCase{"pages, LSB by default", 16, 12, 6, {"/L4", "/PAGES"}},
        DrawCase{"pages, LSB", 16, 12, 6, {"/L4", "/LSB", "/PAGES"}},
        DrawCase{"pages, MSB", 16, 12, 6, {"/L4", "/MSB", "/PAGES"}},
        DrawCase{"rows, MSB by default", 16, 12, 6, {"/L4", "/ROWS"}},
        DrawCase{"rows, LSB", 16, 12, 6, {"/L4", "/LSB", "/ROWS"}},
        DrawCase{"rows, MSB", 16, 12, 6, {"/L4", "/MSB", "/ROWS"}},
        // Given together, /MSB sorts after /LSB and wins; /ROWS wins over /PAGES.
        DrawCase{
            "rows over pages, MSB over LSB", 16, 12, 6, {"/L4", "/LSB", "/MSB", "/PAGES", "/ROWS"}},
        DrawCase{"pages of a 12x16 font", 12, 16, 5, {"/PAGES"}},
        DrawCase{"rows of an 8x8 font", 8, 8, 5, {"/ROWS"}}));

// The bit of a pixel in each layout, shown on one 8x16 symbol with a single byte set: where its
// pixels land on the sheet is spelled out here without the shared pixel map.
TEST_F(SheetRun, OneByteLandsWhereItsLayoutPutsIt) {
  struct Case {
    std::vector<std::string> entries;
    int byte;
    std::uint8_t value;
    std::vector<Point> pixels;  // the set font pixels, column and row
  };
  const Case cases[] = {
      // Columns: byte 3 is the lower half of column 1; bit 0 (LSB) is its top, row 8.
      {{}, 3, 0x01, {{1, 8}}},
      {{"/MSB"}, 3, 0x01, {{1, 15}}},
      // Pages: byte 9 is the second page, column 1.
      {{"/PAGES"}, 9, 0x81, {{1, 8}, {1, 15}}},
      {{"/PAGES", "/MSB"}, 9, 0x03, {{1, 14}, {1, 15}}},
      // Rows: one byte a row; byte 3 is row 3, bit 7 (MSB) at the left.
      {{"/ROWS"}, 3, 0x80, {{0, 3}}},
      {{"/ROWS", "/LSB"}, 3, 0x80, {{7, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entries.empty() ? "columns" : c.entries[0] + " " + c.entries.back());
    FontModel font;
    font.width = 8;
    font.height = 16;
    font.symbols.assign(1, Bytes(16, 0));
    font.symbols[0][c.byte] = c.value;
    WriteFile("8x16_one.h", FontSource(font));
    std::vector<std::string> arguments{"8x16_one.h", "/Y"};
    arguments.insert(arguments.end(), c.entries.begin(), c.entries.end());
    ASSERT_EQ(RunSheet(arguments).exit_code, 0);

    // By hand: a 10x18 sheet, green frame, grey paper with the 5/10 grid, black where set.
    Image expected;
    expected.width = 10;
    expected.height = 18;
    expected.pixels.assign(180, 0x00FF00);
    for (int r = 0; r < 16; ++r) {
      for (int col = 0; col < 8; ++col) {
        std::uint32_t colour = 0xE6E6E6;
        if (col == 4 || r == 4 || r == 14) colour = 0xCCFFFF;
        if (r == 9) colour = 0x99FFFF;
        expected.at(1 + col, 1 + r) = colour;
      }
    }
    for (const Point& p : c.pixels) expected.at(1 + p.x, 1 + p.y) = 0x000000;
    const std::optional<std::string> png = ReadFile("8x16_one.png");
    ASSERT_TRUE(png);
    EXPECT_TRUE(IsSheet(*png, expected));
  }
}

}  // namespace
}  // namespace fontscan::testing
