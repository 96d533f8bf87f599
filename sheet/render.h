// Drawing symbols onto a sheet: each font pixel a square block, the grid tinted on the
// background, delimiter lines and unused cells in the delimiter colour.
#pragma once

#include <cstdint>
#include <vector>

#include "reader/symbol_table.h"
#include "sheet/glyph_bits.h"
#include "sheet/png_codec.h"
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

// Paints the sheet of symbols 1 to `count` of the table (count at least 1) a row of pixels at a
// time, each pixel an index into the sheet's palette.
class SheetPainter final : public PaletteRows {
 public:
  // May throw std::bad_alloc.
  SheetPainter(const GlyphFormat& format, std::int32_t scale, const SheetLayout& layout,
               const SheetColours& colours, const SymbolTable& symbols, std::int32_t count);

  Extent extent() const { return extent_; }
  // The colours that can appear, each once: the background and the ink, the grid colours when
  // the font is large enough to show them, the delimiter colour when there are delimiter lines or
  // unused cells.
  const std::vector<Rgb>& palette() const { return palette_; }

  // True when row `y` (from 1) is row y - 1 again: a block's rows after its first.
  bool Repeats(std::uint32_t y) const override;
  // Paints row `y` (from 0) into `indices`, extent().width bytes.
  void Paint(std::uint32_t y, std::uint8_t* indices) const override;

 private:
  std::uint8_t IndexOf(Rgb colour) const;

  GlyphFormat format_;
  std::int32_t scale_;
  SheetLayout layout_;
  const SymbolTable& symbols_;
  std::int32_t count_;
  Extent extent_;
  std::int64_t across_;  // cells in a row of cells
  std::vector<Rgb> palette_;
  std::uint8_t ink_ = 0;
  std::uint8_t delimiter_ = 0;
  std::vector<BitPlace> places_;     // each font pixel's bit, row after row
  std::vector<std::uint8_t> paper_;  // each font pixel's index when its bit is clear
};

}  // namespace fontscan
