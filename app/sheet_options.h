// fontsheet's own options: byte layout, first bit, scale, symbols per line, overwriting.
#pragma once

#include <string_view>

#include "core/run_state.h"

namespace fontscan {

// Tries fontsheet's option tests on one normalised parameter, after the common ones. A /S or /L
// entry whose number is malformed or out of range is left alone without a message.
void ApplySheetOptionTests(RunState& state, std::string_view parameter);

}  // namespace fontscan
