// Where the symbols' cells sit on a sheet: lines of cells, with or without delimiter lines
// between and around them.
#pragma once

#include <cstdint>
#include <optional>

namespace fontscan {

struct SheetLayout {
  std::int32_t cell_width;   // font width times scale
  std::int32_t cell_height;  // font height times scale
  std::int32_t per_line;     // cells in a full line
  std::int32_t delimiter;    // 1 with delimiter lines, 0 without
  bool vertical;             // lines run top to bottom and sit side by side
};

struct Extent {
  std::int64_t width;
  std::int64_t height;
};

struct Point {
  std::int64_t x;
  std::int64_t y;
};

// The image that holds `count` cells (at least 1).
Extent SheetExtent(const SheetLayout& layout, std::int64_t count);

// The top-left pixel of cell `index` (from 0).
Point CellOrigin(const SheetLayout& layout, std::int64_t index);

struct CellGrid {
  std::int64_t lines;     // lines of cells
  std::int64_t per_line;  // cells in each line
};

// The lines of cells an image of this size holds: the cells must tile it exactly, at least one
// each way, with at most `per_line` cells in a line and exactly that many when there is more than
// one line. Nothing when the image does not fit.
std::optional<CellGrid> FitCells(const SheetLayout& layout, Extent image);

}  // namespace fontscan
