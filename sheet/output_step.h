// The last step of both directions: the output file, never replacing one unless asked to.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/run_state.h"
#include "platform/output_files.h"

namespace fontscan {

// The output file as typed: the input as typed with its extension replaced by `extension`.
std::string OutputPath(const RunState& state, std::string_view extension);

// Writes what `produce` makes to OutputPath(state, extension). Without /Y an existing entry of
// that name is an error and nothing is produced. True when the file was written.
bool WriteOutputFile(const RunState& state, const platform::OutputFiles& outputs,
                     std::string_view extension,
                     const std::function<bool(std::string& bytes)>& produce, Console& console);

}  // namespace fontscan
