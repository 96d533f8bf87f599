#include "app/sheet_options.h"

#include <optional>

#include "app/font_file.h"
#include "core/ascii_case.h"

namespace fontscan {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsIdentifierByte(char c) { return IsIdentifierStart(c) || IsDigit(c); }

// The value of 1 to `max_digits` decimal digits, or nothing.
std::optional<std::int64_t> DecimalNumber(std::string_view digits, std::size_t max_digits) {
  if (digits.empty() || digits.size() > max_digits) return std::nullopt;
  std::int64_t value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// `prefix` followed by 1 to `max_digits` decimal digits whose value is `low` to `high`: true
// when the entry is one, and the target takes the value.
bool ApplyNumberOption(std::string_view parameter, std::string_view prefix, std::size_t max_digits,
                       std::int32_t low, std::int32_t high, std::int32_t& target) {
  if (parameter.substr(0, prefix.size()) != prefix) return false;
  const std::optional<std::int64_t> value =
      DecimalNumber(parameter.substr(prefix.size()), max_digits);
  if (!value || *value < low || *value > high) return false;
  target = static_cast<std::int32_t>(*value);
  return true;
}

// The length of the C identifier that starts `text` (upper case), or 0.
std::size_t IdentifierLength(std::string_view text) {
  if (text.empty() || !IsIdentifierStart(text[0])) return 0;
  std::size_t length = 1;
  while (length < text.size() && IsIdentifierByte(text[length])) ++length;
  return length;
}

// /Aname: the name as typed.
void ApplyArrayName(RunState& state, const Parameter& parameter) {
  const std::string_view text = parameter.text;
  if (text == "/A") state.ARRAYREAD = true;
  if (text.substr(0, 2) != "/A" || text.size() == 2) return;
  if (IdentifierLength(text.substr(2)) != text.size() - 2) return;
  state.ARRAYREAD = true;
  state.ARRAYNAME = parameter.typed.substr(2, text.size() - 2);
}

// /Dname or /Dname=n: the name as typed; a later entry for the same name gives its value.
void ApplyDefinedName(RunState& state, const Parameter& parameter) {
  const std::string_view text = parameter.text;
  if (text.substr(0, 2) != "/D") return;
  const std::size_t length = IdentifierLength(text.substr(2));
  if (length == 0) return;
  std::uint64_t value = 1;
  if (2 + length < text.size()) {
    if (text[2 + length] != '=') return;
    const std::optional<std::int64_t> number = DecimalNumber(text.substr(3 + length), 9);
    if (!number) return;
    value = static_cast<std::uint64_t>(*number);
  }
  const std::string name = parameter.typed.substr(2, length);
  for (DefinedName& defined : state.DEFINEDNAMES) {
    if (EqualIgnoringCase(defined.name, name)) {
      defined = {name, value};
      return;
    }
  }
  state.DEFINEDNAMES.push_back({name, value});
}

}  // namespace

void ApplySheetOptionTests(RunState& state, const Parameter& parameter) {
  const std::string_view text = parameter.text;
  if (text == "/ROWS") state.ROWBYTES = true;
  if (text == "/PAGES") state.PAGEORDER = true;
  if (text == "/LSB") state.FIRSTBIT = BitOrder::kLsb;
  if (text == "/MSB") state.FIRSTBIT = BitOrder::kMsb;
  ApplyNumberOption(text, "/S", 2, 1, 16, state.SCALE);
  ApplyNumberOption(text, "/L", 4, 1, MAXSYMBOLSCOUNT, state.PERLINE);
  if (text == "/Y") state.OVERWRITE = true;

  ApplyArrayName(state, parameter);
  ApplyDefinedName(state, parameter);
  if (ApplyNumberOption(text, "/SKIP", 7, 0, 1024 * 1024, state.SKIPVALUES)) {
    state.ARRAYREAD = true;
  }
  if (text == "/W8" || text == "/W16" || text == "/W32") {
    state.VALUEBITS = text == "/W8" ? 8 : text == "/W16" ? 16 : 32;
    state.ARRAYREAD = true;
  }
  if (text == "/FLAT") state.FLATTEXT = true;
  if (text == "/LAYOUTS") state.FINDLAYOUTS = true;
}

std::optional<CellSize> GivenSize(const std::vector<Parameter>& parameters) {
  std::optional<CellSize> size;
  for (const Parameter& parameter : parameters) {
    const std::string_view text = parameter.text;
    if (text.substr(0, 5) != "/SIZE") continue;
    const std::size_t cross = text.find('X', 5);
    if (cross == std::string_view::npos) continue;
    const std::optional<std::int64_t> width = DecimalNumber(text.substr(5, cross - 5), 3);
    const std::optional<std::int64_t> height = DecimalNumber(text.substr(cross + 1), 3);
    if (!width || !height || *width < 1 || *width > 256 || *height < 1 || *height > 256) continue;
    size = CellSize{static_cast<std::int32_t>(*width), static_cast<std::int32_t>(*height)};
  }
  return size;
}

}  // namespace fontscan
