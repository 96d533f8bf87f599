// The last step of both directions: the output file, never replacing one unless asked to.
#pragma once

#include <string>
#include <string_view>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/output_files.h"

namespace fontscan {

// The output file as typed: the input as typed with its extension replaced by `extension`.
std::string OutputPath(const RunState& state, std::string_view extension);

// Writes what `make` makes to OutputPath(state, extension), as it makes it. Without /Y an
// existing entry of that name is an error and nothing is made. True when the file was written.
bool WriteOutputFile(const RunState& state, const platform::OutputFiles& outputs,
                     std::string_view extension, const platform::FileMaker& make, Console& console);

}  // namespace fontscan
