// fontsheet's own options: byte layout, first bit, scale, symbols per line, overwriting, the
// array mode's switches, and the symbol size given on the command line.
#pragma once

#include <optional>
#include <vector>

#include "app/font_file.h"
#include "core/run_state.h"

namespace fontscan {

// Tries fontsheet's option tests on one normalised parameter, after the common ones. A /S or /L
// entry whose number is malformed or out of range is left alone without a message, as is any
// other malformed entry. Names (/Aname, /Dname) are taken as typed.
void ApplySheetOptionTests(RunState& state, const Parameter& parameter);

// The size that the last well-formed /SIZEwXh entry gives (1 to 256 each way), or nothing.
std::optional<CellSize> GivenSize(const std::vector<Parameter>& parameters);

}  // namespace fontscan
