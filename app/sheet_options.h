// fontsheet's own options: byte layout, first bit, scale, symbols per line, overwriting.
#pragma once

#include <string_view>

#include "app/run_state.h"
#include "sheet/glyph_bits.h"

namespace fontscan {

// Tries fontsheet's option tests on one normalised parameter, after the common ones. A /S or /L
// entry whose number is malformed or out of range is left alone without a message.
void ApplySheetOptionTests(RunState& state, std::string_view parameter);

// Rows when /ROWS is given, else Pages when /PAGES is given, else Columns.
ByteLayout EffectiveLayout(const RunState& state);

// The first bit asked for, else MSB for row bytes and LSB for column bytes.
bool LsbFirst(const RunState& state);

// The font's size, its byte layout and its first bit.
GlyphFormat EffectiveGlyphFormat(const RunState& state);

}  // namespace fontscan
