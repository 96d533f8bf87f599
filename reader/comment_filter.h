// The character walk over the font text: line breaks, comments and directive lines are filtered
// out, everything else goes to the symbol parser.
#pragma once

#include <string_view>

#include "core/console.h"
#include "core/run_state.h"

namespace fontscan {

// Resets what the walk counts before it starts over a freshly loaded text.
void PrepareWalk(RunState& state);

// Walks `text` from POSITION on until its end, the end of the font array, a full symbol table
// or the first error. Only a to z are upper-cased; every other byte passes as it is.
void WalkFontText(RunState& state, std::string_view text, Console& console);

}  // namespace fontscan
