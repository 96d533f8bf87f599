// Fuzz target: the C scan and the array reader over arbitrary bytes.
//
// The first five bytes choose the rules and the text: value bits (8, 16, 32), values skipped
// (0-3), values per symbol (0-4, 0 without symbol rules), the symbol limit (1-4), which array is
// read, whether names are defined, and whether the rest is taken as it stands or mapped onto
// array text ("char f[]={" and bytes drawn from numbers, commas, braces, blanks and comment
// marks).
//
// Every reading keeps the reader's invariants. When the text holds no directive, literal or
// splice, it is also read a second time by a plain recursive reading written here from the rules
// of the format, and both must agree on everything. And the text read again with a splice put in
// somewhere must read the same.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/invariants.h"
#include "reader/array_reader.h"
#include "reader/c_source.h"

namespace fontscan {
namespace {

using fuzzing::Check;

// ---- The plain reading ----

struct Tok {
  std::size_t at;
  std::string_view text;
};

bool Letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool Digit(char c) { return c >= '0' && c <= '9'; }

std::vector<Tok> Tokens(std::string_view t, std::size_t from) {
  std::vector<Tok> tokens;
  std::size_t i = from;
  while (i < t.size()) {
    const char c = t[i];
    std::size_t end = i + 1;
    if (c == '/' && i + 1 < t.size() && t[i + 1] == '/') {
      i = std::min(t.find('\n', i), t.find('\r', i));
      continue;
    }
    if (c == '/' && i + 1 < t.size() && t[i + 1] == '*') {
      const std::size_t close = t.find("*/", i + 2);
      i = close == std::string_view::npos ? t.size() : close + 2;
      continue;
    }
    if (Letter(c) || Digit(c)) {
      while (end < t.size() && (Letter(t[end]) || Digit(t[end]) || (Digit(c) && t[end] == '.'))) {
        ++end;
      }
    } else if (static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
      ++i;
      continue;
    }
    tokens.push_back({i, t.substr(i, end - i)});
    i = end;
  }
  return tokens;
}

std::optional<std::uint64_t> Digits(std::string_view s, int base) {
  if (s.empty()) return std::nullopt;
  std::uint64_t value = 0;
  bool saturated = false;
  for (char c : s) {
    int d = Digit(c)                 ? c - '0'
            : (c >= 'a' && c <= 'f') ? c - 'a' + 10
            : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                     : 99;
    if (d >= base) return std::nullopt;
    const unsigned __int128 next = static_cast<unsigned __int128>(value) * base + d;
    if (next > UINT64_MAX) saturated = true;
    value = static_cast<std::uint64_t>(next);
  }
  return saturated ? UINT64_MAX : value;
}

std::optional<std::uint64_t> PlainNumber(std::string_view s) {
  if (s.size() >= 2 && s.size() <= 9 && s[0] == 'B') return Digits(s.substr(1), 2);
  static const char* const kSuffixes[] = {"",    "u",   "U",   "l",   "L",   "ll",  "LL", "ul",
                                          "uL",  "Ul",  "UL",  "lu",  "lU",  "Lu",  "LU", "ull",
                                          "uLL", "Ull", "ULL", "llu", "llU", "LLu", "LLU"};
  for (std::string_view suffix : kSuffixes) {
    if (s.size() <= suffix.size() || s.substr(s.size() - suffix.size()) != suffix) continue;
    const std::string_view body = s.substr(0, s.size() - suffix.size());
    std::optional<std::uint64_t> value;
    if (body == "0") {
      value = 0;
    } else if (body[0] >= '1' && body[0] <= '9') {
      value = Digits(body, 10);
    } else if (body.size() > 2 && (body.substr(0, 2) == "0x" || body.substr(0, 2) == "0X")) {
      value = Digits(body.substr(2), 16);
    } else if (body.size() > 2 && (body.substr(0, 2) == "0b" || body.substr(0, 2) == "0B")) {
      value = Digits(body.substr(2), 2);
    } else if (body[0] == '0') {
      value = Digits(body.substr(1), 8);
    }
    if (value) return value;
  }
  return std::nullopt;
}

// Recursive: the outer list, each inner list, each value, the faults where they show.
class PlainReading {
 public:
  PlainReading(std::string_view text, std::size_t open, const ArrayRules& rules)
      : tokens_(Tokens(text, open)), rules_(rules) {
    out_.nested = false;
    Outer();
  }
  ArrayReading out_;

