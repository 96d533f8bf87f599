#include "sheet/sheet_geometry.h"

#include <algorithm>

namespace fontscan {

namespace {

// How many cells of `cell` pixels, each after a delimiter line, fill `length` pixels that end
// with one more delimiter line; nothing when they don't fill it exactly.
std::optional<std::int64_t> CellsAlong(std::int64_t length, std::int64_t cell,
                                       std::int64_t delimiter) {
  const std::int64_t pitch = cell + delimiter;
  if (length - delimiter < pitch || (length - delimiter) % pitch != 0) return std::nullopt;
  return (length - delimiter) / pitch;
}

}  // namespace

Extent SheetExtent(const SheetLayout& layout, std::int64_t count) {
  const std::int64_t along = std::min<std::int64_t>(layout.per_line, count);
  const std::int64_t lines = (count + layout.per_line - 1) / layout.per_line;
  const std::int64_t across = layout.vertical ? lines : along;
  const std::int64_t down = layout.vertical ? along : lines;
  const std::int64_t d = layout.delimiter;
  return {across * layout.cell_width + (across + 1) * d,
          down * layout.cell_height + (down + 1) * d};
}

Point CellOrigin(const SheetLayout& layout, std::int64_t index) {
  const std::int64_t line = index / layout.per_line;
  const std::int64_t place = index % layout.per_line;
  const std::int64_t column = layout.vertical ? line : place;
  const std::int64_t row = layout.vertical ? place : line;
  const std::int64_t d = layout.delimiter;
  return {d + column * (layout.cell_width + d), d + row * (layout.cell_height + d)};
}

std::optional<CellGrid> FitCells(const SheetLayout& layout, Extent image) {
  const std::optional<std::int64_t> across =
      CellsAlong(image.width, layout.cell_width, layout.delimiter);
  const std::optional<std::int64_t> down =
      CellsAlong(image.height, layout.cell_height, layout.delimiter);
  if (!across || !down) return std::nullopt;
  const CellGrid grid = layout.vertical ? CellGrid{*across, *down} : CellGrid{*down, *across};
  if (grid.per_line > layout.per_line) return std::nullopt;
  if (grid.lines > 1 && grid.per_line != layout.per_line) return std::nullopt;
  return grid;
}

}  // namespace fontscan
