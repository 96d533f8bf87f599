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

GlyphFormat EffectiveGlyphFormat(const RunState& state) {
  return {state.FONTWIDTH, state.FONTHEIGHT, state.SYMBOLHEIGHT, EffectiveLayout(state),
          LsbFirst(state)};
}

}  // namespace fontscan
