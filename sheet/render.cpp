#include "sheet/render.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "sheet/ink.h"

namespace fontscan {

bool ColoursReadBack(const SheetColours& colours) {
  if (!IsInk(colours.ink)) return false;
  if (IsInk(colours.background) || IsInk(colours.grid5) || IsInk(colours.grid10)) return false;
  for (Rgb other : {colours.ink, colours.background, colours.grid5, colours.grid10}) {
    if (colours.delimiter == other) return false;
  }
  return true;
}

Rgb BackgroundAt(const SheetColours& colours, std::int32_t column, std::int32_t row) {
  if ((column + 1) % 10 == 0 || (row + 1) % 10 == 0) return colours.grid10;
  if ((column + 1) % 5 == 0 || (row + 1) % 5 == 0) return colours.grid5;
  return colours.background;
}

SheetCells FontCells(const GlyphFormat& format, const SymbolTable& symbols, std::int32_t count) {
  return {{format}, count, [&symbols](std::int64_t index) {
            return CellGlyph{0, symbols.bytes(static_cast<std::int32_t>(index + 1))};
          }};
}

SheetPainter::SheetPainter(SheetCells cells, std::int32_t scale, const SheetLayout& layout,
                           const SheetColours& colours)
    : cells_(std::move(cells)),
      scale_(scale),
      layout_(layout),
      extent_(SheetExtent(layout, cells_.count)) {
  const std::int64_t count = cells_.count;
  const std::int64_t along = std::min<std::int64_t>(layout.per_line, count);
  const std::int64_t lines = (count + layout.per_line - 1) / layout.per_line;
  across_ = layout.vertical ? lines : along;
  bool delimiter_shows = layout.delimiter != 0 || along * lines > count;
  std::int32_t largest = 0;
  for (const GlyphFormat& format : cells_.formats) {
    largest = std::max({largest, format.width, format.height});
    delimiter_shows = delimiter_shows || format.width * scale < layout.cell_width ||
                      format.height * scale < layout.cell_height;
  }
  for (std::int64_t index = 0; index < count && !delimiter_shows; ++index) {
    delimiter_shows = cells_.glyph(index).bytes == nullptr;
  }

  std::vector<Rgb> wanted = {colours.background, colours.ink};
  if (largest >= 5) wanted.push_back(colours.grid5);
  if (largest >= 10) wanted.push_back(colours.grid10);
  if (delimiter_shows) wanted.push_back(colours.delimiter);
  for (const Rgb& colour : wanted) {
    if (std::find(palette_.begin(), palette_.end(), colour) == palette_.end()) {
      palette_.push_back(colour);
    }
  }
  ink_ = IndexOf(colours.ink);
  delimiter_ = IndexOf(colours.delimiter);

  // Each font pixel's bit and its colour when clear are the same in every glyph of a format.
  for (const GlyphFormat& format : cells_.formats) {
    Glyphs glyphs{format.width, format.height, PixelPlaces(format), {}};
    glyphs.paper.resize(glyphs.places.size());
    for (std::int32_t row = 0; row < format.height; ++row) {
      for (std::int32_t column = 0; column < format.width; ++column) {
        glyphs.paper[static_cast<std::size_t>(row * format.width + column)] =
            IndexOf(BackgroundAt(colours, column, row));
      }
    }
    glyphs_.push_back(std::move(glyphs));
  }
}

std::uint8_t SheetPainter::IndexOf(Rgb colour) const {
  // A colour that cannot appear (the delimiter colour of a sheet without one) gets index 0.
  const auto found = std::find(palette_.begin(), palette_.end(), colour);
  return found == palette_.end() ? 0 : static_cast<std::uint8_t>(found - palette_.begin());
}

bool SheetPainter::Repeats(std::uint32_t row_y) const {
  const std::int64_t y = row_y;
  const std::int64_t inside = (y - layout_.delimiter) % (layout_.cell_height + layout_.delimiter);
  return y >= layout_.delimiter && inside < layout_.cell_height && inside % scale_ != 0;
}

void SheetPainter::Paint(std::uint32_t row_y, std::uint8_t* indices) const {
  const std::int64_t y = row_y;
  const auto width = static_cast<std::size_t>(extent_.width);
  std::memset(indices, delimiter_, width);
  const std::int64_t d = layout_.delimiter;
  const std::int64_t pitch = layout_.cell_height + d;
  if (y < d || (y - d) % pitch >= layout_.cell_height) return;  // a delimiter line
  const std::int64_t cell_row = (y - d) / pitch;
  const std::int32_t row = static_cast<std::int32_t>((y - d) % pitch) / scale_;
  const auto block = static_cast<std::size_t>(scale_);
  // Copies that the stores to the row cannot change.
  const std::uint8_t ink = ink_;
  for (std::int64_t column = 0; column < across_; ++column) {
    const std::int64_t index = layout_.vertical ? column * layout_.per_line + cell_row
                                                : cell_row * layout_.per_line + column;
    if (index >= cells_.count) continue;  // an unused cell stays in the delimiter colour
    const CellGlyph cell = cells_.glyph(index);
    const Glyphs& glyphs = glyphs_[cell.format];
    if (cell.bytes == nullptr || row >= glyphs.height) continue;  // so does a cell's rest
    const auto first = static_cast<std::size_t>(row) * static_cast<std::size_t>(glyphs.width);
    const BitPlace* places = &glyphs.places[first];
    const std::uint8_t* paper = &glyphs.paper[first];
    const std::uint8_t* bytes = cell.bytes;
    const std::int32_t font_width = glyphs.width;
    std::uint8_t* out = indices + d + column * (layout_.cell_width + d);
    // Ink and paper alternate with no pattern a branch could predict: chosen with a mask.
    const auto pick = [bytes, places, paper, ink](std::int32_t c) {
      const std::uint8_t set = (bytes[places[c].byte] & places[c].mask) != 0;
      return static_cast<std::uint8_t>(paper[c] ^ ((paper[c] ^ ink) & -set));
    };
    if (block == 1) {
      for (std::int32_t c = 0; c < font_width; ++c) out[c] = pick(c);
    } else {
      for (std::int32_t c = 0; c < font_width; ++c, out += block) {
        std::memset(out, pick(c), block);
      }
    }
  }
}

}  // namespace fontscan
