// The two reports that end every run: the help screen and the parameter report.
#pragma once

#include <string_view>

#include "app/console.h"
#include "app/run_state.h"

namespace fontscan {

void SHOWHELP(Console& console);
void SHOWCURRENTPARAMS(const RunState& state, Console& console);

// The pieces that fontsheet's reports share: the help lines of the colour options (the help
// screen's last lines, without a line end after the last one), the parameter report without its
// closing empty line, and how a flag is shown.
extern const std::string_view kColourHelpLines;
void WriteParameterLines(const RunState& state, Console& console);
std::string_view TrueFalse(bool value);

}  // namespace fontscan
