#include "reader/c_source.h"

#include <algorithm>
#include <cstring>

#include "core/ascii_case.h"
#include "platform/byte_scan.h"
#include "reader/c_lex.h"

namespace fontscan {

namespace {

using namespace clex;

// Removes every backslash directly before a line break, with the line break, in one pass.
void RemoveSplices(CSource& source) {
  const std::string_view file = source.file;
  const char* first = static_cast<const char*>(std::memchr(file.data(), '\\', file.size()));
  if (first == nullptr) return;
  std::size_t removed = 0;
  std::size_t copied = 0;  // file bytes up to here are in `spliced` or removed
  for (std::size_t i = static_cast<std::size_t>(first - file.data()); i + 1 < file.size(); ++i) {
    if (file[i] != '\\' || !IsLineBreak(file[i + 1])) continue;
    const std::size_t length =
        file[i + 1] == '\r' && i + 2 < file.size() && file[i + 2] == '\n' ? 3 : 2;
    source.spliced.append(file, copied, i - copied);
    removed += length;
    source.splices.push_back({source.spliced.size(), removed});
    copied = i + length;
    i = copied - 1;
  }
  if (source.splices.empty()) return;
  source.spliced.append(file, copied, file.size() - copied);
}

// One pass over the text: declarations at the top level and in blocks, initializers passed over
// to their matching '}', directive lines read for #define and #undef.
class Scanner {
 public:
  explicit Scanner(CSource& source) : source_(source), t_(source.Text()) {}

  void Run() {
    std::size_t i = 0;
    while (i < t_.size()) {
      const char c = t_[i];
      switch (ClassOf(c)) {
        case kSeparator:
        case kLineBreak:
          ++i;
          break;
        case kSlash:
          if (i + 1 < t_.size() && t_[i + 1] == '/') {
            i = LineEnd(t_, i);
          } else if (i + 1 < t_.size() && t_[i + 1] == '*') {
            i = BlockCommentEnd(t_, i);
          } else {
            Shift(kOther, c, t_.substr(i, 1));
            ++i;
          }
          break;
        case kHash:
          if (StartsDirective(t_, i)) {
            i = Directive(i);
          } else {
            Shift(kOther, c, t_.substr(i, 1));
            ++i;
          }
          break;
        case kQuote: {
          const std::size_t end = LiteralEnd(t_, i);
          Shift(kOther, 0, t_.substr(i, end - i));
          i = end;
          break;
        }
        case kWord:
        case kDigit: {
          const std::size_t end = WordEnd(t_, i);
          Shift(ClassOf(c) == kWord ? kIdent : kOther, 0, t_.substr(i, end - i));
          i = end;
          break;
        }
        case kOpen:
          i = Open(i);
          break;
        case kClose:
          if (blocks_ > 0) --blocks_;
          d_ = {};
          ++i;
          break;
        default:
          if (c == ';') {
            d_ = {};
          } else {
            Shift(kOther, c, t_.substr(i, 1));
          }
          ++i;
          break;
      }
    }
  }

 private:
  enum Kind { kNone, kIdent, kOther };
  struct Token {
    Kind kind = kNone;
    char punct = 0;  // the byte of a punctuation token, else 0
    std::string_view text;
  };
  // What one declaration showed so far.
  struct Declaration {
    Token last[3];                  // the last three tokens, the latest first
    std::string_view last_ident;    // the last identifier
    std::string_view bracket_name;  // the identifier before the first '[' that follows one
    int brackets = 0;  // inside the bracket pairs after that name: their depth; after them, with
                       // only identifiers since: -1
    bool std_array = false;            // "array <" was seen
    std::string_view ident_before_eq;  // at the last '=': the last identifier
    std::string_view macro_name;       // at the last '=': the name of "( name )" before it
  };

