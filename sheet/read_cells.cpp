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
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  const auto block = static_cast<std::size_t>(scale);
  const std::uint8_t* cell = &image.pixels[static_cast<std::size_t>(origin.y) * stride +
                                           static_cast<std::size_t>(origin.x) * 3];
  for (std::int32_t row = 0; row < format.height; ++row) {
    const std::uint8_t* block_row = cell + static_cast<std::size_t>(row) * block * stride;
    for (std::int32_t column = 0; column < format.width; ++column) {
      const std::uint8_t* first = block_row + static_cast<std::size_t>(column) * block * 3;
      const bool ink = IsInk({first[0], first[1], first[2]});
      for (std::size_t y = 0; y < block; ++y) {
        const std::uint8_t* p = first + y * stride;
        for (std::size_t x = 0; x < block; ++x, p += 3) {
          if (IsInk({p[0], p[1], p[2]}) != ink) {
            return MixedBlock{column, row, {origin.x + column * scale, origin.y + row * scale}};
          }
        }
      }
      const BitPlace place = PlaceOfPixel(format, column, row);
      symbol[place.byte] |= ink ? place.mask : 0;
    }
  }
  return std::nullopt;
}

}  // namespace fontscan
