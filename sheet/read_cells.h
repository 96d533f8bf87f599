// Reading symbols off a sheet: which cells are used, and each font pixel from its block.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sheet/glyph_bits.h"
#include "sheet/rgb_image.h"
#include "sheet/sheet_geometry.h"

namespace fontscan {

// The used cells of a sheet whose image fits `grid`: every cell of the lines before the last,
// and the cells of the last line up to the first one that holds nothing but `empty`. Nothing
// when a cell after that one holds anything else, or when the last line has no used cell.
std::optional<std::int64_t> CountUsedCells(const RgbImage& image, const SheetLayout& layout,
                                           const CellGrid& grid, Rgb empty);

// Which pixels of a sheet are ink: one byte each, 1 for ink and 0 for background. Made in one pass
// over the picture, so that reading the cells works on a third of the memory.
struct InkMap {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> ink;
};
InkMap MapInk(const RgbImage& image);

// The first block whose pixels are not all ink or all background.
struct MixedBlock {
  std::int32_t column;  // font pixel, from 0
  std::int32_t row;
  Point pixel;  // the block's top-left image pixel
};

// Reads cells of one font and scale into symbols.
class SymbolReader {
 public:
  SymbolReader(const GlyphFormat& format, std::int32_t scale);

  // Reads the cell at `origin` into `symbol` (its bytes all zero to start with), row by row from
  // the top and each row from the left; stops at the first mixed block.
  std::optional<MixedBlock> Read(const InkMap& map, Point origin, std::uint8_t* symbol) const;

 private:
  GlyphFormat format_;
  std::int32_t scale_;
  std::vector<BitPlace> places_;
};

}  // namespace fontscan
