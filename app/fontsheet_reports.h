// fontsheet's help screen and parameter report.
#pragma once

#include "core/console.h"
#include "core/run_state.h"

namespace fontscan {

void SHOWSHEETHELP(Console& console);

// fontscan's parameter report with the sheet's settings added.
void SHOWSHEETPARAMS(const RunState& state, Console& console);

}  // namespace fontscan