  void Shift(Kind kind, char punct, std::string_view text) {
    Declaration& d = d_;
    const Token& prev = d.last[0];
    if (d.brackets > 0) {
      if (punct == '[') ++d.brackets;
      if (punct == ']' && --d.brackets == 0) d.brackets = -1;
    } else if (d.brackets < 0 && kind != kIdent) {
      d.brackets = punct == '[' && prev.punct == ']' ? 1 : 0;
    }
    if (punct == '[' && prev.kind == kIdent && d.bracket_name.empty()) {
      d.bracket_name = prev.text;
      d.brackets = 1;
    }
    if (punct == '<' && prev.kind == kIdent && prev.text == "array") d.std_array = true;
    if (punct == '=') {
      d.ident_before_eq = d.last_ident;
      const bool macro = prev.punct == ')' && d.last[1].kind == kIdent && d.last[2].punct == '(';
      d.macro_name = macro ? d.last[1].text : std::string_view();
    }
    if (kind == kIdent) d.last_ident = text;
    d.last[2] = d.last[1];
    d.last[1] = d.last[0];
    d.last[0] = {kind, punct, text};
  }

  // A '{' at `i`: an initializer, passed over, or a block. Returns where the scan goes on.
  std::size_t Open(std::size_t i) {
    const Declaration& d = d_;
    const Token& prev = d.last[0];
    std::string_view name;
    bool initializer = false;
    if (prev.punct == '=') {
      initializer = true;
      name = !d.bracket_name.empty() ? d.bracket_name
             : d.std_array           ? d.ident_before_eq
                                     : d.macro_name;
    } else if (!d.bracket_name.empty()) {
      if (d.brackets < 0) {
        initializer = true;
        name = d.bracket_name;
      }
    } else if (d.std_array && prev.kind == kIdent) {
      initializer = true;
      name = prev.text;
    }
    if (!initializer) {
      ++blocks_;
      d_ = {};
      return i + 1;
    }
    std::size_t end;
    if (name.empty()) {
      end = PassInitializer(i, nullptr);
    } else {
      ArrayDeclaration array;
      array.name = std::string(name);
      array.read_open = i;
      array.open = source_.FileOffset(i);
      end = PassInitializer(i, &array);
      array.closed = end < t_.size();
      array.read_close = end;
      array.close = source_.FileOffset(end);
      source_.arrays.push_back(std::move(array));
    }
    Shift(kOther, '}', {});
    return end + 1;
  }

  // From the '{' at `i` to its matching '}' (returned) or the end of the text; counts the outer
  // list's elements into `array` when given.
  std::size_t PassInitializer(std::size_t i, ArrayDeclaration* array) {
    std::int64_t depth = 1;
    std::int64_t commas = 0;  // at the outer list's depth
    bool tail = false;        // a token since the last of those commas (or the '{')
    const char* t = t_.data();
    const std::size_t n = t_.size();
    std::size_t j = i + 1;
    while (j < n) {
#ifdef FONTSCAN_SCAN_SSE2
      // Sixteen bytes at a time up to the next byte that needs a look of its own; the commas of
      // the outer list are counted on the way.
      while (j + 16 <= n) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + j));
        const auto is = [&block](char c) { return _mm_cmpeq_epi8(block, _mm_set1_epi8(c)); };
        const __m128i others = _mm_or_si128(
            _mm_or_si128(_mm_or_si128(is('{'), is('}')), _mm_or_si128(is('/'), is('#'))),
            _mm_or_si128(is('"'), is('\'')));
        const unsigned special = static_cast<unsigned>(_mm_movemask_epi8(others));
        const unsigned token = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8(0x20)),
                                            _mm_cmplt_epi8(block, _mm_set1_epi8(0x7F)))));
        const unsigned stop = special != 0 ? static_cast<unsigned>(__builtin_ctz(special)) : 16;
        const unsigned before = (1u << stop) - 1;
        const unsigned comma = static_cast<unsigned>(_mm_movemask_epi8(is(','))) & before;
        if (depth == 1 && comma != 0) {
          commas += __builtin_popcount(comma);
          const unsigned last = 31u - static_cast<unsigned>(__builtin_clz(comma));
          tail = ((token & before) >> last >> 1) != 0;
        } else {
          tail = tail || (token & before) != 0;
        }
        j += stop;
        if (stop < 16) break;
      }
      if (j >= n) break;
