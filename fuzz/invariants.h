// The checks of the fuzz targets: a broken invariant is said on standard error, with what was
// checked and what was seen, and aborts, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fontscan::fuzzing {

[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "invariant broken: %s\n%s\n", what, detail.c_str());
  std::abort();
}

inline void Check(bool condition, const char* what, const std::string& detail = {}) {
  if (!condition) Fail(what, detail);
}

inline bool Contains(std::string_view text, std::string_view piece) {
  return text.find(piece) != std::string_view::npos;
}

}  // namespace fontscan::fuzzing
