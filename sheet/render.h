// Drawing symbols onto a sheet: each font pixel a square block, the grid tinted on the
// background, delimiter lines and unused cells in the delimiter colour.
#pragma once

#include <cstdint>

#include "core/symbol_table.h"
#include "sheet/glyph_bits.h"
#include "sheet/rgb_image.h"
#include "sheet/sheet_geometry.h"

namespace fontscan {

struct SheetColours {
  Rgb background;
  Rgb ink;
  Rgb delimiter;
  Rgb grid5;
  Rgb grid10;
};

// True when a sheet in these colours reads back as it was drawn: the ink is ink, the background
// and grid colours are not, and the delimiter colour differs from all four.
bool ColoursReadBack(const SheetColours& colours);

// The colour of font pixel (column, row) when its bit is clear: every tenth column and row
// (counted from 1) in the 10-pixel grid colour, every fifth in the 5-pixel one.
Rgb BackgroundAt(const SheetColours& colours, std::int32_t column, std::int32_t row);

// The sheet of symbols 1 to `count` of the table (count at least 1). May throw std::bad_alloc.
RgbImage RenderSheet(const GlyphFormat& format, std::int32_t scale, const SheetLayout& layout,
                     const SheetColours& colours, const SymbolTable& symbols, std::int32_t count);

}  // namespace fontscan
