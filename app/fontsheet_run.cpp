#include "app/fontsheet_run.h"

#include <optional>
#include <utility>

#include "app/fontsheet_reports.h"
#include "app/sheet_options.h"
#include "reader/loader.h"
#include "sheet/array_step.h"
#include "sheet/draw_step.h"
#include "sheet/glyph_format.h"
#include "sheet/layouts_step.h"
#include "sheet/read_back_step.h"

namespace fontscan {

namespace {

// In array mode a symbol's bytes follow its layout: a row font of any width takes whole bytes a
// row and no padding rows.
void FixArraySymbolSize(RunState& state) {
  if (state.INFILENAMEFOUND && state.ARRAYREAD) {
    state.SYMBOLSIZE = SymbolBytes(EffectiveGlyphFormat(state));
  }
}

// Values of 16 or 32 bits must make up whole symbols.
bool SymbolsFitValues(const RunState& state, Console& console) {
  if (state.VALUEBITS == 8 || state.SYMBOLSIZE % (state.VALUEBITS / 8) == 0) return true;
  console << "\r\nERROR: Symbols of " << state.SYMBOLSIZE << " bytes can't be read from "
          << state.VALUEBITS << "-bit values!" << CRLF;
  return false;
}

// For a run that recognised no input: the first entry that names an existing file, which a
// size given with /SIZE would have made the font.
void WriteSizeHint(const RunState& state, const platform::FileSystem& files, Console& console) {
  for (const Parameter& parameter : state.INPARAMS) {
    if (files.IsExistingFile(parameter.typed)) {
      console << "\r\nHINT: " << parameter.typed << " exists; give its symbol size with /SIZEwxh."
              << CRLF;
      return;
    }
  }
}

// The strict walk of the font text; after a parse error, the arrays that array mode would read.
bool WalkFontText(RunState& state, const RunServices& services, Console& console) {
  if (ReadFontFile(state, services, console)) return true;
  if (state.CONTENTERROR) WriteArrayHint(state, console);
  return false;
}

// Reads the font text in the mode the options ask for, then draws it; true when the sheet was
// written.
bool DrawFontText(RunState& state, const RunServices& services,
                  const platform::OutputFiles& outputs, Console& console) {
  const bool read = state.ARRAYREAD ? LoadFontFile(state, services.files, console) &&
                                          ReadArrayFont(state, console)
                                    : WalkFontText(state, services, console);
  return read && DrawFontSheet(state, outputs, console);
}

// Reads every value of the font text and ranks the layouts that fit them; true when the probe
// sheet was written.
bool FindLayoutsOfFontText(RunState& state, const RunServices& services,
                           const platform::OutputFiles& outputs, Console& console) {
  if (state.ARRAYREAD) {
    if (!LoadFontFile(state, services.files, console)) return false;
    std::optional<ArrayReading> reading = ReadArrayValues(state, console);
    return reading && FindFontLayouts(state, ArrayValuesOf(std::move(*reading), state.VALUEBITS),
                                      outputs, console);
  }
  if (!WalkFontText(state, services, console)) return false;
  const std::int32_t count = SymbolsToDraw(state, console);
  return count > 0 &&
         FindFontLayouts(state, StrictFontValues(state.SYMBOLSDATA, count), outputs, console);
}

}  // namespace

int RunFontsheet(RunState& state, const std::vector<std::string>& arguments,
                 const RunServices& services, const platform::OutputFiles& outputs,
                 Console& console) {
  ScanParameters(state, arguments, services, {ApplySheetOptionTests, PngEntry::kSheet, GivenSize},
                 console);
  FixArraySymbolSize(state);
  bool written = false;
  if (!state.INFILENAMEFOUND) {
    ReportNoInputFile(state, console);
    WriteSizeHint(state, services.files, console);
  } else if (state.SHEETINPUT) {
    written =
        SymbolsFitValues(state, console) && ReadBackSheet(state, services.files, outputs, console);
  } else if (state.FINDLAYOUTS) {
    written = FindLayoutsOfFontText(state, services, outputs, console);
  } else {
    written = SymbolsFitValues(state, console) && DrawFontText(state, services, outputs, console);
  }
  if (state.FSHOWHELP) SHOWSHEETHELP(console);
  SHOWSHEETPARAMS(state, console);
  const bool only_help = HelpAsked(state) && !state.INFILENAMEFOUND;
  return written || only_help ? 0 : 1;
}

}  // namespace fontscan
