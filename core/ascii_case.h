// Names compared as C compares nothing, but users expect: without regard to ASCII case.
#pragma once

#include <cstddef>
#include <string_view>

namespace fontscan {

// True when the texts are equal once ASCII letters are of one case.
inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace fontscan
