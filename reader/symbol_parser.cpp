#include "reader/symbol_parser.h"

#include <limits>

#include "app/options.h"
#include "reader/diagnostics.h"

namespace fontscan {

namespace {

bool IsNumberCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || c == 'X';
}

void ReportError(RunState& state, ParseError kind, Console& console) {
  WriteParseError(state, kind, console);
  state.CONTENTERROR = true;
}

void StartNumber(RunState& state) {
  state.STNUMSTART = true;
  state.BYTEDATA.clear();
  state.BYTEISHEX = false;
}

// A: '{' opens the font array, or a symbol inside it.
WalkStep OpeningBrace(RunState& state, Console& console) {
  state.COMMACOUNT = 0;
  if (state.STOUT) {
    state.STOUT = false;
    state.STIN1 = true;
  } else if (state.STIN1) {
    state.STIN1 = false;
    state.CURRENTBYTE = 0;
    ++state.SYMBOLSCOUNT;
    if (state.SYMBOLSCOUNT > MAXSYMBOLSCOUNT) {
      WriteTooManySymbolsWarning(state, console);
      state.STOUT = true;
      return WalkStep::kEnd;
    }
    state.STIN2 = true;
    StartNumber(state);
    state.SYMBOLSDATA.AddSymbol();
  } else {
    ReportError(state, ParseError::kBraceOpen, console);
  }
  return WalkStep::kContinue;
}

// B: a digit, A to F, or X.
void NumberCharacter(RunState& state, char current, char previous, Console& console) {
  if (state.STIN1) {
    ReportError(state, ParseError::kDigitBetween, console);
  } else if (state.STIN2) {
    if (previous == '0' && current == 'X') {
      if (!state.STNUM) {
        ReportError(state, ParseError::kPrefix, console);
        return;
      }
      // The 0 just read starts the prefix: what came before it is dropped.
      state.BYTEDATA.clear();
      if (state.BYTEISHEX) {
        ReportError(state, ParseError::kPrefix, console);
      } else {
        state.BYTEISHEX = true;
      }
    } else if (current == 'X') {
      ReportError(state, ParseError::kLetterX, console);
    } else if (state.STNUMSTART) {
      state.BYTEDATA.push_back(current);
      state.STNUMSTART = false;
      state.STNUM = true;
    } else if (state.STNUM) {
      state.BYTEDATA.push_back(current);
    }
  }
}

// C: any other character ends the number being read.
void EndOfNumber(RunState& state, Console& console) {
  if (state.BYTEISHEX) {
    if (state.BYTEDATA.size() == 1) state.BYTEDATA.insert(state.BYTEDATA.begin(), '0');
    if (state.BYTEDATA.size() == 2) {
      state.BYTENUMBER = STRTOHEXBYTE(state.BYTEDATA);
    } else {
      // BYTENUMBER keeps the last good value, so the number still counts as complete.
      ReportError(state, ParseError::kWrongByte, console);
    }
  } else {
    state.BYTENUMBER = DecimalValue(state.BYTEDATA);
  }
  if (state.BYTENUMBER >= 0 && state.BYTENUMBER <= 255) {
    state.SYMBOLSDATA.at(state.SYMBOLSCOUNT, state.CURRENTBYTE) =
        static_cast<std::uint8_t>(state.BYTENUMBER);
    state.STNUM = false;
    state.STNUMEND = true;
  } else {
    ReportError(state, ParseError::kWrongByte, console);
  }
}

// D: '}' closes a symbol or the font array.
WalkStep ClosingBrace(RunState& state, Console& console) {
  state.COMMACOUNT = 0;
  if (state.STIN1) {
    state.STOUT = true;
    state.STIN1 = false;
    return WalkStep::kEnd;
  }
  if (state.STIN2) {
    state.STIN2 = false;
    if (state.CURRENTBYTE != state.SYMBOLSIZE - 1) {
      ReportError(state, ParseError::kWrongSize, console);
    } else if (!state.STNUMEND) {
      ReportError(state, ParseError::kEndSyntax, console);
    } else {
      state.STIN1 = true;
      WriteSymbolFinished(state, console);
    }
  } else {
    ReportError(state, ParseError::kBraceClose, console);
  }
  return WalkStep::kContinue;
}

// E: ',' separates symbols and the numbers inside one.
void Comma(RunState& state, Console& console) {
  ++state.COMMACOUNT;
  if (state.STIN1 && state.COMMACOUNT > 1) {
    ReportError(state, ParseError::kCommasBetween, console);
  } else if (state.STIN2 && state.COMMACOUNT > state.SYMBOLSIZE - 1) {
    ReportError(state, ParseError::kCommasInside, console);
  } else if (state.STIN2) {
    if (state.STNUMEND) {
      state.STNUMEND = false;
      StartNumber(state);
      ++state.CURRENTBYTE;
    } else {
      ReportError(state, ParseError::kCommaUnexpected, console);
    }
  }
}

}  // namespace

std::int32_t DecimalValue(const std::string& text) {
  if (text.empty()) return -1;
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  std::int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    std::int32_t digit = c - '0';
    value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
  }
  return value;
}

WalkStep ParseCharacter(RunState& state, char current, char previous, Console& console) {
  // Every stage runs, each on the state the earlier ones left: one character may bring more
  // than one message.
  WalkStep step = WalkStep::kContinue;
  const bool number_character = IsNumberCharacter(current);
  if (current == '{') step = OpeningBrace(state, console);
  if (number_character) NumberCharacter(state, current, previous, console);
  if (state.STIN2 && state.STNUM && !number_character) EndOfNumber(state, console);
  if (current == '}' && ClosingBrace(state, console) == WalkStep::kEnd) step = WalkStep::kEnd;
  if (current == ',') Comma(state, console);
  if (state.CONTENTERROR) {
    state.STOUT = true;
    state.STIN1 = false;
    state.STIN2 = false;
    step = WalkStep::kEnd;
  }
  if (!state.STIN2) {
    state.STNUMSTART = false;
    state.STNUM = false;
    state.STNUMEND = false;
  }
  return step;
}

}  // namespace fontscan
