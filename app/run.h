// The run sequence: parameters, options and font file, reading, reports.
#pragma once

#include <string>
#include <vector>

#include "app/console.h"
#include "app/parameters.h"
#include "app/run_state.h"
#include "platform/files.h"

namespace fontscan {

// What a run needs from the operating system.
struct RunServices {
  const platform::FileSystem& files;
  UpperCaser upper_case;
  ParameterOrder order;
};

// One whole run over the arguments (program name excluded).
void RunFontscan(RunState& state, const std::vector<std::string>& arguments,
                 const RunServices& services, Console& console);

}  // namespace fontscan
