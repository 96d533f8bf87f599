// The one rule that reads a sheet: a pixel is ink when its smallest component is below 50.
#pragma once

#include "sheet/rgb_image.h"

namespace fontscan {

inline constexpr int kInkLimit = 50;

// Written without branches: on a sheet ink and paper alternate with no pattern to predict.
inline bool IsInk(Rgb colour) {
  return (colour.red < kInkLimit) | (colour.green < kInkLimit) | (colour.blue < kInkLimit);
}

}  // namespace fontscan
