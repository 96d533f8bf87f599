#include "reader/array_reader.h"

#include <array>
#include <string_view>

#include "core/ascii_case.h"
#include "reader/c_lex.h"

namespace fontscan {

namespace {

using namespace clex;

constexpr std::size_t kTextBytes = 40;

constexpr std::array<std::uint8_t, 256> MakeHexValues() {
  std::array<std::uint8_t, 256> v{};
  for (auto& x : v) x = 0xFF;
  for (int c = 0; c < 10; ++c) v['0' + c] = static_cast<std::uint8_t>(c);
  for (int c = 0; c < 6; ++c) v['a' + c] = v['A' + c] = static_cast<std::uint8_t>(10 + c);
  return v;
}
constexpr std::array<std::uint8_t, 256> kHexValues = MakeHexValues();

// One reading of one array, from its '{' to its '}' in the text as read. Offsets are those of
// the text as read until the very end, where the fault's place becomes a file offset.
class Reader {
 public:
  Reader(const CSource& source, const ArrayDeclaration& array, const ArrayRules& rules,
         ArrayReading& out)
      : source_(source),
        array_(array),
        rules_(rules),
        out_(out),
        t_(source.Text()),
        max_value_(rules.value_bits >= 64 ? UINT64_MAX
                                          : (std::uint64_t{1} << rules.value_bits) - 1),
        per_symbol_(rules.values_per_symbol),
        skip_(rules.skip_values),
        flat_limit_(rules.max_symbols * rules.values_per_symbol) {}

  void Run() {
    // A value takes two bytes at least ("1,"); most fonts spend about six.
    out_.values.reserve((array_.read_close - array_.read_open) / 6);
    const char* t = t_.data();
    const std::size_t end = array_.read_close;
    std::size_t i = array_.read_open + 1;
    while (i < end && !stop_) {
      const char c = t[i];
      const std::uint8_t k = ClassOf(c);
      if (k <= kLineBreak) {
        ++i;
        continue;
      }
      if (k == kDigit && taken_ && tokens_ == 0 &&
          (depth_ == 2 || (outer_state_ == Outer::kNone && kind_ != Kind::kNested))) {
        const std::size_t after = PlainValues(i, end);
        if (after != i) {
          i = after;
          continue;
        }
      }
      std::size_t next = i + 1;
      switch (k) {
        case kWord:
        case kDigit:
          next = WordEnd(t_, i);
          break;
        case kSlash:
          if (i + 1 < end && (t[i + 1] == '/' || t[i + 1] == '*')) {
            i = t[i + 1] == '/' ? LineEnd(t_, i) : BlockCommentEnd(t_, i);
            continue;
          }
          break;
        case kHash:
          if (StartsDirective(t_, i)) {
            i = Directive(i);
            continue;
          }
          break;
        case kQuote:
          next = LiteralEnd(t_, i);
          break;
        default:
          break;
      }
      if (taken_) {
        if (k == kComma) {
          Comma(i);
        } else if (k == kOpen) {
          Open(i);
        } else if (k == kClose) {
          Close(i);
        } else {
          Token(i, next - i);
        }
      }
      i = next;
    }
    if (stop_) return Finish();
    if (!array_.closed) {
      Fault(ArrayFault::kNotClosed, array_.read_open);
    } else {
      ArrayClose(end);
    }
    Finish();
  }

 private:
  enum class Kind { kUndecided, kFlat, kNested };
  enum class Outer { kNone, kValue, kList, kListDone };
  struct Group {
    bool parent_taken;
    bool taken;
    bool any_taken;
    bool else_seen;
    std::size_t hash;
  };

  void Fault(ArrayFault fault, std::size_t at) {
    if (stop_) return;
    out_.fault = fault;
    out_.fault_offset = at;
    stop_ = true;
  }

  // The first token of an outer element (or the comma that ends an empty one): the symbol limit.
  bool BeginOuter(std::size_t at, bool list) {
    const std::int64_t j = outer_ - skip_;
    ++outer_;
    if (per_symbol_ <= 0 || j < 0) return true;
    const bool nested = kind_ == Kind::kNested || (kind_ == Kind::kUndecided && list);
    if (j == (nested ? rules_.max_symbols : flat_limit_)) {
      out_.too_many = true;
      out_.too_many_offset = at;
      stop_ = true;
      return false;
    }
    if (!nested && run_left_-- == 0) {
      run_start_ = at;
      run_left_ = per_symbol_ - 1;
    }
    return true;
  }