 private:
  bool Stopped() const { return out_.fault != ArrayFault::kNone || out_.too_many; }
  void Fault(ArrayFault fault, std::size_t at) {
    out_.fault = fault;
    out_.fault_offset = at;
  }
  bool Is(std::size_t i, char c) const {
    return i < tokens_.size() && tokens_[i].text.size() == 1 && tokens_[i].text[0] == c;
  }

  // The tokens of a value element, up to its ',' or '}' (left in place); a '{' among them is
  // `brace_fault`. False when the reading stops.
  bool Value(ArrayFault brace_fault, std::optional<std::uint32_t>& value) {
    const std::size_t first = pos_;
    while (pos_ < tokens_.size() && !Is(pos_, ',') && !Is(pos_, '}')) {
      if (Is(pos_, '{')) {
        Fault(brace_fault, tokens_[pos_].at);
        return false;
      }
      ++pos_;
    }
    if (pos_ >= tokens_.size()) {
      Fault(ArrayFault::kNotClosed, tokens_[0].at);
      return false;
    }
    ++out_.value_number;
    std::string text;
    for (std::size_t i = first; i < pos_; ++i) {
      text += (i > first ? " " : "") + std::string(tokens_[i].text);
    }
    const std::optional<std::uint64_t> number =
        pos_ - first == 1 ? PlainNumber(tokens_[first].text) : std::nullopt;
    const std::uint64_t max = (std::uint64_t{1} << rules_.value_bits) - 1;
    if (!number || *number > max) {
      out_.value_text = text.substr(0, 40);
      Fault(number ? ArrayFault::kOutOfRange : ArrayFault::kNotANumber,
            first == pos_ ? tokens_[pos_].at : tokens_[first].at);
      return false;
    }
    ++out_.values_read;
    value = static_cast<std::uint32_t>(*number);
    return true;
  }

  // An inner list from after its '{' to after its '}'.
  bool Inner(std::vector<std::uint32_t>& values) {
    for (;;) {
      if (pos_ >= tokens_.size()) {
        Fault(ArrayFault::kNotClosed, tokens_[0].at);
        return false;
      }
      if (Is(pos_, '}')) {
        ++pos_;
        return true;
      }
      std::optional<std::uint32_t> value;
      if (!Value(ArrayFault::kNestedTooDeep, value)) return false;
      values.push_back(*value);
      if (Is(pos_, ',')) ++pos_;
    }
  }

