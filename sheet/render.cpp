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

  const std::size_t cell_row_bytes = static_cast<std::size_t>(layout.cell_width) * 3;
  std::vector<std::uint8_t> scaled_row(cell_row_bytes);
  for (std::int32_t number = 1; number <= count; ++number) {
    const Point origin = CellOrigin(layout, number - 1);
    for (std::int32_t row = 0; row < format.height; ++row) {
      for (std::int32_t column = 0; column < format.width; ++column) {
        const BitPlace place = PlaceOfPixel(format, column, row);
        const bool set = symbols.at(number, place.byte) & place.mask;
        FillPixels(&scaled_row[static_cast<std::size_t>(column * scale) * 3],
                   static_cast<std::size_t>(scale),
                   set ? colours.ink : BackgroundAt(colours, column, row));
      }
      for (std::int32_t line = 0; line < scale; ++line) {
        const std::size_t y = static_cast<std::size_t>(origin.y + row * scale + line);
        std::memcpy(&image.pixels[y * stride + static_cast<std::size_t>(origin.x) * 3],
                    scaled_row.data(), cell_row_bytes);
      }
    }
  }
  return image;
}

}  // namespace fontscan
