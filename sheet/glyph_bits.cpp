#include "sheet/glyph_bits.h"

namespace fontscan {

BitPlace PlaceOfPixel(const GlyphFormat& format, std::int32_t column, std::int32_t row) {
  std::int32_t byte = 0;
  std::int32_t place = 0;  // from the top or from the left
  switch (format.layout) {
    case ByteLayout::kColumns:
      byte = column * (format.symbol_height / 8) + row / 8;
      place = row % 8;
      break;
    case ByteLayout::kPages:
      byte = row / 8 * format.width + column;
      place = row % 8;
      break;
    case ByteLayout::kRows:
      byte = row * RowBytes(format) + column / 8;
      place = column % 8;
      break;
  }
  const int bit = format.lsb_first ? place : 7 - place;
  return {byte, static_cast<std::uint8_t>(1u << bit)};
}

std::vector<BitPlace> PixelPlaces(const GlyphFormat& format) {
  std::vector<BitPlace> places;
  places.reserve(static_cast<std::size_t>(format.width) * static_cast<std::size_t>(format.height));
  for (std::int32_t row = 0; row < format.height; ++row) {
    for (std::int32_t column = 0; column < format.width; ++column) {
      places.push_back(PlaceOfPixel(format, column, row));
    }
  }
  return places;
}

std::int32_t RowBytes(const GlyphFormat& format) { return (format.width + 7) / 8; }

std::int32_t SymbolBytes(const GlyphFormat& format) {
  if (format.layout == ByteLayout::kRows) return RowBytes(format) * format.symbol_height;
  return format.width * (format.symbol_height / 8);
}

bool HasPixelsRightOfWidth(const GlyphFormat& format, const std::uint8_t* symbol) {
  if (format.layout != ByteLayout::kRows) return false;
  const std::int32_t row_bytes = RowBytes(format);
  for (std::int32_t column = format.width; column < row_bytes * 8; ++column) {
    for (std::int32_t row = 0; row < format.symbol_height; ++row) {
      const BitPlace place = PlaceOfPixel(format, column, row);
      if (symbol[place.byte] & place.mask) return true;
    }
  }
  return false;
}

bool HasPaddingPixels(const GlyphFormat& format, const std::uint8_t* symbol) {
  for (std::int32_t row = format.height; row < format.symbol_height; ++row) {
    for (std::int32_t column = 0; column < format.width; ++column) {
      const BitPlace place = PlaceOfPixel(format, column, row);
      if (symbol[place.byte] & place.mask) return true;
    }
  }
  return false;
}

}  // namespace fontscan