  void Outer() {
    const std::int64_t per = rules_.values_per_symbol;
    const std::int64_t skip = rules_.skip_values;
    int kind = 0;  // 1 flat, 2 nested
    std::int64_t elements = 0;
    std::size_t run_first = 0;
    pos_ = 1;
    for (;;) {
      if (pos_ >= tokens_.size()) return Fault(ArrayFault::kNotClosed, tokens_[0].at);
      const Tok& t = tokens_[pos_];
      if (Is(pos_, '}')) break;
      const std::int64_t j = elements++ - skip;
      const bool list = Is(pos_, '{');
      if (per > 0 && j >= 0) {
        const bool nested = kind == 2 || (kind == 0 && list);
        if (j == (nested ? rules_.max_symbols : rules_.max_symbols * per)) {
          out_.too_many = true;
          out_.too_many_offset = t.at;
          return;
        }
      }
      if (kind == 0) kind = list ? 2 : 1;
      out_.nested = kind == 2;
      if ((kind == 2) != list) return Fault(ArrayFault::kMixed, t.at);
      if (list) {
        ++pos_;
        std::vector<std::uint32_t> values;
        if (!Inner(values)) return;
        if (j >= 0) {
          if (per > 0 && static_cast<std::int64_t>(values.size()) != per) {
            out_.symbol_number = j + 1;
            out_.values_held = static_cast<std::int64_t>(values.size());
            out_.values_expected = per;
            return Fault(ArrayFault::kSymbolCount, t.at);
          }
          if (per == 0) out_.list_lengths.push_back(static_cast<std::int64_t>(values.size()));
          out_.values.insert(out_.values.end(), values.begin(), values.end());
        }
        if (pos_ >= tokens_.size()) return Fault(ArrayFault::kNotClosed, tokens_[0].at);
        if (!Is(pos_, ',') && !Is(pos_, '}')) return Fault(ArrayFault::kMixed, tokens_[pos_].at);
      } else {
        std::optional<std::uint32_t> value;
        if (!Value(ArrayFault::kMixed, value)) return;
        if (j >= 0) {
          if (per > 0 && j % per == 0) run_first = t.at;
          out_.values.push_back(*value);
        }
      }
      if (Is(pos_, ',')) ++pos_;
    }
    const std::int64_t n = elements - skip;
    if (n <= 0) return Fault(ArrayFault::kEmpty, tokens_[0].at);
    if (per > 0 && kind == 1 && n % per != 0) {
      out_.symbol_number = n / per + 1;
      out_.values_held = n % per;
      out_.values_expected = per;
      Fault(ArrayFault::kLastSymbolCount, run_first);
    }
  }

