// The lexical pieces that the C scan and the array reader share, so that both read a text the
// same way: byte classes, comments, literals, directive lines and the number forms. All work on
// the text as read (splices removed) and return offsets into it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/byte_scan.h"

namespace fontscan::clex {

enum Class : std::uint8_t {
  kSeparator = 0,  // blanks and the bytes that are no part of any token
  kLineBreak,      // CR, LF
  kWord,           // letters, '_': an identifier starts
  kDigit,          // a number starts
  kPunct,          // any other byte 0x21..0x7E: a token of its own
  kSlash,          // '/': a comment or a token
  kHash,           // '#': a directive line or a token
  kQuote,          // '"', '\''
  kComma,
  kOpen,
  kClose,
};

constexpr std::array<std::uint8_t, 256> MakeClasses() {
  std::array<std::uint8_t, 256> c{};
  for (int b = 0x21; b <= 0x7E; ++b) c[b] = kPunct;
  for (int b = 'a'; b <= 'z'; ++b) c[b] = kWord;
  for (int b = 'A'; b <= 'Z'; ++b) c[b] = kWord;
  c['_'] = kWord;
  for (int b = '0'; b <= '9'; ++b) c[b] = kDigit;
  c['\r'] = kLineBreak;
  c['\n'] = kLineBreak;
  c['/'] = kSlash;
  c['#'] = kHash;
  c['"'] = kQuote;
  c['\''] = kQuote;
  c[','] = kComma;
  c['{'] = kOpen;
  c['}'] = kClose;
  return c;
}
inline constexpr std::array<std::uint8_t, 256> kClasses = MakeClasses();

inline std::uint8_t ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }
inline bool IsWordByte(char c) {  // letters, digits, '_'
  const std::uint8_t k = ClassOf(c);
  return k == kWord || k == kDigit;
}
inline bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

// The end of an identifier or number starting at `i`.
inline std::size_t WordEnd(std::string_view t, std::size_t i) {
  const bool number = ClassOf(t[i]) == kDigit;
  ++i;
  while (i < t.size() && (IsWordByte(t[i]) || (number && t[i] == '.'))) ++i;
  return i;
}

// The line break (or the end of the text) that ends the line holding `i`.
inline std::size_t LineEnd(std::string_view t, std::size_t i) {
  return static_cast<std::size_t>(
      platform::FindEitherOf(t.data() + i, t.data() + t.size(), '\n', '\r') - t.data());
}

// Past the "*/" of a block comment whose "/*" is at `i`, or the end of the text.
inline std::size_t BlockCommentEnd(std::string_view t, std::size_t i) {
  const std::size_t close = t.find("*/", i + 2);
  return close == std::string_view::npos ? t.size() : close + 2;
}

// Past the closing quote of a literal whose opening quote is at `i`, or at the line break (or end
// of text) that ends it.
inline std::size_t LiteralEnd(std::string_view t, std::size_t i) {
  const char quote = t[i];
  for (++i; i < t.size(); ++i) {
    const char c = t[i];
    if (c == quote) return i + 1;
    if (IsLineBreak(c)) return i;
    if (c == '\\' && i + 1 < t.size() && !IsLineBreak(t[i + 1])) ++i;
  }
  return i;
}

// Whether the '#' at `i` is the first byte of its line other than spaces and tabs (and a
// byte-order mark at the start of the text).
inline bool StartsDirective(std::string_view t, std::size_t i) {
  while (i > 0 && (t[i - 1] == ' ' || t[i - 1] == '\t')) --i;
  if (i == 0 || IsLineBreak(t[i - 1])) return true;
  return i == 3 && t.substr(0, 3) == "\xEF\xBB\xBF";
}

struct Token {
  std::size_t offset;
  std::string_view text;
};

struct Directive {
  std::string_view word;      // empty when no identifier follows the '#' and blanks
  std::vector<Token> tokens;  // after the word
  std::size_t end = 0;        // the line break that ends the line, or the end of the text
};

// Reads the directive line whose '#' is at `i`. `line` is reused from call to call.
inline void ReadDirective(std::string_view t, std::size_t i, Directive& line) {
  line.word = {};
  line.tokens.clear();
  ++i;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  if (i < t.size() && ClassOf(t[i]) == kWord) {
    const std::size_t end = WordEnd(t, i);
    line.word = t.substr(i, end - i);
    i = end;
  }
  while (i < t.size()) {
    const char c = t[i];
    const std::uint8_t k = ClassOf(c);
    if (k == kLineBreak) break;
    if (k == kSeparator) {
      ++i;
    } else if (k == kSlash && i + 1 < t.size() && t[i + 1] == '/') {
      i = LineEnd(t, i);
    } else if (k == kSlash && i + 1 < t.size() && t[i + 1] == '*') {
      i = BlockCommentEnd(t, i);
    } else {
      std::size_t end = i + 1;
      if (k == kWord || k == kDigit) end = WordEnd(t, i);
      if (k == kQuote) end = LiteralEnd(t, i);
      line.tokens.push_back({i, t.substr(i, end - i)});
      i = end;
    }
  }
  line.end = i;
}

