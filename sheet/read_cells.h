// Reading symbols off a sheet as its rows come, top to bottom: which cells are used, and each
// font pixel from its block.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sheet/glyph_bits.h"
#include "sheet/rgb_image.h"
#include "sheet/sheet_geometry.h"

namespace fontscan {

// What a pixel is to the reading, one byte each: ink or not, and exactly the colour of unused
// cells or not.
inline constexpr std::uint8_t kInkPixel = 1;
inline constexpr std::uint8_t kEmptyPixel = 2;
std::uint8_t PixelClass(Rgb colour, Rgb empty);

// The first block of a symbol whose pixels are not all ink or all background.
struct MixedBlock {
  std::int32_t column;  // font pixel, from 0
  std::int32_t row;
  Point pixel;  // the block's top-left image pixel
};

// Reads the cells of an image that fits `grid` from its rows, holding no more of the image than
// the first row of the current blocks. Symbols are read from the cells numbered below
// `readable` (from 0); reading a symbol stops at its first mixed block, in the order of the font
// pixels: row by row from the top, each row from the left.
class SheetScanner {
 public:
  // May throw std::bad_alloc.
  SheetScanner(const GlyphFormat& format, std::int32_t scale, const SheetLayout& layout,
               const CellGrid& grid, Extent image, std::int64_t readable);

  // Row `y` of the image, rows in order from 0: the class of each pixel.
  void TakeRow(std::int64_t y, const std::uint8_t* classes);

  // After the last row, the used cells: every cell of the lines before the last, and the cells of
  // the last line up to the first one that holds nothing but the empty colour. Nothing when a
  // cell after that one holds anything else, or when the last line has no used cell.
  std::optional<std::int64_t> UsedCells() const;

  // After the last row, for a cell below `readable`: its symbol's bytes, and its first mixed
  // block, if any (the bytes are then not whole).
  const std::uint8_t* Symbol(std::int64_t index) const;
  std::optional<MixedBlock> Mixed(std::int64_t index) const;

 private:
  std::int64_t CellIndex(std::int64_t column, std::int64_t cell_row) const;
  void EndBlockRow(std::int64_t cell_row, std::int32_t row, std::int64_t top_y);

  GlyphFormat format_;
  std::int32_t scale_;
  SheetLayout layout_;
  CellGrid grid_;
  std::size_t width_;
  std::int64_t across_;  // cells in a row of cells
  std::int64_t readable_;
  std::size_t symbol_size_;
  std::vector<BitPlace> places_;
  std::vector<std::uint8_t> symbols_;
  std::vector<MixedBlock> mixed_;        // column -1: none
  std::vector<std::int32_t> pending_;    // per column of cells: the mixed font column so far
  std::vector<bool> empty_;              // per cell of the last line
  std::vector<std::uint8_t> block_top_;  // the first row of the current blocks
};

}  // namespace fontscan
