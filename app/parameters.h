// The parameter list: the first ten arguments, normalised and sorted.
#pragma once

#include <string>
#include <vector>

#include "core/run_state.h"

namespace fontscan {

// Negative, zero or positive as `a` sorts before, equal to or after `b`.
using ParameterOrder = int (*)(const std::string& a, const std::string& b);
// The text upper-cased.
using UpperCaser = std::string (*)(std::string_view text);

// Fills INPARAMS and INPARCOUNT from the arguments (program name excluded): at most ten, each
// with a leading '-' turned into '/' and then upper-cased.
void CollectParameters(RunState& state, const std::vector<std::string>& arguments,
                       UpperCaser upper_case);

// Bubble sort of INPARAMS by their text; neighbours are exchanged only when the first sorts
// strictly after the second, so equal entries keep their order.
void SortParameters(RunState& state, ParameterOrder order);

}  // namespace fontscan
