// Array mode: the font text read as C source, one array chosen and read into the symbol table,
// with the messages of each outcome; and the hint that names the arrays a strict reading missed.
#pragma once

#include <optional>

#include "core/console.h"
#include "core/run_state.h"
#include "reader/array_reader.h"

namespace fontscan {

// Reads the array that the options choose out of INFILEDATA into SYMBOLSDATA and SYMBOLSCOUNT.
// A fault in the array earns the help screen. True when symbols were read.
bool ReadArrayFont(RunState& state, Console& console);

// For finding the layout: reads every value of the chosen array, without symbol rules. Nothing
// after the messages of what went wrong; a fault in the array earns the help screen.
std::optional<ArrayReading> ReadArrayValues(RunState& state, Console& console);

// After a strict parse error: names every array (the first of its name) that array mode would
// read without a fault with the size and options given, if any.
void WriteArrayHint(const RunState& state, Console& console);

}  // namespace fontscan
