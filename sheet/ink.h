// The one rule that reads a sheet: a pixel is ink when its smallest component is below 50.
#pragma once

#include <algorithm>

#include "sheet/rgb_image.h"

namespace fontscan {

inline constexpr int kInkLimit = 50;

inline bool IsInk(Rgb colour) {
  return std::min({colour.red, colour.green, colour.blue}) < kInkLimit;
}

}  // namespace fontscan
