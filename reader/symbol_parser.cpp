#include "reader/symbol_parser.h"

#include <cstring>
#include <limits>

#include "platform/byte_scan.h"
#include "reader/diagnostics.h"
#include "reader/hex_byte.h"

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

bool IsGap(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char UpperCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Reads 0xH, 0xHH or 1 to 3 decimal digits up to 255 at `p`, followed by a blank, a comma or a
// closing brace (the characters that end a number and that the fast path goes on with). Returns
// where the number's text ends, or null (and `value` untouched) for anything else.
const char* ReadPlainNumber(const char* p, const char* end, std::int32_t& value) {
  const char* after = nullptr;
  std::int32_t number = 0;
  if (end - p >= 4 && p[0] == '0' && (p[1] | 0x20) == 'x') {
    const int high = HexDigit(p[2]);
    const int low = HexDigit(p[3]);
    if (high < 0) return nullptr;
    number = low < 0 ? high : high * 16 + low;
    after = low < 0 ? p + 3 : p + 4;
  } else {
    const char* q = p;
    while (q < end && q - p < 4 && *q >= '0' && *q <= '9') number = number * 10 + (*q++ - '0');
    if (q == p || q - p > 3 || number > 255) return nullptr;
    after = q;
  }
  if (after == end) return nullptr;
  const char next = *after;
  if (next != ' ' && next != '\t' && next != ',' && next != '}') return nullptr;
  value = number;
  return after;
}

// BYTEDATA and BYTEISHEX as the parser leaves them after the plain number text[begin, end):
// the digits, upper-cased, a lone hex digit with a 0 in front.
void KeepNumberText(RunState& state, const char* begin, const char* end) {
  state.BYTEISHEX = end - begin >= 3 && (begin[1] | 0x20) == 'x';
  state.BYTEDATA.clear();
  if (state.BYTEISHEX) {
    begin += 2;
    if (end - begin == 1) state.BYTEDATA.push_back('0');
  }
  for (; begin < end; ++begin) state.BYTEDATA.push_back(UpperCase(*begin));
}

}  // namespace

