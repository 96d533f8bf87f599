// The font read off a sheet, written as C source that a compiler and the font reader accept.
#pragma once

#include <string>
#include <string_view>

#include "core/symbol_table.h"
#include "platform/output_files.h"
#include "sheet/glyph_bits.h"

namespace fontscan {

// How the array is written: its name, its values, its shape.
struct FontTextStyle {
  std::string name;             // empty: font_WxH
  std::int32_t value_bits = 8;  // 8, 16 or 32: bytes joined into values in the first bit's order
  bool flat = false;            // one flat list, a line of values a symbol
};

// The whole text for every symbol of the table, each line ended by `line_end`. May throw
// std::bad_alloc.
std::string FontText(const GlyphFormat& format, const SymbolTable& symbols,
                     const FontTextStyle& style, std::string_view line_end);

// The same text handed to `sink` in pieces of about 64 KiB, so that it is never held whole.
// False when the sink fails. May throw std::bad_alloc.
bool WriteFontText(const GlyphFormat& format, const SymbolTable& symbols,
                   const FontTextStyle& style, std::string_view line_end, platform::ByteSink& sink);

}  // namespace fontscan
