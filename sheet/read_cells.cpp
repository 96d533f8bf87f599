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

InkMap MapInk(const RgbImage& image) {
  InkMap map;
  map.width = image.width;
  map.height = image.height;
  map.ink.resize(image.pixels.size() / 3);
  const std::uint8_t* pixel = image.pixels.data();
  for (std::uint8_t& ink : map.ink) {
    ink = IsInk({pixel[0], pixel[1], pixel[2]});
    pixel += 3;
  }
  return map;
}

SymbolReader::SymbolReader(const GlyphFormat& format, std::int32_t scale)
    : format_(format), scale_(scale), places_(PixelPlaces(format)) {}

std::optional<MixedBlock> SymbolReader::Read(const InkMap& map, Point origin,
                                             std::uint8_t* symbol) const {
  const auto stride = static_cast<std::size_t>(map.width);
  const auto block = static_cast<std::size_t>(scale_);
  const std::uint8_t* cell =
      &map.ink[static_cast<std::size_t>(origin.y) * stride + static_cast<std::size_t>(origin.x)];
  const BitPlace* place = places_.data();
  for (std::int32_t row = 0; row < format_.height; ++row) {
    const std::uint8_t* first = cell + static_cast<std::size_t>(row) * block * stride;
    for (std::int32_t column = 0; column < format_.width; ++column, ++place, first += block) {
      const std::uint8_t ink = *first;
      // A block of one pixel always agrees with itself.
      for (std::size_t y = 0; block > 1 && y < block; ++y) {
        for (std::size_t x = 0; x < block; ++x) {
          if (first[y * stride + x] != ink) {
            return MixedBlock{column, row, {origin.x + column * scale_, origin.y + row * scale_}};
          }
        }
      }
      symbol[place->byte] |= ink ? place->mask : 0;
    }
  }
  return std::nullopt;
}

}  // namespace fontscan
