#include "app/sheet_options.h"

namespace fontscan {

namespace {

// `prefix` followed by 1 to `max_digits` decimal digits whose value is `low` to `high`.
void ApplyNumberOption(std::string_view parameter, std::string_view prefix, std::size_t max_digits,
                       std::int32_t low, std::int32_t high, std::int32_t& target) {
  if (parameter.substr(0, prefix.size()) != prefix) return;
  std::string_view digits = parameter.substr(prefix.size());
  if (digits.empty() || digits.size() > max_digits) return;
  std::int32_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return;
    value = value * 10 + (c - '0');
  }
  if (value >= low && value <= high) target = value;
}

}  // namespace

void ApplySheetOptionTests(RunState& state, std::string_view parameter) {
  if (parameter == "/ROWS") state.ROWBYTES = true;
  if (parameter == "/PAGES") state.PAGEORDER = true;
  if (parameter == "/LSB") state.FIRSTBIT = BitOrder::kLsb;
  if (parameter == "/MSB") state.FIRSTBIT = BitOrder::kMsb;
  ApplyNumberOption(parameter, "/S", 2, 1, 16, state.SCALE);
  ApplyNumberOption(parameter, "/L", 4, 1, MAXSYMBOLSCOUNT, state.PERLINE);
  if (parameter == "/Y") state.OVERWRITE = true;
}

}  // namespace fontscan
