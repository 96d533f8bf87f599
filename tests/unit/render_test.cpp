#include "sheet/render.h"

#include <gtest/gtest.h>

namespace fontscan {
namespace {

const SheetColours kDefault{RgbOf(0xE6E6E6), RgbOf(0x000000), RgbOf(0x00FF00), RgbOf(0xCCFFFF),
                            RgbOf(0x99FFFF)};

TEST(SheetColours, WhichSchemesReadBack) {
  const struct {
    const char* what;
    SheetColours colours;
    bool reads_back;
  } cases[] = {
      {"the default scheme", kDefault, true},
      {"grey scheme",
       {RgbOf(0xE6E6E6), RgbOf(0x000000), RgbOf(0x666666), RgbOf(0xCCCCCC), RgbOf(0x999999)},
       true},
      {"ink at 50",
       {kDefault.background, RgbOf(0x323232), kDefault.delimiter, kDefault.grid5, kDefault.grid10},
       false},
      {"ink at 49 in one component",
       {kDefault.background, RgbOf(0xFF31FF), kDefault.delimiter, kDefault.grid5, kDefault.grid10},
       true},
      {"dark background",
       {RgbOf(0x310000), kDefault.ink, kDefault.delimiter, kDefault.grid5, kDefault.grid10},
       false},
      {"dark 5-pixel grid",
       {kDefault.background, kDefault.ink, kDefault.delimiter, RgbOf(0x003100), kDefault.grid10},
       false},
      {"dark 10-pixel grid",
       {kDefault.background, kDefault.ink, kDefault.delimiter, kDefault.grid5, RgbOf(0x000031)},
       false},
      {"delimiter like the background",
       {kDefault.background, kDefault.ink, kDefault.background, kDefault.grid5, kDefault.grid10},
       false},
      {"delimiter like the ink",
       {kDefault.background, kDefault.ink, kDefault.ink, kDefault.grid5, kDefault.grid10},
       false},
      {"delimiter like a grid",
       {kDefault.background, kDefault.ink, kDefault.grid10, kDefault.grid5, kDefault.grid10},
       false},
      {"dark delimiter of its own",
       {kDefault.background, kDefault.ink, RgbOf(0x000010), kDefault.grid5, kDefault.grid10},
       true},
  };
  for (const auto& c : cases) EXPECT_EQ(ColoursReadBack(c.colours), c.reads_back) << c.what;
}

TEST(SheetColours, GridMarksEveryFifthAndTenthColumnAndRowFromOne) {
  const struct {
    std::int32_t column, row;
    Rgb colour;
  } cases[] = {
      {0, 0, kDefault.background}, {3, 3, kDefault.background}, {4, 0, kDefault.grid5},
      {0, 4, kDefault.grid5},      {9, 0, kDefault.grid10},     {0, 9, kDefault.grid10},
      {4, 9, kDefault.grid10},     {9, 4, kDefault.grid10},     {14, 3, kDefault.grid5},
      {19, 19, kDefault.grid10},   {5, 5, kDefault.background}, {10, 10, kDefault.background},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BackgroundAt(kDefault, c.column, c.row), c.colour) << c.column << ", " << c.row;
  }
}

// The palette holds each colour that can appear once: the grid colours only for fonts that reach
// the fifth or tenth pixel, the delimiter colour only with delimiter lines or unused cells.
TEST(SheetPainter, PaletteHoldsTheColoursThatCanAppear) {
  const SheetColours same_delimiter{kDefault.background, kDefault.ink, kDefault.background,
                                    kDefault.grid5, kDefault.grid10};
  const struct {
    std::int32_t width, height, per_line, delimiter, count;
    SheetColours colours;
    std::size_t size;
  } cases[] = {
      {8, 8, 16, 1, 32, kDefault, 4},     {8, 16, 16, 1, 32, kDefault, 5},
      {4, 4, 2, 0, 4, kDefault, 2},       {4, 4, 2, 0, 3, kDefault, 3},
      {4, 4, 2, 1, 4, same_delimiter, 2}, {10, 1, 4, 0, 8, kDefault, 4},
      {1, 5, 1, 0, 1, kDefault, 3},
  };
  SymbolTable symbols;
  symbols.SetSymbolSize(8);
  for (int i = 0; i < 8; ++i) symbols.AddSymbol();
  for (const auto& c : cases) {
    const GlyphFormat format{c.width, c.height, 8, ByteLayout::kRows, false};
    const SheetLayout layout{c.width, c.height, c.per_line, c.delimiter, false};
    const SheetPainter painter(format, 1, layout, c.colours, symbols, c.count);
    const std::vector<Rgb>& palette = painter.palette();
    EXPECT_EQ(palette.size(), c.size) << c.width << "x" << c.height << " count " << c.count;
    for (std::size_t i = 0; i < palette.size(); ++i) {
      for (std::size_t j = i + 1; j < palette.size(); ++j) {
        EXPECT_FALSE(palette[i] == palette[j]);
      }
    }
  }
}

// Three 2x1 symbols at scale 2, two to a line, with delimiter lines: each row painted, and the
// rows that repeat the one above said to.
TEST(SheetPainter, PaintsRowsOfPaletteIndices) {
  const GlyphFormat format{2, 1, 8, ByteLayout::kColumns, true};
  const SheetLayout layout{4, 2, 2, 1, false};
  SymbolTable symbols;
  symbols.SetSymbolSize(2);
  const std::uint8_t bytes[3][2] = {{1, 0}, {0, 1}, {1, 1}};
  for (int n = 1; n <= 3; ++n) {
    symbols.AddSymbol();
    symbols.at(n, 0) = bytes[n - 1][0];
    symbols.at(n, 1) = bytes[n - 1][1];
  }
  const SheetPainter painter(format, 2, layout, kDefault, symbols, 3);
  ASSERT_EQ(painter.palette(),
            (std::vector<Rgb>{kDefault.background, kDefault.ink, kDefault.delimiter}));
  const struct {
    const char* indices;
    bool repeats;
  } rows[] = {
      {"22222222222", false}, {"21100200112", false}, {"21100200112", true},
      {"22222222222", false}, {"21111222222", false}, {"21111222222", true},
      {"22222222222", false},
  };
  ASSERT_EQ(painter.extent().width, 11);
  ASSERT_EQ(painter.extent().height, 7);
  for (std::uint32_t y = 0; y < 7; ++y) {
    std::string painted(11, '\0');
    painter.Paint(y, reinterpret_cast<std::uint8_t*>(painted.data()));
    for (char& index : painted) index = static_cast<char>('0' + index);
    EXPECT_EQ(painted, rows[y].indices) << y;
    if (y > 0) {
      EXPECT_EQ(painter.Repeats(y), rows[y].repeats) << y;
    }
  }
}

}  // namespace
}  // namespace fontscan
