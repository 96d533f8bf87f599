// The messages of the font text walk: parse errors, the too-many-symbols warning, progress.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/console.h"
#include "core/run_state.h"

namespace fontscan {

enum class ParseError {
  kBraceOpen,
  kDigitBetween,
  kPrefix,
  kLetterX,
  kWrongByte,
  kWrongSize,
  kEndSyntax,
  kBraceClose,
  kCommasBetween,
  kCommasInside,
  kCommaUnexpected,
};

// A file position in upper-case hexadecimal, at least four digits.
std::string HexPosition(std::int32_t position);

// The four-line error report for the character at POSITION.
void WriteParseError(const RunState& state, ParseError kind, Console& console);

// The five-line warning for the symbol after the last one the table can hold.
void WriteTooManySymbolsWarning(const RunState& state, Console& console);
// The same, with `place` saying where that symbol begins.
void WriteTooManySymbolsWarning(std::string_view place, Console& console);

// "Reading symbol #n finished."
void WriteSymbolFinished(const RunState& state, Console& console);

}  // namespace fontscan
