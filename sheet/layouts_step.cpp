#include "sheet/layouts_step.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "sheet/draw_step.h"
#include "sheet/output_step.h"
#include "sheet/png_codec.h"
#include "sheet/render.h"

namespace fontscan {

FontValues ArrayValuesOf(ArrayReading reading, std::int32_t value_bits) {
  FontValues font;
  font.values = std::move(reading.values);
  font.value_bits = value_bits;
  font.array_mode = true;
  font.nested = reading.nested;
  font.list_lengths = std::move(reading.list_lengths);
  return font;
}

bool FindFontLayouts(const RunState& state, const FontValues& font,
                     const platform::OutputFiles& outputs, Console& console) {
  const std::vector<FoundLayout> ranked =
      RankLayouts(FindLayouts(font, state.FONTWIDTH, state.FONTHEIGHT));
  if (ranked.empty()) {
    console.WriteLine("\r\nERROR: No layout fits the symbols!");
    return false;
  }
  console.WriteLine("\r\nLayouts that fit the symbols, best first:");
  for (const FoundLayout& layout : ranked) console.WriteLine(RankingLine(layout));
  console << CRLF << VerdictLine(ranked, OutputPath(state, ".layouts.png")) << CRLF;

  (void)outputs;
  return false;
}

}  // namespace fontscan
