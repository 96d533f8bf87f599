#include "sheet/layouts_step.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "sheet/draw_step.h"
#include "sheet/output_step.h"
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

  // A line of square cells for each layout, each cell a probe symbol at its top-left.
  SheetCells cells;
  std::vector<std::vector<std::int32_t>> probes;
  std::int32_t per_line = 1;
  for (const FoundLayout& layout : ranked) {
    cells.formats.push_back(layout.format);
    probes.push_back(ProbeSymbols(layout));
    per_line = std::max(per_line, static_cast<std::int32_t>(probes.back().size()));
  }
  cells.count = static_cast<std::int64_t>(ranked.size()) * per_line;
  cells.glyph = [&ranked, &probes, per_line](std::int64_t index) {
    const auto line = static_cast<std::size_t>(index / per_line);
    const auto place = static_cast<std::size_t>(index % per_line);
    if (place >= probes[line].size()) return CellGlyph{line, nullptr};
    return CellGlyph{line, ranked[line].symbols.bytes(probes[line][place])};
  };
  const std::int32_t side = std::max(state.FONTWIDTH, state.FONTHEIGHT) * state.SCALE;
  const SheetLayout sheet{side, side, per_line, state.NODELIMETER ? 0 : 1, state.VERTICALOUTPUT};
  return WriteSheetFile(state, outputs, ".layouts.png", sheet, std::move(cells), console);
}

}  // namespace fontscan
