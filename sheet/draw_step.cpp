#include "sheet/draw_step.h"

#include <algorithm>
#include <utility>

#include "sheet/glyph_format.h"
#include "sheet/output_step.h"
#include "sheet/png_check.h"
#include "sheet/png_codec.h"
#include "sheet/render.h"

namespace fontscan {

namespace {

// How many of the symbols read set a bit that `test` finds outside the font's pixels.
std::int32_t SymbolsWithHiddenPixels(const GlyphFormat& format, const SymbolTable& symbols,
                                     std::int32_t count,
                                     bool (*test)(const GlyphFormat&, const std::uint8_t*)) {
  std::int32_t found = 0;
  for (std::int32_t number = 1; number <= count; ++number) {
    if (test(format, symbols.bytes(number))) ++found;
  }
  return found;
}

}  // namespace

SheetLayout LayoutOfSheet(const RunState& state) {
  return {state.FONTWIDTH * state.SCALE, state.FONTHEIGHT * state.SCALE, state.PERLINE,
          state.NODELIMETER ? 0 : 1, state.VERTICALOUTPUT};
}

SheetColours ColoursOfSheet(const RunState& state) {
  return {RgbOf(state.CLBG), RgbOf(state.CLFG), RgbOf(state.CLDM), RgbOf(state.CLG5),
          RgbOf(state.CLG10)};
}

bool RowLayoutFits(const RunState& state, Console& console) {
  // An array holds whole bytes a row, whatever the width.
  if (state.ARRAYREAD || EffectiveLayout(state) != ByteLayout::kRows || state.FONTWIDTH % 8 == 0) {
    return true;
  }
  console.WriteLine("\r\nERROR: Row layout needs a font width that is a multiple of 8!");
  return false;
}

std::int32_t SymbolsToDraw(const RunState& state, Console& console) {
  // A symbol the font ended in the middle of is not drawn.
  const std::int32_t count = std::min(state.SYMBOLSCOUNT, MAXSYMBOLSCOUNT) - (state.STIN2 ? 1 : 0);
  if (state.STIN1 || state.STIN2) {
    console.WriteLine("\r\nWARNING: Input file ended inside the font array!");
  }
  if (count <= 0) {
    console.WriteLine("\r\nERROR: No symbols found in input file!");
    return 0;
  }
  return count;
}

bool WriteSheetFile(const RunState& state, const platform::OutputFiles& outputs,
                    std::string_view extension, const SheetLayout& layout, SheetCells cells,
                    Console& console) {
  const Extent extent = SheetExtent(layout, cells.count);
  if (extent.width * extent.height > kMaxSheetPixels) {
    console.WriteLine("\r\nERROR: Output image would be too big, use a smaller scale!");
    return false;
  }
  return WriteOutputFile(
      state, outputs, extension,
      [&](platform::ByteSink& sink) {
        const SheetPainter painter(std::move(cells), state.SCALE, layout, ColoursOfSheet(state));
        return WritePalettePng(sink, static_cast<std::uint32_t>(extent.width),
                               static_cast<std::uint32_t>(extent.height), painter.palette(),
                               painter);
      },
      console);
}

bool DrawFontSheet(const RunState& state, const platform::OutputFiles& outputs, Console& console) {
  const std::int32_t count = SymbolsToDraw(state, console);
  if (count == 0 || !RowLayoutFits(state, console)) return false;
  const GlyphFormat format = EffectiveGlyphFormat(state);
  const SheetColours colours = ColoursOfSheet(state);
  if (!ColoursReadBack(colours)) {
    console.WriteLine("\r\nWARNING: With this color scheme the sheet can't be read back!");
  }
  const std::int32_t padded =
      format.height == format.symbol_height
          ? 0
          : SymbolsWithHiddenPixels(format, state.SYMBOLSDATA, count, HasPaddingPixels);
  if (padded > 0) {
    console << "\r\nWARNING: Pixels below the symbol height are set in " << padded << " of "
            << count << " symbols; the sheet does not show them." << CRLF;
  }
  const std::int32_t beyond =
      state.ARRAYREAD && format.width % 8 != 0
          ? SymbolsWithHiddenPixels(format, state.SYMBOLSDATA, count, HasPixelsRightOfWidth)
          : 0;
  if (beyond > 0) {
    console << "\r\nWARNING: Pixels right of the symbol width are set in " << beyond << " of "
            << count << " symbols; the sheet does not show them." << CRLF;
  }
  return WriteSheetFile(state, outputs, ".png", LayoutOfSheet(state),
                        FontCells(format, state.SYMBOLSDATA, count), console);
}

}  // namespace fontscan
