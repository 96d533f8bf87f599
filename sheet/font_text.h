// The font read off a sheet, written as C source that a compiler and the font reader accept.
#pragma once

#include <string>
#include <string_view>

#include "core/symbol_table.h"
#include "sheet/glyph_bits.h"

namespace fontscan {

// The whole text for every symbol of the table, each line ended by `line_end`. May throw
// std::bad_alloc.
std::string FontText(const GlyphFormat& format, const SymbolTable& symbols,
                     std::string_view line_end);

}  // namespace fontscan
