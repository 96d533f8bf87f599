// The symbol definition parser: reads the font array, one filtered character at a time, into the
// symbol table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/run_state.h"

namespace fontscan {

enum class WalkStep { kContinue, kEnd };

// Runs every parser stage for `current` (upper case); `previous` is the raw character before
// it in the file. kEnd means the walk stops after this character: the array closed, the table
// is full, or an error was reported.
WalkStep ParseCharacter(RunState& state, char current, char previous, Console& console);

// The walk's fast path (outside comments and directive lines, inside the font array): the index
// of the first character at or after `from` that must go through the one-character walk. All
// text before it has been taken with exactly the effects, messages included, that it has
// character by character. See the definition for what it takes.
std::size_t TakeCommonText(RunState& state, std::string_view text, std::size_t from,
                           Console& console);

// The value of a decimal number's text, judged in full (leading zeros allowed; values past the
// 32-bit range are held at its maximum), or -1 when the text is not a decimal integer.
std::int32_t DecimalValue(const std::string& text);

}  // namespace fontscan
