#include "reader/comment_filter.h"

#include <cstring>

#include "platform/byte_scan.h"
#include "reader/symbol_parser.h"

namespace fontscan {

namespace {

char UpperCaseAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Index of the first CR or LF in text[from, to), or `to`.
std::size_t FindLineBreak(std::string_view text, std::size_t from, std::size_t to) {
  const char* begin = text.data();
  return static_cast<std::size_t>(platform::FindEitherOf(begin + from, begin + to, '\n', '\r') -
                                  begin);
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

// Index of the first character at or after `from` that matters on a directive line: a line
// break, or a '/' or '*' that may open a comment; or the text's size.
std::size_t FindDirectiveLineEvent(std::string_view text, std::size_t from) {
  const char* begin = text.data();
  return static_cast<std::size_t>(
      platform::FindAnyOf4(begin + from, begin + text.size(), '\n', '\r', '/', '*') - begin);
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
    // Inside a comment nothing but its end matters, so the walk jumps there; outside, the parser
    // takes what it can in one go. A jump lands just before the character that ends the run,
    // which is then handled as usual.
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
    } else if (state.STCOMPILERDIRECTIVE) {
      skip_to = FindDirectiveLineEvent(text, next);
    } else {
      skip_to = TakeCommonText(state, text, next, console);
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
