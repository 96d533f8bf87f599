#include "sheet/glyph_format.h"

namespace fontscan {

ByteLayout EffectiveLayout(const RunState& state) {
  if (state.ROWBYTES) return ByteLayout::kRows;
  if (state.PAGEORDER) return ByteLayout::kPages;
  return ByteLayout::kColumns;
}

bool LsbFirst(const RunState& state) {
  if (state.FIRSTBIT != BitOrder::kUnset) return state.FIRSTBIT == BitOrder::kLsb;
  return EffectiveLayout(state) != ByteLayout::kRows;
}

GlyphFormat ArrayGlyphFormat(const RunState& state) {
  GlyphFormat format{state.FONTWIDTH, state.FONTHEIGHT, state.SYMBOLHEIGHT, EffectiveLayout(state),
                     LsbFirst(state)};
  // Row bytes in an array run to the font height: there are no padding rows.
  if (format.layout == ByteLayout::kRows) format.symbol_height = state.FONTHEIGHT;
  return format;
}

GlyphFormat EffectiveGlyphFormat(const RunState& state) {
  if (state.ARRAYREAD) return ArrayGlyphFormat(state);
  return {state.FONTWIDTH, state.FONTHEIGHT, state.SYMBOLHEIGHT, EffectiveLayout(state),
          LsbFirst(state)};
}

}  // namespace fontscan
