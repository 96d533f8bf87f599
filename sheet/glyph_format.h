// The glyph format that a run's options ask for: the font's size, its byte layout and its first
// bit.
#pragma once

#include "core/run_state.h"
#include "sheet/glyph_bits.h"

namespace fontscan {

// Rows when /ROWS is given, else Pages when /PAGES is given, else Columns.
ByteLayout EffectiveLayout(const RunState& state);

// The first bit asked for, else MSB for row bytes and LSB for column bytes.
bool LsbFirst(const RunState& state);

// The font's size, its byte layout and its first bit, as an array holds them: a row font of any
// width, its rows the font's height.
GlyphFormat ArrayGlyphFormat(const RunState& state);

// The font's size, its byte layout and its first bit: as an array holds them in array mode, as
// the strict reader does otherwise.
GlyphFormat EffectiveGlyphFormat(const RunState& state);

}  // namespace fontscan