  // The common elements, one number and a comma each, with blanks and line comments between,
  // read here without the general machinery. Anything else, a fault or the symbol limit
  // included, is left to it: returns where the general reading goes on.
  __attribute__((noinline)) std::size_t PlainRun(std::size_t i, const std::size_t end,
                                                 bool& ended_list) {
    const char* t = t_.data();
    std::vector<std::uint32_t>& values = out_.values;
    const bool outer = depth_ == 1;
    const bool list_stored = outer_ - 1 >= skip_;
    std::int64_t outer_count = outer_;
    std::int64_t read = 0;
    std::int64_t run_left = run_left_;
    std::size_t run_start = run_start_;
    ended_list = false;
    for (;;) {
      while (i < end && ClassOf(t[i]) <= kLineBreak) ++i;
      if (i + 1 >= end) break;
      if (t[i] == '/' && t[i + 1] == '/') {
        i = LineEnd(t_, i);
        continue;
      }
      std::size_t q = i;
      std::uint64_t value = 0;
      std::size_t comma;
      bool closing = false;
      if (i + 4 < end && t[i] == '0' && (t[i + 1] | 0x20) == 'x' && t[i + 4] == ',' &&
          (kHexValues[static_cast<unsigned char>(t[i + 2])] |
           kHexValues[static_cast<unsigned char>(t[i + 3])]) <= 15) {
        // 0xHH, as most fonts are written
        value = static_cast<std::uint64_t>(kHexValues[static_cast<unsigned char>(t[i + 2])] << 4 |
                                           kHexValues[static_cast<unsigned char>(t[i + 3])]);
        comma = i + 4;
      } else {
        if (t[i] == '0' && (t[i + 1] | 0x20) == 'x') {
          for (q = i + 2; q < end && q < i + 18; ++q) {
            const std::uint8_t digit = kHexValues[static_cast<unsigned char>(t[q])];
            if (digit > 15) break;
            value = value << 4 | digit;
          }
          if (q == i + 2) break;
        } else if (ClassOf(t[i]) == kDigit && (t[i] != '0' || ClassOf(t[i + 1]) != kDigit)) {
          for (; q < end && q < i + 19; ++q) {
            const unsigned digit = static_cast<unsigned char>(t[q]) - static_cast<unsigned>('0');
            if (digit > 9) break;
            value = value * 10 + digit;
          }
        } else {
          break;
        }
        comma = q;
        while (comma < end && (t[comma] == ' ' || t[comma] == '\t')) ++comma;
        if (comma >= end || IsWordByte(t[q]) || t[q] == '.') break;
        // The last value of an inner list, and its '}'.
        closing = t[comma] == '}' && !outer;
        if (t[comma] != ',' && !closing) break;
      }
      if (value > max_value_) break;
      bool stored = list_stored;
      if (outer) {
        const std::int64_t j = outer_count - skip_;
        if (per_symbol_ > 0 && j >= 0) {
          if (j == flat_limit_) break;
          if (run_left-- == 0) {
            run_start = i;
            run_left = per_symbol_ - 1;
          }
        }
        ++outer_count;
        stored = j >= 0;
      }
      if (stored) values.push_back(static_cast<std::uint32_t>(value));
      list_values_ += stored;
      ++read;
      i = comma + 1;
      if (closing) {
        ended_list = true;
        break;
      }
    }
    if (read > 0 && outer) kind_ = Kind::kFlat;
    out_.value_number += read;
    out_.values_read += read;
    outer_ = outer_count;
    run_left_ = run_left;
    run_start_ = run_start;
    if (ended_list) Close(i - 1);
    return i;
  }

  // Runs of plain values, and between the lists of a nested array their comma and the next '{'.
  std::size_t PlainValues(std::size_t i, const std::size_t end) {
    const char* t = t_.data();
    for (;;) {
      bool ended_list;
      i = PlainRun(i, end, ended_list);
      if (!ended_list || stop_) return i;
      std::size_t j = i;
      while (j < end && ClassOf(t[j]) <= kLineBreak) ++j;
      if (j >= end || t[j] != ',') return i;
      Comma(j);
      for (++j; j < end; ++j) {
        if (j + 1 < end && t[j] == '/' && t[j + 1] == '/') j = LineEnd(t_, j);
        if (j < end && ClassOf(t[j]) > kLineBreak) break;
      }
      if (j >= end || t[j] != '{') return j;
      Open(j);
      if (stop_ || depth_ != 2) return j + 1;
      i = j + 1;
    }
  }

  void Token(std::size_t at, std::size_t length) {
    if (depth_ == 1) {
      if (outer_state_ == Outer::kNone) {
        if (!BeginOuter(at, false)) return;
        if (kind_ == Kind::kUndecided) kind_ = Kind::kFlat;
        if (kind_ == Kind::kNested) return Fault(ArrayFault::kMixed, at);
        outer_state_ = Outer::kValue;
      } else if (outer_state_ != Outer::kValue) {
        return Fault(ArrayFault::kMixed, at);
      }
    }
    if (tokens_++ == 0) {
      first_ = at;
      first_length_ = length;
    } else {
      if (tokens_ == 2) text_.assign(t_.substr(first_, std::min(first_length_, kTextBytes + 1)));
      if (text_.size() <= kTextBytes) {
        text_ += ' ';
        text_ += t_.substr(at, std::min(length, kTextBytes + 1));
      }
    }
  }

