#include "sheet/read_cells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/ink.h"

namespace fontscan {
namespace {

constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kPaper{230, 230, 230};
constexpr Rgb kEmpty{0, 255, 0};

// A picture from rows of characters: '#' ink, '.' paper, 'e' the empty-cell colour.
RgbImage Image(const std::vector<std::string>& rows) {
  RgbImage image;
  image.width = static_cast<std::int32_t>(rows[0].size());
  image.height = static_cast<std::int32_t>(rows.size());
  for (const std::string& row : rows) {
    for (char c : row) {
      const Rgb colour = c == '#' ? kInk : c == 'e' ? kEmpty : kPaper;
      image.pixels.insert(image.pixels.end(), {colour.red, colour.green, colour.blue});
    }
  }
  return image;
}

// The scanner after it took every row of `image`, read as cells of `layout` in `grid`.
SheetScanner Scan(const RgbImage& image, const GlyphFormat& format, std::int32_t scale,
                  const SheetLayout& layout, const CellGrid& grid) {
  SheetScanner scanner(format, scale, layout, grid, {image.width, image.height}, 4096);
  std::vector<std::uint8_t> classes(static_cast<std::size_t>(image.width));
  for (std::int32_t y = 0; y < image.height; ++y) {
    for (std::int32_t x = 0; x < image.width; ++x) {
      classes[static_cast<std::size_t>(x)] = PixelClass(image.at(x, y), kEmpty);
    }
    scanner.TakeRow(y, classes.data());
  }
  return scanner;
}

// The symbol of cell 0 of a one-cell sheet.
std::optional<MixedBlock> ReadCell(const RgbImage& image, const GlyphFormat& format,
                                   std::int32_t scale, std::int32_t delimiter,
                                   std::vector<std::uint8_t>& symbol) {
  const SheetLayout layout{format.width * scale, format.height * scale, 1, delimiter, false};
  const SheetScanner scanner = Scan(image, format, scale, layout, {1, 1});
  symbol.assign(scanner.Symbol(0), scanner.Symbol(0) + symbol.size());
  return scanner.Mixed(0);
}

TEST(InkRule, SmallestComponentBelowFifty) {
  const struct {
    Rgb colour;
    bool ink;
  } cases[] = {
      {{49, 255, 255}, true},   {{255, 49, 255}, true},  {{255, 255, 49}, true},
      {{50, 50, 50}, false},    {{50, 255, 255}, false}, {{0, 0, 0}, true},
      {{255, 255, 255}, false}, {{49, 49, 49}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsInk(c.colour), c.ink)
        << int{c.colour.red} << "," << int{c.colour.green} << "," << int{c.colour.blue};
  }
}

// Cells of one pixel, four to a line, no delimiters: the last line decides how many are used.
TEST(UsedCells, TheLastLineEndsAtItsFirstEmptyCell) {
  const SheetLayout layout{1, 1, 4, 0, false};
  const struct {
    std::vector<std::string> rows;
    std::optional<std::int64_t> used;
  } cases[] = {
      {{"#.#.", "##ee"}, 6},
      {{"#.#.", "...."}, 8},
      {{"e#.#", "#eee"}, 5},  // an empty-coloured cell before the last line still counts
      {{"#.#.", "#e#e"}, std::nullopt},
      {{"#.#.", "eeee"}, std::nullopt},
      {{"e..."}, std::nullopt},
      {{"#eee"}, 1},
  };
  for (const auto& c : cases) {
    const RgbImage image = Image(c.rows);
    const CellGrid grid{static_cast<std::int64_t>(c.rows.size()), 4};
    const GlyphFormat format{1, 1, 8, ByteLayout::kColumns, true};
    EXPECT_EQ(Scan(image, format, 1, layout, grid).UsedCells(), c.used) << c.rows.back();
  }
}

TEST(UsedCells, ACellIsEmptyOnlyWhenEveryPixelIsTheEmptyColour) {
  // Two cells of 2x2 in one line, with delimiter lines in the empty colour.
  const SheetLayout layout{2, 2, 2, 1, false};
  const CellGrid grid{1, 2};
  const GlyphFormat format{2, 2, 8, ByteLayout::kColumns, true};
  EXPECT_EQ(Scan(Image({"eeeeeee", "e##eeee", "e##eeee", "eeeeeee"}), format, 1, layout, grid)
                .UsedCells(),
            1);
  EXPECT_EQ(Scan(Image({"eeeeeee", "e##eeee", "e##e.ee", "eeeeeee"}), format, 1, layout, grid)
                .UsedCells(),
            2);
}

// With /V the lines are columns of cells: cell i is in column i / per_line, and the last line is
// the rightmost column.
TEST(UsedCells, VerticalLinesAreColumnsOfCells) {
  const SheetLayout layout{1, 1, 2, 0, true};
  const GlyphFormat format{1, 1, 8, ByteLayout::kColumns, true};
  const struct {
    std::vector<std::string> rows;
    std::optional<std::int64_t> used;
    std::uint8_t cell1;  // the bits of cell 1: column 0, second row
  } cases[] = {
      {{"#.#", ".#e"}, 5, 0x00},
      {{"#.#", "##."}, 6, 0x01},
      {{"..e", "#.#"}, std::nullopt, 0x01},
      {{"e.e", "#.e"}, std::nullopt, 0x01},
  };
  for (const auto& c : cases) {
    const SheetScanner scanner = Scan(Image(c.rows), format, 1, layout, {3, 2});
    EXPECT_EQ(scanner.UsedCells(), c.used) << c.rows[0] << " " << c.rows[1];
    EXPECT_EQ(*scanner.Symbol(1), c.cell1) << c.rows[0] << " " << c.rows[1];
  }
}

// The first mixed block is the first in the order of the font pixels, not the first found going
// down the image: a block further left in the same row of blocks, or any block in an earlier row
// of blocks, comes first, whichever of its image rows shows the mix.
TEST(ReadSymbol, TheFirstMixedBlockIsFirstInTheSymbolsOrder) {
  const struct {
    GlyphFormat format;
    std::vector<std::string> rows;
    std::int32_t column, row;
    std::int64_t x, y;
  } cases[] = {
      {{3, 1, 8, ByteLayout::kColumns, true}, {"###...##.", "###......", "#.#......"}, 0, 0, 0, 0},
      {{2, 2, 8, ByteLayout::kColumns, true}, {"..##", "...#", "#...", "...."}, 1, 0, 2, 0},
      {{2, 2, 8, ByteLayout::kColumns, true}, {"....", "....", "##.#", "##.."}, 1, 1, 2, 2},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> symbol(static_cast<std::size_t>(SymbolBytes(c.format)), 0);
    const std::int32_t scale = static_cast<std::int32_t>(c.rows.size()) / c.format.height;
    const std::optional<MixedBlock> mixed = ReadCell(Image(c.rows), c.format, scale, 0, symbol);
    ASSERT_TRUE(mixed) << c.rows[0];
    EXPECT_EQ(mixed->column, c.column) << c.rows[0];
    EXPECT_EQ(mixed->row, c.row) << c.rows[0];
    EXPECT_EQ(mixed->pixel.x, c.x) << c.rows[0];
    EXPECT_EQ(mixed->pixel.y, c.y) << c.rows[0];
  }
}

TEST(ReadSymbol, BlocksOfAScaledSymbolBecomeItsBits) {
  // A 2x2 symbol at scale 2 with a delimiter line around it, rows of one byte each.
  const GlyphFormat format{2, 2, 8, ByteLayout::kColumns, true};
  const RgbImage image = Image({
      "eeeee",
      "e##..",
      "e##..",
      "e..##",
      "e..##",
  });
  std::vector<std::uint8_t> symbol(2, 0);
  EXPECT_FALSE(ReadCell(image, format, 2, 1, symbol));
  EXPECT_EQ(symbol, (std::vector<std::uint8_t>{0x01, 0x02}));
}

TEST(ReadSymbol, TheFirstMixedBlockStopsTheReading) {
  const GlyphFormat format{2, 2, 8, ByteLayout::kColumns, true};
  const struct {
    std::vector<std::string> rows;
    std::int32_t column, row;
    std::int64_t x, y;
  } cases[] = {
      {{"#.....", "......", "......", "......"}, 0, 0, 0, 0},
      {{"##..", "##.#", "....", "...."}, 1, 0, 2, 0},
      {{"##..", "##..", "....", "...#"}, 1, 1, 2, 2},
  };
  for (const auto& c : cases) {
    const RgbImage image = Image(c.rows);
    std::vector<std::uint8_t> symbol(2, 0);
    const std::optional<MixedBlock> mixed = ReadCell(image, format, 2, 0, symbol);
    ASSERT_TRUE(mixed) << c.rows[0];
    EXPECT_EQ(mixed->column, c.column);
    EXPECT_EQ(mixed->row, c.row);
    EXPECT_EQ(mixed->pixel.x, c.x);
    EXPECT_EQ(mixed->pixel.y, c.y);
  }
}

TEST(ReadSymbol, ColoursCountByTheInkRuleAlone) {
  // Paint-program colours: dark blue ink on cream, read the same as black on grey.
  const GlyphFormat format{2, 1, 8, ByteLayout::kColumns, true};
  RgbImage image;
  image.width = 2;
  image.height = 1;
  image.pixels = {30, 30, 200, 255, 255, 240};
  std::vector<std::uint8_t> symbol(2, 0);
  EXPECT_FALSE(ReadCell(image, format, 1, 0, symbol));
  EXPECT_EQ(symbol, (std::vector<std::uint8_t>{0x01, 0x00}));
}

}  // namespace
}  // namespace fontscan
