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

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// 0 to 15 for 0-9, A-F and a-f; -1 for every other byte.
struct HexDigits {
  std::int8_t value[256];
  constexpr HexDigits() : value() {
    for (int c = 0; c < 256; ++c) value[c] = -1;
    for (int c = '0'; c <= '9'; ++c) value[c] = static_cast<std::int8_t>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c) value[c] = static_cast<std::int8_t>(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c) value[c] = static_cast<std::int8_t>(c - 'a' + 10);
  }
  int operator()(char c) const { return value[static_cast<unsigned char>(c)]; }
};
constexpr HexDigits HexDigit;

// Reads a plain byte at `p`: 0xH, 0xHH, or 1 to 3 decimal digits up to 255, followed by blanks
// and a comma. Returns the position after the comma, or null when the text there is anything else.
const char* PlainByteAndComma(const char* p, const char* end, std::int32_t& value) {
  int digits = 0;
  value = 0;
  if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    p += 2;
    for (int digit; p < end && digits < 3 && (digit = HexDigit(*p)) >= 0; ++p, ++digits) {
      value = value * 16 + digit;
    }
    if (digits == 0 || digits > 2) return nullptr;
  } else {
    for (; p < end && digits < 4 && *p >= '0' && *p <= '9'; ++p, ++digits) {
      value = value * 10 + (*p - '0');
    }
    if (digits == 0 || digits > 3 || value > 255) return nullptr;
  }
  while (p < end && IsBlank(*p)) ++p;
  if (p == end || *p != ',') return nullptr;
  return p + 1;
}

// Fast path for the bulk of a font. At the first character of a number inside a symbol, plain
// bytes each followed by a comma (and blanks) are taken in one go, with exactly the effects
// that their characters have one by one: each byte is stored, each comma moves on to the next
// byte. Stops before the first text that is anything else, and before a comma that would be one
// too many; returns the index where the walk goes on character by character.
std::size_t TakePlainBytes(RunState& state, std::string_view text, std::size_t from) {
  const char* p = text.data() + from;
  const char* const end = text.data() + text.size();
  std::int32_t value = 0;
  std::int32_t taken = 0;
  const std::int32_t room = state.SYMBOLSIZE - 1 - state.COMMACOUNT;
  while (taken < room) {
    const char* after = PlainByteAndComma(p, end, value);
    if (after == nullptr) break;
    state.SYMBOLSDATA.at(state.SYMBOLSCOUNT, state.CURRENTBYTE + taken) =
        static_cast<std::uint8_t>(value);
    state.BYTENUMBER = value;
    ++taken;
    p = after;
    while (p < end && IsBlank(*p)) ++p;
  }
  state.COMMACOUNT += taken;
  state.CURRENTBYTE += taken;
  // STNUMSTART stays set, BYTEDATA empty and BYTEISHEX clear, as a comma leaves them.
  return taken == 0 ? from : static_cast<std::size_t>(p - text.data());
}

}  // namespace

std::size_t SkipPlainText(RunState& state, std::string_view text, std::size_t from) {
  std::size_t at = from;
  if (state.STIN2 && state.STNUMSTART) at = TakePlainBytes(state, text, at);
  // Blanks do nothing unless they end a number.
  if (!state.STNUM) {
    while (at < text.size() && IsBlank(text[at])) ++at;
  }
  return at;
}

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
