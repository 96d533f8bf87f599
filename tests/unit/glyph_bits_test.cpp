#include "sheet/glyph_bits.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fontscan {
namespace {

// The symbol as rows of '#' (set) and '.' (clear), all symbol_height rows.
std::vector<std::string> Picture(const GlyphFormat& format,
                                 const std::vector<std::uint8_t>& bytes) {
  std::vector<std::string> rows;
  for (std::int32_t row = 0; row < format.symbol_height; ++row) {
    std::string line;
    for (std::int32_t column = 0; column < format.width; ++column) {
      const BitPlace place = PlaceOfPixel(format, column, row);
      line.push_back(bytes.at(static_cast<std::size_t>(place.byte)) & place.mask ? '#' : '.');
    }
    rows.push_back(line);
  }
  return rows;
}

// The letter A of the bundled 8x8 font, which keeps rows with the left pixel in bit 0.
const std::vector<std::uint8_t> kLetterA = {0x0C, 0x1E, 0x33, 0x33, 0x3F, 0x33, 0x33, 0x00};

TEST(PixelMap, RowBytesFromEitherEnd) {
  const GlyphFormat lsb{8, 8, 8, ByteLayout::kRows, true};
  EXPECT_EQ(Picture(lsb, kLetterA), (std::vector<std::string>{
                                        "..##....",
                                        ".####...",
                                        "##..##..",
                                        "##..##..",
                                        "######..",
                                        "##..##..",
                                        "##..##..",
                                        "........",
                                    }));
  const GlyphFormat msb{8, 8, 8, ByteLayout::kRows, false};
  EXPECT_EQ(Picture(msb, kLetterA), (std::vector<std::string>{
                                        "....##..",
                                        "...####.",
                                        "..##..##",
                                        "..##..##",
                                        "..######",
                                        "..##..##",
                                        "..##..##",
                                        "........",
                                    }));
}

TEST(PixelMap, RowBytesOfAWideFontTakeTwoBytesARow) {
  // 16x2: row 0 is bytes 0 and 1, row 1 bytes 2 and 3.
  const GlyphFormat format{16, 2, 8, ByteLayout::kRows, false};
  std::vector<std::uint8_t> bytes(16, 0);
  bytes[0] = 0x80;
  bytes[1] = 0x01;
  bytes[2] = 0x40;
  bytes[15] = 0xFF;  // row 7, a padding row
  const std::vector<std::string> picture = Picture(format, bytes);
  EXPECT_EQ(picture[0], "#..............#");
  EXPECT_EQ(picture[1], ".#..............");
  EXPECT_EQ(picture[7], "........########");
}

// Hand-checked places in a 12x16 font: column bytes hold two bytes a column, page bytes one
// band of 8 rows across all 12 columns at a time.
TEST(PixelMap, ColumnAndPageBytesOfATwelveBySixteenFont) {
  const struct {
    ByteLayout layout;
    bool lsb_first;
    std::int32_t byte;
    std::uint8_t value;
    std::set<std::pair<int, int>> pixels;  // (column, row)
  } cases[] = {
      {ByteLayout::kColumns, true, 0, 0x01, {{0, 0}}},
      {ByteLayout::kColumns, true, 1, 0x80, {{0, 15}}},
      {ByteLayout::kColumns, true, 22, 0x11, {{11, 0}, {11, 4}}},
      {ByteLayout::kColumns, true, 3, 0x02, {{1, 9}}},
      {ByteLayout::kColumns, false, 0, 0x01, {{0, 7}}},
      {ByteLayout::kColumns, false, 23, 0x80, {{11, 8}}},
      {ByteLayout::kPages, true, 0, 0x01, {{0, 0}}},
      {ByteLayout::kPages, true, 11, 0x80, {{11, 7}}},
      {ByteLayout::kPages, true, 12, 0x01, {{0, 8}}},
      {ByteLayout::kPages, true, 23, 0x81, {{11, 8}, {11, 15}}},
      {ByteLayout::kPages, false, 13, 0x01, {{1, 15}}},
  };
  for (const auto& c : cases) {
    const GlyphFormat format{12, 16, 16, c.layout, c.lsb_first};
    std::vector<std::uint8_t> bytes(24, 0);
    bytes[static_cast<std::size_t>(c.byte)] = c.value;
    std::set<std::pair<int, int>> found;
    const std::vector<std::string> picture = Picture(format, bytes);
    for (int row = 0; row < 16; ++row) {
      for (int column = 0; column < 12; ++column) {
        if (picture[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] == '#') {
          found.insert({column, row});
        }
      }
    }
    EXPECT_EQ(found, c.pixels) << "byte " << c.byte << " layout " << static_cast<int>(c.layout)
                               << (c.lsb_first ? " LSB" : " MSB");
  }
}

// Every pixel down to the padded height has a bit of its own, and every bit of the symbol
// belongs to a pixel.
TEST(PixelMap, EveryLayoutMapsPixelsOntoTheBitsOneToOne) {
  const struct {
    std::int32_t width, height, symbol_height;
  } sizes[] = {{8, 8, 8}, {5, 7, 8},   {12, 16, 16},   {16, 12, 16},
               {1, 1, 8}, {24, 9, 16}, {256, 256, 256}};
  for (const auto& size_case : sizes) {
    GlyphFormat format{size_case.width, size_case.height, size_case.symbol_height,
                       ByteLayout::kColumns, true};
    for (ByteLayout layout : {ByteLayout::kColumns, ByteLayout::kPages, ByteLayout::kRows}) {
      if (layout == ByteLayout::kRows && format.width % 8 != 0) continue;
      for (bool lsb_first : {true, false}) {
        format.layout = layout;
        format.lsb_first = lsb_first;
        const std::int32_t size = format.width * format.symbol_height / 8;
        std::vector<std::uint8_t> seen(static_cast<std::size_t>(size), 0);
        bool overlap = false;
        for (std::int32_t row = 0; row < format.symbol_height; ++row) {
          for (std::int32_t column = 0; column < format.width; ++column) {
            const BitPlace place = PlaceOfPixel(format, column, row);
            ASSERT_GE(place.byte, 0);
            ASSERT_LT(place.byte, size);
            overlap |= (seen[static_cast<std::size_t>(place.byte)] & place.mask) != 0;
            seen[static_cast<std::size_t>(place.byte)] |= place.mask;
          }
        }
        EXPECT_FALSE(overlap) << format.width << "x" << format.height;
        EXPECT_EQ(seen, std::vector<std::uint8_t>(static_cast<std::size_t>(size), 0xFF))
            << format.width << "x" << format.height;
      }
    }
  }
}

TEST(PixelMap, PaddingPixelsAreTheRowsBelowTheFontHeight) {
  const GlyphFormat columns{5, 7, 8, ByteLayout::kColumns, true};
  const std::uint8_t clear[5] = {0x7F, 0x7F, 0x7F, 0x7F, 0x7F};
  const std::uint8_t bottom_set[5] = {0x00, 0x00, 0x80, 0x00, 0x00};
  EXPECT_FALSE(HasPaddingPixels(columns, clear));
  EXPECT_TRUE(HasPaddingPixels(columns, bottom_set));
  const GlyphFormat msb{5, 7, 8, ByteLayout::kColumns, false};
  EXPECT_TRUE(HasPaddingPixels(msb, clear));  // bit 0 is row 7 there
}

}  // namespace
}  // namespace fontscan
