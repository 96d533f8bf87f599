// Layout switches and the five-colour scheme.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/run_state.h"

namespace fontscan {

// The grey scheme for delimiters and grid; background and symbol colours stay.
void SETCOLORSBW(RunState& state);

// Tries every option test on one normalised parameter; a parameter that matches none is left
// alone without a message.
void ApplyOptionTests(RunState& state, std::string_view parameter);

}  // namespace fontscan
