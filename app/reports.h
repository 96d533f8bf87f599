// The two reports that end every run: the help screen and the parameter report.
#pragma once

#include <string_view>

#include "core/console.h"
#include "core/run_state.h"

namespace fontscan {

void SHOWHELP(Console& console);
void SHOWCURRENTPARAMS(const RunState& state, Console& console);

// The pieces that fontsheet's reports share: a help screen made of a program's own lines and the
// help lines of the colour options, the parameter report without its closing empty line, and how
// a flag is shown.
void WriteHelpScreen(std::string_view program_lines, Console& console);
void WriteParameterLines(const RunState& state, Console& console);
std::string_view TrueFalse(bool value);

}  // namespace fontscan