  void Comma(std::size_t at) {
    if (depth_ == 2) return EndValue(at);
    if (outer_state_ == Outer::kNone) {
      if (!BeginOuter(at, false)) return;
      if (kind_ == Kind::kUndecided) kind_ = Kind::kFlat;
      if (kind_ == Kind::kNested) return Fault(ArrayFault::kMixed, at);
      EndValue(at);
    } else if (outer_state_ == Outer::kValue) {
      EndValue(at);
    }
    outer_state_ = Outer::kNone;
  }

  void Open(std::size_t at) {
    if (depth_ == 2) return Fault(ArrayFault::kNestedTooDeep, at);
    if (outer_state_ != Outer::kNone) return Fault(ArrayFault::kMixed, at);
    if (!BeginOuter(at, true)) return;
    if (kind_ == Kind::kUndecided) kind_ = Kind::kNested;
    if (kind_ == Kind::kFlat) return Fault(ArrayFault::kMixed, at);
    outer_state_ = Outer::kList;
    depth_ = 2;
    list_open_ = at;
    list_values_ = 0;
  }

  void Close(std::size_t at) {
    // The outer list closing before the array's '}': braces that skipped groups unpaired.
    if (depth_ == 1) return Fault(ArrayFault::kConditional, last_conditional_);
    if (tokens_ > 0) EndValue(at);
    if (stop_) return;
    depth_ = 1;
    outer_state_ = Outer::kListDone;
    const std::int64_t n = outer_ - skip_;
    if (n <= 0) return;
    if (per_symbol_ <= 0) {
      out_.list_lengths.push_back(list_values_);
    } else if (list_values_ != per_symbol_) {
      out_.symbol_number = n;
      out_.values_held = list_values_;
      out_.values_expected = per_symbol_;
      Fault(ArrayFault::kSymbolCount, list_open_);
    }
  }

  void ArrayClose(std::size_t at) {
    if (!groups_.empty()) return Fault(ArrayFault::kConditional, groups_.back().hash);
    if (depth_ != 1) return Fault(ArrayFault::kConditional, last_conditional_);
    if (outer_state_ == Outer::kValue) EndValue(at);
    if (stop_) return;
    const std::int64_t n = outer_ - skip_;
    if (n <= 0) return Fault(ArrayFault::kEmpty, array_.read_open);
    if (per_symbol_ > 0 && kind_ == Kind::kFlat && n % per_symbol_ != 0) {
      out_.symbol_number = n / per_symbol_ + 1;
      out_.values_held = n % per_symbol_;
      out_.values_expected = per_symbol_;
      Fault(ArrayFault::kLastSymbolCount, run_start_);
    }
  }

  // A value element ends at the comma or '}' at `at`.
  void EndValue(std::size_t at) {
    ++out_.value_number;
    std::optional<std::uint64_t> value;
    if (tokens_ == 1) {
      const std::string_view token = t_.substr(first_, first_length_);
      const std::uint8_t k = ClassOf(token[0]);
      if (k == kDigit) {
        value = NumberValue(token);
      } else if (k == kWord) {
        value = BinaryNameValue(token);
      } else if (token[0] == '\'') {
        value = CharacterValue(token);
      }
    }
    if (!value || *value > max_value_) {
      if (tokens_ == 1) text_.assign(t_.substr(first_, std::min(first_length_, kTextBytes)));
      if (tokens_ == 0) text_.clear();
      if (text_.size() > kTextBytes) text_.resize(kTextBytes);
      out_.value_text = text_;
      Fault(value ? ArrayFault::kOutOfRange : ArrayFault::kNotANumber, tokens_ == 0 ? at : first_);
      return;
    }
    tokens_ = 0;
    ++out_.values_read;
    if (outer_ - 1 < skip_) return;
    out_.values.push_back(static_cast<std::uint32_t>(*value));
    ++list_values_;
  }

  // Whether a name is defined, and its value when it has one.
  struct Name {
    bool defined = false;
    std::optional<std::uint64_t> value;
  };
  Name Lookup(std::string_view name) const {
    for (auto d = rules_.defined.rbegin(); d != rules_.defined.rend(); ++d) {
      if (EqualIgnoringCase(d->name, name)) return {true, d->value};
    }
    for (auto m = source_.macros.rbegin(); m != source_.macros.rend(); ++m) {
      if (m->offset < array_.open && m->name == name) {
        return m->define ? Name{true, m->value} : Name{};
      }
    }
    return {};
  }