  std::vector<Tok> tokens_;
  const ArrayRules& rules_;
  std::size_t pos_ = 0;
};

// The listing count of the array whose '{' is at `open`, from the plain tokens.
std::int64_t PlainElements(std::string_view text, std::size_t open) {
  const std::vector<Tok> tokens = Tokens(text, open);
  std::int64_t depth = 1;
  std::int64_t commas = 0;
  bool tail = false;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const std::string_view t = tokens[i].text;
    if (t == "}" && --depth == 0) break;
    if (t == "{") ++depth;
    tail = true;
    if (t == "," && depth == 1) {
      ++commas;
      tail = false;
    }
  }
  return commas + (tail ? 1 : 0);
}

// ---- Checks ----

// Line and column by walking the text one byte at a time.
std::pair<std::int64_t, std::int64_t> Walked(std::string_view text, std::size_t offset) {
  std::int64_t line = 1;
  std::int64_t column = 1;
  for (std::size_t i = 0; i < offset; ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++column;  // the LF that follows ends the line
    } else if (text[i] == '\r' || text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return {line, column};
}

void CheckPosition(std::string_view text, std::size_t offset) {
  const SourcePosition p = PositionAt(text, offset);
  const auto [line, column] = Walked(text, offset);
  Check(p.offset == offset && p.line == line && p.column == column, "position",
        std::to_string(offset) + ": " + std::to_string(p.line) + ":" + std::to_string(p.column) +
            " walked " + std::to_string(line) + ":" + std::to_string(column));
}

void CheckScan(const CSource& source, std::string_view text) {
  std::size_t previous = 0;
  for (const ArrayDeclaration& a : source.arrays) {
    Check(a.open < text.size() && text[a.open] == '{', "array opens at a brace");
    Check(a.open >= previous, "arrays in file order");
    previous = a.open + 1;
    Check(!a.name.empty(), "array named");
    Check(a.closed ? a.close > a.open && a.close < text.size() && text[a.close] == '}'
                   : a.close == text.size(),
          "array closes at a brace or the end");
    Check(a.elements >= 0, "elements");
    Check(source.FileOffset(a.read_open) == a.open && source.FileOffset(a.read_close) == a.close,
          "read and file offsets");
  }
  for (const MacroLine& m : source.macros) {
    Check(m.offset < text.size() && text[m.offset] == '#', "macro line at a hash");
    Check(!m.define || !m.name.empty(), "macro named");
  }
}

void CheckReading(const ArrayReading& r, const ArrayRules& rules, const ArrayDeclaration& a,
                  std::string_view text) {
  const std::uint64_t max = (std::uint64_t{1} << rules.value_bits) - 1;
  for (std::uint32_t v : r.values) Check(v <= max, "value in range");
  Check(r.values_read >= static_cast<std::int64_t>(r.values.size()), "V counts every value");
  Check(r.value_text.size() <= 40, "value text cut");
  if (r.fault != ArrayFault::kNone) {
    Check(!r.too_many, "a fault or the limit");
    Check(r.fault_offset >= a.open && r.fault_offset <= a.close, "fault within the array");
    CheckPosition(text, r.fault_offset);
    if (r.fault == ArrayFault::kNotClosed) Check(!a.closed, "not closed iff open");
    if (r.fault == ArrayFault::kNotANumber || r.fault == ArrayFault::kOutOfRange) {
      Check(r.value_number >= 1, "value number");
    }
    return;
  }
  Check(a.closed || r.too_many, "an open array never reads without a fault");
  if (r.too_many) {
    Check(r.too_many_offset > a.open && r.too_many_offset <= a.close, "limit within the array");
    CheckPosition(text, r.too_many_offset);
    Check(static_cast<std::int64_t>(r.values.size()) ==
              std::int64_t{rules.max_symbols} * rules.values_per_symbol,
          "the limit holds whole symbols");
  }
  if (rules.values_per_symbol > 0) {
    Check(r.values.size() % static_cast<std::size_t>(rules.values_per_symbol) == 0,
          "whole symbols");
    Check(static_cast<std::int64_t>(r.values.size()) / rules.values_per_symbol <= rules.max_symbols,
          "at most the limit");
    Check(r.list_lengths.empty(), "no list lengths with symbol rules");
  } else {
    std::int64_t sum = 0;
    for (std::int64_t n : r.list_lengths) sum += n;
    Check(r.nested ? sum == static_cast<std::int64_t>(r.values.size()) : r.list_lengths.empty(),
          "list lengths add up");
  }
}

std::string Show(const ArrayReading& r) {
  std::string s = "fault " + std::to_string(static_cast<int>(r.fault)) + " at " +
                  std::to_string(r.fault_offset) + " k " + std::to_string(r.value_number) + " '" +
                  r.value_text + "' n/m/s " + std::to_string(r.symbol_number) + "/" +
                  std::to_string(r.values_held) + "/" + std::to_string(r.values_expected) + " V " +
                  std::to_string(r.values_read) + " values " + std::to_string(r.values.size()) +
                  " lists " + std::to_string(r.list_lengths.size()) + " too_many " +
                  std::to_string(r.too_many) + " at " + std::to_string(r.too_many_offset);
  return s;
}

void CheckSame(const ArrayReading& r, const ArrayReading& p) {
  const std::string detail = "reader:  " + Show(r) + "\nplain:   " + Show(p);
  Check(r.fault == p.fault && r.too_many == p.too_many, "same outcome", detail);
  if (r.fault != ArrayFault::kNone) {
    Check(r.fault_offset == p.fault_offset, "same fault place", detail);
  }
  if (r.fault == ArrayFault::kNotANumber || r.fault == ArrayFault::kOutOfRange) {
    Check(r.value_number == p.value_number && r.value_text == p.value_text, "same value", detail);
  }
  if (r.fault == ArrayFault::kSymbolCount || r.fault == ArrayFault::kLastSymbolCount) {
    Check(r.symbol_number == p.symbol_number && r.values_held == p.values_held &&
              r.values_expected == p.values_expected,
          "same counts", detail);
  }
  if (r.fault != ArrayFault::kNone) return;
  Check(r.values_read == p.values_read && r.values == p.values &&
            r.list_lengths == p.list_lengths && r.nested == p.nested,
        "same values", detail);
  if (r.too_many) Check(r.too_many_offset == p.too_many_offset, "same limit place", detail);
}

// The same text with a splice put in before byte `at`: read the same, every place after it two
// bytes further on.
void CheckSpliced(const std::string& text, std::size_t at, const CSource& source, std::size_t index,
                  const ArrayReading& reading, const ArrayRules& rules) {
  // Not inside a splice of the text's own, which would then end differently.
  if (at > 0 && text[at - 1] == '\\') return;
  if (at > 1 && text[at - 1] == '\r' && text[at - 2] == '\\') return;
  const std::string spliced = text.substr(0, at) + "\\\n" + text.substr(at);
  const auto moved = [at](std::size_t offset) { return offset >= at ? offset + 2 : offset; };
  const CSource other = ScanCSource(spliced);
  Check(other.arrays.size() == source.arrays.size() && other.macros.size() == source.macros.size(),
        "splice: same arrays and lines");
  for (std::size_t i = 0; i < source.arrays.size(); ++i) {
    const ArrayDeclaration& a = source.arrays[i];
    const ArrayDeclaration& b = other.arrays[i];
    Check(a.name == b.name && a.elements == b.elements && a.closed == b.closed &&
              moved(a.open) == b.open && moved(a.close) == b.close,
          "splice: same array");
  }
  for (std::size_t i = 0; i < source.macros.size(); ++i) {
    const MacroLine& a = source.macros[i];
    const MacroLine& b = other.macros[i];
    Check(a.name == b.name && a.define == b.define && a.value == b.value &&
              moved(a.offset) == b.offset,
          "splice: same line");
  }
  ArrayReading expected = reading;
  expected.fault_offset = moved(reading.fault_offset);
  expected.too_many_offset = moved(reading.too_many_offset);
  const ArrayReading r = ReadArray(other, index, rules);
  CheckSame(r, expected);
  Check(r.fault_offset == expected.fault_offset && r.too_many_offset == expected.too_many_offset,
        "splice: same places", Show(r) + "\n" + Show(expected));
}

std::string Mapped(std::string_view bytes) {
  static constexpr std::string_view kAlphabet = "0123456789abcdefxXBuUlL,,,,,{{}} \n\r\t.-_/*";
  std::string text = "char f[]={";
  for (char c : bytes) text += kAlphabet[static_cast<unsigned char>(c) % kAlphabet.size()];
  return text;
}

}  // namespace
}  // namespace fontscan

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fontscan;
  if (size < 5 || size > 64 * 1024) return 0;
  ArrayRules rules;
  rules.value_bits = 8 << (data[0] % 3);
  rules.skip_values = data[0] / 3 % 4;
  rules.values_per_symbol = data[1] % 5;
  rules.max_symbols = 1 + data[1] / 5 % 4;
  if (data[3] & 1) rules.defined.push_back({"a", std::uint64_t{data[3]} >> 1 & 1});
  if (data[3] & 4) rules.defined.push_back({"B", 2});
  const std::string_view rest(reinterpret_cast<const char*>(data) + 5, size - 5);
  const std::string text = (data[4] & 1) ? Mapped(rest) : std::string(rest);

  const CSource source = ScanCSource(text);
  CheckScan(source, text);
  for (std::size_t offset : {std::size_t{0}, text.size() / 2, text.size()}) {
    CheckPosition(text, offset);
  }
  if (source.arrays.empty()) return 0;
  const std::size_t index = data[2] % source.arrays.size();
  const ArrayDeclaration& array = source.arrays[index];
  const ArrayReading reading = ReadArray(source, index, rules);
  CheckReading(reading, rules, array, text);
  CheckSpliced(text, (data[3] * 131u + size) % (text.size() + 1), source, index, reading, rules);

  // The plain reading knows no directives, literals or splices.
  if (text.find_first_of("#\"'\\") != std::string::npos) return 0;
  Check(array.elements == PlainElements(text, array.open), "same listing count",
        std::to_string(array.elements) + " vs " + std::to_string(PlainElements(text, array.open)));
  const PlainReading plain(text, array.open, rules);
  CheckSame(reading, plain.out_);
  return 0;
}
