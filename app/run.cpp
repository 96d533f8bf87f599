#include "app/run.h"

#include "app/font_file.h"
#include "app/options.h"
#include "app/reports.h"
#include "reader/loader.h"

namespace fontscan {

void RunFontscan(RunState& state, const std::vector<std::string>& arguments,
                 const RunServices& services, Console& console) {
  CollectParameters(state, arguments, services.upper_case);
  if (state.INPARCOUNT > 1) SortParameters(state, services.order);

  state.INFILENAMEFOUND = false;
  state.FONTWIDTH = -1;
  state.FONTHEIGHT = -1;
  if (state.INPARCOUNT < 1) state.FSHOWHELP = true;

  for (const Parameter& parameter : state.INPARAMS) {
    ApplyOptionTests(state, parameter.text);
    TestFontFile(state, parameter, services.files, console);
  }

  if (state.INFILENAMEFOUND) {
    LoadAndWalkFontFile(state, services.files, console);
    if (state.CONTENTERROR) state.FSHOWHELP = true;
  } else {
    state.FSHOWHELP = true;
    console.WriteLine("\r\nERROR: Input file name not found, wrong format, or not specified!");
  }

  if (state.FSHOWHELP) SHOWHELP(console);
  SHOWCURRENTPARAMS(state, console);
}

}  // namespace fontscan
