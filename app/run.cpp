#include "app/run.h"

#include "app/options.h"
#include "app/reports.h"
#include "reader/loader.h"

namespace fontscan {

void ScanParameters(RunState& state, const std::vector<std::string>& arguments,
                    const RunServices& services, const CommandLineRules& rules, Console& console) {
  CollectParameters(state, arguments, services.upper_case);
  if (state.INPARCOUNT > 1) SortParameters(state, services.order);

  state.INFILENAMEFOUND = false;
  state.FONTWIDTH = -1;
  state.FONTHEIGHT = -1;
  if (state.INPARCOUNT < 1) state.FSHOWHELP = true;

  const std::optional<CellSize> given_size =
      rules.given_size != nullptr ? rules.given_size(state.INPARAMS) : std::nullopt;
  for (const Parameter& parameter : state.INPARAMS) {
    ApplyOptionTests(state, parameter.text);
    if (rules.more_option_tests != nullptr) rules.more_option_tests(state, parameter);
    TestFontFile(state, parameter, services.files, console, rules.png_entry, given_size);
  }
}

void ReportNoInputFile(RunState& state, Console& console) {
  state.FSHOWHELP = true;
  console.WriteLine("\r\nERROR: Input file name not found, wrong format, or not specified!");
}

bool ReadFontFile(RunState& state, const RunServices& services, Console& console) {
  const bool loaded = LoadAndWalkFontFile(state, services.files, console);
  if (state.CONTENTERROR) state.FSHOWHELP = true;
  return loaded && !state.CONTENTERROR;
}

bool HelpAsked(const RunState& state) {
  for (const Parameter& parameter : state.INPARAMS) {
    if (parameter.text == "/?" || parameter.text == "/H") return true;
  }
  return false;
}

void RunFontscan(RunState& state, const std::vector<std::string>& arguments,
                 const RunServices& services, Console& console) {
  ScanParameters(state, arguments, services, {nullptr, PngEntry::kRejected, nullptr}, console);
  if (state.INFILENAMEFOUND) {
    ReadFontFile(state, services, console);
  } else {
    ReportNoInputFile(state, console);
  }
  if (state.FSHOWHELP) SHOWHELP(console);
  SHOWCURRENTPARAMS(state, console);
}

}  // namespace fontscan
