#include "sheet/read_cells.h"

#include "sheet/ink.h"

namespace fontscan {

namespace {

bool CellHoldsOnly(const RgbImage& image, const SheetLayout& layout, Point origin, Rgb colour) {
  for (std::int64_t y = origin.y; y < origin.y + layout.cell_height; ++y) {
    for (std::int64_t x = origin.x; x < origin.x + layout.cell_width; ++x) {
      if (!(image.at(x, y) == colour)) return false;
    }
  }
  return true;
}

}  // namespace

std::optional<std::int64_t> CountUsedCells(const RgbImage& image, const SheetLayout& layout,
                                           const CellGrid& grid, Rgb empty) {
  const std::int64_t first_of_last_line = (grid.lines - 1) * layout.per_line;
  std::int64_t used = grid.per_line;
  for (std::int64_t place = 0; place < grid.per_line; ++place) {
    const Point origin = CellOrigin(layout, first_of_last_line + place);
    const bool holds_only_empty = CellHoldsOnly(image, layout, origin, empty);
    if (place < used && holds_only_empty) used = place;
    if (place > used && !holds_only_empty) return std::nullopt;
  }
  if (used == 0) return std::nullopt;
  return first_of_last_line + used;
}

std::optional<MixedBlock> ReadSymbol(const RgbImage& image, const GlyphFormat& format,
                                     std::int32_t scale, Point origin, std::uint8_t* symbol) {
  for (std::int32_t row = 0; row < format.height; ++row) {
    for (std::int32_t column = 0; column < format.width; ++column) {
      const Point block{origin.x + column * scale, origin.y + row * scale};
      const bool ink = IsInk(image.at(block.x, block.y));
      for (std::int64_t y = block.y; y < block.y + scale; ++y) {
        for (std::int64_t x = block.x; x < block.x + scale; ++x) {
          if (IsInk(image.at(x, y)) != ink) return MixedBlock{column, row, block};
        }
      }
      if (ink) {
        const BitPlace place = PlaceOfPixel(format, column, row);
        symbol[place.byte] |= place.mask;
      }
    }
  }
  return std::nullopt;
}

}  // namespace fontscan
