#include "reader/comment_filter.h"

#include <cstring>

#include "reader/symbol_parser.h"

namespace fontscan {

namespace {

char UpperCaseAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Index of the first CR or LF in text[from, to), or `to`.
std::size_t FindLineBreak(std::string_view text, std::size_t from, std::size_t to) {
  const char* begin = text.data() + from;
  std::size_t length = to - from;
  const void* lf = std::memchr(begin, '\n', length);
  if (lf != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(lf) - begin);
  const void* cr = std::memchr(begin, '\r', length);
  if (cr != nullptr) length = static_cast<std::size_t>(static_cast<const char*>(cr) - begin);
  return from + length;
}

// Index of the first '/' at or after `from` whose raw previous byte is '*', or the text's size.
std::size_t FindBlockCommentEnd(std::string_view text, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    const void* slash = std::memchr(text.data() + at, '/', text.size() - at);
    if (slash == nullptr) break;
    at = static_cast<std::size_t>(static_cast<const char*>(slash) - text.data());
    if (at > 0 && text[at - 1] == '*') return at;
  }
  return text.size();
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

void PrepareWalk(RunState& state) {
  state.POSITION = 0;
  state.SYMBOLSCOUNT = 0;
  state.CURRENTBYTE = 0;
  state.CONTENTERROR = false;
  state.BYTEDATA.reserve(16);
  state.SYMBOLSDATA.SetSymbolSize(state.SYMBOLSIZE);
}

void WalkFontText(RunState& state, std::string_view text, Console& console) {
  const auto length = static_cast<std::int32_t>(text.size());
  char previous = '\0';
  char current = state.POSITION > 0 ? UpperCaseAscii(text[state.POSITION - 1]) : '\0';
  while (state.POSITION < length) {
    // Inside a comment nothing but its end matters, so the walk jumps there. The jump lands
    // just before the character that ends the comment, which is then handled as usual.
    std::size_t next = static_cast<std::size_t>(state.POSITION);
    std::size_t skip_to = next;
    if (state.STBLOCKCOMMENT) {
      skip_to = FindBlockCommentEnd(text, next);
      // A block comment opened on a directive line ends that line's directive at its break.
      if (state.STCOMPILERDIRECTIVE && FindLineBreak(text, next, skip_to) < skip_to) {
        state.STCOMPILERDIRECTIVE = false;
      }
    } else if (state.STLINECOMMENT) {
      skip_to = FindLineBreak(text, next, text.size());
    } else if (!state.STCOMPILERDIRECTIVE && state.STIN2 && state.STNUMSTART) {
      skip_to = TakePlainBytes(state, text, next);
    }
    // Blanks do nothing unless they end a number.
    if (skip_to == next && !state.STNUM) {
      while (skip_to < text.size() && IsBlank(text[skip_to])) ++skip_to;
    }
    if (skip_to > next) {
      state.POSITION = static_cast<std::int32_t>(skip_to);
      current = UpperCaseAscii(text[skip_to - 1]);
      continue;
    }

    ++state.POSITION;
    previous = current;
    current = UpperCaseAscii(text[next]);
    if (IsLineBreak(current)) {
      state.STLINECOMMENT = false;
      state.STCOMPILERDIRECTIVE = false;
    } else if (state.STBLOCKCOMMENT) {
      if (previous == '*' && current == '/') state.STBLOCKCOMMENT = false;
    } else if (state.STLINECOMMENT) {
      // skipped
    } else if (previous == '/' && current == '/') {
      state.STLINECOMMENT = true;
    } else if (current == '#') {
      state.STCOMPILERDIRECTIVE = true;
    } else if (previous == '/' && current == '*') {
      state.STBLOCKCOMMENT = true;
    } else if (!state.STCOMPILERDIRECTIVE &&
               ParseCharacter(state, current, previous, console) == WalkStep::kEnd) {
      state.POSITION = length + 1;
    }
  }
}

}  // namespace fontscan
