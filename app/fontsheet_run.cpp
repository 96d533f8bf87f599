#include "app/fontsheet_run.h"

#include "app/fontsheet_reports.h"
#include "app/sheet_options.h"
#include "sheet/draw_step.h"
#include "sheet/read_back_step.h"

namespace fontscan {

int RunFontsheet(RunState& state, const std::vector<std::string>& arguments,
                 const RunServices& services, const platform::OutputFiles& outputs,
                 Console& console) {
  ScanParameters(state, arguments, services, {ApplySheetOptionTests, PngEntry::kSheet}, console);
  bool written = false;
  if (!state.INFILENAMEFOUND) {
    ReportNoInputFile(state, console);
  } else if (state.SHEETINPUT) {
    written = ReadBackSheet(state, services.files, outputs, console);
  } else if (ReadFontFile(state, services, console)) {
    written = DrawFontSheet(state, outputs, console);
  }
  if (state.FSHOWHELP) SHOWSHEETHELP(console);
  SHOWSHEETPARAMS(state, console);
  const bool only_help = HelpAsked(state) && !state.INFILENAMEFOUND;
  return written || only_help ? 0 : 1;
}

}  // namespace fontscan
