// Where each pixel of a symbol lives in its bytes, for the three byte layouts.
#pragma once

#include <cstdint>
#include <vector>

namespace fontscan {

enum class ByteLayout {
  kColumns,  // each byte 8 pixels of a column; a column's bytes one after another
  kPages,    // each byte 8 pixels of a column; a band of 8 rows across the symbol at a time
  kRows,     // each byte 8 pixels of a row
};

struct GlyphFormat {
  std::int32_t width;   // pixels across
  std::int32_t height;  // pixels down
  // Rows of the symbol's bytes: for column bytes the height rounded up to whole bytes; for row
  // bytes the height, or (as the strict reader counts them) rounded up as for column bytes.
  std::int32_t symbol_height;
  ByteLayout layout;
  bool lsb_first;  // the top or left pixel of a byte is bit 0, else bit 7
};

struct BitPlace {
  std::int32_t byte;  // from 0
  std::uint8_t mask;  // the one bit
};

// Bytes a row of pixels takes in the Rows layout: the width rounded up to whole bytes.
std::int32_t RowBytes(const GlyphFormat& format);

// Bytes a symbol takes.
std::int32_t SymbolBytes(const GlyphFormat& format);

// True when a Rows symbol sets a bit right of the width, in a row's last byte.
bool HasPixelsRightOfWidth(const GlyphFormat& format, const std::uint8_t* symbol);

// The bit of pixel (column, row), both from 0; rows up to symbol_height - 1 have one,
// and in the Rows layout columns up to the row's last bit.
BitPlace PlaceOfPixel(const GlyphFormat& format, std::int32_t column, std::int32_t row);

// The bit of every pixel down to the font height, row after row from the top: what PlaceOfPixel
// gives, worked out once for a whole font.
std::vector<BitPlace> PixelPlaces(const GlyphFormat& format);

// True when the symbol's bytes set a bit in a padding row (height and below).
bool HasPaddingPixels(const GlyphFormat& format, const std::uint8_t* symbol);

}  // namespace fontscan
