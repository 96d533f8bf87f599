// The run sequence: parameters, options and font file, reading, reports. Its steps are shared by
// both programs; fontscan's own run is the plain sequence of them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/font_file.h"
#include "app/parameters.h"
#include "core/console.h"
#include "core/run_state.h"
#include "platform/files.h"

namespace fontscan {

// What a run needs from the operating system.
struct RunServices {
  const platform::FileSystem& files;
  UpperCaser upper_case;
  ParameterOrder order;
};

// Where the two programs' command lines differ.
struct CommandLineRules {
  // Tried on every entry after the common option tests; may be null.
  void (*more_option_tests)(RunState& state, const Parameter& parameter);
  PngEntry png_entry;
  // The symbol size that the entries give, which replaces the one in the file name; may be null.
  std::optional<CellSize> (*given_size)(const std::vector<Parameter>& parameters);
};

// Collects and sorts the parameters, then offers each to the option tests and the font file
// test.
void ScanParameters(RunState& state, const std::vector<std::string>& arguments,
                    const RunServices& services, const CommandLineRules& rules, Console& console);

// The message for a run that recognised no input file; the help screen is earned.
void ReportNoInputFile(RunState& state, Console& console);

// Loads and walks the recognised font file; a parse error earns the help screen. True when the
// font was read whole without a loading or parse error.
bool ReadFontFile(RunState& state, const RunServices& services, Console& console);

// True when /? or /H is among the parameters.
bool HelpAsked(const RunState& state);

// One whole run over the arguments (program name excluded).
void RunFontscan(RunState& state, const std::vector<std::string>& arguments,
                 const RunServices& services, Console& console);

}  // namespace fontscan