  // A condition that can be read: its truth; else nothing.
  std::optional<bool> Condition(std::string_view word, const std::vector<clex::Token>& tokens) {
    const auto is_name = [](std::string_view s) { return ClassOf(s[0]) == kWord; };
    if (word != "if" && word != "elif") {
      if (tokens.size() != 1 || !is_name(tokens[0].text)) return std::nullopt;
      return Lookup(tokens[0].text).defined == (word == "ifdef");
    }
    std::size_t i = 0;
    bool negate = false;
    while (i < tokens.size() && tokens[i].text == "!") {
      negate = !negate;
      ++i;
    }
    const std::size_t left = tokens.size() - i;
    const auto text = [&](std::size_t j) { return tokens[i + j].text; };
    std::optional<bool> truth;
    if (left == 1 && IsDecimal(text(0))) {
      truth = *NumberValue(text(0)) != 0;
    } else if (left == 1 && is_name(text(0)) && text(0) != "defined") {
      const Name name = Lookup(text(0));
      if (!name.defined) {
        truth = false;
      } else if (name.value) {
        truth = *name.value != 0;
      }
    } else if (left == 2 && text(0) == "defined" && is_name(text(1))) {
      truth = Lookup(text(1)).defined;
    } else if (left == 4 && text(0) == "defined" && text(1) == "(" && is_name(text(2)) &&
               text(3) == ")") {
      truth = Lookup(text(2)).defined;
    }
    if (truth && negate) truth = !*truth;
    return truth;
  }

  // The directive line whose '#' is at `i`; returns its end.
  std::size_t Directive(std::size_t i) {
    ReadDirective(t_, i, line_);
    const std::string_view w = line_.word;
    const bool opens = w == "if" || w == "ifdef" || w == "ifndef";
    if (!opens && w != "elif" && w != "else" && w != "endif" && w != "elifdef" && w != "elifndef") {
      return line_.end;
    }
    last_conditional_ = i;
    if (w == "elifdef" || w == "elifndef") {
      Fault(ArrayFault::kConditional, i);
    } else if (opens) {
      Group group{taken_, false, true, false, i};
      if (taken_) {
        const std::optional<bool> truth = Condition(w, line_.tokens);
        if (!truth) Fault(ArrayFault::kConditional, i);
        group.taken = group.any_taken = truth.value_or(false);
      }
      groups_.push_back(group);
    } else if (groups_.empty() || (w != "endif" && groups_.back().else_seen)) {
      Fault(ArrayFault::kConditional, i);
    } else if (w == "endif") {
      groups_.pop_back();
    } else {
      Group& group = groups_.back();
      if (w == "else") {
        group.else_seen = true;
        group.taken = group.parent_taken && !group.any_taken;
      } else {
        group.taken = false;
        if (group.parent_taken && !group.any_taken) {
          const std::optional<bool> truth = Condition(w, line_.tokens);
          if (!truth) Fault(ArrayFault::kConditional, i);
          group.taken = truth.value_or(false);
        }
      }
      group.any_taken = group.any_taken || group.taken;
    }
    taken_ = groups_.empty() || groups_.back().taken;
    return line_.end;
  }

  void Finish() {
    out_.nested = kind_ == Kind::kNested;
    out_.fault_offset = source_.FileOffset(out_.fault_offset);
    out_.too_many_offset = source_.FileOffset(out_.too_many_offset);
    if (out_.fault == ArrayFault::kNone) {
      out_.value_number = 0;
    }
  }

  const CSource& source_;
  const ArrayDeclaration& array_;
  const ArrayRules& rules_;
  ArrayReading& out_;
  std::string_view t_;
  const std::uint64_t max_value_;
  const std::int64_t per_symbol_;
  const std::int64_t skip_;
  const std::int64_t flat_limit_;

  bool stop_ = false;
  // Conditional groups.
  std::vector<Group> groups_;
  bool taken_ = true;
  std::size_t last_conditional_ = 0;
  clex::Directive line_;
  // Lists.
  Kind kind_ = Kind::kUndecided;
  int depth_ = 1;
  Outer outer_state_ = Outer::kNone;
  std::int64_t outer_ = 0;  // outer elements begun
  std::size_t list_open_ = 0;
  std::int64_t list_values_ = 0;
  std::size_t run_start_ = 0;  // flat: the first value of the last run begun
  std::int64_t run_left_ = 0;  // values the run holds yet
  // The value element in progress.
  std::int64_t tokens_ = 0;
  std::size_t first_ = 0;
  std::size_t first_length_ = 0;
  std::string text_;  // from its second token on: the tokens so far, joined
};

}  // namespace

ArrayReading ReadArray(const CSource& source, std::size_t index, const ArrayRules& rules) {
  ArrayReading reading;
  if (index >= source.arrays.size()) return reading;
  Reader(source, source.arrays[index], rules, reading).Run();
  return reading;
}

}  // namespace fontscan
