// fontsheet's run: fontscan's front end and reader, then drawing the sheet or reading it back.
#pragma once

#include <string>
#include <vector>

#include "app/run.h"
#include "core/console.h"
#include "core/run_state.h"
#include "platform/output_files.h"

namespace fontscan {

// One whole run over the arguments (program name excluded); returns the exit status: 0 when
// the output file was written, or when help was asked for and no input was recognised; else 1.
int RunFontsheet(RunState& state, const std::vector<std::string>& arguments,
                 const RunServices& services, const platform::OutputFiles& outputs,
                 Console& console);

}  // namespace fontscan