#endif
      const std::uint8_t k = ClassOf(t[j]);
      if (k <= kLineBreak) {
        ++j;
        continue;
      }
      if (k == kWord || k == kDigit || k == kPunct) {
        tail = true;
        ++j;
        continue;
      }
      switch (k) {
        case kSlash:
          if (j + 1 < n && t[j + 1] == '/') {
            j = LineEnd(t_, j);
            continue;
          }
          if (j + 1 < n && t[j + 1] == '*') {
            j = BlockCommentEnd(t_, j);
            continue;
          }
          tail = true;
          ++j;
          break;
        case kHash:
          if (StartsDirective(t_, j)) {
            j = Directive(j);
            continue;
          }
          tail = true;
          ++j;
          break;
        case kQuote:
          tail = true;
          j = LiteralEnd(t_, j);
          break;
        case kComma:
          if (depth == 1) {
            ++commas;
            tail = false;
          } else {
            tail = true;
          }
          ++j;
          break;
        case kOpen:
          ++depth;
          tail = true;
          ++j;
          break;
        default:  // kClose
          if (--depth == 0) {
            if (array != nullptr) array->elements = commas + (tail ? 1 : 0);
            return j;
          }
          tail = true;
          ++j;
          break;
      }
    }
    if (array != nullptr) array->elements = commas + (tail ? 1 : 0);
    return n;
  }

  // The directive line whose '#' is at `i`: a #define or #undef is kept. Returns its end.
  std::size_t Directive(std::size_t i) {
    ReadDirective(t_, i, line_);
    const bool define = line_.word == "define";
    if ((define || line_.word == "undef") && !line_.tokens.empty() &&
        ClassOf(line_.tokens[0].text[0]) == kWord) {
      MacroLine macro;
      macro.name = std::string(line_.tokens[0].text);
      macro.define = define;
      macro.offset = source_.FileOffset(i);
      if (define && line_.tokens.size() == 1) macro.value = 1;
      if (define && line_.tokens.size() == 2) macro.value = NumberValue(line_.tokens[1].text);
      source_.macros.push_back(std::move(macro));
    }
    return line_.end;
  }

  CSource& source_;
  std::string_view t_;
  Declaration d_;
  std::int64_t blocks_ = 0;
  clex::Directive line_;
};

}  // namespace

std::size_t CSource::FileOffset(std::size_t read_offset) const {
  if (splices.empty()) return read_offset;
  const auto after = std::upper_bound(
      splices.begin(), splices.end(), read_offset,
      [](std::size_t offset, const Splice& splice) { return offset < splice.read_offset; });
  return after == splices.begin() ? read_offset : read_offset + std::prev(after)->removed;
}

SourcePosition PositionAt(std::string_view file, std::size_t offset) {
  offset = std::min(offset, file.size());
  std::int64_t line = 1;
  std::size_t line_start = 0;
  for (std::size_t i = 0; i < offset; ++i) {
    if (file[i] == '\n' || (file[i] == '\r' && (i + 1 >= file.size() || file[i + 1] != '\n'))) {
      ++line;
      line_start = i + 1;
    }
  }
  return {offset, line, static_cast<std::int64_t>(offset - line_start) + 1};
}

CSource ScanCSource(std::string_view file) {
  CSource source;
  source.file = file;
  RemoveSplices(source);
  Scanner(source).Run();
  return source;
}

std::optional<std::size_t> FindArrayNamed(const CSource& source, std::string_view name) {
  for (std::size_t i = 0; i < source.arrays.size(); ++i) {
    if (EqualIgnoringCase(source.arrays[i].name, name)) return i;
  }
  return std::nullopt;
}

}  // namespace fontscan