// The fast path. It runs only outside comments and directive lines, inside the font array and
// not in the middle of a number, and takes, in a loop of its own, exactly the text whose effects
// are plain: blanks and line breaks (they do nothing there), line comments and block comments
// (skipped to their end), plain bytes with the blank, comma or brace that ends them, commas
// within the count, a symbol's opening brace while the table has room, and its closing brace
// when its byte count is right (with the progress line). At anything else it stops, just before
// that character, with the run state as the one-character walk would have left it there:
// messages, the array's closing brace, digits or letters out of place, a lone '/' or '*', '#',
// and a line comment, block comment or number that the text ends in the middle of.
//
// Why skipping is safe: in these states a blank, a line break or the first '/' of a comment
// changes nothing in the parser; the raw previous character matters only for '0' before 'X'
// (inside a number this path reads as a whole) and for '/' or '*' after '/' or '*', and the
// path takes no lone '/' or '*' and does not start after a '/'. After a block comment's closing
// '/' it stops if a '/' or '*' follows, since that pairs with the '/'.
std::size_t TakeCommonText(RunState& state, std::string_view text, std::size_t from,
                           Console& console) {
  if (state.STLINECOMMENT || state.STBLOCKCOMMENT || state.STCOMPILERDIRECTIVE ||
      state.CONTENTERROR || state.STOUT || state.STNUM) {
    return from;
  }
  if (from > 0 && text[from - 1] == '/') return from;

  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin + from;
  const std::int32_t last_byte = state.SYMBOLSIZE - 1;
  bool in_symbol = state.STIN2;  // else STIN1, between symbols
  std::uint8_t* symbol = in_symbol ? state.SYMBOLSDATA.bytes(state.SYMBOLSCOUNT) : nullptr;
  bool number_done = state.STNUMEND;  // inside a symbol: STNUMEND, else STNUMSTART
  std::int32_t commas = state.COMMACOUNT;
  std::int32_t byte = state.CURRENTBYTE;
  // BYTEDATA, BYTEISHEX and BYTENUMBER are written back only if a number or a brace touched them:
  // the number taken last, or empty after a comma or brace.
  const char* number_begin = nullptr;
  const char* number_end = nullptr;
  bool number_text_changed = false;
  std::int32_t value = 0;
  bool number_taken = false;

  // Hands the counters and flags back to the run state (before anything that may look at it).
  const auto store = [&] {
    state.COMMACOUNT = commas;
    state.CURRENTBYTE = byte;
    state.STIN1 = !in_symbol;
    state.STIN2 = in_symbol;
    state.STNUMEND = in_symbol && number_done;
    state.STNUMSTART = in_symbol && !number_done;
    if (number_taken) state.BYTENUMBER = value;
    if (number_text_changed) {
      KeepNumberText(state, number_begin, number_end);
      number_text_changed = false;
    }
  };
  // A comma or a brace leaves BYTEDATA empty and BYTEISHEX clear, as StartNumber does.
  const auto start_number = [&] {
    number_begin = number_end = nullptr;
    number_text_changed = true;
  };

  while (p < end) {
    // The gap before the next thing that counts: blanks and line breaks do nothing here.
    char c = *p;
    if (IsGap(c)) {
      ++p;
      if (p < end && IsGap(*p)) p = platform::FindNoneOf4(p, end, ' ', '\t', '\r', '\n');
      if (p == end) break;
      c = *p;
    }
    if (c == '/') {
      if (end - p < 2) break;
      if (p[1] == '/') {
        const char* line_break = platform::FindEitherOf(p + 2, end, '\n', '\r');
        if (line_break == end) break;
        p = line_break;
      } else if (p[1] == '*') {
        // The comment ends at the first '/' whose raw previous byte is '*': "/*/" is one.
        const char* close = p + 2;
        while ((close = static_cast<const char*>(std::memchr(close, '/', end - close))) !=
                   nullptr &&
               close[-1] != '*') {
          ++close;
        }
        if (close == nullptr) break;
        p = close + 1;
        if (p < end && (*p == '/' || *p == '*')) break;
      } else {
        break;
      }
      continue;
    }
    if (in_symbol && !number_done) {
      // Most fonts spell their bytes 0xHH, with one blank or none after the comma: a run of them
      // is taken here in a loop of its own.
      const char* run = p;
      while (end - p >= 8 && commas < last_byte && p[0] == '0' && (p[1] | 0x20) == 'x' &&
             p[4] == ',') {
        const int high = HexDigit(p[2]);
        const int low = HexDigit(p[3]);
        if ((high | low) < 0) break;
        value = high * 16 + low;
        symbol[byte++] = static_cast<std::uint8_t>(value);
        ++commas;
        p += p[5] == ' ' ? 6 : 5;
      }
      if (p != run) {
        number_taken = true;
        start_number();
        continue;
      }
      // A number is expected: only a plain one is taken, with the comma after it if one follows.
      const char* after = ReadPlainNumber(p, end, value);
      if (after == nullptr) break;
      symbol[byte] = static_cast<std::uint8_t>(value);
      number_taken = true;
      if (*after == ',' && commas < last_byte) {
        ++commas;
        ++byte;
        start_number();
        p = after + 1;
      } else {
        number_begin = p;
        number_end = after;
        number_text_changed = true;
        number_done = true;
        p = after;  // the character that ended it is taken next
      }
    } else if (c == ',') {
      if (in_symbol) {
        if (commas >= last_byte) break;
        number_done = false;
        ++byte;
        start_number();
      } else if (commas >= 1) {
        break;
      }
      ++commas;
      ++p;
    } else if (c == '}') {
      if (!in_symbol || byte != last_byte) break;
      in_symbol = false;
      commas = 0;
      ++p;
      store();
      state.POSITION = static_cast<std::int32_t>(p - begin);
      WriteSymbolFinished(state, console);
    } else if (c == '{') {
      if (in_symbol || state.SYMBOLSCOUNT >= MAXSYMBOLSCOUNT) break;
      in_symbol = true;
      commas = 0;
      byte = 0;
      number_done = false;
      start_number();
      ++state.SYMBOLSCOUNT;
      ++p;
      // The table may not have the memory: the walk then stops here as it would without this path.
      store();
      state.POSITION = static_cast<std::int32_t>(p - begin);
      state.SYMBOLSDATA.AddSymbol();
      symbol = state.SYMBOLSDATA.bytes(state.SYMBOLSCOUNT);
    } else {
      break;
    }
  }
  store();
  return static_cast<std::size_t>(p - begin);
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
