// Drawing symbols onto a sheet: each font pixel a square block, the grid tinted on the
// background, delimiter lines and unused cells in the delimiter colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/symbol_table.h"
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

// What a cell of a sheet holds: a glyph at its top-left, of one of the sheet's glyph formats, and
// its bytes; a cell without bytes is in the delimiter colour whole, as is the rest of a cell
// larger than its glyph.
struct CellGlyph {
  std::size_t format;         // into SheetCells::formats
  const std::uint8_t* bytes;  // null: no glyph
};

// The cells of a sheet, 1 or more, and the glyph of each.
struct SheetCells {
  std::vector<GlyphFormat> formats;
  std::int64_t count = 0;
  std::function<CellGlyph(std::int64_t index)> glyph;  // cell `index` from 0
};

// The cells of a font sheet: symbols 1 to `count` of the table (count at least 1).
SheetCells FontCells(const GlyphFormat& format, const SymbolTable& symbols, std::int32_t count);

// Paints a sheet a row of pixels at a time, each pixel an index into the sheet's palette.
class SheetPainter final : public PaletteRows {
 public:
  // May throw std::bad_alloc.
  SheetPainter(SheetCells cells, std::int32_t scale, const SheetLayout& layout,
               const SheetColours& colours);
  // The sheet of symbols 1 to `count` of the table (count at least 1).
  SheetPainter(const GlyphFormat& format, std::int32_t scale, const SheetLayout& layout,
               const SheetColours& colours, const SymbolTable& symbols, std::int32_t count)
      : SheetPainter(FontCells(format, symbols, count), scale, layout, colours) {}

  Extent extent() const { return extent_; }
  // The colours that can appear, each once: the background and the ink, the grid colours when
  // a glyph is large enough to show them, the delimiter colour when there are delimiter lines,
  // unused cells or cells larger than their glyphs.
  const std::vector<Rgb>& palette() const { return palette_; }

  // True when row `y` (from 1) is row y - 1 again: a block's rows after its first.
  bool Repeats(std::uint32_t y) const override;
  // Paints row `y` (from 0) into `indices`, extent().width bytes.
  void Paint(std::uint32_t y, std::uint8_t* indices) const override;

 private:
  std::uint8_t IndexOf(Rgb colour) const;

  // A glyph format's pixels: each one's bit and its index when the bit is clear, row after row.
  struct Glyphs {
    std::int32_t width;
    std::int32_t height;
    std::vector<BitPlace> places;
    std::vector<std::uint8_t> paper;
  };

  SheetCells cells_;
  std::int32_t scale_;
  SheetLayout layout_;
  Extent extent_;
  std::int64_t across_;  // cells in a row of cells
  std::vector<Rgb> palette_;
  std::uint8_t ink_ = 0;
  std::uint8_t delimiter_ = 0;
  std::vector<Glyphs> glyphs_;  // one for each format
};

}  // namespace fontscan