// The value of a number token of the decimal, octal, hexadecimal or binary forms with their
// suffixes; nothing for any other token. A value beyond 64 bits saturates.
inline std::optional<std::uint64_t> NumberValue(std::string_view s) {
  const char* p = s.data();
  const char* end = p + s.size();
  // The suffix: at most one u/U and at most one of l, L, ll, LL, in either order.
  bool u = false;
  bool l = false;
  while (end > p) {
    const char c = end[-1];
    if ((c == 'u' || c == 'U') && !u) {
      u = true;
      --end;
    } else if ((c == 'l' || c == 'L') && !l) {
      l = true;
      --end;
      if (end > p && end[-1] == c) --end;
    } else {
      break;
    }
  }
  if (p == end || static_cast<unsigned>(*p - '0') > 9) return std::nullopt;
  unsigned base = 10;
  if (*p == '0' && end - p >= 2) {
    if (p[1] == 'x' || p[1] == 'X') {
      base = 16;
      p += 2;
    } else if (p[1] == 'b' || p[1] == 'B') {
      base = 2;
      p += 2;
    } else {
      base = 8;
      ++p;
    }
    if (p == end) return std::nullopt;
  }
  std::uint64_t value = 0;
  bool saturated = false;
  for (; p < end; ++p) {
    unsigned digit;
    const unsigned char c = static_cast<unsigned char>(*p);
    if (static_cast<unsigned>(c - '0') <= 9u) {
      digit = static_cast<unsigned>(c - '0');
    } else if (static_cast<unsigned>((c | 0x20) - 'a') <= 5u) {
      digit = static_cast<unsigned>((c | 0x20) - 'a' + 10);
    } else {
      return std::nullopt;
    }
    if (digit >= base) return std::nullopt;
    saturated = saturated || __builtin_mul_overflow(value, base, &value) ||
                __builtin_add_overflow(value, digit, &value);
  }
  if (saturated) return UINT64_MAX;
  return value;
}

// Whether `s` is a decimal number with its optional suffix.
inline bool IsDecimal(std::string_view s) {
  if (!NumberValue(s)) return false;
  return s[0] != '0' || s.size() == 1 || std::string_view("uUlL").find(s[1]) != s.npos;
}

// The value of a character literal holding one byte or one escape; nothing for any other.
inline std::optional<std::uint64_t> CharacterValue(std::string_view s) {
  if (s.size() < 3 || s.front() != '\'' || s.back() != '\'') return std::nullopt;
  const std::string_view in = s.substr(1, s.size() - 2);
  if (in[0] != '\\') {
    if (in.size() != 1 || in[0] == '\'' || IsLineBreak(in[0])) return std::nullopt;
    return static_cast<unsigned char>(in[0]);
  }
  if (in.size() < 2) return std::nullopt;
  const char e = in[1];
  if (in.size() == 2) {
    constexpr std::string_view kSimple = "\\'\"?abfnrtv";
    constexpr unsigned char kValues[] = {'\\', '\'', '"', '?', 7, 8, 12, 10, 13, 9, 11};
    const std::size_t at = kSimple.find(e);
    if (at != std::string_view::npos) return kValues[at];
  }
  if (e >= '0' && e <= '7' && in.size() <= 4) {
    std::uint64_t value = 0;
    for (std::size_t j = 1; j < in.size(); ++j) {
      if (in[j] < '0' || in[j] > '7') return std::nullopt;
      value = value * 8 + static_cast<unsigned>(in[j] - '0');
    }
    return value;
  }
  if (e == 'x' && in.size() > 2) {
    std::uint64_t value = 0;
    for (std::size_t j = 2; j < in.size(); ++j) {
      const unsigned c = static_cast<unsigned char>(in[j]);
      unsigned digit;
      if (c - '0' <= 9u) {
        digit = c - '0';
      } else if ((c | 0x20u) - 'a' <= 5u) {
        digit = (c | 0x20u) - 'a' + 10;
      } else {
        return std::nullopt;
      }
      value = value > (UINT64_MAX >> 4) ? UINT64_MAX : value * 16 + digit;
    }
    return value;
  }
  return std::nullopt;
}

// The value of Arduino's binary names: B and 1 to 8 binary digits.
inline std::optional<std::uint64_t> BinaryNameValue(std::string_view s) {
  if (s.size() < 2 || s.size() > 9 || s[0] != 'B') return std::nullopt;
  std::uint64_t value = 0;
  for (std::size_t j = 1; j < s.size(); ++j) {
    if (s[j] != '0' && s[j] != '1') return std::nullopt;
    value = value * 2 + static_cast<unsigned>(s[j] - '0');
  }
  return value;
}

}  // namespace fontscan::clex
