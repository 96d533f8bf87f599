#include "sheet/render.h"

#include <cstring>

#include "sheet/ink.h"

namespace fontscan {

namespace {

void FillPixels(std::uint8_t* out, std::size_t count, Rgb colour) {
  for (std::size_t i = 0; i < count; ++i, out += 3) {
    out[0] = colour.red;
    out[1] = colour.green;
    out[2] = colour.blue;
  }
}

}  // namespace

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

RgbImage RenderSheet(const GlyphFormat& format, std::int32_t scale, const SheetLayout& layout,
                     const SheetColours& colours, const SymbolTable& symbols, std::int32_t count) {
  const Extent extent = SheetExtent(layout, count);
  RgbImage image;
  image.width = static_cast<std::int32_t>(extent.width);
  image.height = static_cast<std::int32_t>(extent.height);
  const std::size_t stride = static_cast<std::size_t>(image.width) * 3;
  image.pixels.resize(stride * static_cast<std::size_t>(image.height));
  // Everything starts as delimiter; the cells of the symbols are then drawn over it.
  FillPixels(image.pixels.data(), image.pixels.size() / 3, colours.delimiter);

  // Each font pixel's bit and its colour when clear are the same in every symbol.
  const auto pixels =
      static_cast<std::size_t>(format.width) * static_cast<std::size_t>(format.height);
  std::vector<BitPlace> places(pixels);
  std::vector<Rgb> paper(pixels);
  for (std::int32_t row = 0; row < format.height; ++row) {
    for (std::int32_t column = 0; column < format.width; ++column) {
      const std::size_t at = static_cast<std::size_t>(row * format.width + column);
      places[at] = PlaceOfPixel(format, column, row);
      paper[at] = BackgroundAt(colours, column, row);
    }
  }

  const std::size_t cell_row_bytes = static_cast<std::size_t>(layout.cell_width) * 3;
  const auto block = static_cast<std::size_t>(scale);
  for (std::int32_t number = 1; number <= count; ++number) {
    const std::uint8_t* bytes = symbols.bytes(number);
    const Point origin = CellOrigin(layout, number - 1);
    std::uint8_t* line = &image.pixels[static_cast<std::size_t>(origin.y) * stride +
                                       static_cast<std::size_t>(origin.x) * 3];
    std::size_t at = 0;
    for (std::int32_t row = 0; row < format.height; ++row) {
      // One line of the cell, then its copies for the rest of the block's height.
      std::uint8_t* out = line;
      for (std::int32_t column = 0; column < format.width; ++column, ++at, out += block * 3) {
        const BitPlace place = places[at];
        FillPixels(out, block, bytes[place.byte] & place.mask ? colours.ink : paper[at]);
      }
      for (std::int32_t copy = 1; copy < scale; ++copy) {
        std::memcpy(line + static_cast<std::size_t>(copy) * stride, line, cell_row_bytes);
      }
      line += block * stride;
    }
  }
  return image;
}

}  // namespace fontscan
