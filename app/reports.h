// The two reports that end every run: the help screen and the parameter report.
#pragma once

#include "app/console.h"
#include "app/run_state.h"

namespace fontscan {

void SHOWHELP(Console& console);
void SHOWCURRENTPARAMS(const RunState& state, Console& console);

}  // namespace fontscan
